#include "console/controller.h"

#include <utility>

#include "console/command_interpreter.h"
#include "console/folder_walk.h"
#include "elaboration/connection_checks.h"
#include "reports/connection_report.h"
#include "reports/hierarchy_report.h"
#include "reports/summary_report.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {

namespace {

constexpr const char* kNoProjectCaption = "CORVANE cannot add source file.";
constexpr const char* kNoProjectText = "Please make a project.";

void showExclamation(UiHost& ui, const std::string& caption, const std::string& text) {
    ui.messageBox({caption, text, MessageIcon::kExclamation, MessageButtons::kOk});
}

// The dialog's path name: the single file, or the folder of several files.
std::string dialogPathName(const std::vector<std::string>& paths) {
    if (paths.size() == 1) return paths.front();
    std::string folder = folderOfPath(paths.front());
    if (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
    return folder;
}

}  // namespace

DesignServices standardDesignServices() {
    DesignServices services;
    services.frontEnds.verilog = parseVerilogModule;
    services.frontEnds.vhdl = parseVhdlModule;
    services.resolveChildPorts = resolveChildPortDirections;
    services.writeSummary = writeSummaryReport;
    services.writeModuleList = [](ModuleList& modules, const std::string& rootPath,
                                  MessageLog& log) {
        writeModuleListReport(modules, rootPath, log);
    };
    services.writeHierarchy = [](const ModuleList& modules, std::string& rootPath,
                                 MessageLog& log) { writeHierarchyReport(modules, rootPath, log); };
    services.writeConnection = writeConnectionReport;
    services.writeNet = writeNetReport;
    return services;
}

bool isValidProjectName(std::string_view name) {
    if (name.empty()) return false;
    for (const char c : name) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                             (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '_';
        if (!allowed) return false;
    }
    return true;
}

CMorvelDlg::CMorvelDlg(UiHost& ui, ProgressSink& progress, DesignServices services)
    : ui_(ui),
      progress_(progress),
      services_(std::move(services)),
      driver_(modules_, log_, progress, services_.frontEnds, *this) {
    updatePrompt();
}

void CMorvelDlg::setProjectName(const std::string& name) {
    projectName_ = name;
    refreshTitle();
}

// ---- console ----

void CMorvelDlg::enterCommandLine(const std::string& text) {
    appendTranscript(text);
    appendTranscript("\r\n");
    executeCommandLine(text);
    pushHistory(text);
    ui_.setCommandText("");
    updatePrompt();
    ui_.scrollLogToEnd();
}

void CMorvelDlg::executeCommandLine(const std::string& line) {
    corvane::executeCommandLine(*this, line);
}

void CMorvelDlg::pushHistory(const std::string& text) {
    history_.push(text);
}

void CMorvelDlg::updatePrompt() {
    appendTranscript(targetModule_ + ">");
}

void CMorvelDlg::historyUp() {
    showHistoryEntry(history_.up());
}

void CMorvelDlg::historyDown() {
    showHistoryEntry(history_.down());
}

void CMorvelDlg::showHistoryEntry(const std::optional<std::string>& entry) {
    if (entry) ui_.setCommandText(*entry);
}

// Appends to the transcript, dropping whole lines from its front beyond the capacity.
void CMorvelDlg::appendTranscript(std::string_view text) {
    transcript_.append(text);
    if (transcript_.size() <= kTranscriptCapacity) return;
    const std::size_t excess = transcript_.size() - kTranscriptCapacity;
    std::size_t cut = transcript_.find('\n', excess > 0 ? excess - 1 : 0);
    cut = cut == std::string::npos ? excess : cut + 1;
    transcript_.erase(0, cut);
}

// ---- menu and drop entry points ----

bool CMorvelDlg::requireProject() {
    if (!projectName_.empty()) return true;
    showExclamation(ui_, kNoProjectCaption, kNoProjectText);
    return false;
}

void CMorvelDlg::addFiles() {
    if (!requireProject()) return;
    FileDialogRequest request;
    request.caption = "Please specify the target Verilog/VHDL file(s)";
    request.okText = "&Analyze";
    request.filter = "All files(*.*)|*.*||";
    request.multiSelect = true;
    request.mustExist = true;
    const FileDialogResult chosen = ui_.openFileDialog(request);
    if (!chosen.accepted()) return;
    const std::string line = "analyze " + dialogPathName(chosen.paths);
    pushHistory(line);
    log_.appendLog(line + "\r\n");
    for (const std::string& path : chosen.paths) {
        analyseFile(path);
        runChildPortPass();
        if (!modules_.empty()) targetModule_ = modules_.back().name;
    }
    refreshTitle();
    refreshHierarchyTree();
    refreshDocumentWindows();
    updatePrompt();
    ui_.scrollLogToEnd();
}

void CMorvelDlg::addFolder() {
    if (!requireProject()) return;
    std::string initialFolder;
    if (!targetModule_.empty()) {
        if (const Module* target = findModuleExact(targetModule_)) {
            initialFolder = folderOfPath(target->filePath);
        }
    }
    const auto folder = ui_.browseFolder("Please select folder to analyze.", initialFolder);
    if (folder && !folder->empty()) analyseFolder(*folder);
}

void CMorvelDlg::dropFiles(const std::vector<std::string>& items) {
    if (projectName_.empty() && !askForProjectName()) return;
    if (items.empty()) return;
    log_.appendLog("\r\n");
    if (isExistingFile(items.front())) {
        ui_.setWaitCursor(true);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!analyseFile(items[i])) continue;
            writeSummary(modules_.back());
            if (i > 0) targetModule_ = modules_.back().name;
        }
        ui_.setWaitCursor(false);
    } else {
        analyseFolder(items.front());
    }
    runChildPortPass();
    refreshTitle();
    refreshHierarchyTree();
}

