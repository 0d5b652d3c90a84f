// The child port direction pass: after a batch of files, every child
// connection takes the direction of the port it connects to.
#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/module_name_index.h"
#include "database/name_table.h"
#include "elaboration/bit_range.h"
#include "elaboration/connection_checks.h"

namespace corvane {

namespace {

// First module of each name, and the first pin of each name inside a module,
// looked up once instead of by a scan per connection. Modules with few pins
// are scanned, which beats building a table for them.
class PortDirections {
public:
    explicit PortDirections(const ModuleList& modules) : modules_(modules) {}

    // The first module named `name`, or null.
    const Module* module(std::string_view name) const { return modules_.find(name); }

    // The direction of the first pin named `port` of `module`, when it has one.
    std::optional<int> find(const Module& module, std::string_view port) {
        if (module.pins.size() <= kScannedPins) {
            for (const Pin& pin : module.pins) {
                if (pin.name == port) return pin.direction;
            }
            return std::nullopt;
        }
        const auto& pins = pinsOf(module);
        const auto pin = pins.find(port);
        if (pin == pins.end()) return std::nullopt;
        return pin->second;
    }

    // The direction of the pin at `position` of `module`, for a positional
    // connection.
    static std::optional<int> findAt(const Module& module, std::size_t position) {
        if (position >= module.pins.size()) return std::nullopt;
        return module.pins[position].direction;
    }

private:
    static constexpr std::size_t kScannedPins = 16;

    const std::unordered_map<std::string_view, int>& pinsOf(const Module& module) {
        auto [it, inserted] = pins_.try_emplace(&module);
        if (inserted) {
            for (const Pin& pin : module.pins) it->second.try_emplace(pin.name, pin.direction);
        }
        return it->second;
    }

    ModuleNameIndex modules_;
    std::unordered_map<const Module*, std::unordered_map<std::string_view, int>> pins_;
};

// The nets of one module, walked once: their names for the lookups of the
// connections and the nets themselves, in name order, for the terminals.
// Kept from module to module.
using NetEntry = std::pair<const std::string, Net>;

struct ModuleNets {
    void take(Module& module) {
        start(module.nets.size());
        for (NetEntry& entry : module.nets) add(entry);
    }

    void take(const std::vector<NetEntry*>& entries) {
        start(entries.size());
        for (NetEntry* entry : entries) add(*entry);
    }

    bool contains(std::string_view name) const { return names.find(name) >= 0; }

    NameTable names;
    std::vector<Net*> nets;

private:
    void start(std::size_t count) {
        names.clear(count);
        nets.clear();
        nets.reserve(count);
    }

    void add(NetEntry& entry) {
        names.findOrAdd(entry.first);
        nets.push_back(&entry.second);
    }
};

// Whether the connection checks turned this connection into a block port:
// its signal names a net and its select is well formed.
bool madeBlockPort(const Module& module, const ModuleNets& nets, const Connection& connection) {
    if (!nets.contains(signalTextName(connection.signal))) return false;
    return selectCloses(connection.signal, module.language == kVhdl ? kVhdlSelect : kVerilogSelect);
}

// Working lists of one child, kept from child to child.
struct ChildScratch {
    std::vector<std::pair<std::string_view, int>> connections;  // name and connection index
    std::vector<std::pair<std::string_view, int>> ports;        // name and port index
    std::vector<int> portOf;                                    // per connection
};

// The block port each connection of a child produced, or -1, into
// scratch.portOf. A net is checked once and its connections are scanned in
// order, so the m-th port named N belongs to the m-th connection (that made
// a port) whose signal names N: both lists sorted by name and then index
// pair up in one merge.
void blockPortOfEachConnection(const Module& module, const ModuleNets& nets, const Child& child,
                               ChildScratch& scratch) {
    scratch.portOf.assign(child.connections.size(), -1);
    scratch.connections.clear();
    for (std::size_t k = 0; k < child.connections.size(); ++k) {
        const Connection& connection = child.connections[k];
        if (!madeBlockPort(module, nets, connection)) continue;
        scratch.connections.emplace_back(signalTextName(connection.signal), static_cast<int>(k));
    }
    scratch.ports.clear();
    for (std::size_t p = 0; p < child.ports.size(); ++p) {
        scratch.ports.emplace_back(child.ports[p].name, static_cast<int>(p));
    }
    std::sort(scratch.connections.begin(), scratch.connections.end());
    std::sort(scratch.ports.begin(), scratch.ports.end());
    auto port = scratch.ports.begin();
    for (const auto& [name, k] : scratch.connections) {
        while (port != scratch.ports.end() && port->first < name) ++port;
        if (port == scratch.ports.end() || port->first != name) continue;
        scratch.portOf[static_cast<std::size_t>(k)] = port->second;
        ++port;
    }
}

// Per block port of every child of a module, the direction its connection
// took, if any; the terminals that refer to such a port take it too. Kept
// from module to module.
class PortRoles {
public:
    // Forgets the roles of the module before and makes room for `module`'s.
    void reset(const Module& module) {
        firstPort_.assign(module.children.size() + 1, 0);
        for (std::size_t c = 0; c < module.children.size(); ++c) {
            firstPort_[c + 1] = firstPort_[c] + module.children[c].ports.size();
        }
        roles_.assign(firstPort_.back(), 0);
        known_.assign(firstPort_.back(), 0);
    }

