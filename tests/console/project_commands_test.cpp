#include "console/project_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::readAll;
using testing::TempDir;

DesignServices verilogServices(int& childPasses) {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
    services.resolveChildPorts = [&childPasses](ModuleList&) { ++childPasses; };
    return services;
}

const std::string kTwoModules =
    "module top(input a, output b);\n  sub u0(.a(a), .b(b));\nendmodule\n"
    "module sub(input a, output b);\n  assign b = a;\nendmodule\n";
const std::string kLeaf = "module leaf(input c);\nendmodule\n";

// The Verilog files of a small design: a.v with two modules and rtl/b.v.
class ProjectCommandsTest : public ::testing::Test {
protected:
    ProjectCommandsTest()
        : controller(ui, progress, verilogServices(childPasses)),
          settings(controller.projectSettings()),
          commands(controller) {
        std::filesystem::create_directory(dir.path() + "/rtl");
        fileA = dir.write("a.v", kTwoModules);
        fileB = dir.write("rtl/b.v", kLeaf);
        projectPath = dir.path() + "/demo.cvproj";
    }

    // A named project with the design analysed (modified, no file path yet).
    void startProject() {
        controller.setProjectName("demo");
        controller.analyseFile(fileA);
        controller.analyseFile(fileB);
        controller.setTargetModule("top");
        ASSERT_EQ(controller.modules().size(), 3u);
        ASSERT_TRUE(controller.projectModified());
        ui.calls.clear();
    }

    // A project saved at projectPath, then modified (or not).
    void savedProject(bool modified) {
        startProject();
        controller.setProjectFilePath(projectPath);
        ASSERT_TRUE(saveProjectFile(controller));
        controller.setProjectModified(modified);
        ui.calls.clear();
    }

    void expectNoProject() {
        EXPECT_EQ(controller.projectName(), "");
        EXPECT_EQ(controller.projectFilePath(), "");
        EXPECT_TRUE(controller.modules().empty());
        EXPECT_EQ(controller.targetModule(), "");
        EXPECT_FALSE(controller.projectModified());
    }

    bool questionAsked() const {
        return !ui.callsNamed("messageBox").empty() &&
               ui.callsNamed("messageBox").front() == "messageBox(Corvane|Do you save project?)";
    }

    TempDir dir;
    ScriptedUiHost ui;
    NullProgressSink progress;
    int childPasses = 0;
    CMorvelDlg controller;
    ProjectSettings& settings;  // the controller's
    ProjectCommands commands;
    std::string fileA;
    std::string fileB;
    std::string projectPath;
};

TEST_F(ProjectCommandsTest, NewProjectWithoutAProjectAsksOnlyForAValidName) {
    ui.projectNameAnswers = {std::string(), std::string("my.proj"), std::string("my-proj_1")};
    commands.newProject();
    EXPECT_EQ(controller.projectName(), "my-proj_1");
    EXPECT_TRUE(ui.callsNamed("saveFileDialog").empty());
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Please input project name.");
    EXPECT_EQ(ui.messageBoxes[1].text,
              "The invalid character is included in the name of the input project.");
    EXPECT_EQ(ui.messageBoxes[1].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[1].icon, MessageIcon::kExclamation);
    EXPECT_EQ(ui.consoleTitle, "[my-proj_1] 0 module(s) - Corvane");
}

TEST_F(ProjectCommandsTest, NewProjectSavesAProjectWithoutFileThroughTheDialogAtOnce) {
    startProject();
    commands.newProject();  // the save dialog is cancelled: nothing changes
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"saveFileDialog(Please input the name of project file)"}));
    EXPECT_EQ(controller.projectName(), "demo");
    EXPECT_EQ(controller.modules().size(), 3u);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.filter, "Corvane Project(*.cvproj)|*.cvproj||");
    EXPECT_EQ(request.defaultExtension, "cvproj");
    EXPECT_EQ(request.proposedName, "demo");
    EXPECT_TRUE(request.overwritePrompt);

    ui.saveFileAnswers = {projectPath};
    ui.projectNameAnswers = {std::string("next")};
    commands.newProject();
    EXPECT_NE(readAll(projectPath).find("module.schname = leaf\r\n"), std::string::npos);
    EXPECT_TRUE(ui.messageBoxes.empty());  // no question before the dialog
    EXPECT_EQ(controller.projectName(), "next");
    EXPECT_EQ(controller.projectFilePath(), "");
    EXPECT_TRUE(controller.modules().empty());
    EXPECT_EQ(ui.callsNamed("closeAllDocumentWindows"),
              (std::vector<std::string>{"closeAllDocumentWindows(source)",
                                        "closeAllDocumentWindows(schematic)",
                                        "closeAllDocumentWindows(net)"}));
}

