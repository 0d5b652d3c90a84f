#include "statemachine/state_extraction.h"

#include <string>

#include "statemachine/condition_text.h"
#include "statemachine/state_scan.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

const Always* findBlock(const Module& module, int lineId) {
    for (const Always& block : module.alwaysBlocks) {
        if (block.line == lineId) return &block;
    }
    return nullptr;
}

// Moves every assignment to `stateVariable` (compared in lower case) into its
// transition's target; true when at least one transition got a target.
bool takeTargets(StateMachine& machine, const std::string& stateVariable) {
    const std::string wanted = toLowerAscii(stateVariable);
    bool any = false;
    for (StateNode& state : machine.states) {
        for (Transition& transition : state.transitions) {
            auto& assignments = transition.assignments;
            for (auto it = assignments.begin(); it != assignments.end();) {
                if (toLowerAscii(it->first) != wanted) {
                    ++it;
                    continue;
                }
                transition.target = it->second;
                any = true;
                it = assignments.erase(it);
            }
        }
    }
    return any;
}

// A Verilog reg, or a VHDL signal (the VHDL front end keeps signals as wires).
bool isStateVariable(const Module& module, const std::string& lowerName) {
    if (module.language == kVhdl) {
        for (const Wire& wire : module.wires) {
            if (wire.name == lowerName) return true;
        }
        return false;
    }
    for (const Reg& reg : module.regs) {
        if (reg.name == lowerName) return true;
    }
    return false;
}

// The next-state variable of a two-block machine: the first reg (signal)
// that another block of the module copies into the state register.
std::string nextStateVariable(const Module& module, int lineId, const std::string& stateRegister) {
    const std::string wanted = toLowerAscii(stateRegister);
    for (const Always& block : module.alwaysBlocks) {
        if (block.line == lineId) continue;
        for (const Statement& statement : block.statements) {
            if (statement.target == wanted && isStateVariable(module, statement.value)) {
                return statement.value;
            }
        }
    }
    return {};
}

}  // namespace

bool needsFillerState(std::size_t stateCount) {
    return stateCount % 2 == 1;
}

int extractStateMachine(const Module& module, int lineId, StateMachine& machine) {
    machine = StateMachine{};
    const Always* block = findBlock(module, lineId);
    if (block == nullptr) return kNoSuchBlock;
    const StateScan scan = scanStateMachine(module, *block, machine);
    if (scan.rejected || scan.depth >= 1) return kScanNotClosed;

    for (StateNode& state : machine.states) {
        for (Transition& transition : state.transitions) {
            transition.condition = unnumberElses(transition.condition);
        }
    }
    const bool assigned = takeTargets(machine, machine.stateRegister);
    if (!assigned) {
        // Two-block machines are written in both languages. A VHDL machine
        // without a next-state variable keeps its states without targets.
        const std::string next = nextStateVariable(module, lineId, machine.stateRegister);
        if (next.empty() && module.language != kVhdl) return kStateNotAssigned;
        if (!next.empty()) takeTargets(machine, next);
    }
    if (needsFillerState(machine.states.size())) {
        machine.states.push_back(StateNode{kFillerStateName, {}, 0, 0});
    }
    return kStateMachineFound;
}

}  // namespace corvane
