// The site's front page: the project name, the instance hierarchy as a tree
// of links (tops first, as the hierarchy report orders them; modules that
// are not analysed marked), the module list and the state machines.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "site/site_names.h"

namespace corvane {

// Most tree entries the front page lists; a larger hierarchy is cut with a note.
inline constexpr std::size_t kMaxIndexTreeEntries = 20000;

struct StateMachineEntry {
    std::string moduleName;
    std::string moduleDisplayName;
    int line = 0;
    std::string stateRegister;
    std::size_t states = 0;
};

struct IndexPageInput {
    const ModuleList& modules;
    const SiteNames& names;
    std::string projectName;
    std::vector<StateMachineEntry> stateMachines;
};

std::string buildIndexPage(const IndexPageInput& input);

}  // namespace corvane
