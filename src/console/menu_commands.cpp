#include "console/menu_commands.h"

#include <algorithm>
#include <map>

#include "console/folder_walk.h"
#include "console/program_lifetime.h"
#include "console/project_commands.h"
#include "platform/text_metrics.h"
#include "reports/io_table.h"
#include "site/documentation_site.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kNoPrinter = "Setting of an effective printer can't be acquired.";
constexpr const char* kCsvNotOpened = "Corvane failed in opening of a designated file.";
constexpr const char* kNoHelp = "It isn't possible to open Help file.";

void showMessage(UiHost& ui, const std::string& text) {
    ui.messageBox({kCaption, text, MessageIcon::kExclamation, MessageButtons::kOk});
}

std::map<std::string, std::vector<std::string>> netsByModule(const ModuleList& modules) {
    std::map<std::string, std::vector<std::string>> result;
    for (const Module& module : modules) {
        std::vector<std::string>& nets = result[module.name];
        nets.reserve(module.nets.size());
        for (const auto& [name, net] : module.nets) nets.push_back(name);
    }
    return result;
}

}  // namespace

std::string fourPartVersion(const std::string& version) {
    std::string result = version.empty() ? "0" : version;
    int parts = 1 + static_cast<int>(std::count(result.begin(), result.end(), '.'));
    for (; parts < 4; ++parts) result += ".0";
    return result;
}

std::string findHelpFile(const std::vector<std::string>& candidates) {
    for (const std::string& path : candidates) {
        if (!path.empty() && isReadableFile(path)) return path;
    }
    return {};
}

std::vector<std::string> moduleNames(const ModuleList& modules) {
    std::vector<std::string> names;
    names.reserve(modules.size());
    for (const Module& module : modules) names.push_back(module.name);
    return names;
}

void openSchematicWindow(CMorvelDlg& controller, const std::string& module) {
    DocumentRequest request;
    request.kind = DocumentKind::kSchematic;
    request.module = module;
    controller.ui().openDocumentWindow(request);
}

MenuCommands::MenuCommands(CMorvelDlg& controller, ConsoleFrontEnd& frontEnd,
                           MenuCommandPaths paths)
    : controller_(controller), frontEnd_(frontEnd), paths_(std::move(paths)) {}

void MenuCommands::run(MenuCommand command) {
    ProjectCommands project(controller_);
    switch (command) {
        case MenuCommand::kNewProject:
            project.newProject();
            break;
        case MenuCommand::kOpenProject:
            project.openProject();
            break;
        case MenuCommand::kSaveProject:
            project.saveProject();
            break;
        case MenuCommand::kSaveProjectAs:
            project.saveProjectAs();
            break;
        case MenuCommand::kCloseProject:
            project.closeProject();
            break;
        case MenuCommand::kSaveIoTable:
            saveIoTable();
            break;
        case MenuCommand::kExportSite:
            exportSite();
            break;
        case MenuCommand::kProjectSetting:
            project.projectSetting(frontEnd_.commentStyleDialogs());
            break;
        case MenuCommand::kPrinterSetting:
            printerSetting();
            break;
        case MenuCommand::kMarginSetting:
            marginSetting();
            break;
        case MenuCommand::kPrintHierarchy:
            printHierarchy();
            break;
        case MenuCommand::kPrintList:
            printList();
            break;
        case MenuCommand::kExit:
            if (leave()) frontEnd_.quit();
            break;
        case MenuCommand::kCopy:
            frontEnd_.copyLogSelection();
            break;
        case MenuCommand::kAddFile:
            controller_.addFiles();
            break;
        case MenuCommand::kAddFolder:
            controller_.addFolder();
            break;
        case MenuCommand::kViewSchematic:
            viewSchematic();
            break;
        case MenuCommand::kViewSource:
            viewSource();
            break;
        case MenuCommand::kViewNet:
            viewNet();
            break;
        case MenuCommand::kViewHierarchy:
            toggleHierarchy();
            break;
        case MenuCommand::kReportNet:
            reportNet();
            break;
        case MenuCommand::kReportSummary:
            reportSummary();
            break;
        case MenuCommand::kReportConnection:
            reportConnection();
            break;
        case MenuCommand::kReportList:
            controller_.writeModuleList();
            break;
        case MenuCommand::kReportHierarchy:
            controller_.writeHierarchy();
            break;
        case MenuCommand::kHelp:
            help();
            break;
        case MenuCommand::kVersion:
            frontEnd_.showVersion(fourPartVersion(paths_.version));
            break;
    }
}

bool MenuCommands::leave() {
    return leaveProgram(controller_, paths_.settings);
}

// ---- File ----

void MenuCommands::saveIoTable() {
    UiHost& ui = controller_.ui();
    auto chosen = ui.selectModules(moduleNames(controller_.modules()));
    if (!chosen || chosen->empty()) return;
    // The dialog lists the names alphabetically and the table follows that order.
    std::sort(chosen->begin(), chosen->end());
    FileDialogRequest request;
    request.caption = "Please input the name of CSV file";
    request.okText = "&Save";
    request.filter = "CSV File(*.csv)|*.csv||";
    request.defaultExtension = "csv";
    request.proposedName = chosen->front();
    request.overwritePrompt = true;
    const auto path = ui.saveFileDialog(request);
    if (!path || path->empty()) return;
    if (!writeIoTable(controller_.modules(), *chosen, *path)) showMessage(ui, kCsvNotOpened);
}

