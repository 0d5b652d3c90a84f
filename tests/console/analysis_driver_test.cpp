#include "console/analysis_driver.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "support/test_files.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

using testing::TempDir;

// A front end that only reads the name after "module" in the prepared text.
// A module named "bad", or a chunk without "module", fails.
struct FakeFrontEnd {
    std::vector<std::string> parsedFiles;

    ChunkParser parser() {
        return [this](Module& module, const std::string& path, AnalysisContext&) {
            parsedFiles.push_back(path);
            std::istringstream tokens(module.text);
            std::string token;
            while (tokens >> token && token != "module") {
            }
            if (!(tokens >> token)) return 1;
            const std::string name = token.substr(0, token.find_first_of("(;#"));
            module.displayName = name;
            module.name = toLowerAscii(name);
            return module.name == "bad" ? 1 : 0;
        };
    }
};

struct CountingListener : AnalysisListener {
    int changes = 0;
    int folders = 0;
    std::vector<bool> cursor;
    void moduleListChanged() override { ++changes; }
    void folderAnalysed() override { ++folders; }
    void setWaitCursor(bool waiting) override { cursor.push_back(waiting); }
};

// Modules named `names`, one after the other in one file.
std::string modulesText(std::initializer_list<const char*> names) {
    std::string text;
    for (const char* name : names) text += std::string("module ") + name + ";\nendmodule\n";
    return text;
}

const char* kWarningTail =
    "\" is already analyzed. CORVANE deletes the older data and leaves the newer data. \r\n";

class AnalysisDriverTest : public ::testing::Test {
protected:
    AnalysisDriverTest() : driver(modules, log, progress, FrontEnds{fake.parser(), {}}, listener) {}

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const Module& module : modules) result.push_back(module.name);
        return result;
    }
    std::string warning(const std::string& path, const std::string& name) const {
        return "#WARNING : " + path + " :  : Module \"" + name + kWarningTail;
    }

    TempDir dir;
    FakeFrontEnd fake;
    ModuleList modules;
    MessageLog log;
    RecordingProgressSink progress;
    CountingListener listener;
    AnalysisDriver driver;
};

