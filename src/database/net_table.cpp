#include "database/net_table.h"

#include "console/message_log.h"

namespace corvane {

namespace {

Terminal declarationTerminal(int kind, int index, int role, int msb, int lsb, int line) {
    Terminal terminal;
    terminal.kind = kind;
    terminal.index = index;
    terminal.portIndex = -1;
    terminal.role = role;
    terminal.msb = msb;
    terminal.lsb = lsb;
    terminal.line = line;
    terminal.x = -1;
    return terminal;
}

// Inserts a net holding `terminal` unless `name` is already a net; runs the
// check for a new net. Returns whether it inserted.
bool insertNet(Module& module, const std::string& name, const Terminal& terminal,
               const NetCheck& check) {
    auto [it, inserted] = module.nets.try_emplace(name);
    if (!inserted) return false;
    it->second.terminals.push_back(terminal);
    if (check) check(module, name);
    return true;
}

void dropOutOfRangeTerminals(Module& module) {
    for (auto& [name, net] : module.nets) {
        std::erase_if(net.terminals, [](const Terminal& terminal) {
            return terminal.kind < 0 || terminal.kind > kMaxTerminalKind;
        });
    }
}

}  // namespace

bool isBareNetName(const std::string& target) {
    if (target.empty()) return false;
    return target.find_first_of("[]{}(), ") == std::string::npos;
}

void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   const NetCheck& check) {
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        const Terminal terminal = declarationTerminal(kKindPin, static_cast<int>(i), pin.direction,
                                                      pin.msb, pin.lsb, pin.line);
        if (!insertNet(module, pin.name, terminal, check)) {
            log.logError(filePath, pin.line, "\"" + pin.name + "\" is already defined.\r\n");
        }
    }
    for (std::size_t i = 0; i < module.regs.size(); ++i) {
        const Reg& reg = module.regs[i];
        insertNet(module, reg.name,
                  declarationTerminal(kKindReg, static_cast<int>(i), -1, reg.msb, reg.lsb, reg.line),
                  check);
    }
    for (std::size_t i = 0; i < module.wires.size(); ++i) {
        const Wire& wire = module.wires[i];
        insertNet(module, wire.name,
                  declarationTerminal(kKindWire, static_cast<int>(i), -1, wire.msb, wire.lsb, wire.line),
                  check);
    }
    if (module.language == kVerilog) {
        // Every pin, reg and wire name is a net by now, so a target that names
        // a declaration is an existing net, which insertNet leaves alone.
        for (std::size_t i = 0; i < module.assigns.size(); ++i) {
            const Assign& assign = module.assigns[i];
            if (!isBareNetName(assign.name)) continue;
            insertNet(module, assign.name,
                      declarationTerminal(kKindWire, static_cast<int>(i), -1, -1, -1, assign.line),
                      check);
        }
    }
    dropOutOfRangeTerminals(module);
}

}  // namespace corvane
