#include "console/hierarchy_commands.h"

#include <gtest/gtest.h>

#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::TempDir;

constexpr const char* kDesign =
    "module alu(input a); endmodule\n"
    "module top(input a);\n"
    "alu u1(.a(a));\n"
    "ram u2(.a(a));\n"
    "alu u3(.a(a));\n"
    "endmodule\n";

class HierarchyCommandsTest : public ::testing::Test {
protected:
    HierarchyCommandsTest() : controller(ui, progress, verilogOnly()), commands(controller) {
        controller.setProjectName("p");
        path = dir.write("top.v", kDesign);
        controller.analyseFile(path);
        controller.setProjectModified(false);
        ui.calls.clear();
    }
    static DesignServices verilogOnly() {
        DesignServices services;
        services.frontEnds.verilog = parseVerilogModule;
        return services;
    }

    TempDir dir;
    std::string path;
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller;
    HierarchyCommands commands;
};

TEST(HierarchyPopupMenuTest, ItemAndEmptyTreeMenus) {
    const auto& item = hierarchyPopupMenu(true);
    ASSERT_EQ(item.size(), 3u);
    EXPECT_EQ(item[0].text, "Open &Schematic");
    EXPECT_EQ(item[1].text, "Op&en Source");
    EXPECT_EQ(item[2].text, "&Remove");
    EXPECT_TRUE(item[2].separatorBefore);
    const auto& empty = hierarchyPopupMenu(false);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].text, "&Add");
    EXPECT_EQ(empty[0].command, HierarchyCommand::kAdd);
}

TEST_F(HierarchyCommandsTest, TreeMarksMissingModulesAndListsEachInstance) {
    const auto tree = commands.tree();
    ASSERT_EQ(tree.size(), 1u);
    EXPECT_EQ(tree[0].text, "top () : top.v");
    EXPECT_TRUE(tree[0].expanded);
    ASSERT_EQ(tree[0].children.size(), 3u);
    EXPECT_EQ(tree[0].children[0].text, "alu (u1) : top.v");
    EXPECT_EQ(hierarchyIcon(tree[0].children[0]), kIconAnalysed);
    EXPECT_EQ(tree[0].children[1].text, "ram (u2) : ");
    EXPECT_EQ(hierarchyIcon(tree[0].children[1]), kIconNotAnalysed);
    EXPECT_EQ(tree[0].children[2].text, "alu (u3) : top.v");
}

TEST_F(HierarchyCommandsTest, OpenCommandsOnAnalysedAndMissingModules) {
    commands.run(HierarchyCommand::kOpenSource, "alu (u1) : top.v");
    commands.run(HierarchyCommand::kOpenSchematic, "top () : top.v");
    ASSERT_EQ(ui.openedDocuments.size(), 2u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSourceViewer);
    EXPECT_EQ(ui.openedDocuments[0].path, path);
    EXPECT_EQ(ui.openedDocuments[0].line, 1);
    EXPECT_EQ(ui.openedDocuments[1].kind, DocumentKind::kSchematic);
    EXPECT_EQ(ui.openedDocuments[1].module, "top");

    commands.run(HierarchyCommand::kOpenSource, "ram (u2) : ");
    commands.run(HierarchyCommand::kOpenSchematic, "ram (u2) : ");
    EXPECT_EQ(ui.openedDocuments.size(), 2u);
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const MessageBoxRequest& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "CORVANE has not analyze this module.");
        EXPECT_EQ(box.text, "ram");
        EXPECT_EQ(box.icon, MessageIcon::kExclamation);
    }
}

TEST_F(HierarchyCommandsTest, RemoveClosesTheModulesWindowsAndLeavesItsInstancesMissing) {
    controller.setTargetModule("alu");
    commands.run(HierarchyCommand::kRemove, "alu (u1) : top.v");
    EXPECT_EQ(controller.modules().size(), 1u);
    EXPECT_TRUE(controller.projectModified());
    EXPECT_EQ(controller.targetModule(), "alu");
    EXPECT_EQ(ui.callsNamed("closeDocumentWindow"),
              (std::vector<std::string>{"closeDocumentWindow(net|alu)",
                                        "closeDocumentWindow(source|" + path + ")",
                                        "closeDocumentWindow(schematic|alu)"}));
    EXPECT_EQ(ui.consoleTitle, "[p] 1 module(s) - Corvane");
    EXPECT_FALSE(ui.callsNamed("refreshHierarchyTree").empty());
    const auto tree = commands.tree();
    ASSERT_EQ(tree.size(), 1u);
    for (const HierarchyItem& child : tree[0].children) {
        EXPECT_EQ(hierarchyIcon(child), kIconNotAnalysed) << child.text;
    }
    // Removing a module that is gone does nothing.
    ui.calls.clear();
    commands.remove("alu");
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(HierarchyCommandsTest, AddIsAddFile) {
    commands.run(HierarchyCommand::kAdd, "");
    EXPECT_EQ(ui.callsNamed("openFileDialog"),
              (std::vector<std::string>{
                  "openFileDialog(Please specify the target Verilog/VHDL file(s))"}));
}

}  // namespace
}  // namespace corvane
