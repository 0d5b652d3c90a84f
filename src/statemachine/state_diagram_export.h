// The state transition diagram of one always block or process, built as its
// window builds it but with no window on screen: what the exports draw and
// write. Nothing is shown; the window's messages go to a silent host.
#pragma once

#include <string>

#include "database/module_list.h"
#include "platform/silent_ui_host.h"
#include "statemachine/stt_dlg.h"

namespace corvane {

// What an export of a block without a state machine reports.
inline constexpr const char* kNoStateMachineText = "No state machine was detected.";

class StateDiagramForExport {
public:
    // The block at `line` of module `moduleName` (letter case ignored).
    StateDiagramForExport(ModuleList& modules, const std::string& moduleName, int line);

    // Builds the diagram; false with `error` set when the module is not
    // analysed, has no block at that line, or no state machine was detected
    // (`error` is then kNoStateMachineText). The database is not changed.
    bool build(std::string& error);

    CSTTDlg& window() { return window_; }

    // The state diagram file with the label positions the window gives the
    // labels when it first shows them; false when it cannot be written.
    bool writeDiagramFile(const std::string& path);

private:
    ModuleList& modules_;
    std::string requestedName_;
    int line_;
    SilentUiHost ui_;
    SttWindowHooks hooks_;
    CSTTDlg window_;
};

}  // namespace corvane
