#include "console/menu_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "console/console_menu.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::TempDir;

constexpr const char* kDesign =
    "module sub(input clk, output [3:0] q); // counter\n"
    "reg [3:0] q;\n"
    "always @(posedge clk) q <= q + 1;\n"
    "endmodule\n"
    "module top(input clk, output [3:0] q);\n"
    "sub u0(.clk(clk), .q(q));\n"
    "endmodule\n";

// The real Verilog front end; each report writes one marker line.
DesignServices markerServices() {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
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
        log.appendLog("<net " + module + "." + net + ">\r\n");
    };
    return services;
}

class NoCommentDialogs final : public CommentStyleDialogs {
public:
    bool settingDialog(const std::function<void()>&, const std::function<void()>&) override {
        return false;
    }
    std::optional<LineStyle> lineStyleDialog(const LineStyle&) override { return std::nullopt; }
    std::optional<TextStyle> textBoxStyleDialog(const TextStyle&) override { return std::nullopt; }
};

class NoPrinters final : public PrinterOpener {
public:
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings&) override { return nullptr; }
};

// The desktop side, recorded.
class FakeFrontEnd final : public ConsoleFrontEnd {
public:
    void copyLogSelection() override { ++copies; }
    bool hierarchyVisible() const override { return hierarchyShown; }
    void setHierarchyVisible(bool visible) override { hierarchyShown = visible; }
    std::optional<PageMargins> documentSettingDialog(const PageMargins&) override {
        return marginAnswer;
    }
    void showVersion(const std::string& text) override { version = text; }
    CommentStyleDialogs& commentStyleDialogs() override { return dialogs; }
    PrinterOpener& printers() override { return noPrinters; }
    std::tm now() const override { return {}; }
    void quit() override { ++quits; }

    int copies = 0;
    int quits = 0;
    bool hierarchyShown = true;
    std::optional<PageMargins> marginAnswer;
    std::string version;
    NoCommentDialogs dialogs;
    NoPrinters noPrinters;
};

class MenuCommandsTest : public ::testing::Test {
protected:
    MenuCommandsTest()
        : controller(ui, progress, markerServices()),
          menu(controller, frontEnd, {{dir.path() + "/user.ini", ""}, {}, "1.2.3"}) {}

    void analyseDesign() {
        controller.setProjectName("p");
        ASSERT_TRUE(controller.analyseFile(dir.write("design.v", kDesign)));
        controller.log().clear();
        ui.calls.clear();
    }
    std::string log() { return std::string(controller.log().text()); }

    TempDir dir;
    ScriptedUiHost ui;
    NullProgressSink progress;
    FakeFrontEnd frontEnd;
    CMorvelDlg controller;
    MenuCommands menu;
};

// The menu texts and mnemonics are the console's; every command is reachable once.
TEST(ConsoleMenuTest, EveryCommandHasOneEntryWithItsText) {
    const std::vector<std::pair<MenuCommand, std::string>> expected = {
        {MenuCommand::kNewProject, "&New Project..."},
        {MenuCommand::kOpenProject, "&Open Project..."},
        {MenuCommand::kSaveProject, "Sa&ve Project"},
        {MenuCommand::kSaveProjectAs, "Save Project As..."},
        {MenuCommand::kCloseProject, "&Close Project"},
        {MenuCommand::kSaveIoTable, "Save I/O Table..."},
        {MenuCommand::kExportSite, "Export Documentation Site..."},
        {MenuCommand::kProjectSetting, "Project &Setting..."},
        {MenuCommand::kPrinterSetting, "&Printer..."},
        {MenuCommand::kMarginSetting, "&Margin..."},
        {MenuCommand::kPrintHierarchy, "&Hierachy..."},
        {MenuCommand::kPrintList, "&List..."},
        {MenuCommand::kExit, "E&xit"},
        {MenuCommand::kCopy, "&Copy"},
        {MenuCommand::kAddFile, "&File..."},
        {MenuCommand::kAddFolder, "Folde&r..."},
        {MenuCommand::kViewSchematic, "&Schematic..."},
        {MenuCommand::kViewSource, "&View Source..."},
        {MenuCommand::kViewNet, "&Net..."},
        {MenuCommand::kViewHierarchy, "&Hierarchy"},
        {MenuCommand::kReportNet, "&Net..."},
        {MenuCommand::kReportSummary, "&Summary..."},
        {MenuCommand::kReportConnection, "&Connection..."},
        {MenuCommand::kReportList, "&List"},
        {MenuCommand::kReportHierarchy, "&Hierarchy"},
        {MenuCommand::kHelp, "&Help..."},
        {MenuCommand::kVersion, "&Version..."},
    };
    for (const auto& [command, text] : expected) {
        const MenuEntry* entry = findMenuEntry(command);
        ASSERT_NE(entry, nullptr) << text;
        EXPECT_EQ(entry->text, text);
    }
    std::vector<std::string> menus;
    for (const MenuEntry& top : consoleMenuBar()) menus.push_back(top.text);
    EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "&Add", "&View", "&Text Report",
                                               "&Help"}));
    const MenuEntry& file = consoleMenuBar().front();
    std::set<std::string> submenus;
    for (const MenuEntry& entry : file.children) {
        if (!entry.children.empty()) submenus.insert(entry.text);
    }
    EXPECT_EQ(submenus, (std::set<std::string>{"P&rint Setting", "&Print"}));
}

