#include "verilog/always_declared_names.h"

namespace corvane {

namespace {

// Scanning a few dozen names is cheaper than hashing them; a block that asks
// more often than this pays for the hash sets once.
constexpr int kLinearLookups = 48;

template <typename Records>
bool containsName(const Records& records, std::string_view name) {
    for (const auto& record : records) {
        if (record.name == name) return true;
    }
    return false;
}

}  // namespace

void AlwaysDeclaredNames::countLookup() {
    if (hashed_ || ++lookups_ <= kLinearLookups) return;
    for (const Reg& reg : module_.regs) regs_.insert(reg.name);
    for (const Pin& pin : module_.pins) ports_.insert(pin.name);
    hashed_ = true;
}

bool AlwaysDeclaredNames::isReg(std::string_view name) {
    countLookup();
    return hashed_ ? regs_.contains(name) : containsName(module_.regs, name);
}

bool AlwaysDeclaredNames::isPort(std::string_view name) {
    countLookup();
    return hashed_ ? ports_.contains(name) : containsName(module_.pins, name);
}

std::string_view assignmentNamePart(std::string_view lower) {
    std::size_t cut = 0;
    while (cut < lower.size() && lower[cut] != '=' && lower[cut] != '<' && lower[cut] != ' ' &&
           lower[cut] != '[') {
        ++cut;
    }
    return lower.substr(0, cut);
}

}  // namespace corvane
