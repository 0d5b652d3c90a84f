#include "schematic/place_terminals.h"

#include <set>
#include <utility>
#include <vector>

#include "schematic/block_access.h"
#include "schematic/terminal_refresh.h"

namespace corvane {

namespace {

constexpr int kSeparationStep = 16;

// For every pin, the first kind-0 terminal (in nets order) that refers to it.
std::vector<Terminal*> firstPinTerminals(Module& module) {
    std::vector<Terminal*> first(module.pins.size(), nullptr);
    for (auto& [name, net] : module.nets) {
        for (Terminal& terminal : net.terminals) {
            if (terminal.kind != kKindPin) continue;
            if (terminal.index < 0 || static_cast<std::size_t>(terminal.index) >= first.size()) {
                continue;
            }
            Terminal*& slot = first[static_cast<std::size_t>(terminal.index)];
            if (!slot) slot = &terminal;
        }
    }
    return first;
}

void alignNet(Module& module, const SensitivityPlaces& sensitivity, Net& net) {
    Terminal* lastPin = nullptr;
    bool aligned = false;
    for (Terminal& terminal : net.terminals) {
        if (!refreshTerminal(module, sensitivity, terminal)) continue;
        if (terminal.kind == kKindPin) {
            lastPin = &terminal;
            continue;
        }
        if (aligned || terminal.portIndex < 0) continue;
        aligned = true;  // only the first block terminal with a port moves a pin
        if (!lastPin) continue;
        module.pins[static_cast<std::size_t>(lastPin->index)].y = terminal.y;
        lastPin->y = terminal.y;
    }
}

}  // namespace

void alignPinsWithBlocks(Module& module, const SensitivityPlaces& sensitivity) {
    for (auto& [name, net] : module.nets) alignNet(module, sensitivity, net);
}

void separatePins(Module& module) {
    // Pin i is compared only with the pins after it, which have not moved yet,
    // so it moves exactly when a later pin has its direction and its current
    // y. One walk from the back with the (direction, y) pairs seen answers
    // that for every pin.
    std::vector<bool> moves(module.pins.size(), false);
    std::set<std::pair<int, int>> later;
    for (std::size_t i = module.pins.size(); i-- > 0;) {
        const Pin& pin = module.pins[i];
        moves[i] = !later.insert({pin.direction, pin.y}).second;
    }
    const std::vector<Terminal*> first = firstPinTerminals(module);
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        if (!moves[i]) continue;
        Pin& pin = module.pins[i];
        pin.y += kSeparationStep;
        if (first[i]) first[i]->y = pin.y;
    }
}

void placeTerminals(Module& module, const SensitivityPlaces& sensitivity) {
    alignPinsWithBlocks(module, sensitivity);
    separatePins(module);
    setTerminalSides(module, sensitivity);
}

}  // namespace corvane
