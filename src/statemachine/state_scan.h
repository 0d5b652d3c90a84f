// The scan of one block's statement stream that turns the items of its state
// case into states and collects their transitions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "database/records.h"
#include "statemachine/state_machine.h"
#include "statemachine/transition_recording.h"

namespace corvane {

// The level-kind array is bounded: at most 127 levels may be open after the
// state case (depth 128). A block nested deeper is rejected.
inline constexpr int kLevelKindCapacity = 128;

// Kinds of the nesting levels opened after the state case.
enum LevelKind : int { kPlainLevel = 0, kIfLevel = 1, kElsifLevel = 2 };

// What opened a level, for the Verilog branches written without begin-end.
enum class LevelOpener : std::uint8_t { kOther, kIf, kElse, kCaseItem };

// The working state of one scan.
struct StateScan {
    int depth = 1;
    std::array<int, kLevelKindCapacity> levelKinds{};
    // Verilog: what opened each level, and whether it is a branch without
    // begin-end, which holds a single statement.
    std::array<LevelOpener, kLevelKindCapacity> levelOpeners{};
    std::array<bool, kLevelKindCapacity> singleStatement{};
    std::vector<std::string> conditions;  // innermost last
    std::string lastClosed;               // the condition removed most recently
    int nestedCaseDepth = -1;             // depth of a case nested in a state, or -1
    int elseCounter = 0;
    int currentState = -1;  // index of the state most recently appended
    std::string previousKeyword;
    bool rejected = false;  // nested too deep, or the work budget ran out
};

// Scans the statements of `block` in the variant of `module.language`,
// filling `machine` with the state register and the states. Returns the
// scan's final working state; its depth is below 1 when the state case was
// closed (or its default item reached).
StateScan scanStateMachine(const Module& module, const Always& block, StateMachine& machine);

}  // namespace corvane