TEST_F(ProjectCommandsTest, NewAndOpenAskToSaveAModifiedProject) {
    struct Case {
        bool modified;
        std::optional<MessageResult> answer;
        bool asked;
        bool written;
        bool cleared;
    };
    const Case cases[] = {
        {true, MessageResult::kCancel, true, false, false},
        {true, MessageResult::kYes, true, true, true},
        {true, MessageResult::kNo, true, false, true},
        {false, std::nullopt, false, false, true},
    };
    for (const bool open : {false, true}) {
        for (const Case& c : cases) {
            savedProject(c.modified);
            std::ofstream(projectPath, std::ios::binary) << "marker";
            ui.messageBoxes.clear();
            if (c.answer) ui.messageAnswers = {*c.answer};
            open ? commands.openProject() : commands.newProject();
            const std::string label = (open ? "open " : "new ") + std::to_string(&c - cases);
            EXPECT_EQ(questionAsked(), c.asked) << label;
            if (c.asked) {
                EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::kYesNoCancel) << label;
            }
            EXPECT_EQ(readAll(projectPath) != "marker", c.written) << label;
            EXPECT_EQ(controller.modules().empty(), c.cleared) << label;
            // A cancelled question shows no further dialog.
            const std::size_t dialogs =
                ui.callsNamed("openFileDialog").size() + ui.callsNamed("newProjectDialog").size();
            EXPECT_EQ(dialogs, c.cleared ? 1u : 0u) << label;
            if (!c.cleared) {
                EXPECT_TRUE(controller.projectModified()) << label;
            }
            controller.clearAllModules();
            controller.setProjectName("");
            controller.setProjectFilePath("");
        }
    }
}

TEST_F(ProjectCommandsTest, OpenProjectReadsTheChosenFile) {
    const std::string project = dir.write("open.cvproj",
                                          "name = opened\r\n"
                                          "module.path\t=\ta.v\r\n"
                                          "module.path = " +
                                              fileB +
                                              "\r\n"
                                              "module.schname = sub\r\n"
                                              "module.schpath = sch/sub.qsch\r\n"
                                              "document.settng.fit = 1\r\n");
    ui.openFileAnswers = {FileDialogResult{{project}}};
    commands.openProject();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please specify the target project file");
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.filter, "Corvane Project(*.cvproj)|*.cvproj||");
    EXPECT_EQ(request.defaultExtension, "cvproj");
    EXPECT_EQ(controller.projectName(), "opened");
    EXPECT_EQ(controller.projectFilePath(), project);
    EXPECT_FALSE(controller.projectModified());
    ASSERT_EQ(controller.modules().size(), 3u);
    EXPECT_EQ(controller.modules().find("sub")->schematicPath, dir.path() + "/sch/sub.qsch");
    EXPECT_EQ(controller.modules().find("top")->filePath, fileA);
    EXPECT_EQ(settings.margins.fit, 1);
    EXPECT_EQ(childPasses, 1);
    EXPECT_EQ(ui.consoleTitle, "[opened] 3 module(s) - Corvane");
    const auto cursor = ui.callsNamed("setWaitCursor");
    EXPECT_EQ(cursor, (std::vector<std::string>{"setWaitCursor(on)", "setWaitCursor(off)"}));

    // Cancelling the dialog leaves the program without a project.
    commands.openProject();
    expectNoProject();
}

TEST_F(ProjectCommandsTest, SaveProjectWritesOnlyWhatNeedsWriting) {
    commands.saveProject();  // no project
    commands.saveProjectAs();
    EXPECT_TRUE(ui.calls.empty());

    startProject();
    ui.saveFileAnswers = {projectPath};
    commands.saveProject();
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"saveFileDialog(Please input the name of project file)"}));
    EXPECT_EQ(controller.projectFilePath(), projectPath);
    EXPECT_FALSE(controller.projectModified());
    const std::string saved = readAll(projectPath);
    EXPECT_TRUE(saved.starts_with("name = demo\r\n"));

    std::ofstream(projectPath, std::ios::binary) << "marker";
    commands.saveProject();  // not modified: nothing is written
    EXPECT_EQ(readAll(projectPath), "marker");
    controller.setProjectModified(true);
    commands.saveProject();
    EXPECT_EQ(readAll(projectPath), saved);
    EXPECT_FALSE(controller.projectModified());
    EXPECT_EQ(ui.callsNamed("saveFileDialog").size(), 1u);
}

