#include "console/controller.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "console/batch_ui_host.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::TempDir;

// The real Verilog front end; the summary writes one marker line.
DesignServices summaryMarkerServices(int& childPasses) {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
    services.resolveChildPorts = [&childPasses](ModuleList&) { ++childPasses; };
    services.writeSummary = [](const ModuleList&, const Module& module, MessageLog& log) {
        log.appendLog("<summary " + module.name + ">\r\n");
    };
    return services;
}

std::string moduleText(const std::string& name) {
    return "module " + name + "(input a);\nendmodule\n";
}

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() : controller(ui, progress, summaryMarkerServices(childPasses)) {}

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const Module& module : controller.modules()) result.push_back(module.name);
        return result;
    }

    TempDir dir;
    ScriptedUiHost ui;
    NullProgressSink progress;
    int childPasses = 0;
    CMorvelDlg controller;
};

TEST(CommandHistoryTest, KeepsTheLast63Entries) {
    CommandHistory history;
    EXPECT_EQ(history.cursor(), -1);
    EXPECT_FALSE(history.up().has_value());
    EXPECT_FALSE(history.down().has_value());
    for (int i = 0; i < 70; ++i) history.push("cmd" + std::to_string(i));
    ASSERT_EQ(history.entries().size(), 63u);
    EXPECT_EQ(history.entries().front(), "cmd7");
    EXPECT_EQ(history.entries().back(), "cmd69");
    EXPECT_EQ(history.cursor(), 62);
    const std::vector<std::pair<bool, std::string>> keys = {
        {true, "cmd69"},  {true, "cmd68"},  {false, "cmd67"}, {false, "cmd68"},
        {false, "cmd69"}, {false, "cmd69"}, {true, "cmd69"},  {true, "cmd68"},
    };
    for (const auto& [up, shown] : keys) {
        EXPECT_EQ(up ? history.up() : history.down(), shown);
    }
}

TEST(CommandHistoryTest, UpStopsAtTheOldestAndEmptyLinesCount) {
    CommandHistory history;
    history.push("");
    history.push("list");
    EXPECT_EQ(history.up(), "list");
    EXPECT_EQ(history.up(), "");
    EXPECT_EQ(history.up(), "");
    EXPECT_EQ(history.cursor(), 0);
    history.push("rev");
    EXPECT_EQ(history.cursor(), 2);
}

TEST_F(ControllerTest, HistoryKeysPutTheEntryIntoTheCommandEdit) {
    controller.historyUp();
    EXPECT_TRUE(ui.calls.empty());
    controller.enterCommandLine("rev");
    controller.enterCommandLine("list");
    ui.calls.clear();
    controller.historyUp();
    controller.historyUp();
    controller.historyDown();
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"setCommandText(list)", "setCommandText(rev)",
                                                  "setCommandText(rev)"}));
}

TEST_F(ControllerTest, EnteredLinesGoToTheTranscriptWithThePrompt) {
    EXPECT_EQ(controller.transcript(), ">");
    const std::string path = dir.write("top.v", moduleText("top"));
    controller.enterCommandLine("analyze," + path);
    controller.enterCommandLine("");
    EXPECT_EQ(controller.transcript(), ">analyze," + path + "\r\ntop>\r\ntop>");
    EXPECT_EQ(controller.history().entries(), (std::vector<std::string>{"analyze," + path, ""}));
    EXPECT_EQ(controller.log().text(), "<summary top>\r\n");
    EXPECT_EQ(ui.callsNamed("setCommandText"),
              (std::vector<std::string>{"setCommandText()", "setCommandText()"}));
    EXPECT_EQ(ui.calls.back(), "scrollLogToEnd()");
}

