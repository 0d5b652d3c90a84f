#include "schematic/net_attributes.h"

#include <algorithm>

#include "schematic/terminal_refresh.h"

namespace corvane {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool hasBusTerminal(const Net& net) {
    return std::any_of(net.terminals.begin(), net.terminals.end(), [](const Terminal& t) {
        return t.msb != -1 && t.lsb != -1 && t.msb != t.lsb;
    });
}

bool drivesClockInput(const Net& net) {
    return std::any_of(net.terminals.begin(), net.terminals.end(), [](const Terminal& t) {
        return (t.kind == kKindAlways && t.role == kRoleSensitivity) ||
               (t.kind == kKindInitial && t.role == kRoleWrite);
    });
}

}  // namespace

void applyBusWidths(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (hasBusTerminal(net)) net.lineWidth = std::max(net.lineWidth, kBusLineWidth);
    }
}

bool isClockCandidate(std::string_view name) {
    // "ck", "CK" and "Ck" start with "c" or "C" and so are covered by the first test.
    if (!name.empty() && (name.front() == 'c' || name.front() == 'C')) return true;
    return contains(name, "clk") || contains(name, "clock") || contains(name, "CLK") ||
           contains(name, "CLOCK");
}

bool isClockNet(std::string_view name, const Net& net) {
    if (!isClockCandidate(name)) return false;
    if (contains(name, "rst") || contains(name, "reset")) return false;
    return drivesClockInput(net);
}

void highlightClockNets(Module& module, int highlight) {
    for (auto& [name, net] : module.nets) {
        if (!isClockNet(name, net)) continue;
        net.lineWidth = 1;
        net.color = highlight == 1 ? kClockColor : 0;
    }
}

}  // namespace corvane
