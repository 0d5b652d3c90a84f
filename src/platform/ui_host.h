// Everything the core asks of the user interface: message boxes, file and
// folder dialogs, the colour chooser, print dialogs, the clipboard, document
// windows, the wait cursor and the refreshes of the console's views.
//
// The core never shows a window itself; a desktop front end, the batch
// program and the tests each provide one implementation.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

enum class MessageIcon { kNone, kInformation, kExclamation, kQuestion, kError };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageResult { kOk, kCancel, kYes, kNo };

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::kExclamation;
    MessageButtons buttons = MessageButtons::kOk;
};

// A file-open or file-save dialog. `filter` uses the "Label(*.x)|*.x||" form.
struct FileDialogRequest {
    std::string caption;
    std::string okText;
    std::string filter;
    std::string defaultExtension;  // without the dot; added when the user gives none
    std::string proposedName;
    std::string initialFolder;
    bool overwritePrompt = false;  // save dialogs: ask before replacing a file
    bool multiSelect = false;      // open dialogs: several files may be chosen
    bool mustExist = false;        // open dialogs: only existing files are accepted
};

// The chosen files in the dialog's order; empty when the dialog was cancelled.
struct FileDialogResult {
    std::vector<std::string> paths;

    bool accepted() const { return !paths.empty(); }
};

// The printer choice kept by a project: the printer name and nine device
// values (orientation, paper size, paper length, paper width, scale, copies,
// print quality, colour, duplex) in their stored meaning.
struct PrinterSettings {
    bool valid = false;
    std::string printerName;
    std::int16_t values[9] = {};
};

// An image for the clipboard: `width` x `height` colours 0x00BBGGRR, row by row.
struct RasterImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The console window's top-left corner and size in screen pixels.
struct ConsolePlacement {
    int x = 0;
    int y = 0;
    int width = 800;
    int height = 600;
};

enum class DocumentKind { kSourceViewer, kSchematic, kNetView, kStateDiagram };

// What a document window shows. Source viewers are keyed by `path`, the other
// kinds by `module` (and `net` or `alwaysLine` where they have one).
struct DocumentRequest {
    DocumentKind kind = DocumentKind::kSourceViewer;
    std::string path;
    std::string module;
    std::string net;
    int line = 1;        // source viewers: the line pointed at
    int alwaysLine = 0;  // state diagrams: the line of the always block
};

class UiHost {
public:
    virtual ~UiHost() = default;

    // Message boxes and dialogs.
    virtual MessageResult messageBox(const MessageBoxRequest& request) = 0;
    virtual FileDialogResult openFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
    // The folder browser rooted at the desktop; `initialFolder` is preselected when not empty.
    virtual std::optional<std::string> browseFolder(const std::string& title,
                                                    const std::string& initialFolder) = 0;
    // The colour chooser preset with `initial` (0x00BBGGRR).
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
    // The default printer's settings, or nothing when no printer can be used.
    virtual std::optional<PrinterSettings> defaultPrinter() = 0;
    // The print-setup dialog preset with `preset`; the chosen settings on OK.
    virtual std::optional<PrinterSettings> printSetupDialog(const PrinterSettings& preset) = 0;
    // The print dialog before a print job; false when it was cancelled.
    virtual bool printDialog(const PrinterSettings& settings) = 0;
    // The "New Project" dialog: the typed name, or nothing when cancelled.
    virtual std::optional<std::string> newProjectDialog() = 0;
    // Module selection ("Select target module"): one name, or several.
    virtual std::optional<std::string> selectModule(const std::vector<std::string>& names) = 0;
    virtual std::optional<std::vector<std::string>> selectModules(
        const std::vector<std::string>& names) = 0;
    // Module and net selection: the chosen module and net (empty when no net was chosen).
    virtual std::optional<std::pair<std::string, std::string>> selectModuleAndNet(
        const std::map<std::string, std::vector<std::string>>& netsByModule) = 0;
    // Opens a file with the desktop's default handler; false on failure.
    virtual bool openWithDesktop(const std::string& path) = 0;

    // Clipboard.
    virtual void setClipboardText(const std::string& text) = 0;
    virtual void setClipboardImage(const RasterImage& image) = 0;

    // Document windows: open (or raise and update) one, close one or all of a kind.
    virtual void openDocumentWindow(const DocumentRequest& request) = 0;
    // Closes the first open window of `kind` whose key (path for source
    // viewers, module name otherwise) equals `key`.
    virtual void closeDocumentWindow(DocumentKind kind, const std::string& key) = 0;
    virtual void closeAllDocumentWindows(DocumentKind kind) = 0;

    // Console and views.
    virtual void setWaitCursor(bool waiting) = 0;
    virtual void setConsoleTitle(const std::string& title) = 0;
    // Moves and sizes the console window, shows it and lays out its controls.
    virtual void placeConsole(const ConsolePlacement& placement) = 0;
    // The console window's current screen rectangle.
    virtual ConsolePlacement consolePlacement() const = 0;
    virtual void refreshHierarchyTree() = 0;
    virtual void regenerateSchematicWindows() = 0;
    virtual void rebuildNetWindows() = 0;
    // Puts `text` into the command edit with the caret at its end and gives it the focus.
    virtual void setCommandText(const std::string& text) = 0;
    virtual void scrollLogToEnd() = 0;
};

}  // namespace corvane