TEST(ConsoleMenuTest, DesktopShortcutsAndTheHierarchyCheckMark) {
    const std::vector<std::pair<MenuCommand, std::string>> shortcuts = {
        {MenuCommand::kNewProject, "Ctrl+N"},
        {MenuCommand::kOpenProject, "Ctrl+O"},
        {MenuCommand::kSaveProject, "Ctrl+S"},
        {MenuCommand::kExit, "Ctrl+Q"},
        {MenuCommand::kHelp, "F1"},
        {MenuCommand::kCopy, "Ctrl+C"},
    };
    for (const auto& [command, shortcut] : shortcuts) {
        EXPECT_EQ(findMenuEntry(command)->shortcut, shortcut);
    }
    EXPECT_TRUE(findMenuEntry(MenuCommand::kViewHierarchy)->checkable);
    EXPECT_TRUE(menuItemChecked(MenuCommand::kViewHierarchy, {true}));
    EXPECT_FALSE(menuItemChecked(MenuCommand::kViewHierarchy, {false}));
    EXPECT_FALSE(menuItemChecked(MenuCommand::kReportHierarchy, {true}));
}

TEST_F(MenuCommandsTest, ViewHierarchyTogglesTheWindowAndTheCheckMark) {
    menu.run(MenuCommand::kViewHierarchy);
    EXPECT_FALSE(frontEnd.hierarchyShown);
    EXPECT_FALSE(menuItemChecked(MenuCommand::kViewHierarchy, menu.state()));
    menu.run(MenuCommand::kViewHierarchy);
    EXPECT_TRUE(frontEnd.hierarchyShown);
    EXPECT_TRUE(menuItemChecked(MenuCommand::kViewHierarchy, menu.state()));
}

TEST_F(MenuCommandsTest, ModuleDialogsSetTheTargetAndReachTheirAction) {
    analyseDesign();
    ui.moduleAnswers = {"sub", "top", "sub", "top"};
    menu.run(MenuCommand::kViewSchematic);
    EXPECT_EQ(controller.targetModule(), "sub");
    menu.run(MenuCommand::kViewSource);
    EXPECT_EQ(controller.targetModule(), "top");
    menu.run(MenuCommand::kReportSummary);
    menu.run(MenuCommand::kReportConnection);
    EXPECT_EQ(controller.targetModule(), "top");
    EXPECT_EQ(ui.callsNamed("selectModule").front(), "selectModule(sub,top)");
    ASSERT_EQ(ui.openedDocuments.size(), 2u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSchematic);
    EXPECT_EQ(ui.openedDocuments[0].module, "sub");
    EXPECT_EQ(ui.openedDocuments[1].kind, DocumentKind::kSourceViewer);
    EXPECT_EQ(ui.openedDocuments[1].path, dir.path() + "/design.v");
    EXPECT_EQ(ui.openedDocuments[1].line, 1);
    EXPECT_EQ(log(), "<summary sub>\r\n<connection top>\r\n");

    // A cancelled dialog changes nothing.
    menu.run(MenuCommand::kViewSchematic);
    EXPECT_EQ(controller.targetModule(), "top");
    EXPECT_EQ(ui.openedDocuments.size(), 2u);
}

