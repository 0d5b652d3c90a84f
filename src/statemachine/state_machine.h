// The state machine of one always block or process, as the extraction finds
// it: an ordered list of states, each with its transitions.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace corvane {

// Result codes of the extraction.
inline constexpr int kStateMachineFound = 0;
inline constexpr int kNoSuchBlock = -1;       // no always block has the requested line
inline constexpr int kScanNotClosed = -2;     // no state case, or its levels did not close
inline constexpr int kStateNotAssigned = -3;  // Verilog: nothing assigns the state register

// Name of the filler state that keeps two states from standing exactly
// opposite each other on the diagram's circle; it is never drawn.
inline constexpr const char* kFillerStateName = "%dummy%";

struct Transition {
    std::string target;     // value assigned to the state register, as written; empty if none
    std::string condition;  // the enclosing branch conditions, "(a) and (b)"
    std::map<std::string, std::string> assignments;  // target text -> value text, as written
};

// One case item of the state case.
struct StateNode {
    std::string name;  // the item's expression as written
    std::vector<Transition> transitions;
    int x = 0;  // centre on the diagram canvas, set by the layout
    int y = 0;
};

struct StateMachine {
    std::string stateRegister;  // the state case's expression as written
    std::vector<StateNode> states;
};

}  // namespace corvane