    void set(std::size_t child, std::size_t port, int role) {
        roles_[firstPort_[child] + port] = role;
        known_[firstPort_[child] + port] = 1;
    }

    bool any() const { return std::find(known_.begin(), known_.end(), 1) != known_.end(); }

    // One walk over the module's nets for all of its children.
    void applyToTerminals(const Module& module, const ModuleNets& nets) const {
        const std::size_t children = module.children.size();
        for (Net* net : nets.nets) {
            for (Terminal& terminal : net->terminals) {
                if (terminal.kind != kKindChild || terminal.index < 0 || terminal.portIndex < 0) {
                    continue;
                }
                const auto child = static_cast<std::size_t>(terminal.index);
                const auto port = static_cast<std::size_t>(terminal.portIndex);
                if (child >= children || port >= firstPort_[child + 1] - firstPort_[child])
                    continue;
                if (known_[firstPort_[child] + port] != 0) {
                    terminal.role = roles_[firstPort_[child] + port];
                }
            }
        }
    }

private:
    std::vector<std::size_t> firstPort_;  // per child, where its ports start; one more at the end
    std::vector<int> roles_;
    std::vector<char> known_;
};

// Gives each connection of child `c` the direction of the child module's pin
// it connects to: by name, or for a positional connection by position; 0
// when the child module or the pin is unknown. The block port the connection
// produced takes the same direction, noted in `roles` for its terminals.
void resolveChild(Module& module, const ModuleNets& nets, std::size_t c, PortDirections& directions,
                  ChildScratch& scratch, PortRoles& roles) {
    Child& child = module.children[c];
    blockPortOfEachConnection(module, nets, child, scratch);
    const Module* target = directions.module(child.moduleName);
    for (std::size_t k = 0; k < child.connections.size(); ++k) {
        Connection& connection = child.connections[k];
        std::optional<int> found;
        if (target) {
            found = connection.port.empty() ? PortDirections::findAt(*target, k)
                                            : directions.find(*target, connection.port);
        }
        connection.flags = found.value_or(0);
        const int port = scratch.portOf[k];
        if (port < 0) continue;
        child.ports[static_cast<std::size_t>(port)].direction = connection.flags;
        roles.set(c, static_cast<std::size_t>(port), connection.flags);
    }
}

// How many modules' nets are walked together, and the most nets a module may
// have to be one of them; a larger module's walk is left alone, as the work
// of looking its nets up already fills the waits for its nodes.
constexpr std::size_t kWalkedTogether = 8;
constexpr std::size_t kMostNetsWalkedTogether = 256;

// The net entries of each module of `group`, its maps stepped in turn: the
// nodes of a map are far apart in memory, and stepping several maps at once
// lets their loads overlap instead of waiting for one node after another.
void gatherNets(const std::vector<Module*>& group, std::vector<std::vector<NetEntry*>>& out) {
    using Iterator = std::map<std::string, Net>::iterator;
    std::array<Iterator, kWalkedTogether> at;
    std::array<Iterator, kWalkedTogether> end;
    for (std::size_t i = 0; i < group.size(); ++i) {
        at[i] = group[i]->nets.begin();
        end[i] = group[i]->nets.end();
        out[i].clear();
    }
    for (bool more = true; more;) {
        more = false;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (at[i] == end[i]) continue;
            out[i].push_back(&*at[i]);
            ++at[i];
            more = true;
        }
    }
}

}  // namespace

void resolveChildPortDirections(ModuleList& modules) {
    PortDirections directions(modules);
    ChildScratch scratch;
    ModuleNets nets;
    PortRoles roles;
    std::vector<Module*> group;
    std::vector<std::vector<NetEntry*>> entries(kWalkedTogether);
    const auto resolveModule = [&](Module& module) {
        roles.reset(module);
        for (std::size_t c = 0; c < module.children.size(); ++c) {
            resolveChild(module, nets, c, directions, scratch, roles);
        }
        if (roles.any()) roles.applyToTerminals(module, nets);
    };
    const auto resolveGroup = [&] {
        gatherNets(group, entries);
        for (std::size_t i = 0; i < group.size(); ++i) {
            nets.take(entries[i]);
            resolveModule(*group[i]);
        }
        group.clear();
    };
    // Modules are resolved in list order; a large one ends the group before it.
    for (Module& module : modules) {
        if (module.children.empty()) continue;
        if (module.nets.size() > kMostNetsWalkedTogether) {
            resolveGroup();
            nets.take(module);
            resolveModule(module);
            continue;
        }
        group.push_back(&module);
        if (group.size() == kWalkedTogether) resolveGroup();
    }
    resolveGroup();
}

}  // namespace corvane