TEST_F(ControllerTest, TranscriptKeepsWholeRecentLinesWithinItsCapacity) {
    const std::string text(98, 'x');
    for (int i = 0; i < 2000; ++i) controller.enterCommandLine(text);
    const std::string& transcript = controller.transcript();
    EXPECT_LE(transcript.size(), CMorvelDlg::kTranscriptCapacity);
    EXPECT_GT(transcript.size(), CMorvelDlg::kTranscriptCapacity - 200);
    EXPECT_TRUE(transcript.starts_with(">" + text + "\r\n"));
    EXPECT_TRUE(transcript.ends_with(text + "\r\n>"));
}

TEST_F(ControllerTest, TitleShowsProjectAndModuleCount) {
    EXPECT_EQ(controller.consoleTitle(), "[] 0 module(s) - Corvane");
    controller.setProjectName("chip one");
    EXPECT_EQ(ui.consoleTitle, "[chip one] 0 module(s) - Corvane");
}

TEST(ProjectNameTest, AllowsLettersDigitsBlankMinusAndUnderscore) {
    struct Case {
        const char* name;
        bool valid;
    };
    const Case cases[] = {
        {"my-proj_1", true}, {"A Z", true},    {"my.proj", false},     {"", false},
        {"a/b", false},      {"tab\t", false}, {"\xE3\x81\x82", false}};
    for (const Case& c : cases) EXPECT_EQ(isValidProjectName(c.name), c.valid) << c.name;
}

TEST_F(ControllerTest, AddEntriesWithoutAProjectRefuse) {
    controller.addFiles();
    controller.addFolder();
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const MessageBoxRequest& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "CORVANE cannot add source file.");
        EXPECT_EQ(box.text, "Please make a project.");
        EXPECT_EQ(box.icon, MessageIcon::kExclamation);
    }
    EXPECT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(controller.log().text(), "");
    EXPECT_TRUE(controller.history().entries().empty());
}

TEST_F(ControllerTest, AddFileAsksForFilesAndCancelChangesNothing) {
    controller.setProjectName("p");
    controller.addFiles();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please specify the target Verilog/VHDL file(s)");
    EXPECT_EQ(request.okText, "&Analyze");
    EXPECT_EQ(request.filter, "All files(*.*)|*.*||");
    EXPECT_TRUE(request.multiSelect);
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(controller.history().entries().empty());
    EXPECT_EQ(controller.log().text(), "");
}

