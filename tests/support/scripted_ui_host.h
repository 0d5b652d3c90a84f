// A UiHost for tests: dialog answers are queued in advance and every call is
// recorded, both as a readable line in `calls` and as the typed request.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui_host.h"

namespace corvane {

class ScriptedUiHost final : public UiHost {
public:
    // Queued answers, taken front first. An empty queue answers as a cancel
    // (message boxes: OK for an OK-only box, Cancel or No otherwise).
    std::deque<MessageResult> messageAnswers;
    std::deque<FileDialogResult> openFileAnswers;
    std::deque<std::optional<std::string>> saveFileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<std::uint32_t>> colorAnswers;
    std::deque<std::optional<std::string>> projectNameAnswers;
    std::deque<std::optional<std::string>> moduleAnswers;
    std::deque<std::optional<std::vector<std::string>>> modulesAnswers;
    std::deque<std::optional<std::pair<std::string, std::string>>> moduleAndNetAnswers;
    std::optional<PrinterSettings> defaultPrinterAnswer;
    std::deque<std::optional<PrinterSettings>> printSetupAnswers;
    std::deque<bool> printAnswers;
    bool desktopOpenSucceeds = true;

    // Every call in order, for example "messageBox(CORVANE cannot add source
    // file.|Please make a project.)" or "setConsoleTitle([p] 1 module(s) - Corvane)".
    std::vector<std::string> calls;
    std::vector<MessageBoxRequest> messageBoxes;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<DocumentRequest> openedDocuments;
    std::string consoleTitle;
    ConsolePlacement console;  // where placeConsole put the console; also the current one
    std::string commandText;
    std::string clipboardText;
    RasterImage clipboardImage;
    bool waiting = false;

    // The recorded calls whose name (the text before "(") is `name`.
    std::vector<std::string> callsNamed(const std::string& name) const;

    MessageResult messageBox(const MessageBoxRequest& request) override;
    FileDialogResult openFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> browseFolder(const std::string& title,
                                            const std::string& initialFolder) override;
    std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
    std::optional<PrinterSettings> defaultPrinter() override;
    std::optional<PrinterSettings> printSetupDialog(const PrinterSettings& preset) override;
    bool printDialog(const PrinterSettings& settings) override;
    std::optional<std::string> newProjectDialog() override;
    std::optional<std::string> selectModule(const std::vector<std::string>& names) override;
    std::optional<std::vector<std::string>> selectModules(
        const std::vector<std::string>& names) override;
    std::optional<std::pair<std::string, std::string>> selectModuleAndNet(
        const std::map<std::string, std::vector<std::string>>& netsByModule) override;
    bool openWithDesktop(const std::string& path) override;

    void setClipboardText(const std::string& text) override;
    void setClipboardImage(const RasterImage& image) override;

    void openDocumentWindow(const DocumentRequest& request) override;
    void closeDocumentWindow(DocumentKind kind, const std::string& key) override;
    void closeAllDocumentWindows(DocumentKind kind) override;

    void setWaitCursor(bool waiting) override;
    void setConsoleTitle(const std::string& title) override;
    void placeConsole(const ConsolePlacement& placement) override;
    ConsolePlacement consolePlacement() const override { return console; }
    void refreshHierarchyTree() override;
    void regenerateSchematicWindows() override;
    void rebuildNetWindows() override;
    void setCommandText(const std::string& text) override;
    void scrollLogToEnd() override;
};

// "source", "schematic", "net" or "statediagram".
const char* documentKindName(DocumentKind kind);

}  // namespace corvane