void MenuCommands::exportSite() {
    UiHost& ui = controller_.ui();
    const auto folder = ui.browseFolder("Please choose the folder of the documentation site", "");
    if (!folder || folder->empty()) return;
    const Settings& settings = controller_.settings();
    std::vector<std::string> notes;
    const SiteRequest request{.modules = controller_.modules(),
                              .projectName = controller_.projectName(),
                              .verilogKeywords = settings.verilogWords,
                              .vhdlKeywords = settings.vhdlWords,
                              .outputFolder = *folder,
                              .notes = &notes};
    std::string error;
    ui.setWaitCursor(true);
    const bool written = writeDocumentationSite(request, controller_.progress(), error);
    ui.setWaitCursor(false);
    MessageLog& log = controller_.log();
    for (const std::string& note : notes) log.appendLog("- note: " + note + "\r\n");
    if (!written) {
        showMessage(ui, "Corvane cannot write the documentation site.\n" + error);
        return;
    }
    log.appendLog("- documentation site written to " + *folder + "\r\n");
    ui.scrollLogToEnd();
}

void MenuCommands::printerSetting() {
    UiHost& ui = controller_.ui();
    const auto defaultPrinter = ui.defaultPrinter();
    if (!defaultPrinter) {
        showMessage(ui, kNoPrinter);
        return;
    }
    PrinterSettings& stored = controller_.projectSettings().printer;
    const auto chosen = ui.printSetupDialog(stored.valid ? stored : *defaultPrinter);
    if (!chosen) return;
    stored = *chosen;
    stored.valid = true;
}

void MenuCommands::marginSetting() {
    PageMargins& margins = controller_.projectSettings().margins;
    if (const auto edited = frontEnd_.documentSettingDialog(margins)) margins = *edited;
}

TextPrintJob MenuCommands::printJob() {
    ProjectSettings& settings = controller_.projectSettings();
    return TextPrintJob{controller_.ui(),     settings.printer, settings.margins,
                        frontEnd_.printers(), frontEnd_.now(),  fontRuleFace()};
}

void MenuCommands::printHierarchy() {
    TextPrintJob job = printJob();
    corvane::printHierarchy(job, controller_.modules(), controller_.projectName());
}

void MenuCommands::printList() {
    TextPrintJob job = printJob();
    printModuleList(job, controller_.modules(), controller_.projectName());
}

// ---- View and Text Report ----

// The module selection dialog; the chosen module becomes the current target module.
std::optional<std::string> MenuCommands::chooseTarget() {
    auto chosen = controller_.ui().selectModule(moduleNames(controller_.modules()));
    if (!chosen || chosen->empty()) return std::nullopt;
    controller_.setTargetModule(*chosen);
    return chosen;
}

// The module and net selection dialog; a chosen module becomes the current target module.
std::optional<std::pair<std::string, std::string>> MenuCommands::chooseTargetAndNet() {
    auto chosen = controller_.ui().selectModuleAndNet(netsByModule(controller_.modules()));
    if (!chosen || chosen->first.empty()) return std::nullopt;
    controller_.setTargetModule(chosen->first);
    return chosen;
}

void MenuCommands::viewSchematic() {
    if (const auto module = chooseTarget()) openSchematicWindow(controller_, *module);
}

void MenuCommands::viewSource() {
    const auto module = chooseTarget();
    if (!module) return;
    if (const Module* found = controller_.findModuleExact(*module)) {
        controller_.openSourceViewer(found->filePath, 1);
    }
}

void MenuCommands::viewNet() {
    const auto chosen = chooseTargetAndNet();
    if (!chosen || chosen->second.empty()) return;
    DocumentRequest request;
    request.kind = DocumentKind::kNetView;
    request.module = chosen->first;
    request.net = chosen->second;
    controller_.ui().openDocumentWindow(request);
}

void MenuCommands::toggleHierarchy() {
    frontEnd_.setHierarchyVisible(!frontEnd_.hierarchyVisible());
}

void MenuCommands::reportNet() {
    if (const auto chosen = chooseTargetAndNet())
        controller_.writeNet(chosen->first, chosen->second);
}

void MenuCommands::reportSummary() {
    const auto module = chooseTarget();
    if (!module) return;
    if (const Module* found = controller_.findModuleExact(*module))
        controller_.writeSummary(*found);
}

void MenuCommands::reportConnection() {
    if (const auto module = chooseTarget()) controller_.writeConnection(*module);
}

// ---- Help ----

void MenuCommands::help() {
    const std::string path = findHelpFile(paths_.helpFiles);
    if (path.empty() || !controller_.ui().openWithDesktop(path)) {
        showMessage(controller_.ui(), kNoHelp);
    }
}

}  // namespace corvane
