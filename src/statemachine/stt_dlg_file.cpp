// The state diagram file of the diagram window and its File menu commands.
#include "statemachine/state_diagram_file.h"
#include "statemachine/stt_dlg.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";

// The settings every file dialog of the diagram window shares.
FileDialogRequest fileRequest(const char* caption) {
    FileDialogRequest request;
    request.caption = caption;
    request.okText = "&OK";
    request.filter = "State Machine Diagram config file(*.qstm)|*.qstm||";
    request.defaultExtension = "qstm";
    request.overwritePrompt = true;
    return request;
}

void notify(UiHost& ui, const char* text) {
    ui.messageBox({kCaption, text, MessageIcon::kExclamation, MessageButtons::kOk});
}

}  // namespace

bool CSTTDlg::readStateDiagramFile() {
    return readStateDiagramPath(filePath_, labels_);
}

bool CSTTDlg::writeStateDiagramFile() {
    return writeStateDiagramPath(filePath_, canvas_, labels_);
}

FileDialogRequest CSTTDlg::saveAsDialogRequest() const {
    FileDialogRequest request =
        fileRequest("Please input the name of State Machine Diagram config file");
    request.proposedName = moduleName_ + "$" + std::to_string(lineId_);
    return request;
}

void CSTTDlg::onOpenCommand() {
    const FileDialogResult chosen = ui_.openFileDialog(
        fileRequest("Please specify the target State Machine Diagram config file"));
    if (!chosen.accepted()) return;
    const std::string previous = filePath_;
    filePath_ = chosen.paths.front();
    if (!readStateDiagramFile()) {
        notify(ui_, "File open error.");
        filePath_ = previous;
        return;
    }
    // Only the anchors change: the diagram is not extracted again and every
    // label keeps its side of the anchor.
    hooks_.repaint(true);
    modified_ = false;
}

void CSTTDlg::onSaveCommand() {
    if (findModule() == nullptr) return;
    if (filePath_.empty()) return onSaveAsCommand();
    // A failed write is reported and the changes stay unsaved.
    if (!writeStateDiagramFile()) return notify(ui_, "File save error.");
    modified_ = false;
}

void CSTTDlg::onSaveAsCommand() {
    const std::optional<std::string> chosen = ui_.saveFileDialog(saveAsDialogRequest());
    if (!chosen) return;
    if (findModule() == nullptr) return notify(ui_, "File save error. Internal error occurred.");
    const std::string previous = filePath_;
    filePath_ = *chosen;
    if (!writeStateDiagramFile()) {
        notify(ui_, "File save error.");
        filePath_ = previous;
        return;
    }
    modified_ = false;
}

}  // namespace corvane