TEST_F(MenuCommandsTest, NetDialogsNeedAModuleAndTheNetViewANet) {
    analyseDesign();
    ui.moduleAndNetAnswers = {std::pair<std::string, std::string>{"top", ""},
                              std::pair<std::string, std::string>{"sub", "q"},
                              std::pair<std::string, std::string>{"top", ""},
                              std::pair<std::string, std::string>{"sub", "clk"}};
    menu.run(MenuCommand::kViewNet);  // no net: nothing opens, the target is set
    EXPECT_TRUE(ui.openedDocuments.empty());
    EXPECT_EQ(controller.targetModule(), "top");
    menu.run(MenuCommand::kViewNet);
    ASSERT_EQ(ui.openedDocuments.size(), 1u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kNetView);
    EXPECT_EQ(ui.openedDocuments[0].net, "q");
    menu.run(MenuCommand::kReportNet);  // an empty net still gives the report
    menu.run(MenuCommand::kReportNet);
    EXPECT_EQ(log(), "<net top.>\r\n<net sub.clk>\r\n");
    ASSERT_FALSE(ui.callsNamed("selectModuleAndNet").empty());
    EXPECT_EQ(ui.callsNamed("selectModuleAndNet").front(), "selectModuleAndNet(sub,top)");
}

TEST_F(MenuCommandsTest, ReportsWithoutDialogs) {
    analyseDesign();
    menu.run(MenuCommand::kReportList);
    menu.run(MenuCommand::kReportHierarchy);
    EXPECT_EQ(log(), "<list>\r\n<hierarchy>\r\n");
    EXPECT_TRUE(ui.callsNamed("selectModule").empty());
}

TEST_F(MenuCommandsTest, SaveIoTableWritesTheChosenModulesInListOrder) {
    analyseDesign();
    const std::string csv = dir.path() + "/ports.csv";
    ui.modulesAnswers = {std::vector<std::string>{"top", "sub"}};
    ui.saveFileAnswers = {csv};
    menu.run(MenuCommand::kSaveIoTable);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please input the name of CSV file");
    EXPECT_EQ(request.okText, "&Save");
    EXPECT_EQ(request.filter, "CSV File(*.csv)|*.csv||");
    EXPECT_EQ(request.defaultExtension, "csv");
    EXPECT_EQ(request.proposedName, "sub");
    EXPECT_TRUE(request.overwritePrompt);
    const std::string table = testing::readAll(csv);
    EXPECT_TRUE(table.starts_with("module name,sub,,\r\n"));
    EXPECT_NE(table.find("module name,top,,\r\n"), std::string::npos);
    EXPECT_TRUE(ui.messageBoxes.empty());
}

TEST_F(MenuCommandsTest, SaveIoTableStopsOnCancelAndReportsAFileThatCannotBeCreated) {
    analyseDesign();
    ui.modulesAnswers = {std::nullopt, std::vector<std::string>{}, std::vector<std::string>{"top"}};
    menu.run(MenuCommand::kSaveIoTable);
    menu.run(MenuCommand::kSaveIoTable);
    EXPECT_TRUE(ui.fileDialogs.empty());
    ui.saveFileAnswers = {dir.path() + "/missing-folder/ports.csv"};
    menu.run(MenuCommand::kSaveIoTable);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text, "Corvane failed in opening of a designated file.");
}