TEST_F(ProjectCommandsTest, SaveProjectAsWritesToTheNewFileEvenWhenUnmodified) {
    savedProject(false);
    const std::string other = dir.path() + "/copy.cvproj";
    commands.saveProjectAs();  // cancelled
    EXPECT_EQ(controller.projectFilePath(), projectPath);
    ui.saveFileAnswers = {other};
    commands.saveProjectAs();
    EXPECT_EQ(ui.callsNamed("saveFileDialog"),
              (std::vector<std::string>{
                  "saveFileDialog(Save As - Please input the new name of project file)",
                  "saveFileDialog(Save As - Please input the new name of project file)"}));
    EXPECT_EQ(ui.fileDialogs.back().proposedName, "demo");
    EXPECT_EQ(controller.projectFilePath(), other);
    EXPECT_EQ(readAll(other), readAll(projectPath));
}

TEST_F(ProjectCommandsTest, CloseProjectAsksThenClears) {
    struct Case {
        bool withPath;
        bool modified;
        std::optional<MessageResult> answer;
        std::optional<std::string> dialogAnswer;
        bool closed;
        bool written;
    };
    const std::string chosen = dir.path() + "/chosen.cvproj";
    const Case cases[] = {
        {true, true, MessageResult::kCancel, std::nullopt, false, false},
        {true, true, MessageResult::kYes, std::nullopt, true, true},
        {true, true, MessageResult::kNo, std::nullopt, true, false},
        {false, true, MessageResult::kYes, std::nullopt, false, false},  // dialog cancelled
        {false, true, MessageResult::kYes, chosen, true, true},
        {true, false, std::nullopt, std::nullopt, true, false},
    };
    for (const Case& c : cases) {
        const std::string label = std::to_string(&c - cases);
        if (c.withPath) {
            savedProject(c.modified);
        } else {
            startProject();
        }
        std::ofstream(projectPath, std::ios::binary) << "marker";
        std::filesystem::remove(chosen);
        ui.messageBoxes.clear();
        if (c.answer) ui.messageAnswers = {*c.answer};
        if (c.dialogAnswer) ui.saveFileAnswers = {*c.dialogAnswer};
        EXPECT_EQ(commands.closeProject(), c.closed) << label;
        EXPECT_EQ(questionAsked(), c.modified) << label;
        const std::string written = c.withPath ? projectPath : chosen;
        EXPECT_EQ(std::filesystem::exists(written) && readAll(written) != "marker", c.written)
            << label;
        if (c.closed) {
            expectNoProject();
        } else {
            EXPECT_EQ(controller.projectName(), "demo") << label;
            EXPECT_EQ(controller.modules().size(), 3u) << label;
        }
        controller.clearAllModules();
        controller.setProjectName("");
        controller.setProjectFilePath("");
        ui.saveFileAnswers.clear();
    }
    // Without a project there is nothing to ask.
    ui.calls.clear();
    EXPECT_TRUE(commands.closeProject());
    EXPECT_TRUE(ui.callsNamed("messageBox").empty());
}

// Scripted answers for the comment style dialogs; each press of a button of
// the "Setting" dialog is listed in `presses` ('f' figure, 't' textbox).
class ScriptedStyleDialogs final : public CommentStyleDialogs {
public:
    std::string presses;
    bool settingOk = true;
    std::optional<LineStyle> lineAnswer;
    std::optional<TextStyle> textAnswer;
    std::vector<LineStyle> linePresets;
    std::vector<TextStyle> textPresets;

    bool settingDialog(const std::function<void()>& figure,
                       const std::function<void()>& textbox) override {
        for (const char press : presses) press == 'f' ? figure() : textbox();
        return settingOk;
    }
    std::optional<LineStyle> lineStyleDialog(const LineStyle& preset) override {
        linePresets.push_back(preset);
        return lineAnswer;
    }
    std::optional<TextStyle> textBoxStyleDialog(const TextStyle& preset) override {
        textPresets.push_back(preset);
        return textAnswer;
    }
};