TEST_F(ControllerTest, AddFileAnalysesTheChosenFilesAndTargetsTheNewest) {
    controller.setProjectName("p");
    const std::string a = dir.write("a.v", moduleText("alpha") + moduleText("beta"));
    const std::string b = dir.write("b.v", moduleText("gamma"));
    ui.openFileAnswers.push_back({{a, b}});
    ui.openFileAnswers.push_back({{a}});
    controller.addFiles();
    EXPECT_EQ(names(), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(controller.targetModule(), "gamma");
    EXPECT_EQ(controller.history().entries().back(), "analyze " + dir.path());
    EXPECT_EQ(controller.log().text(), "analyze " + dir.path() + "\r\n");
    EXPECT_EQ(childPasses, 2);
    EXPECT_TRUE(controller.transcript().ends_with("gamma>"));
    EXPECT_EQ(ui.calls.back(), "scrollLogToEnd()");
    EXPECT_EQ(ui.callsNamed("regenerateSchematicWindows").size(), 1u);

    controller.addFiles();
    EXPECT_EQ(controller.history().entries().back(), "analyze " + a);
    EXPECT_EQ(names(), (std::vector<std::string>{"gamma", "alpha", "beta"}));
    EXPECT_EQ(controller.targetModule(), "beta");
}

TEST_F(ControllerTest, AddFolderStartsAtTheTargetModulesFolder) {
    controller.setProjectName("p");
    std::filesystem::create_directory(dir.path() + "/rtl");
    const std::string path = dir.write("rtl/top.v", moduleText("top"));
    controller.addFolder();
    controller.analyseFile(path);
    controller.setTargetModule("top");
    ui.folderAnswers.push_back(dir.path() + "/rtl");
    controller.addFolder();
    EXPECT_EQ(ui.callsNamed("browseFolder"),
              (std::vector<std::string>{
                  "browseFolder(Please select folder to analyze.|)",
                  "browseFolder(Please select folder to analyze.|" + dir.path() + "/rtl/)"}));
    EXPECT_NE(controller.log().text().find("- analyze " + path + "\r\n"), std::string::npos);
    EXPECT_EQ(names(), (std::vector<std::string>{"top"}));
}

TEST_F(ControllerTest, DropWithoutAProjectAsksForAValidName) {
    const std::string a = dir.write("a.v", moduleText("alpha"));
    controller.dropFiles({a});
    EXPECT_TRUE(controller.modules().empty());
    EXPECT_EQ(controller.log().text(), "");

    ui.projectNameAnswers = {std::string(), std::string("my.proj"), std::string("my-proj_1")};
    controller.dropFiles({a});
    EXPECT_EQ(controller.projectName(), "my-proj_1");
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Please input project name.");
    EXPECT_EQ(ui.messageBoxes[1].text,
              "The invalid character is included in the name of the input project.");
    EXPECT_EQ(ui.messageBoxes[1].caption, "Corvane");
    EXPECT_EQ(names(), (std::vector<std::string>{"alpha"}));
}

TEST(BatchControllerTest, ARefusedProjectNameEndsTheDropInsteadOfAskingForever) {
    TempDir dir;
    const std::string a = dir.write("a.v", moduleText("alpha"));
    std::FILE* messages = std::tmpfile();
    BatchAnswers answers;
    answers.projectName = "my.proj";
    BatchUiHost ui(messages, answers);
    NullProgressSink progress;
    int childPasses = 0;
    CMorvelDlg controller(ui, progress, summaryMarkerServices(childPasses));
    controller.dropFiles({a});
    EXPECT_TRUE(controller.modules().empty());
    EXPECT_EQ(controller.projectName(), "");
    std::rewind(messages);
    char line[200] = {};
    ASSERT_NE(std::fgets(line, sizeof line, messages), nullptr);
    EXPECT_STREQ(line,
                 "Corvane: The invalid character is included in the name of the input project.\n");
    std::fclose(messages);
}

TEST_F(ControllerTest, DroppedFilesAreAnalysedAsFilesWhenTheFirstIsAFile) {
    controller.setProjectName("p");
    const std::string a = dir.write("a.v", moduleText("alpha"));
    const std::string b = dir.write("b.v", moduleText("beta"));
    std::filesystem::create_directory(dir.path() + "/sub");
    dir.write("sub/c.v", moduleText("gamma"));
    controller.dropFiles({a, dir.path() + "/sub", b});
    EXPECT_EQ(names(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(controller.log().text(), "\r\n<summary alpha>\r\n<summary beta>\r\n");
    EXPECT_EQ(controller.targetModule(), "beta");
    EXPECT_EQ(childPasses, 1);
    EXPECT_EQ(ui.callsNamed("regenerateSchematicWindows").size(), 0u);

    controller.dropFiles({a});
    EXPECT_EQ(controller.targetModule(), "beta");  // the first item never becomes the target
}

TEST_F(ControllerTest, ADroppedFolderFirstIsAnalysedAloneAndEmptyDropsDoNothing) {
    controller.setProjectName("p");
    std::filesystem::create_directory(dir.path() + "/sub");
    dir.write("sub/c.v", moduleText("gamma"));
    const std::string a = dir.write("a.v", moduleText("alpha"));
    controller.dropFiles({});
    EXPECT_EQ(controller.log().text(), "");
    controller.dropFiles({dir.path() + "/sub", a});
    EXPECT_EQ(names(), (std::vector<std::string>{"gamma"}));
    EXPECT_EQ(controller.log().text(), "\r\n\r\n\r\n- analyze " + dir.path() + "/sub/c.v\r\n\r\n");
    controller.dropFiles({dir.path() + "/missing"});
    EXPECT_NE(controller.log().text().find("Folder \"" + dir.path() + "/missing\" is invalid"),
              std::string::npos);
}

}  // namespace
}  // namespace corvane
