// The page of one module: summary figures, ports with their comments,
// parameters and overrides, instances, the connections of its nets, the
// schematic and every state machine, and links to its source.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "site/site_names.h"
#include "site/site_pictures.h"

namespace corvane {

struct ModulePageInput {
    const ModuleList& modules;
    const Module& module;
    const SiteNames& names;
    const SitePicture& schematic;
    const std::vector<SiteStateMachine>& stateMachines;
    std::string projectName;
};

// The page; it lives in the module folder, one below the root.
std::string buildModulePage(const ModulePageInput& input);

// "input", "output", "inout" or "undeclared".
std::string directionWord(int direction);

// "[msb:lsb]", "[bit]" or "" when the range is not set.
std::string rangeWords(int msb, int lsb);

}  // namespace corvane
