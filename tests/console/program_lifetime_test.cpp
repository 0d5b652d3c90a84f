#include "console/program_lifetime.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::readAll;
using testing::TempDir;

class ProgramLifetimeTest : public ::testing::Test {
protected:
    ProgramLifetimeTest()
        : locations{dir.path() + "/user/corvane_setting.ini",
                    dir.path() + "/exe/corvane_setting.ini"},
          controller(ui, progress, DesignServices{}) {}

    TempDir dir;
    SettingsLocations locations;
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller;
};

TEST_F(ProgramLifetimeTest, StartUpPlacesTheConsoleFromTheSettingsFile) {
    struct Case {
        const char* file;  // nullptr: no settings file anywhere
        const char* placed;
    };
    const Case cases[] = {
        {nullptr, "placeConsole(0,0,800,600)"},
        {"pos.x = 40\r\npos.y = 30\r\nwidth = 1000\r\nheight = 700\r\n",
         "placeConsole(40,30,1000,700)"},
        {"width = 100\r\npos.x = -50\r\nheight\t=\t10\r\n", "placeConsole(0,0,256,64)"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        const SettingsLocations here{folder.path() + "/corvane_setting.ini", ""};
        if (c.file != nullptr) folder.write("corvane_setting.ini", c.file);
        ui.calls.clear();
        readProgramSettings(controller, here);
        EXPECT_EQ(ui.callsNamed("placeConsole"), std::vector<std::string>{c.placed}) << c.placed;
    }
}

TEST_F(ProgramLifetimeTest, StartUpKeepsTheKeywordsOfTheFileOnly) {
    controller.settings().verilogWords.push_back({"stale", 5, 0});
    std::filesystem::create_directories(dir.path() + "/exe");
    dir.write("exe/corvane_setting.ini", "verilog-word = always,FF0000\r\nvhdl-word = begin\r\n");
    readProgramSettings(controller, locations);  // no user file: the one beside the program
    ASSERT_EQ(controller.settings().verilogWords.size(), 1u);
    EXPECT_EQ(controller.settings().verilogWords[0].word, "always");
    EXPECT_EQ(controller.settings().verilogWords[0].color, 0xFF0000);
    EXPECT_TRUE(controller.settings().vhdlWords.empty());
}

TEST_F(ProgramLifetimeTest, LeavingWritesTheSettingsWithTheCurrentConsoleRectangle) {
    readProgramSettings(controller, locations);
    ui.console = {12, 34, 900, 650};  // the user moved and sized the console
    for (int i = 0; i < 40; ++i)
        controller.settings().searchWords.push_back("w" + std::to_string(i));
    ui.calls.clear();

    ASSERT_TRUE(leaveProgram(controller, locations));
    const std::string written = readAll(locations.user);
    EXPECT_TRUE(written.starts_with("pos.x = 12\r\npos.y = 34\r\nwidth = 900\r\nheight = 650\r\n"))
        << written;
    EXPECT_EQ(written.find("search-word = w7\r\n"), std::string::npos);
    EXPECT_NE(written.find("search-word = w8\r\n"), std::string::npos);
    EXPECT_TRUE(written.ends_with("search-word = w39\r\n"));
    // Closing the project closes its windows; then the program closes the rest.
    const std::vector<std::string> closes = ui.callsNamed("closeAllDocumentWindows");
    ASSERT_GE(closes.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(closes.end() - 3, closes.end()),
              (std::vector<std::string>{"closeAllDocumentWindows(statediagram)",
                                        "closeAllDocumentWindows(source)",
                                        "closeAllDocumentWindows(schematic)"}));

    // The next start finds the same placement and the last 32 words.
    CMorvelDlg next(ui, progress, DesignServices{});
    readProgramSettings(next, locations);
    EXPECT_EQ(ui.callsNamed("placeConsole").back(), "placeConsole(12,34,900,650)");
    EXPECT_EQ(next.settings().searchWords.size(), kSavedSearchWords);
}

TEST_F(ProgramLifetimeTest, CancellingTheSaveQuestionKeepsTheProgramRunning) {
    controller.setProjectName("demo");
    controller.setProjectModified(true);
    ui.messageAnswers = {MessageResult::kCancel};
    EXPECT_FALSE(leaveProgram(controller, locations));
    EXPECT_EQ(ui.callsNamed("messageBox"),
              std::vector<std::string>{"messageBox(Corvane|Do you save project?)"});
    EXPECT_EQ(readAll(locations.user), "");
    EXPECT_TRUE(ui.callsNamed("closeAllDocumentWindows").empty());
    EXPECT_EQ(controller.projectName(), "demo");

    // "No" closes the project unsaved and the program ends.
    ui.messageAnswers = {MessageResult::kNo};
    EXPECT_TRUE(leaveProgram(controller, locations));
    EXPECT_EQ(controller.projectName(), "");
    EXPECT_NE(readAll(locations.user), "");
}

}  // namespace
}  // namespace corvane