TEST_F(MenuCommandsTest, ExportSiteWritesTheSiteIntoTheChosenFolder) {
    analyseDesign();
    const std::string site = dir.path() + "/site";
    ui.folderAnswers = {std::nullopt, site};
    menu.run(MenuCommand::kExportSite);  // cancelled: nothing written
    EXPECT_FALSE(std::filesystem::exists(site));
    menu.run(MenuCommand::kExportSite);
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_NE(testing::readAll(site + "/index.html").find("top"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(site + "/modules/top.html"));
    EXPECT_NE(log().find("- documentation site written to " + site + "\r\n"), std::string::npos);
}

TEST_F(MenuCommandsTest, ExportSiteOfAnEmptyDesignSaysWhyAndWritesNothing) {
    const std::string site = dir.path() + "/site";
    ui.folderAnswers = {site};
    menu.run(MenuCommand::kExportSite);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_NE(ui.messageBoxes[0].text.find("nothing to document"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(site + "/index.html"));
}

TEST_F(MenuCommandsTest, PrinterSettingStoresTheChoiceOrSaysThereIsNoPrinter) {
    menu.run(MenuCommand::kPrinterSetting);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Setting of an effective printer can't be acquired.");
    EXPECT_FALSE(controller.projectSettings().printer.valid);

    PrinterSettings defaults;
    defaults.printerName = "office";
    ui.defaultPrinterAnswer = defaults;
    PrinterSettings chosen = defaults;
    chosen.printerName = "lab";
    chosen.values[0] = 2;
    ui.printSetupAnswers = {chosen, std::nullopt};
    menu.run(MenuCommand::kPrinterSetting);
    const PrinterSettings& stored = controller.projectSettings().printer;
    EXPECT_TRUE(stored.valid);
    EXPECT_EQ(stored.printerName, "lab");
    EXPECT_EQ(stored.values[0], 2);
    // The next setup starts from the stored choice; Cancel keeps it.
    menu.run(MenuCommand::kPrinterSetting);
    EXPECT_EQ(ui.callsNamed("printSetupDialog").back(), "printSetupDialog(lab)");
    EXPECT_EQ(controller.projectSettings().printer.printerName, "lab");
}

TEST_F(MenuCommandsTest, MarginSettingKeepsTheMarginsOnCancel) {
    menu.run(MenuCommand::kMarginSetting);
    EXPECT_EQ(controller.projectSettings().margins.top, 10.0);
    PageMargins edited;
    edited.top = 5.5;
    edited.fit = 1;
    frontEnd.marginAnswer = edited;
    menu.run(MenuCommand::kMarginSetting);
    EXPECT_EQ(controller.projectSettings().margins.top, 5.5);
    EXPECT_EQ(controller.projectSettings().margins.fit, 1);
}

TEST_F(MenuCommandsTest, PrintingWithoutAPrinterSaysSo) {
    analyseDesign();
    menu.run(MenuCommand::kPrintHierarchy);
    menu.run(MenuCommand::kPrintList);
    ASSERT_EQ(ui.messageBoxes.size(), 2u);
    for (const MessageBoxRequest& box : ui.messageBoxes) {
        EXPECT_EQ(box.caption, "Corvane");
        EXPECT_EQ(box.text, "Setting of an effective printer can't be acquired.");
    }
}

TEST_F(MenuCommandsTest, HelpOpensTheFirstManualThatExists) {
    const std::string manual = dir.write("index.html", "<html></html>");
    struct Case {
        std::vector<std::string> candidates;
        bool desktopOpens;
        bool opened;
    };
    const std::vector<Case> cases = {
        {{dir.path() + "/none.html", manual}, true, true},
        {{dir.path() + "/none.html"}, true, false},
        {{}, true, false},
        {{manual}, false, false},
    };
    for (const Case& test : cases) {
        ScriptedUiHost host;
        host.desktopOpenSucceeds = test.desktopOpens;
        CMorvelDlg owner(host, progress, markerServices());
        MenuCommands commands(owner, frontEnd, {{}, test.candidates, "1"});
        commands.run(MenuCommand::kHelp);
        const auto opens = host.callsNamed("openWithDesktop");
        if (test.opened) {
            ASSERT_EQ(opens.size(), 1u);
            EXPECT_EQ(opens[0], "openWithDesktop(" + manual + ")");
            EXPECT_TRUE(host.messageBoxes.empty());
        } else {
            ASSERT_EQ(host.messageBoxes.size(), 1u);
            EXPECT_EQ(host.messageBoxes[0].text, "It isn't possible to open Help file.");
        }
    }
}

TEST_F(MenuCommandsTest, VersionCopyAndExit) {
    menu.run(MenuCommand::kVersion);
    EXPECT_EQ(frontEnd.version, "1.2.3.0");
    menu.run(MenuCommand::kCopy);
    EXPECT_EQ(frontEnd.copies, 1);

    // A modified project: Cancel on the save question keeps the program running.
    controller.setProjectName("p");
    controller.setProjectModified(true);
    ui.messageAnswers = {MessageResult::kCancel, MessageResult::kNo};
    menu.run(MenuCommand::kExit);
    EXPECT_EQ(frontEnd.quits, 0);
    EXPECT_EQ(controller.projectName(), "p");
    EXPECT_EQ(ui.messageBoxes.back().text, "Do you save project?");
    menu.run(MenuCommand::kExit);
    EXPECT_EQ(frontEnd.quits, 1);
    EXPECT_FALSE(testing::readAll(dir.path() + "/user.ini").empty());
}

TEST(FourPartVersionTest, PadsToFourParts) {
    EXPECT_EQ(fourPartVersion("0.1.0"), "0.1.0.0");
    EXPECT_EQ(fourPartVersion("2"), "2.0.0.0");
    EXPECT_EQ(fourPartVersion("1.2.3.4"), "1.2.3.4");
    EXPECT_EQ(fourPartVersion(""), "0.0.0.0");
}

}  // namespace
}  // namespace corvane
