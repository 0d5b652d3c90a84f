#include "console/command_interpreter.h"

#include <gtest/gtest.h>

#include "console/controller.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::TempDir;

constexpr const char* kDesign =
    "module sub(input clk, output [3:0] q);\n"
    "reg [3:0] q;\n"
    "always @(posedge clk) q <= q + 1;\n"
    "endmodule\n"
    "module top(input clk, output [3:0] q);\n"
    "sub u0(.clk(clk), .q(q));\n"
    "endmodule\n";

// The real Verilog front end with reports that write one marker line each,
// so the tests see which report ran for which module.
DesignServices markerServices(int& childPasses) {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
    services.resolveChildPorts = [&childPasses](ModuleList&) { ++childPasses; };
    services.writeSummary = [](const ModuleList&, const Module& module, MessageLog& log) {
        log.appendLog("<summary " + module.name + ">\r\n");
    };
    services.writeModuleList = [](ModuleList&, const std::string&, MessageLog& log) {
        log.appendLog("<list>\r\n");
    };
    services.writeHierarchy = [](const ModuleList&, std::string&, MessageLog& log) {
        log.appendLog("<hierarchy>\r\n");
    };
    services.writeConnection = [](const ModuleList&, const std::string& module, MessageLog& log) {
        log.appendLog("<connection " + module + ">\r\n");
    };
    services.writeNet = [](const ModuleList&, const std::string& module, const std::string& net,
                           MessageLog& log) {
        log.appendLog("<net " + module + " " + net + ">\r\n");
    };
    return services;
}

class CommandInterpreterTest : public ::testing::Test {
protected:
    CommandInterpreterTest() : controller(ui, progress, markerServices(childPasses)) {
        design = dir.write("design.v", kDesign);
    }

    // Runs `line` and returns what it wrote to the log.
    std::string run(const std::string& line) {
        const std::size_t before = controller.log().size();
        controller.executeCommandLine(line);
        return std::string(controller.log().text().substr(before));
    }
    void analyseDesign() {
        ASSERT_EQ(run("analyze," + design), "<summary top>\r\n");
        ui.calls.clear();
    }

    TempDir dir;
    std::string design;
    ScriptedUiHost ui;
    NullProgressSink progress;
    int childPasses = 0;
    CMorvelDlg controller;
};

TEST(CommandLineSyntaxTest, SplitsAtCommasDroppingEmptyFields) {
    using Fields = std::vector<std::string>;
    struct Case {
        const char* line;
        Fields fields;
    };
    const Case cases[] = {
        {"list", {"list"}},
        {" \tlist \t", {"list"}},
        {",,list", {"list"}},
        {"list ,x", {"list ", "x"}},
        {"analyze, top.v", {"analyze", " top.v"}},
        {"a,,b,", {"a", "b"}},
        {"a, ,b", {"a", " ", "b"}},
        {"edit,\"a,b.v\"", {"edit", "\"a", "b.v\""}},
        {",,,", {}},
        {"", {}},
        {" \t ", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.fields) << c.line;
    }
}

TEST_F(CommandInterpreterTest, MessagesWithoutModulesOrTarget) {
    const std::string e = "#ERROR :  :  : ";
    struct Case {
        std::string line;
        std::string written;
    };
    const Case cases[] = {
        {"rev", "Revision 8\r\n"},
        {"rev,ignored,fields", "Revision 8\r\n"},
        {"analyze", e + "its command is too short. analyze,[path_of_filename]\r\n"},
        {"edit", e + "its command is too short. edit,[path_of_filename] <,pointing line>\r\n"},
        {"target", e + "its command is too short. target,[modulename]\r\n"},
        {"target,,", e + "its command is too short. target,[modulename]\r\n"},
        {"analyzefolder", e + "its command is too short. analyzefolder,[path_of_folder]\r\n"},
        {"analyzedir", e + "its command is too short. analyzefolder,[path_of_folder]\r\n"},
        {"target,top", e + "Module \"top\" is unknown.\r\n"},
        {"analyze,missing.v", e + "missing.v : Corvane cannot analyze this file.(0)\r\n"},
        {"analyze," + dir.path(), e + dir.path() + " : Corvane cannot analyze this file.(0)\r\n"},
        {"analyzedir,/no/such/folder",
         "\r\nFolder \"/no/such/folder\" is invalid name. CORVANE cannot open this "
         "folder.\r\n\r\n"},
        {"summary", ""},
        {"connection", ""},
        {"net", ""},
        {"net,clk", ""},
        {"clear", ""},
        {"list", "<list>\r\n"},
        {"  list\t", "<list>\r\n"},
        {",,list", "<list>\r\n"},
        {"hierarchy", "<hierarchy>\r\n"},
        {"list ,x", "Command not found.\r\n"},
        {"List", "Command not found.\r\n"},
        {"clearAll", "Command not found.\r\n"},
        {"analyse,a.v", "Command not found.\r\n"},
        {",,,", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.line), c.written) << c.line;
    }
    EXPECT_TRUE(controller.modules().empty());
    EXPECT_EQ(controller.targetModule(), "");
    EXPECT_EQ(childPasses, 0);
}

TEST_F(CommandInterpreterTest, AnalyzeMakesTheNewestModuleTheTarget) {
    EXPECT_EQ(run("analyze," + design), "<summary top>\r\n");
    EXPECT_EQ(controller.targetModule(), "top");
    EXPECT_EQ(controller.modules().size(), 2u);
    EXPECT_EQ(childPasses, 1);
    EXPECT_EQ(ui.consoleTitle, "[] 2 module(s) - Corvane");
    EXPECT_EQ(ui.callsNamed("regenerateSchematicWindows").size(), 1u);
    EXPECT_EQ(ui.callsNamed("rebuildNetWindows").size(), 1u);
    EXPECT_TRUE(controller.projectModified());
}

