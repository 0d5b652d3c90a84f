// The state diagram file of the diagram window: the call points the
// window's building, closing and File menu use. Reading and writing the
// label positions arrive with the diagram file's tag-file code; until then
// reading finds nothing (as for a new window without a file) and writing
// reports failure.
#include "statemachine/stt_dlg.h"

namespace corvane {

bool CSTTDlg::readStateDiagramFile() {
    return false;
}

bool CSTTDlg::writeStateDiagramFile() {
    return false;
}

FileDialogRequest CSTTDlg::saveAsDialogRequest() const {
    FileDialogRequest request;
    request.caption = "Please input the name of State Machine Diagram config file";
    request.okText = "&OK";
    request.filter = "State Machine Diagram config file(*.qstm)|*.qstm||";
    request.defaultExtension = "qstm";
    request.proposedName = moduleName_ + "$" + std::to_string(lineId_);
    request.overwritePrompt = true;
    return request;
}

}  // namespace corvane
