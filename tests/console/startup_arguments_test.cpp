#include "console/startup_arguments.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::TempDir;

DesignServices verilogOnly() {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
    return services;
}

class StartupArgumentsTest : public ::testing::Test {
protected:
    StartupArgumentsTest() : controller(ui, progress, verilogOnly()) {}

    TempDir dir;
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller;
};

TEST_F(StartupArgumentsTest, AProjectFileIsOpened) {
    dir.write("a.v", "module a(input x); endmodule\n");
    const std::string project =
        dir.write("demo.cvproj", "name = demo\r\nmodule.path = a.v\r\nmodule.schname = a\r\n");
    openStartupArguments(controller, {project});
    EXPECT_EQ(controller.projectName(), "demo");
    EXPECT_EQ(controller.projectFilePath(), project);
    EXPECT_EQ(controller.modules().size(), 1u);
    EXPECT_FALSE(controller.projectModified());
    EXPECT_EQ(ui.consoleTitle, "[demo] 1 module(s) - Corvane");
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(StartupArgumentsTest, AProjectFileThatCannotBeReadLeavesNoProject) {
    const std::string missing = dir.path() + "/missing.cvproj";
    openStartupArguments(controller, {missing});
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "CORVANE cannot open this file.");
    EXPECT_EQ(ui.messageBoxes[0].text, missing);
    EXPECT_EQ(controller.projectFilePath(), "");
    EXPECT_EQ(controller.projectName(), "");
}

TEST_F(StartupArgumentsTest, FoldersAndFilesAreAnalysedIntoAProjectWithoutAName) {
    std::filesystem::create_directory(dir.path() + "/rtl");
    dir.write("rtl/b.v", "module b(input x); endmodule\n");
    dir.write("rtl/notes.txt", "not a source file\n");
    const std::string c = dir.write("c.v", "module c(input x); endmodule\n");
    const std::string binary = dir.write("blob.v", std::string("\x00\x01\xff\xfe garbage", 12));
    std::filesystem::create_directory(dir.path() + "/empty");
    openStartupArguments(controller, {dir.path() + "/rtl", c, binary, dir.path() + "/empty"});
    ASSERT_EQ(controller.modules().size(), 2u);
    EXPECT_EQ(controller.modules().begin()->name, "b");
    EXPECT_EQ(controller.targetModule(), "c");
    EXPECT_EQ(controller.projectName(), "");
    EXPECT_EQ(ui.consoleTitle, "[] 2 module(s) - Corvane");
    const std::string log(controller.log().text());
    EXPECT_NE(log.find("- analyze " + dir.path() + "/rtl/b.v\r\n"), std::string::npos);
    EXPECT_NE(log.find(binary + " : Corvane cannot analyze this file.(0)\r\n"), std::string::npos);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST(AbsolutePathTest, RelativePathsJoinTheWorkingFolder) {
    const std::string here = std::filesystem::current_path().string();
    EXPECT_EQ(absolutePath("/w/a.v"), "/w/a.v");
    EXPECT_EQ(absolutePath("rtl/./a.v"), here + "/rtl/a.v");
    EXPECT_EQ(absolutePath(""), "");
}

TEST(ProjectFilePathTest, OnlyTheProjectExtension) {
    EXPECT_TRUE(isProjectFilePath("/w/example.cvproj"));
    EXPECT_TRUE(isProjectFilePath("x.cvproj"));
    EXPECT_FALSE(isProjectFilePath(".cvproj"));
    EXPECT_FALSE(isProjectFilePath("top.v"));
    EXPECT_FALSE(isProjectFilePath("example.cvproj.v"));
}

}  // namespace
}  // namespace corvane
