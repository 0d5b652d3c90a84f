// The child port direction pass: after a batch of files, every child
// connection takes the direction of the port it connects to.
#include <optional>
#include <string>
#include <unordered_map>

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

Pin* firstPortNamed(Child& child, const std::string& name) {
    for (Pin& port : child.ports) {
        if (port.name == name) return &port;
    }
    return nullptr;
}

void resolveChild(Child& child, PortDirections& directions) {
    for (Connection& connection : child.connections) {
        const int direction = directions.find(child.moduleName, connection.port).value_or(0);
        connection.flags = direction;
        if (Pin* port = firstPortNamed(child, connection.port)) port->direction = direction;
    }
}

// Child terminals name the child by `index` and the connection by `portIndex`.
void copyFlagsToTerminals(Module& module) {
    for (auto& [name, net] : module.nets) {
        for (Terminal& terminal : net.terminals) {
            if (terminal.kind != kKindChild || terminal.index < 0 || terminal.portIndex < 0) {
                continue;
            }
            const auto c = static_cast<std::size_t>(terminal.index);
            if (c >= module.children.size()) continue;
            const auto& connections = module.children[c].connections;
            const auto k = static_cast<std::size_t>(terminal.portIndex);
            if (k < connections.size()) terminal.role = connections[k].flags;
        }
    }
}

}  // namespace

void resolveChildPortDirections(ModuleList& modules) {
    PortDirections directions(modules);
    for (Module& module : modules) {
        for (Child& child : module.children) resolveChild(child, directions);
        copyFlagsToTerminals(module);
    }
}

}  // namespace corvane
