// The desktop program's UiHost: Qt message boxes, file and folder dialogs,
// the colour chooser, printing, the selection and project dialogs, the
// clipboard, the wait cursor, the console and hierarchy windows, and the
// document windows (through their registry).
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "gui/widgets/document_windows.h"
#include "platform/ui_host.h"

class QWidget;

namespace corvane {

class ConsoleWindow;
class HierarchyWindow;
class QtPrinting;

// "Label(*.x)|*.x||" -> "Label(*.x)": the file dialog filters of the core in Qt's form.
QString qtFileFilter(const std::string& filter);

// 0x00BBGGRR <-> QColor.
std::uint32_t colorRefOf(const class QColor& color);
class QColor qColorOf(std::uint32_t colorRef);

class QtUiHost final : public UiHost {
public:
    QtUiHost();
    ~QtUiHost() override;
    QtUiHost(const QtUiHost&) = delete;
    QtUiHost& operator=(const QtUiHost&) = delete;

    // The windows the host speaks for; dialogs open over the console.
    void attach(ConsoleWindow* console, HierarchyWindow* hierarchy);
    DocumentWindows& documentWindows() { return documents_; }
    // The printing of the program, created once with the console as the
    // parent of its dialogs (attach the console first).
    QtPrinting& printing();
    // The parent of dialogs and message boxes: the active window, else the console.
    QWidget* dialogParent() const;

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
    ConsolePlacement consolePlacement() const override;
    void refreshHierarchyTree() override;
    void regenerateSchematicWindows() override;
    void rebuildNetWindows() override;
    void setCommandText(const std::string& text) override;
    void scrollLogToEnd() override;

private:
    ConsoleWindow* console_ = nullptr;
    HierarchyWindow* hierarchy_ = nullptr;
    DocumentWindows documents_;
    std::unique_ptr<QtPrinting> printing_;
    int waitDepth_ = 0;
    ConsolePlacement placement_;  // until the console exists
};

}  // namespace corvane
