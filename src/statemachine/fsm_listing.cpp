#include "statemachine/fsm_listing.h"

#include <set>

#include "statemachine/state_extraction.h"

namespace corvane {

namespace {

int countRealStates(const StateMachine& machine) {
    int count = static_cast<int>(machine.states.size());
    if (count > 0 && machine.states.back().name == kFillerStateName) --count;
    return count;
}

}  // namespace

std::vector<StateMachineListing> listStateMachines(const ModuleList& modules) {
    std::vector<StateMachineListing> listing;
    for (const Module& module : modules) {
        std::set<int> seenLines;
        for (const Always& block : module.alwaysBlocks) {
            if (!seenLines.insert(block.line).second) continue;
            StateMachine machine;
            if (extractStateMachine(module, block.line, machine) != kStateMachineFound) continue;
            listing.push_back(
                {module.name, block.line, machine.stateRegister, countRealStates(machine)});
        }
    }
    return listing;
}

std::string formatStateMachineListing(const std::vector<StateMachineListing>& listing) {
    std::string text;
    for (const StateMachineListing& entry : listing) {
        text += entry.module + " " + std::to_string(entry.line) + " " + entry.stateRegister + " " +
                std::to_string(entry.stateCount) + "\n";
    }
    return text;
}

std::string stateMachineListingText(const ModuleList& modules) {
    return formatStateMachineListing(listStateMachines(modules));
}

}  // namespace corvane
