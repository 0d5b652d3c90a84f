#include "platform/safe_file_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_files.h"

namespace corvane {
namespace {

using testing::readAll;
using testing::TempDir;

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `body` in a child process and returns its exit status (-1 when it
// did not exit normally).
template <typename Body>
int inChild(Body body) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(body());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SafeFileWriterTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::string target = dir.write("p.cvproj", "old\r\n");
};

TEST_F(SafeFileWriterTest, ReplacesTheFileAndKeepsItsPermissions) {
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_TRUE(writeFileSafely(target, std::string("new\0bytes\r\n", 11)));
    EXPECT_EQ(readAll(target), std::string("new\0bytes\r\n", 11));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.cvproj"});
    // A new file is created as well.
    EXPECT_TRUE(writeFileSafely(dir.path() + "/fresh.ini", ""));
    EXPECT_EQ(readAll(dir.path() + "/fresh.ini"), "");
}

TEST_F(SafeFileWriterTest, AWriteStoppedHalfWayLeavesThePreviousFile) {
    {
        SafeFileWriter writer(target);
        ASSERT_TRUE(writer.ok());
        EXPECT_TRUE(writer.write("half of the new"));
        EXPECT_EQ(readAll(target), "old\r\n");
        // The producer fails here; the writer goes away without a commit.
    }
    EXPECT_EQ(readAll(target), "old\r\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.cvproj"});

    SafeFileWriter discarded(target);
    discarded.write("x");
    discarded.discard();
    EXPECT_FALSE(discarded.commit());
    EXPECT_EQ(readAll(target), "old\r\n");
}

TEST_F(SafeFileWriterTest, AProcessKilledInTheMiddleLeavesThePreviousFile) {
    const int status = inChild([this] {
        SafeFileWriter writer(target);
        writer.write(std::string(100000, 'n'));
        ::_exit(writer.ok() ? 7 : 8);  // dies before the commit, without cleaning up
        return 0;
    });
    EXPECT_EQ(status, 7);
    EXPECT_EQ(readAll(target), "old\r\n");
}

TEST_F(SafeFileWriterTest, AFullDiskFailsTheWriteAndLeavesThePreviousFile) {
    // A file size limit makes the write fail part way, as a full disk does.
    const int status = inChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 9;
        return writeFileSafely(target, std::string(100000, 'n')) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readAll(target), "old\r\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"p.cvproj"});
}

TEST_F(SafeFileWriterTest, TargetsThatCannotBeWrittenFail) {
    const std::string folder = dir.path() + "/folder";
    std::filesystem::create_directory(folder);
    dir.write("folder/inside", "kept");
    for (const std::string& path :
         {std::string(), dir.path() + "/no/such/x.ini", folder, folder + "/"}) {
        EXPECT_FALSE(writeFileSafely(path, "bytes")) << path;
    }
    EXPECT_EQ(readAll(folder + "/inside"), "kept");
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"folder", "p.cvproj"}));
}

TEST_F(SafeFileWriterTest, ALinkKeepsPointingAtTheReplacedFile) {
    const std::string link = dir.path() + "/link.cvproj";
    std::filesystem::create_symlink(target, link);
    EXPECT_TRUE(writeFileSafely(link, "through the link"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readAll(target), "through the link");
}

}  // namespace
}  // namespace corvane