TEST_F(ProjectCommandsTest, ProjectSettingEditsACopyOfTheCommentStyle) {
    settings.commentStyle.textFace = "Courier New";
    ScriptedStyleDialogs dialogs;
    dialogs.presses = "fft";
    dialogs.lineAnswer = LineStyle{3, 0x0000FF};
    dialogs.textAnswer = TextStyle{"Liberation Mono", 20, 0x00FF00};
    dialogs.settingOk = false;
    commands.projectSetting(dialogs);
    EXPECT_EQ(settings.commentStyle.linePt, 1);  // Cancel discards the copy
    EXPECT_FALSE(controller.projectModified());

    dialogs.settingOk = true;
    dialogs.linePresets.clear();
    commands.projectSetting(dialogs);
    ASSERT_EQ(dialogs.linePresets.size(), 2u);
    EXPECT_EQ(dialogs.linePresets[0].pt, 1);
    EXPECT_EQ(dialogs.linePresets[1].pt, 3);  // the second press starts from the edited copy
    EXPECT_EQ(dialogs.textPresets.back().face, "Courier New");
    EXPECT_EQ(dialogs.textPresets.back().pt, 16);
    const CommentStyle& style = settings.commentStyle;
    EXPECT_EQ(style.linePt, 3);
    EXPECT_EQ(style.lineColor, 0x0000FF);
    EXPECT_EQ(style.textFace, "Liberation Mono");
    EXPECT_EQ(style.textPt, 20);
    EXPECT_EQ(style.textColor, 0x00FF00);
    EXPECT_TRUE(controller.projectModified());

    // A cancelled style dialog leaves the copy as it was.
    dialogs.presses = "ft";
    dialogs.lineAnswer.reset();
    dialogs.textAnswer.reset();
    commands.projectSetting(dialogs);
    EXPECT_EQ(settings.commentStyle.linePt, 3);
    EXPECT_EQ(settings.commentStyle.textFace, "Liberation Mono");
}

TEST(CommentStyleDialogsTest, TheColourButtonKeepsTheColourWhenCancelled) {
    ScriptedUiHost ui;
    int color = 0x123456;
    chooseStyleColor(ui, color);
    EXPECT_EQ(color, 0x123456);
    ui.colorAnswers = {std::uint32_t{0x00ABCDEF}};
    chooseStyleColor(ui, color);
    EXPECT_EQ(color, 0xABCDEF);
    EXPECT_EQ(ui.calls.front(), "chooseColor(" + std::to_string(0x123456) + ")");
}

TEST_F(ProjectCommandsTest, AProjectReadIntoAFreshControllerWritesTheSameBytes) {
    startProject();
    const TempDir otherFolder;
    const std::string elsewhere = otherFolder.write("far.v", "module far(input x);\nendmodule\n");
    controller.analyseFile(elsewhere);
    controller.modules().find("top")->schematicPath = dir.path() + "/sch/top.qsch";
    controller.modules().find("far")->schematicPath = "/elsewhere/far.qsch";
    settings.printer = PrinterSettings{true, "Office Laser", {1, 9, 0, 0, 100, 2, -3, 1, 1}};
    settings.margins = {5.5, 6, 7.25, 8.125, 1};
    settings.commentStyle.textColor = 0x00C000;
    controller.setProjectFilePath(projectPath);
    ASSERT_TRUE(saveProjectFile(controller));
    const std::string first = readAll(projectPath);
    EXPECT_NE(first.find("module.path = a.v\r\nmodule.path = rtl/b.v\r\nmodule.path = " +
                         elsewhere + "\r\n"),
              std::string::npos);
    EXPECT_NE(first.find("module.schname = top\r\nmodule.schpath = sch/top.qsch\r\n"
                         "module.schname = sub\r\nmodule.schname = leaf\r\n"),
              std::string::npos);

    ScriptedUiHost freshUi;
    int passes = 0;
    CMorvelDlg fresh(freshUi, progress, verilogServices(passes));
    fresh.setProjectFilePath(projectPath);
    ASSERT_TRUE(loadProjectFile(fresh));
    EXPECT_EQ(fresh.projectName(), "demo");
    EXPECT_FALSE(fresh.projectModified());
    ASSERT_TRUE(saveProjectFile(fresh));
    EXPECT_EQ(readAll(projectPath), first);
}

TEST_F(ProjectCommandsTest, AFailedWriteKeepsTheOldFileAndTheModifiedFlag) {
    savedProject(true);
    const std::string before = readAll(projectPath);
    controller.setProjectFilePath(dir.path() + "/no/such/folder/p.cvproj");
    EXPECT_FALSE(saveProjectFile(controller));
    EXPECT_TRUE(controller.projectModified());
    controller.setProjectFilePath(dir.path() + "/none.cvproj");
    EXPECT_FALSE(loadProjectFile(controller));
    EXPECT_EQ(controller.projectName(), "demo");
    EXPECT_EQ(controller.modules().size(), 3u);
    EXPECT_EQ(readAll(projectPath), before);
}

}  // namespace
}  // namespace corvane