bool CMorvelDlg::askForProjectName() {
    for (;;) {
        const auto name = ui_.newProjectDialog();
        if (!name) return false;
        if (name->empty()) {
            showExclamation(ui_, "Corvane", "Please input project name.");
        } else if (!isValidProjectName(*name)) {
            showExclamation(ui_, "Corvane",
                            "The invalid character is included in the name of the input project.");
        } else {
            setProjectName(*name);
            return true;
        }
    }
}

// ---- shared operations ----

void CMorvelDlg::openSourceViewer(const std::string& path, int line) {
    if (!isReadableFile(path)) {
        showExclamation(ui_, "CORVANE cannot open this file.", path);
        return;
    }
    DocumentRequest request;
    request.kind = DocumentKind::kSourceViewer;
    request.path = path;
    request.line = line < 1 ? 1 : line;
    ui_.openDocumentWindow(request);
}

void CMorvelDlg::runChildPortPass() {
    if (services_.resolveChildPorts) services_.resolveChildPorts(modules_);
}

std::string CMorvelDlg::consoleTitle() const {
    return "[" + projectName_ + "] " + std::to_string(modules_.size()) + " module(s) - Corvane";
}

void CMorvelDlg::refreshTitle() {
    ui_.setConsoleTitle(consoleTitle());
}

void CMorvelDlg::refreshHierarchyTree() {
    rootPathStale_ = true;
    ui_.refreshHierarchyTree();
}

std::string& CMorvelDlg::rootPath() {
    // The list is the same as at the last refresh (every change of the list
    // is followed by one), so computing now gives what the refresh would have.
    if (rootPathStale_) {
        if (!modules_.empty()) rootPath_ = computeRootPath(modules_);
        rootPathStale_ = false;
    }
    return rootPath_;
}

void CMorvelDlg::refreshDocumentWindows() {
    ui_.regenerateSchematicWindows();
    ui_.rebuildNetWindows();
}

void CMorvelDlg::clearAllModules() {
    modules_.clear();
    targetModule_.clear();
    ui_.closeAllDocumentWindows(DocumentKind::kSourceViewer);
    ui_.closeAllDocumentWindows(DocumentKind::kSchematic);
    ui_.closeAllDocumentWindows(DocumentKind::kNetView);
    refreshTitle();
    refreshHierarchyTree();
    projectModified_ = false;
}

bool CMorvelDlg::removeModule(const std::string& name) {
    for (auto it = modules_.begin(); it != modules_.end(); ++it) {
        if (it->name != name) continue;
        ui_.closeDocumentWindow(DocumentKind::kSourceViewer, it->filePath);
        ui_.closeDocumentWindow(DocumentKind::kSchematic, it->name);
        modules_.remove(it);
        projectModified_ = true;
        return true;
    }
    return false;
}

const Module* CMorvelDlg::findModuleExact(const std::string& name) const {
    for (const Module& module : modules_) {
        if (module.name == name) return &module;
    }
    return nullptr;
}

void CMorvelDlg::writeSummary(const Module& module) {
    if (services_.writeSummary) services_.writeSummary(modules_, module, log_);
}

void CMorvelDlg::writeModuleList() {
    if (services_.writeModuleList) services_.writeModuleList(modules_, rootPath(), log_);
}

void CMorvelDlg::writeHierarchy() {
    if (services_.writeHierarchy) services_.writeHierarchy(modules_, rootPath(), log_);
}

void CMorvelDlg::writeConnection(const std::string& moduleName) {
    if (services_.writeConnection) services_.writeConnection(modules_, moduleName, log_);
}

void CMorvelDlg::writeNet(const std::string& moduleName, const std::string& netName) {
    if (services_.writeNet) services_.writeNet(modules_, moduleName, netName, log_);
}

// ---- what the analysis driver reports ----

void CMorvelDlg::moduleListChanged() {
    refreshTitle();
    refreshHierarchyTree();
    projectModified_ = true;
}

void CMorvelDlg::folderAnalysed() {
    runChildPortPass();
    refreshTitle();
    refreshHierarchyTree();
    refreshDocumentWindows();
}

}  // namespace corvane
