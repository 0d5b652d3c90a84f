#include "database/module_list.h"

namespace corvane {

Module& ModuleList::append() {
    ++revision_;
    return modules_.emplace_back();
}

Module& ModuleList::append(const Module& module) {
    ++revision_;
    return modules_.emplace_back(module);
}

ModuleList::iterator ModuleList::remove(iterator position) {
    ++revision_;
    return modules_.erase(position);
}

bool ModuleList::removeByName(const std::string& name) {
    for (auto it = modules_.begin(); it != modules_.end(); ++it) {
        if (it->name == name) {
            modules_.erase(it);
            ++revision_;
            return true;
        }
    }
    return false;
}

void ModuleList::removeLast() {
    if (modules_.empty()) return;
    modules_.pop_back();
    ++revision_;
}

Module* ModuleList::find(const std::string& name) {
    for (Module& module : modules_) {
        if (module.name == name) return &module;
    }
    return nullptr;
}

const Module* ModuleList::find(const std::string& name) const {
    for (const Module& module : modules_) {
        if (module.name == name) return &module;
    }
    return nullptr;
}

}  // namespace corvane
