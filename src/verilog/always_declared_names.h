// Whether a name is a reg or a port of the module, for the assignment tests
// of an always body.
#pragma once

#include <string_view>
#include <unordered_set>

#include "database/records.h"

namespace corvane {

// Compares lower-cased names. The first lookups of a block scan the
// declarations; once a block has asked more often, the names are put into
// hash sets, so a long block costs one pass over the declarations instead of
// one per statement.
// The module's regs and pins must not change while the lookup lives.
class AlwaysDeclaredNames {
public:
    explicit AlwaysDeclaredNames(const Module& module) : module_(module) {}

    bool isReg(std::string_view name);
    bool isPort(std::string_view name);

private:
    void countLookup();

    const Module& module_;
    int lookups_ = 0;
    bool hashed_ = false;
    std::unordered_set<std::string_view> regs_;
    std::unordered_set<std::string_view> ports_;
};

// The name part of a lower-cased statement token: the text before its first
// "=", "<", blank or "[" ("q<=d;" gives "q", "mem[3]" gives "mem").
std::string_view assignmentNamePart(std::string_view lower);

}  // namespace corvane