TEST_F(AnalysisDriverTest, AnalysesEveryModuleOfAFileInOrder) {
    const std::string path = dir.write("two.v", modulesText({"Alpha", "beta"}));
    EXPECT_TRUE(driver.analyseFile(path));
    EXPECT_EQ(names(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(modules.begin()->displayName, "Alpha");
    EXPECT_EQ(modules.back().filePath, path);
    // N modules take N + 1 chunk preparations, each announced with the file.
    EXPECT_EQ(progress.files, std::vector<std::string>(3, path));
    EXPECT_EQ(fake.parsedFiles.size(), 2u);
    EXPECT_EQ(listener.changes, 4);
    EXPECT_EQ(log.text(), "");
}

TEST_F(AnalysisDriverTest, AnalysingAFileTwiceKeepsOneCopyAndWarnsPerModule) {
    const std::string path = dir.write("two.v", modulesText({"a", "b"}));
    ASSERT_TRUE(driver.analyseFile(path));
    ASSERT_TRUE(driver.analyseFile(path));
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(log.text(), warning(path, "a") + warning(path, "b"));
}

TEST_F(AnalysisDriverTest, TheModuleAnalysedLastReplacesItsNamesake) {
    const std::string first = dir.write("first.v", modulesText({"top", "sub"}));
    const std::string second = dir.write("second.v", modulesText({"TOP"}));
    driver.analyseFile(first);
    driver.analyseFile(second);
    EXPECT_EQ(names(), (std::vector<std::string>{"sub", "top"}));
    EXPECT_EQ(modules.back().filePath, second);
    EXPECT_EQ(log.text(), warning(second, "top"));
}

TEST_F(AnalysisDriverTest, AFailedModuleEndsTheFileAndKeepsEarlierOnes) {
    const std::string path = dir.write("three.v", modulesText({"a", "bad", "c"}));
    EXPECT_TRUE(driver.analyseFile(path));
    EXPECT_EQ(names(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(fake.parsedFiles.size(), 2u);
}

TEST_F(AnalysisDriverTest, FilesThatGiveNoModuleAddNothingAndWriteNothing) {
    const std::string comments = dir.write("comments.v", "// nothing here\n/* or here */\n");
    const std::string noModule = dir.write("nomodule.v", "wire x;\n");
    const std::string failing = dir.write("bad.v", modulesText({"bad"}));
    const std::string empty = dir.write("empty.v", "");
    const std::string unreadable = dir.write("locked.v", modulesText({"locked"}));
    ::chmod(unreadable.c_str(), 0);
    const std::string paths[] = {
        comments, noModule, failing, empty, unreadable, dir.path() + "/missing.v", dir.path()};
    driver.analyseFile(dir.write("kept.v", modulesText({"kept"})));
    for (const std::string& path : paths) {
        if (path == unreadable && ::access(path.c_str(), R_OK) == 0) continue;  // running as root
        EXPECT_FALSE(driver.analyseFile(path)) << path;
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(log.text(), "");
}

TEST_F(AnalysisDriverTest, ReanalysisReadsTheFileAgain) {
    const std::string path = dir.write("edit.v", modulesText({"old"}));
    driver.analyseFile(path);
    dir.write("edit.v", modulesText({"new"}));
    driver.analyseFile(path);
    EXPECT_EQ(names(), (std::vector<std::string>{"old", "new"}));
}

TEST_F(AnalysisDriverTest, AFolderThatCannotBeListedGivesTheInvalidFolderLine) {
    const std::string folder = dir.path() + "/missing";
    EXPECT_TRUE(driver.analyseFolder(folder));
    EXPECT_EQ(log.text(), "\r\nFolder \"" + folder +
                              "\" is invalid name. CORVANE cannot open this folder.\r\n\r\n");
    EXPECT_EQ(listener.folders, 0);
    EXPECT_EQ(listener.cursor, (std::vector<bool>{true, false}));
}

TEST_F(AnalysisDriverTest, FolderAnalysisTakesOnlySourceExtensions) {
    std::filesystem::create_directory(dir.path() + "/sub");
    for (const char* name : {"a.v", "b.V", "c.sv", "d.vhd", "e.Vhd", "sub/f.vhdl", "sub/.v", "v"}) {
        dir.write(name, modulesText({"m"}));
    }
    EXPECT_TRUE(driver.analyseFolder(dir.path()));
    std::vector<std::string> announced;
    for (const std::string& line : splitAll(log.text(), "\r\n")) {
        if (line.starts_with("- analyze ")) announced.push_back(line.substr(10));
    }
    std::sort(announced.begin(), announced.end());
    const std::string root = dir.path() + "/";
    EXPECT_EQ(announced, (std::vector<std::string>{root + "a.v", root + "b.V", root + "d.vhd",
                                                   root + "sub/.v", root + "sub/f.vhdl"}));
    EXPECT_EQ(listener.folders, 1);
    EXPECT_TRUE(log.text().starts_with("\r\n\r\n"));
    EXPECT_TRUE(log.text().ends_with("\r\n"));
}

// The order the file system lists a folder in, with folders marked.
std::vector<FolderEntry> listed(const std::string& folder) {
    auto entries = listFolder(folder);
    return entries ? *entries : std::vector<FolderEntry>{};
}

TEST_F(AnalysisDriverTest, FolderWalkIsDepthFirstInListingOrder) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() + "/one/deep");
    fs::create_directory(dir.path() + "/two");
    for (const char* name : {"top.v", "one/x.v", "one/deep/y.v", "two/z.v", "zz.v"}) {
        dir.write(name, modulesText({"m"}));
    }
    // Expected text built from the listing order, descending into each folder at once.
    std::string expected;
    std::function<void(const std::string&)> expect = [&](const std::string& folder) {
        expected += "\r\n";
        for (const FolderEntry& entry : listed(folder)) {
            const std::string path = folder + "/" + entry.name;
            if (entry.isFolder) {
                expect(path);
            } else {
                expected += "- analyze " + path + "\r\n";
            }
        }
    };
    expect(dir.path());
    driver.walkFolder(dir.path());
    std::string walked;
    for (const std::string& line : splitAll(log.text(), "\r\n")) {
        if (line.empty() || line.starts_with("- analyze ")) walked += line + "\r\n";
    }
    walked.resize(walked.size() - 2);  // the split leaves one empty field at the end
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(listener.folders, 0);  // only analyseFolder reports the batch
}

TEST_F(AnalysisDriverTest, FolderLinksLeadingBackIntoTheTreeAreNotFollowedAgain) {
    const std::string sub = dir.path() + "/sub";
    std::filesystem::create_directory(sub);
    dir.write("sub/a.v", modulesText({"a"}));
    ASSERT_EQ(::symlink(dir.path().c_str(), (sub + "/loop").c_str()), 0);
    ASSERT_EQ(::symlink(sub.c_str(), (dir.path() + "/again").c_str()), 0);
    driver.analyseFolder(dir.path());
    EXPECT_EQ(names(), (std::vector<std::string>{"a"}));
    EXPECT_EQ(log.text().find("#WARNING"), std::string::npos);
}

}  // namespace
}  // namespace corvane
