// The File menu of the schematic window: dialogs, messages, the path kept or
// restored, and the modified flags, with a scripted user interface.
#include "schematic/schematic_file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "schematic/schematic_file.h"
#include "schematic/schematic_test_support.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

struct CountingHooks : SchematicWindowHooks {
    void refreshMenuStates(CSchematicDlg&) override { ++menus; }
    void updateTitle(CSchematicDlg&) override { ++titles; }
    void repaint(CSchematicDlg&) override { ++repaints; }
    void markProjectModified(CSchematicDlg&) override { ++projectMarks; }
    int menus = 0, titles = 0, repaints = 0, projectMarks = 0;
};

class SchematicFileCommandsTest : public ::testing::Test {
protected:
    SchematicFileCommandsTest() {
        testing::ModuleBuilder builder("top");
        builder.pin("a", 0);
        builder.pin("y", 1);
        const int block = builder.assign("y");
        builder.use("a", kKindAssign, block, testing::kRead);
        builder.use("y", kKindAssign, block, testing::kWrite);
        modules.append(builder.module);
        window.setHooks(hooks);
        window.openWithoutFile();
        hooks = CountingHooks();
    }

    Module& module() { return *modules.find("top"); }
    std::string path(const char* name) const { return dir.path() + "/" + name; }
    bool exists(const std::string& file) const { return std::filesystem::exists(file); }

    testing::TempDir dir;
    ModuleList modules;
    CSchematicDlg window{modules, "top", placementOnlyPasses()};
    ScriptedUiHost ui;
    CountingHooks hooks;
    SchematicFileCommands commands{window, ui};
};

TEST_F(SchematicFileCommandsTest, OpenReadsTheChosenFile) {
    module().schematicPath = path("saved.qsch");
    module().pins[0].x = 480;
    ASSERT_TRUE(writeSchematicFile(window));
    module().pins[0].x = 0;
    module().schematicPath = "old.qsch";
    commands.setModified(true);

    commands.onOpen();  // cancelled: nothing happens
    EXPECT_EQ(module().schematicPath, "old.qsch");
    EXPECT_TRUE(commands.modified());

    window.setSelection({{kKindPin, "a", 0}});
    ui.openFileAnswers.push_back(FileDialogResult{{path("saved.qsch")}});
    commands.onOpen();
    ASSERT_EQ(ui.fileDialogs.size(), 2u);
    const FileDialogRequest& request = ui.fileDialogs.back();
    EXPECT_EQ(request.caption, "Please specify the target schematic file");
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.defaultExtension, "qsch");
    EXPECT_EQ(request.filter, "Schematic file(*.qsch)|*.qsch||");
    EXPECT_EQ(request.proposedName, "");
    EXPECT_EQ(module().schematicPath, path("saved.qsch"));
    EXPECT_EQ(module().pins[0].x, 480);
    EXPECT_FALSE(commands.modified());
    EXPECT_EQ(hooks.projectMarks, 1);
    EXPECT_TRUE(window.selection().empty());
    EXPECT_GE(hooks.menus, 1);
    EXPECT_GE(hooks.repaints, 1);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(SchematicFileCommandsTest, OpenFailureRestoresThePath) {
    module().schematicPath = "old.qsch";
    commands.setModified(true);
    dir.write("bad.qsch", "<corvane><size");
    for (const std::string& chosen : {path("missing.qsch"), path("bad.qsch")}) {
        ui.openFileAnswers.push_back(FileDialogResult{{chosen}});
        commands.onOpen();
        ASSERT_FALSE(ui.messageBoxes.empty()) << chosen;
        EXPECT_EQ(ui.messageBoxes.back().text, "File open error.");
        EXPECT_EQ(ui.messageBoxes.back().caption, "Corvane");
        EXPECT_EQ(module().schematicPath, "old.qsch");
        EXPECT_TRUE(commands.modified());
    }
    EXPECT_EQ(hooks.projectMarks, 0);
}

TEST_F(SchematicFileCommandsTest, SaveWritesOrAsksForAName) {
    commands.setModified(true);
    ui.saveFileAnswers.push_back(path("named.qsch"));
    commands.onSave();  // no path yet: behaves as Save As
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(exists(path("named.qsch")));
    EXPECT_EQ(module().schematicPath, path("named.qsch"));
    EXPECT_FALSE(commands.modified());

    std::filesystem::remove(path("named.qsch"));
    commands.setModified(true);
    commands.onSave();  // a path: written without a dialog
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(exists(path("named.qsch")));
    EXPECT_FALSE(commands.modified());
    EXPECT_EQ(hooks.projectMarks, 2);

    // A failed write is reported and the changes stay unsaved.
    module().schematicPath = path("no/folder/x.qsch");
    commands.setModified(true);
    commands.onSave();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error.");
    EXPECT_TRUE(commands.modified());
    EXPECT_EQ(hooks.projectMarks, 2);
}

