// The first module of each name in a module list, found in constant time:
// for the walks over the instance tree, which look a module up at every
// node. The index refers to the list's modules and is valid while the list
// is not changed.
#pragma once

#include <string_view>
#include <unordered_map>

#include "database/module_list.h"

namespace corvane {

class ModuleNameIndex {
public:
    explicit ModuleNameIndex(const ModuleList& modules) {
        modules_.reserve(modules.size());
        for (const Module& module : modules) modules_.try_emplace(module.name, &module);
    }

    // The first module named `name`, as ModuleList::find answers, or nullptr.
    const Module* find(std::string_view name) const {
        const auto found = modules_.find(name);
        return found == modules_.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<std::string_view, const Module*> modules_;
};

}  // namespace corvane
