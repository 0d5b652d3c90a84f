#include "elaboration/connection_uses.h"

namespace corvane {

namespace {

constexpr int kRoleRead = 0;
constexpr int kRoleWrite = 1;
constexpr int kRoleSensitivity = 16;

template <typename T>
const T* at(const std::vector<T>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

// The statement list and keyword line of an always or initial block.
const std::vector<Statement>* statementsOf(const Module& module, int kind, int block, int& line) {
    if (kind == kKindAlways) {
        const Always* always = at(module.alwaysBlocks, block);
        if (!always) return nullptr;
        line = always->line;
        return &always->statements;
    }
    const Initial* initial = at(module.initialBlocks, block);
    if (!initial) return nullptr;
    line = initial->line;
    return &initial->statements;
}

// Where the text of a use is: a token list (with the operand index) or a
// signal text, with the role and the line a text use takes.
struct UseText {
    const std::vector<FormulaToken>* tokens = nullptr;
    const std::string* text = nullptr;
    int role = 0;
    int line = 0;
};

bool locateAssignUse(const Module& module, const UseRef& ref, UseText& found) {
    const Assign* assign = at(module.assigns, ref.block);
    if (!assign) return false;
    switch (ref.source) {
        case UseSource::kAssignLhs:
            found = {&assign->lhsTokens, nullptr, kRoleWrite, 0};
            return true;
        case UseSource::kAssignRhs:
            found = {&assign->rhsTokens, nullptr, kRoleRead, 0};
            return true;
        case UseSource::kAssignTarget:
            found = {nullptr, &assign->name, kRoleWrite, assign->line};
            return true;
        default:
            return false;
    }
}

bool locateStatementUse(const Module& module, const UseRef& ref, UseText& found) {
    int line = 0;
    const std::vector<Statement>* statements = statementsOf(module, ref.kind, ref.block, line);
    if (!statements) return false;
    const Statement* statement = at(*statements, ref.item);
    if (!statement) return false;
    switch (ref.source) {
        case UseSource::kTargetTokens:
            found = {&statement->targetTokens, nullptr, kRoleWrite, 0};
            return true;
        case UseSource::kTargetText:
            found = {nullptr, &statement->target, kRoleWrite, line};
            return true;
        case UseSource::kValueTokens:
            found = {&statement->valueTokens, nullptr, kRoleRead, 0};
            return true;
        default:
            return false;
    }
}

bool locateUse(const Module& module, const UseRef& ref, UseText& found) {
    switch (ref.source) {
        case UseSource::kAssignLhs:
        case UseSource::kAssignRhs:
        case UseSource::kAssignTarget:
            return ref.kind == kKindAssign && locateAssignUse(module, ref, found);
        case UseSource::kSensitivity: {
            const Always* always =
                ref.kind == kKindAlways ? at(module.alwaysBlocks, ref.block) : nullptr;
            const Sensitivity* entry = always ? at(always->sensitivity, ref.item) : nullptr;
            if (!entry) return false;
            found = {nullptr, &entry->name, kRoleSensitivity, always->line};
            return true;
        }
        case UseSource::kTargetTokens:
        case UseSource::kTargetText:
        case UseSource::kValueTokens:
            if (ref.kind != kKindAlways && ref.kind != kKindInitial) return false;
            return locateStatementUse(module, ref, found);
        case UseSource::kConnection: {
            const Child* child = ref.kind == kKindChild ? at(module.children, ref.block) : nullptr;
            const Connection* connection = child ? at(child->connections, ref.item) : nullptr;
            if (!connection) return false;
            found = {nullptr, &connection->signal, connection->flags, child->line};
            return true;
        }
    }
    return false;
}

}  // namespace

const SelectSyntax& selectSyntaxFor(Language scans) {
    return scans == kVhdl ? kVhdlSelect : kVerilogSelect;
}

bool resolveUse(const Module& module, const UseRef& ref, const RangeResolver& resolver,
                const SelectSyntax& syntax, MessageLog& log, ResolvedUse& use) {
    UseText found;
    if (!locateUse(module, ref, found)) return false;
    use.role = found.role;
    if (found.text) {
        use.fromTokens = false;
        use.line = found.line;
        return resolver.fromText(*found.text, syntax, log, use.range);
    }
    const FormulaToken* token = at(*found.tokens, ref.token);
    if (!token) return false;
    use.fromTokens = true;
    use.line = token->line;
    return resolver.fromTokens(*found.tokens, static_cast<std::size_t>(ref.token), syntax, log,
                               use.range);
}

std::vector<Pin>* blockPorts(Module& module, int kind, int block) {
    const auto portsAt = [block](auto& blocks) -> std::vector<Pin>* {
        if (block < 0 || static_cast<std::size_t>(block) >= blocks.size()) return nullptr;
        return &blocks[static_cast<std::size_t>(block)].ports;
    };
    switch (kind) {
        case kKindAssign:
            return portsAt(module.assigns);
        case kKindAlways:
            return portsAt(module.alwaysBlocks);
        case kKindChild:
            return portsAt(module.children);
        case kKindInitial:
            return portsAt(module.initialBlocks);
        default:
            return nullptr;
    }
}

bool hasSamePort(const std::vector<Pin>& ports, std::string_view name, int role, BitRange range) {
    for (const Pin& port : ports) {
        if (port.name == name && port.direction == role && port.msb == range.msb &&
            port.lsb == range.lsb) {
            return true;
        }
    }
    return false;
}

void recordUse(Net& net, std::vector<Pin>& ports, const UseRef& ref, const std::string& name,
               const ResolvedUse& use) {
    Terminal& terminal = net.terminals.emplace_back();
    terminal.kind = ref.kind;
    terminal.index = ref.block;
    terminal.portIndex = static_cast<int>(ports.size());
    terminal.role = use.role;
    terminal.msb = use.range.msb;
    terminal.lsb = use.range.lsb;
    terminal.line = use.line;
    terminal.x = -1;

    // The port is filled before it joins the list: `name` may be a name held
    // by one of these very ports, which growing the list would move.
    Pin port;
    port.name = name;
    port.displayName = name;
    port.direction = use.role;
    port.msb = use.range.msb;
    port.lsb = use.range.lsb;
    ports.push_back(std::move(port));
}

}  // namespace corvane
