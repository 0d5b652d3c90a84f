#include "statemachine/state_diagram_export.h"

#include "platform/recording_canvas.h"
#include "text/text_helpers.h"

namespace corvane {

StateDiagramForExport::StateDiagramForExport(ModuleList& modules, const std::string& moduleName,
                                             int line)
    : modules_(modules),
      requestedName_(moduleName),
      line_(line),
      window_(modules, ui_, hooks_, toLowerAscii(moduleName), line) {}

bool StateDiagramForExport::build(std::string& error) {
    if (modules_.find(toLowerAscii(requestedName_)) == nullptr) {
        error = "the module \"" + requestedName_ + "\" is not analysed";
        return false;
    }
    window_.buildDiagram();
    if (window_.result() == kNoSuchBlock) {
        error = "the module \"" + requestedName_ + "\" has no always block or process at line " +
                std::to_string(line_);
        return false;
    }
    if (window_.result() != kStateMachineFound) {
        error = kNoStateMachineText;
        return false;
    }
    return true;
}

// Drawing places every label that is not placed yet, so one pass onto a
// canvas that keeps nothing gives them their automatic places.
bool StateDiagramForExport::writeDiagramFile(const std::string& path) {
    RecordingCanvas scratch(window_.canvasSize().width, window_.canvasSize().height);
    window_.drawWholeCanvas(scratch);
    window_.setFilePath(path);
    return window_.writeStateDiagramFile();
}

}  // namespace corvane
