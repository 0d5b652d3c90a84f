// The list of state machines of the analysed design, one line per always
// block or process whose extraction succeeds (corvane-batch --list-fsm).
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"

namespace corvane {

struct StateMachineListing {
    std::string module;  // the module's name (lower case, the key other commands take)
    int line = 0;        // the block's line id
    std::string stateRegister;
    int stateCount = 0;  // the filler state not counted
};

// Every block, in module and block order, whose extraction returns 0. A block
// sharing its line with an earlier block of the module is listed once: the
// line id names only the first of them.
std::vector<StateMachineListing> listStateMachines(const ModuleList& modules);

// The listing as text: "module line register states" and "\n" per block.
std::string formatStateMachineListing(const std::vector<StateMachineListing>& listing);

// Both steps: what corvane-batch --list-fsm prints.
std::string stateMachineListingText(const ModuleList& modules);

}  // namespace corvane
