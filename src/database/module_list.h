// The analysed modules in analysis order.
#pragma once

#include <cstdint>
#include <list>
#include <string>

#include "database/records.h"

namespace corvane {

class ModuleList {
public:
    using iterator = std::list<Module>::iterator;
    using const_iterator = std::list<Module>::const_iterator;

    // Appends a fresh empty module at the end and returns it.
    Module& append();
    // Appends a copy of `module` at the end and returns it.
    Module& append(const Module& module);

    // Removes the module at `position`; returns the position after it.
    iterator remove(iterator position);
    // Removes the first module whose name is `name`; returns whether one was found.
    bool removeByName(const std::string& name);
    // Removes the last module of the list, if any.
    void removeLast();

    // First module whose `name` equals `name` exactly (names are stored
    // lower-cased; callers lower-case what the user typed), or nullptr.
    Module* find(const std::string& name);
    const Module* find(const std::string& name) const;

    iterator begin() { return modules_.begin(); }
    iterator end() { return modules_.end(); }
    const_iterator begin() const { return modules_.begin(); }
    const_iterator end() const { return modules_.end(); }
    Module& back() { return modules_.back(); }
    std::size_t size() const { return modules_.size(); }
    bool empty() const { return modules_.empty(); }
    void clear() {
        modules_.clear();
        ++revision_;
    }

    // Counts the appends and removals, so a name index kept beside the list
    // can tell whether the list changed under it.
    std::uint64_t revision() const { return revision_; }

private:
    std::list<Module> modules_;
    std::uint64_t revision_ = 0;
};

}  // namespace corvane
