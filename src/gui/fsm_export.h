// Exports of a state transition diagram to files: SVG, PNG and PDF drawn
// through Qt, one canvas unit per pixel, as a copy of the diagram window puts
// it on the clipboard; and the state diagram file (.qstm) with the label
// positions the window gives the labels when it first shows them.
#pragma once

#include <string>

#include "database/module_list.h"
#include "statemachine/state_diagram_export.h"

namespace corvane {

// Builds the diagram of the always block or process at `line` of module
// `moduleName` as its window does and writes it to `path` in the format of
// its extension. False with `error` set when the format is unknown, the
// module is not analysed, it has no block at that line, no state machine was
// detected (`error` is then kNoStateMachineText) or the file cannot be
// written. The database is not changed.
bool exportStateMachine(ModuleList& modules, const std::string& moduleName, int line,
                        const std::string& path, std::string& error);

}  // namespace corvane