TEST_F(SchematicFileCommandsTest, SaveAsDialogAndFailure) {
    module().schematicPath = "old.qsch";
    commands.setModified(true);
    commands.onSaveAs();  // cancelled
    EXPECT_EQ(module().schematicPath, "old.qsch");
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please input the name of schematic file");
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.defaultExtension, "qsch");
    EXPECT_EQ(request.filter, "Schematic file(*.qsch)|*.qsch||");
    EXPECT_EQ(request.proposedName, "top");
    EXPECT_TRUE(request.overwritePrompt);

    ui.saveFileAnswers.push_back(path("no/folder/x.qsch"));
    commands.onSaveAs();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error.");
    EXPECT_EQ(module().schematicPath, "old.qsch");
    EXPECT_TRUE(commands.modified());

    ui.saveFileAnswers.push_back(path("ok.qsch"));
    commands.onSaveAs();
    EXPECT_TRUE(exists(path("ok.qsch")));
    EXPECT_FALSE(commands.modified());
    EXPECT_GE(hooks.titles, 1);
    module().schematicPath = path("ok.qsch");
    EXPECT_EQ(schematicWindowTitle(module()), "Schematic - top(" + path("ok.qsch") + ")");
    EXPECT_EQ(hooks.projectMarks, 1);
}

TEST_F(SchematicFileCommandsTest, SaveAsWithoutTheModule) {
    modules.clear();
    commands.onSaveAs();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error. Internal error occurred.");
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(SchematicFileCommandsTest, CloseQuestion) {
    struct Case {
        const char* label;
        bool modified;
        bool hasPath;
        MessageResult answer;
        std::optional<std::string> dialogAnswer;
        bool closes;
        const char* written;  // file expected afterwards, or nullptr
    };
    const Case cases[] = {
        {"unmodified", false, true, MessageResult::kYes, {}, true, nullptr},
        {"cancel", true, true, MessageResult::kCancel, {}, false, nullptr},
        {"no", true, true, MessageResult::kNo, {}, true, nullptr},
        {"yes with path", true, true, MessageResult::kYes, {}, true, "kept.qsch"},
        {"yes, named", true, false, MessageResult::kYes, "named.qsch", true, "named.qsch"},
        {"yes, dialog cancelled", true, false, MessageResult::kYes, std::nullopt, true, nullptr},
        // A write that fails keeps the window open with its changes.
        {"yes, write fails", true, false, MessageResult::kYes, "no/folder/x.qsch", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::filesystem::remove(path("kept.qsch"));
        std::filesystem::remove(path("named.qsch"));
        ui.messageBoxes.clear();
        ui.fileDialogs.clear();
        ui.messageAnswers = {c.answer};
        ui.saveFileAnswers = {c.dialogAnswer ? std::optional(path(c.dialogAnswer->c_str()))
                                             : std::nullopt};
        module().schematicPath = c.hasPath ? path("kept.qsch") : "";
        commands.setModified(c.modified);

        EXPECT_EQ(commands.onClose(), c.closes);
        if (!c.modified) {
            EXPECT_TRUE(ui.messageBoxes.empty());
            continue;
        }
        const bool failed = c.answer == MessageResult::kYes && !c.closes;
        ASSERT_EQ(ui.messageBoxes.size(), failed ? 2u : 1u);
        if (failed) {
            EXPECT_EQ(ui.messageBoxes[1].text, "File save error.");
        }
        EXPECT_EQ(ui.messageBoxes[0].text,
                  "Do you save schematic?\r\n\r\n" + (c.hasPath ? path("kept.qsch") : ""));
        EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::kYesNoCancel);
        for (const std::string file : {"kept.qsch", "named.qsch"}) {
            EXPECT_EQ(exists(path(file.c_str())), c.written && file == c.written) << file;
        }
        const bool asked = c.answer == MessageResult::kYes && !c.hasPath;
        ASSERT_EQ(ui.fileDialogs.size(), asked ? 1u : 0u);
        if (asked) {
            EXPECT_EQ(ui.fileDialogs[0].caption, "Please input the name of Schematic file");
        }
    }
}

}  // namespace
}  // namespace corvane
