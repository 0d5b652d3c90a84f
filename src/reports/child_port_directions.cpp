// The child port direction pass: after a batch of files, every child
// connection takes the direction of the port it connects to.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "reports/bit_range.h"

#include "reports/connection_checks.h"

namespace corvane {

namespace {

// First module of each name, and the first pin of each name inside a module,
// looked up once instead of by a scan per connection.
class PortDirections {
public:
    explicit PortDirections(const ModuleList& modules) {
        for (const Module& module : modules) modules_.try_emplace(module.name, &module);
    }

    // The direction of pin `port` of module `moduleName`, when both exist.
    std::optional<int> find(const std::string& moduleName, const std::string& port) {
        const auto module = modules_.find(moduleName);
        if (module == modules_.end()) return std::nullopt;
        const auto& pins = pinsOf(*module->second);
        const auto pin = pins.find(port);
        if (pin == pins.end()) return std::nullopt;
        return pin->second;
    }

    // The direction of the pin at `position` of module `moduleName`, for a
    // positional connection.
    std::optional<int> findAt(const std::string& moduleName, std::size_t position) {
        const auto module = modules_.find(moduleName);
        if (module == modules_.end() || position >= module->second->pins.size()) return std::nullopt;
        return module->second->pins[position].direction;
    }

private:
    const std::unordered_map<std::string, int>& pinsOf(const Module& module) {
        auto [it, inserted] = pins_.try_emplace(&module);
        if (inserted) {
            for (const Pin& pin : module.pins) it->second.try_emplace(pin.name, pin.direction);
        }
        return it->second;
    }

    std::unordered_map<std::string, const Module*> modules_;
    std::unordered_map<const Module*, std::unordered_map<std::string, int>> pins_;
};

// Whether the connection checks turned this connection into a block port:
// its signal names a net and its select is well formed.
bool madeBlockPort(const Module& module, const Connection& connection) {
    const std::string name(signalTextName(connection.signal));
    if (!module.nets.contains(name)) return false;
    MessageLog scratch;
    BitRange range;
    return module.language == kVhdl ? rangeFromVhdlText(module, connection.signal, scratch, range)
                                    : rangeFromText(module, connection.signal, scratch, range);
}

// The block port each connection of a child produced, or -1. A net is checked
// once and its connections are scanned in order, so the m-th port named N
// belongs to the m-th connection (that made a port) whose signal names N.
std::vector<int> blockPortOfEachConnection(const Module& module, const Child& child) {
    std::unordered_map<std::string, std::vector<int>> portsByName;
    for (std::size_t p = 0; p < child.ports.size(); ++p) {
        portsByName[child.ports[p].name].push_back(static_cast<int>(p));
    }
    std::unordered_map<std::string, std::size_t> used;
    std::vector<int> result(child.connections.size(), -1);
    for (std::size_t k = 0; k < child.connections.size(); ++k) {
        const Connection& connection = child.connections[k];
        if (!madeBlockPort(module, connection)) continue;
        const std::string name(signalTextName(connection.signal));
        const auto ports = portsByName.find(name);
        std::size_t& next = used[name];
        if (ports == portsByName.end() || next >= ports->second.size()) continue;
        result[k] = ports->second[next++];
    }
    return result;
}

// Gives each connection the direction of the child module's pin it connects
// to: by name, or for a positional connection by position; 0 when the child
// module or the pin is unknown. The block port the connection produced and
// the terminals that refer to that port take the same direction.
void resolveChild(Module& module, std::size_t c, PortDirections& directions) {
    Child& child = module.children[c];
    const std::vector<int> portOf = blockPortOfEachConnection(module, child);
    std::unordered_map<int, int> roleOfPort;
    for (std::size_t k = 0; k < child.connections.size(); ++k) {
        Connection& connection = child.connections[k];
        const std::optional<int> found = connection.port.empty()
                                             ? directions.findAt(child.moduleName, k)
                                             : directions.find(child.moduleName, connection.port);
        connection.flags = found.value_or(0);
        if (portOf[k] < 0) continue;
        child.ports[static_cast<std::size_t>(portOf[k])].direction = connection.flags;
        roleOfPort[portOf[k]] = connection.flags;
    }
    for (auto& [name, net] : module.nets) {
        for (Terminal& terminal : net.terminals) {
            if (terminal.kind != kKindChild || terminal.index != static_cast<int>(c)) continue;
            const auto role = roleOfPort.find(terminal.portIndex);
            if (role != roleOfPort.end()) terminal.role = role->second;
        }
    }
}

}  // namespace

void resolveChildPortDirections(ModuleList& modules) {
    PortDirections directions(modules);
    for (Module& module : modules) {
        for (std::size_t c = 0; c < module.children.size(); ++c) resolveChild(module, c, directions);
    }
}

}  // namespace corvane
