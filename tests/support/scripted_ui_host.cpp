#include "support/scripted_ui_host.h"

#include "platform/silent_ui_host.h"

namespace corvane {

namespace {

// Takes the front answer of `queue`, or `fallback` when it is empty.
template <typename T>
T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    std::swap(fallback, queue.front());
    queue.pop_front();
    return fallback;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) text += ",";
        text += item;
    }
    return text;
}

}  // namespace

const char* documentKindName(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::kSourceViewer:
            return "source";
        case DocumentKind::kSchematic:
            return "schematic";
        case DocumentKind::kNetView:
            return "net";
        case DocumentKind::kStateDiagram:
            return "statediagram";
    }
    return "unknown";
}

std::vector<std::string> ScriptedUiHost::callsNamed(const std::string& name) const {
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.compare(0, call.find('('), name) == 0) found.push_back(call);
    }
    return found;
}

MessageResult ScriptedUiHost::messageBox(const MessageBoxRequest& request) {
    calls.push_back("messageBox(" + request.caption + "|" + request.text + ")");
    messageBoxes.push_back(request);
    return takeFront(messageAnswers, declinedAnswer(request.buttons));
}

FileDialogResult ScriptedUiHost::openFileDialog(const FileDialogRequest& request) {
    calls.push_back("openFileDialog(" + request.caption + ")");
    fileDialogs.push_back(request);
    return takeFront(openFileAnswers, FileDialogResult{});
}

std::optional<std::string> ScriptedUiHost::saveFileDialog(const FileDialogRequest& request) {
    calls.push_back("saveFileDialog(" + request.caption + ")");
    fileDialogs.push_back(request);
    return takeFront(saveFileAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedUiHost::browseFolder(const std::string& title,
                                                        const std::string& initialFolder) {
    calls.push_back("browseFolder(" + title + "|" + initialFolder + ")");
    return takeFront(folderAnswers, std::optional<std::string>{});
}

std::optional<std::uint32_t> ScriptedUiHost::chooseColor(std::uint32_t initial) {
    calls.push_back("chooseColor(" + std::to_string(initial) + ")");
    return takeFront(colorAnswers, std::optional<std::uint32_t>{});
}

std::optional<PrinterSettings> ScriptedUiHost::defaultPrinter() {
    calls.push_back("defaultPrinter()");
    return defaultPrinterAnswer;
}

std::optional<PrinterSettings> ScriptedUiHost::printSetupDialog(const PrinterSettings& preset) {
    calls.push_back("printSetupDialog(" + preset.printerName + ")");
    return takeFront(printSetupAnswers, std::optional<PrinterSettings>{});
}

bool ScriptedUiHost::printDialog(const PrinterSettings& settings) {
    calls.push_back("printDialog(" + settings.printerName + ")");
    return takeFront(printAnswers, false);
}

std::optional<std::string> ScriptedUiHost::newProjectDialog() {
    calls.push_back("newProjectDialog()");
    return takeFront(projectNameAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedUiHost::selectModule(const std::vector<std::string>& names) {
    calls.push_back("selectModule(" + joined(names) + ")");
    return takeFront(moduleAnswers, std::optional<std::string>{});
}

std::optional<std::vector<std::string>> ScriptedUiHost::selectModules(
    const std::vector<std::string>& names) {
    calls.push_back("selectModules(" + joined(names) + ")");
    return takeFront(modulesAnswers, std::optional<std::vector<std::string>>{});
}

std::optional<std::pair<std::string, std::string>> ScriptedUiHost::selectModuleAndNet(
    const std::map<std::string, std::vector<std::string>>& netsByModule) {
    std::vector<std::string> modules;
    for (const auto& entry : netsByModule) modules.push_back(entry.first);
    calls.push_back("selectModuleAndNet(" + joined(modules) + ")");
    return takeFront(moduleAndNetAnswers, std::optional<std::pair<std::string, std::string>>{});
}

bool ScriptedUiHost::openWithDesktop(const std::string& path) {
    calls.push_back("openWithDesktop(" + path + ")");
    return desktopOpenSucceeds;
}

void ScriptedUiHost::setClipboardText(const std::string& text) {
    calls.push_back("setClipboardText()");
    clipboardText = text;
}

void ScriptedUiHost::setClipboardImage(const RasterImage& image) {
    calls.push_back("setClipboardImage(" + std::to_string(image.width) + "x" +
                    std::to_string(image.height) + ")");
    clipboardImage = image;
}

void ScriptedUiHost::openDocumentWindow(const DocumentRequest& request) {
    std::string key = request.kind == DocumentKind::kSourceViewer ? request.path : request.module;
    if (!request.net.empty()) key += "|" + request.net;
    if (request.kind == DocumentKind::kSourceViewer) key += "|" + std::to_string(request.line);
    calls.push_back(std::string("openDocumentWindow(") + documentKindName(request.kind) + "|" +
                    key + ")");
    openedDocuments.push_back(request);
}

void ScriptedUiHost::closeDocumentWindow(DocumentKind kind, const std::string& key) {
    calls.push_back(std::string("closeDocumentWindow(") + documentKindName(kind) + "|" + key + ")");
}

void ScriptedUiHost::closeAllDocumentWindows(DocumentKind kind) {
    calls.push_back(std::string("closeAllDocumentWindows(") + documentKindName(kind) + ")");
}

void ScriptedUiHost::setWaitCursor(bool wait) {
    calls.push_back(wait ? "setWaitCursor(on)" : "setWaitCursor(off)");
    waiting = wait;
}

void ScriptedUiHost::placeConsole(const ConsolePlacement& placement) {
    calls.push_back("placeConsole(" + std::to_string(placement.x) + "," +
                    std::to_string(placement.y) + "," + std::to_string(placement.width) + "," +
                    std::to_string(placement.height) + ")");
    console = placement;
}

void ScriptedUiHost::setConsoleTitle(const std::string& title) {
    calls.push_back("setConsoleTitle(" + title + ")");
    consoleTitle = title;
}

void ScriptedUiHost::refreshHierarchyTree() {
    calls.push_back("refreshHierarchyTree()");
}

void ScriptedUiHost::regenerateSchematicWindows() {
    calls.push_back("regenerateSchematicWindows()");
}

void ScriptedUiHost::rebuildNetWindows() {
    calls.push_back("rebuildNetWindows()");
}

void ScriptedUiHost::setCommandText(const std::string& text) {
    calls.push_back("setCommandText(" + text + ")");
    commandText = text;
}

void ScriptedUiHost::scrollLogToEnd() {
    calls.push_back("scrollLogToEnd()");
}

}  // namespace corvane
