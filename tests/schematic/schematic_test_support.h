// Hand-built modules for the schematic tests: pins with their declaration
// terminals, blocks, and uses recorded as the connection checks leave them
// (a terminal on the net and a port on the block, portIndex = the port's position).
#pragma once

#include <random>
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

// A terminal with no point whose references may lie outside the module.
inline Terminal strayTerminal(int kind, int index, int portIndex, int role = kRead) {
    Terminal t;
    t.kind = kind;
    t.index = index;
    t.portIndex = portIndex;
    t.role = role;
    t.x = -1;
    return t;
}

// Pins a (input), b (output) and c (inout), each on its own net, no blocks.
inline Module pinsOnlyModule() {
    ModuleBuilder b("pins");
    b.pin("a", 0);
    b.pin("b", 1);
    b.pin("c", 2);
    return b.module;
}

// One block of each kind, none with a port.
inline Module portlessBlocksModule() {
    ModuleBuilder b("bare");
    b.assign("x");
    b.always();
    b.child("m", "u");
    b.initial();
    return b.module;
}

// oneAssignModule with terminals of net a pointing at pins, blocks and ports
// that do not exist, and a net "ghost" holding only such a terminal. The stray
// terminals follow a's first terminal when `afterFirst`, else they come last.
inline Module strayTerminalsModule(bool afterFirst) {
    Module module = oneAssignModule();
    std::vector<Terminal>& terminals = module.nets["a"].terminals;
    for (const Terminal& t :
         {strayTerminal(kKindPin, 1000, -1), strayTerminal(kKindPin, -5, -1),
          strayTerminal(kKindAssign, 0, 99), strayTerminal(kKindAssign, 7, 0),
          strayTerminal(kKindAlways, 0, 0, kSens), strayTerminal(kKindChild, -1, 0),
          strayTerminal(kKindInitial, 0, -3), strayTerminal(25, 0, 0), strayTerminal(-1, 0, 0),
          strayTerminal(kKindReg, 3, 3)}) {
        if (afterFirst) {
            terminals.insert(terminals.begin() + 1, t);
        } else {
            terminals.push_back(t);
        }
    }
    module.nets["ghost"].terminals.push_back(strayTerminal(kKindAssign, 0, 5));
    return module;
}

// A 16-bit input read bit by bit by 199 assigns, one of which also drives y.
inline Module wideNetModule() {
    ModuleBuilder b("wide");
    b.pin("bus", 0, 15, 0);
    b.pin("y", 1);
    for (int k = 0; k < 199; ++k) b.use("bus", kKindAssign, b.assign("x"), kRead, k, k);
    b.use("y", kKindAssign, 0, kWrite);
    return b.module;
}

// A module of `blocks` blocks of all four kinds, each using a few of a pool of
// 60 pins and 200 wires in random roles; fixed seed, so the same every run.
// When `varied`, every fourth pin is an 8-bit bus, children instantiate seven
// different modules and each always block is sensitive to a random net;
// otherwise all children are of module m and all always blocks wait on p0.
inline Module largeModule(int blocks, unsigned seed, bool varied) {
    std::mt19937 random(seed);
    ModuleBuilder b("large");
    std::vector<std::string> nets;
    for (int i = 0; i < 60; ++i) {
        nets.push_back("p" + std::to_string(i));
        const bool bus = varied && i % 4 == 0;
        b.pin(nets.back(), static_cast<int>(random() % 3), bus ? 7 : -1, bus ? 0 : -1);
    }
    for (int i = 0; i < 200; ++i) {
        nets.push_back("w" + std::to_string(i));
        b.wire(nets.back());
    }
    for (int k = 0; k < blocks; ++k) {
        const int kind = kKindAssign + static_cast<int>(random() % 4);
        int index = 0;
        if (kind == kKindAssign) index = b.assign("a" + std::to_string(k));
        if (kind == kKindChild) {
            index = b.child(varied ? "m" + std::to_string(k % 7) : "m", "u" + std::to_string(k));
        }
        if (kind == kKindInitial) index = b.initial(k);
        if (kind == kKindAlways) {
            const std::string clock = varied ? nets[random() % nets.size()] : "p0";
            index = b.always({clock}, k);
            b.use(clock, kind, index, kSens);
        }
        const int uses = 1 + static_cast<int>(random() % 6);
        for (int u = 0; u < uses; ++u) {
            b.use(nets[random() % nets.size()], kind, index, random() % 3 == 0 ? kWrite : kRead);
        }
    }
    return b.module;
}

// A four-bit counter with an enable and an asynchronous reset, as Verilog source.
inline constexpr const char* kCounterSource =
    "module counter(clk, rst, en, q);\n"
    "  input clk, rst, en;\n"
    "  output [3:0] q;\n"
    "  reg [3:0] q;\n"
    "  wire inc;\n"
    "  assign inc = en & ~rst;\n"
    "  always @(posedge clk or posedge rst)\n"
    "    if (rst) q <= 0;\n"
    "    else if (inc) q <= q + 1;\n"
    "endmodule\n";

}  // namespace corvane::testing
