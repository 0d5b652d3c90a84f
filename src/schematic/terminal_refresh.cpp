#include "schematic/terminal_refresh.h"

#include "schematic/block_access.h"

namespace corvane {

namespace {

bool isSensitivityTerminal(const Terminal& terminal) {
    return terminal.kind == kKindAlways && terminal.role == kRoleSensitivity;
}

// The block port a kind 3 to 6 terminal refers to, or nullptr.
const Pin* referencedPort(const Module& module, const Terminal& terminal) {
    const std::vector<Pin>* ports = blockPortsOf(module, terminal.kind, terminal.index);
    return ports ? elementAt(*ports, terminal.portIndex) : nullptr;
}

// The sensitivity entry a sensitivity terminal of `block` stands for. The
// connection checks record such a use as a block port of direction 16 named
// after the entry, and the terminal's portIndex is that port's position: the
// k-th such port of a name stands for the k-th entry of that name. A terminal
// whose portIndex names no such port counts it among the entries instead.
// -1 when there is no such entry.
int sensitivityEntryOf(const Always& block, int portIndex) {
    const Pin* port = elementAt(block.ports, portIndex);
    if (!port || port->direction != kRoleSensitivity) return portIndex;
    int earlier = 0;
    for (int i = 0; i < portIndex; ++i) {
        const Pin& other = block.ports[static_cast<std::size_t>(i)];
        if (other.direction == kRoleSensitivity && other.name == port->name) ++earlier;
    }
    for (std::size_t e = 0; e < block.sensitivity.size(); ++e) {
        if (block.sensitivity[e].name != port->name) continue;
        if (earlier-- == 0) return static_cast<int>(e);
    }
    return -1;
}

}  // namespace

bool referencedPoint(const Module& module, const SensitivityPlaces& sensitivity,
                     const Terminal& terminal, Point& point) {
    if (terminal.index < 0) return false;
    if (terminal.kind == kKindPin) {
        const Pin* pin = elementAt(module.pins, terminal.index);
        if (!pin) return false;
        point = {pin->x, pin->y};
        return true;
    }
    if (!isBlockKind(terminal.kind)) return false;
    if (isSensitivityTerminal(terminal)) {
        const Always* block = elementAt(module.alwaysBlocks, terminal.index);
        if (!block) return false;
        const int entry = sensitivityEntryOf(*block, terminal.portIndex);
        const LabelBox* box = sensitivity.find(terminal.index, entry);
        if (!box) return false;
        point = {box->x, box->y};
        return true;
    }
    const Pin* port = referencedPort(module, terminal);
    if (!port) return false;
    point = {port->x, port->y};
    return true;
}

bool refersToDrawable(const Module& module, const SensitivityPlaces& sensitivity,
                      const Terminal& terminal) {
    Point point;
    return referencedPoint(module, sensitivity, terminal, point);
}

bool refreshTerminal(const Module& module, const SensitivityPlaces& sensitivity,
                     Terminal& terminal) {
    Point point;
    if (!referencedPoint(module, sensitivity, terminal, point)) return false;
    terminal.x = point.x;
    terminal.y = point.y;
    return true;
}

void refreshTerminals(Module& module, const SensitivityPlaces& sensitivity) {
    for (auto& [name, net] : module.nets) {
        for (Terminal& terminal : net.terminals) refreshTerminal(module, sensitivity, terminal);
    }
}

bool generatedSide(const Module& module, const SensitivityPlaces& sensitivity,
                   const Terminal& terminal, int& side) {
    if (!refersToDrawable(module, sensitivity, terminal)) return false;
    if (terminal.kind == kKindPin) {
        side = module.pins[static_cast<std::size_t>(terminal.index)].direction == 1 ? kSideLeft
                                                                                    : kSideRight;
        return true;
    }
    if (terminal.kind == kKindAlways) {
        const Always& block = module.alwaysBlocks[static_cast<std::size_t>(terminal.index)];
        if (terminal.portIndex < static_cast<int>(block.sensitivity.size())) {
            side = kSideLeft;
            return true;
        }
    }
    const Pin* port = referencedPort(module, terminal);
    side = port && port->direction == 1 ? kSideRight : kSideLeft;
    return true;
}

void setTerminalSides(Module& module, const SensitivityPlaces& sensitivity) {
    for (auto& [name, net] : module.nets) {
        for (Terminal& terminal : net.terminals) {
            generatedSide(module, sensitivity, terminal, terminal.side);
        }
    }
}

void faceAlwaysWritesRight(Net& net) {
    for (Terminal& terminal : net.terminals) {
        if (terminal.kind == kKindAlways && terminal.role == kRoleWrite &&
            terminal.side == kSideLeft) {
            terminal.side = kSideRight;
        }
    }
}

}  // namespace corvane
