// Hand-built modules for the schematic tests: pins with their declaration
// terminals, blocks, and uses recorded as the connection checks leave them
// (a terminal on the net and a port on the block, portIndex = the port's position).
#pragma once

#include <string>
#include <vector>

#include "database/records.h"

namespace corvane::testing {

inline constexpr int kRead = 0;
inline constexpr int kWrite = 1;
inline constexpr int kSens = 16;

class ModuleBuilder {
public:
    explicit ModuleBuilder(const std::string& name, int language = kVerilog) {
        module.name = name;
        module.displayName = name;
        module.language = language;
    }

    // A module port and its net with the kind-0 declaration terminal.
    int pin(const std::string& name, int direction, int msb = -1, int lsb = -1) {
        Pin pin;
        pin.name = pin.displayName = name;
        pin.direction = direction;
        pin.msb = msb;
        pin.lsb = lsb;
        module.pins.push_back(pin);
        const int index = static_cast<int>(module.pins.size()) - 1;
        declare(name, kKindPin, index, direction, msb, lsb);
        return index;
    }

    // A wire and its net with the kind-1 declaration terminal.
    int wire(const std::string& name, int msb = -1, int lsb = -1) {
        Wire wire;
        wire.name = wire.displayName = name;
        wire.msb = msb;
        wire.lsb = lsb;
        module.wires.push_back(wire);
        const int index = static_cast<int>(module.wires.size()) - 1;
        declare(name, kKindWire, index, -1, msb, lsb);
        return index;
    }

    int assign(const std::string& target) {
        Assign block;
        block.name = block.displayName = target;
        module.assigns.push_back(block);
        return static_cast<int>(module.assigns.size()) - 1;
    }

    int always(const std::vector<std::string>& sensitivity = {}, int line = 0) {
        Always block;
        block.line = line;
        for (const std::string& name : sensitivity) {
            Sensitivity entry;
            entry.name = entry.displayName = name;
            block.sensitivity.push_back(entry);
        }
        module.alwaysBlocks.push_back(block);
        return static_cast<int>(module.alwaysBlocks.size()) - 1;
    }

    int child(const std::string& moduleName, const std::string& instance) {
        Child block;
        block.moduleName = block.moduleDisplayName = moduleName;
        block.name = block.displayName = instance;
        module.children.push_back(block);
        return static_cast<int>(module.children.size()) - 1;
    }

    int initial(int line = 0) {
        Initial block;
        block.line = line;
        module.initialBlocks.push_back(block);
        return static_cast<int>(module.initialBlocks.size()) - 1;
    }

    // One use of net `net` by block `index` of `kind`: a port named after the
    // net with direction `role` and a terminal pointing at it.
    int use(const std::string& net, int kind, int index, int role, int msb = -1, int lsb = -1) {
        std::vector<Pin>& ports = portsOf(kind, index);
        Terminal terminal;
        terminal.kind = kind;
        terminal.index = index;
        terminal.portIndex = static_cast<int>(ports.size());
        terminal.role = role;
        terminal.msb = msb;
        terminal.lsb = lsb;
        terminal.x = -1;
        module.nets[net].terminals.push_back(terminal);
        Pin port;
        port.name = port.displayName = net;
        port.direction = role;
        port.msb = msb;
        port.lsb = lsb;
        ports.push_back(port);
        return terminal.portIndex;
    }

    Module module;

private:
    void declare(const std::string& name, int kind, int index, int role, int msb, int lsb) {
        Terminal terminal;
        terminal.kind = kind;
        terminal.index = index;
        terminal.role = role;
        terminal.msb = msb;
        terminal.lsb = lsb;
        terminal.x = -1;
        module.nets[name].terminals.push_back(terminal);
    }

    std::vector<Pin>& portsOf(int kind, int index) {
        const auto at = static_cast<std::size_t>(index);
        switch (kind) {
            case kKindAssign:
                return module.assigns[at].ports;
            case kKindAlways:
                return module.alwaysBlocks[at].ports;
            case kKindChild:
                return module.children[at].ports;
            default:
                return module.initialBlocks[at].ports;
        }
    }
};

// The module of the placement examples: y = f(a), one assign between an input and an output.
inline Module oneAssignModule() {
    ModuleBuilder b("top");
    b.pin("a", 0);
    b.pin("y", 1);
    const int assign = b.assign("y");
    b.use("y", kKindAssign, assign, kWrite);
    b.use("a", kKindAssign, assign, kRead);
    return b.module;
}

}  // namespace corvane::testing
