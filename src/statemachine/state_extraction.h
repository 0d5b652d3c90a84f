// State machine extraction: the states and transitions of one always block
// or process, read from its statement stream in the design database.
#pragma once

#include <cstddef>

#include "database/records.h"
#include "statemachine/state_machine.h"

namespace corvane {

// Extracts the state machine of the first always block of `module` whose
// line is `lineId`, in the Verilog or VHDL variant by the module's language.
// `machine` is replaced by what was found. Returns kStateMachineFound (0),
// kNoSuchBlock (-1), kScanNotClosed (-2, also for nesting deeper than the
// 127 levels the scan keeps) or kStateNotAssigned (-3). A scan that did not
// close gives -2 before the next-state variable is looked for, so a block
// without any case statement always gives -2. The database is not changed.
int extractStateMachine(const Module& module, int lineId, StateMachine& machine);

// Whether a machine of `stateCount` states gets the filler state: three
// states become four places on the circle, four stay four.
bool needsFillerState(std::size_t stateCount);

}  // namespace corvane
