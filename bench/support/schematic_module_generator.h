// Generates large synthetic modules for the schematic benchmark and tests:
// blocks of all four kinds joined by nets of 2 to 100 terminals, built the
// way the connection checks leave a parsed module.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "database/records.h"

namespace corvane::bench {

// Builds a module the way the connection checks leave one: every use of a net
// is a terminal on the net and a port on the block.
class GeneratedModuleBuilder {
public:
    explicit GeneratedModuleBuilder(unsigned seed) : random_(seed) {
        module_.name = module_.displayName = "gen";
    }

    Module build(int blocks) {
        for (int k = 0; k < blocks; ++k) addBlock(k);
        for (int i = 0; i < blocks; ++i) addNet(i);
        return std::move(module_);
    }

private:
    // A block of a random kind; always blocks are clocked by clk.
    void addBlock(int k) {
        const int kind = kKindAssign + static_cast<int>(random_() % 4);
        int index = 0;
        if (kind == kKindAssign) {
            module_.assigns.emplace_back().name = "a" + std::to_string(k);
            index = static_cast<int>(module_.assigns.size()) - 1;
        } else if (kind == kKindAlways) {
            Always& block = module_.alwaysBlocks.emplace_back();
            block.line = k;
            block.sensitivity.emplace_back().name = "clk";
            index = static_cast<int>(module_.alwaysBlocks.size()) - 1;
            use("clk", kind, index, 16);
        } else if (kind == kKindChild) {
            Child& block = module_.children.emplace_back();
            block.moduleName = "m";
            block.name = "u" + std::to_string(k);
            index = static_cast<int>(module_.children.size()) - 1;
        } else {
            module_.initialBlocks.emplace_back().line = k;
            index = static_cast<int>(module_.initialBlocks.size()) - 1;
        }
        blocks_.push_back({kind, index});
    }

    // Net n<i>: most nets have 2 to 5 terminals, one in eight up to 100; one
    // net in ten also ends on a module pin.
    void addNet(int i) {
        const std::string name = "n" + std::to_string(i);
        const bool pin = i % 10 == 0;
        if (pin) addPin(name, static_cast<int>(random_() % 3));
        const int size = random_() % 8 == 0 ? 2 + static_cast<int>(random_() % 99)
                                            : 2 + static_cast<int>(random_() % 4);
        for (int t = pin ? 1 : 0; t < size; ++t) {
            const auto [kind, index] = blocks_[random_() % blocks_.size()];
            use(name, kind, index, random_() % 3 == 0 ? 1 : 0);
        }
    }

    void addPin(const std::string& name, int direction) {
        Pin& pin = module_.pins.emplace_back();
        pin.name = pin.displayName = name;
        pin.direction = direction;
        Terminal terminal;
        terminal.kind = kKindPin;
        terminal.index = static_cast<int>(module_.pins.size()) - 1;
        terminal.role = direction;
        module_.nets[name].terminals.push_back(terminal);
    }

    void use(const std::string& net, int kind, int index, int role) {
        std::vector<Pin>& ports = portsOf(kind, index);
        Terminal terminal;
        terminal.kind = kind;
        terminal.index = index;
        terminal.role = role;
        terminal.portIndex = static_cast<int>(ports.size());
        module_.nets[net].terminals.push_back(terminal);
        Pin& port = ports.emplace_back();  // a sensitivity use (role 16) is a port too
        port.name = port.displayName = net;
        port.direction = role;
    }

    std::vector<Pin>& portsOf(int kind, int index) {
        const auto at = static_cast<std::size_t>(index);
        if (kind == kKindAssign) return module_.assigns[at].ports;
        if (kind == kKindAlways) return module_.alwaysBlocks[at].ports;
        if (kind == kKindChild) return module_.children[at].ports;
        return module_.initialBlocks[at].ports;
    }

    std::mt19937 random_;
    Module module_;
    std::vector<std::pair<int, int>> blocks_;  // kind, index
};

}  // namespace corvane::bench
