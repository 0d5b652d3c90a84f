#include "database/net_table.h"

#include "diagnostics/message_log.h"
#include "text/text_helpers.h"

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

// Runs a plain check function on every inserted net.
class CheckCaller final : public NetInsertionObserver {
public:
    explicit CheckCaller(const NetCheck& check) : check_(check) {}
    void netInserted(Module& module, const std::string& name, Net&) override {
        if (check_) check_(module, name);
    }

private:
    const NetCheck& check_;
};

// Inserts a net holding `terminal` unless `name` is already a net; tells the
// observer of a new net. Returns whether it inserted.
bool insertNet(Module& module, const std::string& name, const Terminal& terminal,
               NetInsertionObserver& observer) {
    auto [it, inserted] = module.nets.try_emplace(name);
    if (!inserted) return false;
    std::vector<Terminal>& terminals = it->second.terminals;
    terminals.reserve(1 + observer.expectedUses(name));
    terminals.push_back(terminal);
    observer.netInserted(module, name, it->second);
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
    return findFirstOf(target, "[]{}(), ") == std::string_view::npos;
}

void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   const NetCheck& check) {
    CheckCaller caller(check);
    buildNetTable(module, filePath, log, caller);
}

void buildNetTable(Module& module, const std::string& filePath, MessageLog& log,
                   NetInsertionObserver& observer) {
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        const Terminal terminal = declarationTerminal(kKindPin, static_cast<int>(i), pin.direction,
                                                      pin.msb, pin.lsb, pin.line);
        if (!insertNet(module, pin.name, terminal, observer)) {
            log.logError(filePath, pin.line, "\"" + pin.name + "\" is already defined.\r\n");
        }
    }
    for (std::size_t i = 0; i < module.regs.size(); ++i) {
        const Reg& reg = module.regs[i];
        insertNet(
            module, reg.name,
            declarationTerminal(kKindReg, static_cast<int>(i), -1, reg.msb, reg.lsb, reg.line),
            observer);
    }
    for (std::size_t i = 0; i < module.wires.size(); ++i) {
        const Wire& wire = module.wires[i];
        insertNet(
            module, wire.name,
            declarationTerminal(kKindWire, static_cast<int>(i), -1, wire.msb, wire.lsb, wire.line),
            observer);
    }
    if (module.language == kVerilog) {
        // Every pin, reg and wire name is a net by now, so a target that names
        // a declaration is an existing net, which insertNet leaves alone.
        for (std::size_t i = 0; i < module.assigns.size(); ++i) {
            const Assign& assign = module.assigns[i];
            if (!isBareNetName(assign.name)) continue;
            insertNet(module, assign.name,
                      declarationTerminal(kKindWire, static_cast<int>(i), -1, -1, -1, assign.line),
                      observer);
        }
    }
    dropOutOfRangeTerminals(module);
}

}  // namespace corvane