TEST_F(CommandInterpreterTest, ArgumentsAreUsedExactlyAsSplit) {
    const std::string e = "#ERROR :  :  : ";
    EXPECT_EQ(run("analyze, " + design),
              e + " " + design + " : Corvane cannot analyze this file.(0)\r\n");
    EXPECT_TRUE(controller.modules().empty());
}

TEST_F(CommandInterpreterTest, TargetComparesNamesExactlyAndKeepsThePreviousOne) {
    analyseDesign();
    EXPECT_EQ(run("target,sub"), "");
    EXPECT_EQ(controller.targetModule(), "sub");
    EXPECT_EQ(run("target,Top"), "#ERROR :  :  : Module \"Top\" is unknown.\r\n");
    EXPECT_EQ(run("target, top"), "#ERROR :  :  : Module \" top\" is unknown.\r\n");
    EXPECT_EQ(controller.targetModule(), "sub");
}

TEST_F(CommandInterpreterTest, ReportsActOnTheTargetModule) {
    analyseDesign();
    run("target,sub");
    EXPECT_EQ(run("summary"), "<summary sub>\r\n");
    EXPECT_EQ(run("connection"), "<connection sub>\r\n");
    EXPECT_EQ(run("net"), "#ERROR :  :  : its command is too short. net,[Netname]\r\n");
    EXPECT_EQ(run("net,clk,extra"), "<net sub clk>\r\n");
}

TEST_F(CommandInterpreterTest, NetReportOfAnAnalysedTargetShowsAFreshPrompt) {
    analyseDesign();
    const std::size_t before = controller.transcript().size();
    run("net,clk");
    EXPECT_EQ(controller.transcript().substr(before), "top>");
    controller.setTargetModule("ghost");
    EXPECT_EQ(run("net,clk"), "<net ghost clk>\r\n");
    EXPECT_EQ(run("summary"), "");
    EXPECT_EQ(controller.transcript().size(), before + 4);
}

TEST_F(CommandInterpreterTest, EditPointsAtTheGivenLineAtLeastOne) {
    struct Case {
        std::string suffix;
        int line;
    };
    const Case cases[] = {
        {"", 1}, {",0", 1}, {",abc", 1}, {",-3", 1}, {",7", 7}, {",12x,9", 12}, {", 5", 5},
    };
    for (const Case& c : cases) {
        ui.openedDocuments.clear();
        EXPECT_EQ(run("edit," + design + c.suffix), "") << c.suffix;
        ASSERT_EQ(ui.openedDocuments.size(), 1u) << c.suffix;
        EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSourceViewer);
        EXPECT_EQ(ui.openedDocuments[0].path, design);
        EXPECT_EQ(ui.openedDocuments[0].line, c.line) << c.suffix;
    }
}

TEST_F(CommandInterpreterTest, EditOfAFileThatCannotBeReadShowsAMessageBox) {
    const std::string missing = dir.path() + "/missing.v";
    EXPECT_EQ(run("edit," + missing + ",3"), "");
    EXPECT_TRUE(ui.openedDocuments.empty());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "CORVANE cannot open this file.");
    EXPECT_EQ(ui.messageBoxes[0].text, missing);
    EXPECT_EQ(ui.messageBoxes[0].icon, MessageIcon::kExclamation);
}

TEST_F(CommandInterpreterTest, ClearRemovesTheTargetAndClosesItsWindows) {
    analyseDesign();
    EXPECT_EQ(run("clear"), "");
    EXPECT_EQ(controller.targetModule(), "");
    ASSERT_EQ(controller.modules().size(), 1u);
    EXPECT_EQ(controller.modules().begin()->name, "sub");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{
                            "closeDocumentWindow(source|" + design + ")",
                            "closeDocumentWindow(schematic|top)",
                            "setConsoleTitle([] 1 module(s) - Corvane)",
                            "refreshHierarchyTree()",
                        }));
}

TEST_F(CommandInterpreterTest, ClearOfAnUnknownTargetKeepsItAndRefreshes) {
    analyseDesign();
    controller.setTargetModule("ghost");
    controller.setProjectModified(false);
    run("clear");
    EXPECT_EQ(controller.targetModule(), "ghost");
    EXPECT_EQ(controller.modules().size(), 2u);
    EXPECT_FALSE(controller.projectModified());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"setConsoleTitle([] 2 module(s) - Corvane)",
                                                  "refreshHierarchyTree()"}));
}

TEST_F(CommandInterpreterTest, ClearAllRemovesEverythingAndClosesTheDocumentWindows) {
    analyseDesign();
    EXPECT_EQ(run("clearall"), "");
    EXPECT_TRUE(controller.modules().empty());
    EXPECT_EQ(controller.targetModule(), "");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{
                            "closeAllDocumentWindows(source)",
                            "closeAllDocumentWindows(schematic)",
                            "closeAllDocumentWindows(net)",
                            "setConsoleTitle([] 0 module(s) - Corvane)",
                            "refreshHierarchyTree()",
                        }));
}

TEST_F(CommandInterpreterTest, AnalyzeFolderAnalysesTheSourcesUnderIt) {
    dir.write("notes.txt", "module ignored; endmodule\n");
    EXPECT_EQ(run("analyzefolder," + dir.path()), "\r\n\r\n- analyze " + design + "\r\n\r\n");
    EXPECT_EQ(controller.modules().size(), 2u);
    EXPECT_EQ(controller.targetModule(), "");
    EXPECT_EQ(childPasses, 1);
    EXPECT_EQ(ui.callsNamed("regenerateSchematicWindows").size(), 1u);
}

}  // namespace
}  // namespace corvane
