#include "console/folder_walk.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/test_files.h"

namespace corvane {
namespace {

using testing::TempDir;

TEST(FolderWalkTest, SourceFileNamesFollowTheExtensionRules) {
    struct Case {
        const char* name;
        bool taken;
    };
    const Case cases[] = {
        {"a.v", true},    {"b.V", true},          {"d.vhd", true},    {"f.vhdl", true},
        {"g.VHD", true},  {"h.VHDL", true},       {".v", true},       {"c.sv", false},
        {"e.Vhd", false}, {"i.vhdL", false},      {"v", false},       {"a", false},
        {"", false},      {"noextension", false}, {"a.v.bak", false}, {"top.v~", false},
        {"x.", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isSourceFileName(c.name), c.taken) << c.name;
    }
}

TEST(FolderWalkTest, ListsEntriesWithoutDotEntriesAndMarksFolders) {
    TempDir dir;
    dir.write("a.v", "");
    std::filesystem::create_directory(dir.path() + "/sub");
    auto entries = listFolder(dir.path());
    ASSERT_TRUE(entries.has_value());
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, "a.v");
    EXPECT_FALSE((*entries)[0].isFolder);
    EXPECT_EQ((*entries)[1].name, "sub");
    EXPECT_TRUE((*entries)[1].isFolder);
}

TEST(FolderWalkTest, MissingFoldersAndFilesCannotBeListed) {
    TempDir dir;
    const std::string file = dir.write("a.v", "x");
    EXPECT_FALSE(listFolder(dir.path() + "/missing").has_value());
    EXPECT_FALSE(listFolder(file).has_value());
    EXPECT_FALSE(listFolder("").has_value());
    const auto empty = listFolder(dir.path() + "/");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 1u);
}

TEST(FolderWalkTest, PathHelpers) {
    EXPECT_EQ(joinPath("rtl", "a.v"), "rtl/a.v");
    EXPECT_EQ(joinPath("rtl/", "a.v"), "rtl/a.v");
    EXPECT_EQ(joinPath("/", "a.v"), "/a.v");
    EXPECT_EQ(folderOfPath("/work/rtl/a.v"), "/work/rtl/");
    EXPECT_EQ(folderOfPath("a.v"), "");
    EXPECT_EQ(fileNameOfPath("/work/rtl/a.v"), "a.v");
    EXPECT_EQ(fileNameOfPath("a.v"), "a.v");
}

TEST(FolderWalkTest, FileChecks) {
    TempDir dir;
    const std::string file = dir.write("a.v", "x");
    EXPECT_TRUE(isExistingFile(file));
    EXPECT_TRUE(isReadableFile(file));
    EXPECT_FALSE(isExistingFile(dir.path()));
    EXPECT_FALSE(isReadableFile(dir.path()));
    EXPECT_FALSE(isExistingFile(dir.path() + "/missing.v"));
    EXPECT_FALSE(isExistingFile(""));
}

TEST(FolderWalkTest, VisitedFoldersRecognisesALinkBackIntoTheTree) {
    TempDir dir;
    const std::string sub = dir.path() + "/sub";
    std::filesystem::create_directory(sub);
    ASSERT_EQ(::symlink(dir.path().c_str(), (sub + "/loop").c_str()), 0);
    VisitedFolders visited;
    EXPECT_TRUE(visited.enter(dir.path()));
    EXPECT_TRUE(visited.enter(sub));
    EXPECT_FALSE(visited.enter(sub + "/loop"));
    EXPECT_FALSE(visited.enter(dir.path() + "/"));
}

}  // namespace
}  // namespace corvane
