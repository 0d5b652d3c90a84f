#include "site/design_database_json.h"

#include <algorithm>
#include <new>
#include <nlohmann/json.hpp>
#include <set>

#include "platform/safe_file_writer.h"
#include "statemachine/state_extraction.h"

namespace corvane {

namespace {

using Json = nlohmann::ordered_json;

const char* directionName(int direction) {
    switch (direction) {
        case 0:
            return "input";
        case 1:
            return "output";
        case 2:
            return "inout";
        default:
            return "undeclared";
    }
}

const char* kindName(int kind) {
    switch (kind) {
        case kKindPin:
            return "pin";
        case kKindWire:
            return "wire";
        case kKindReg:
            return "reg";
        case kKindAssign:
            return "assign";
        case kKindAlways:
            return "always";
        case kKindChild:
            return "instance";
        case kKindInitial:
            return "initial";
        default:
            return "unknown";
    }
}

const char* edgeName(int edge) {
    if (edge == 0) return "rising";
    if (edge == 1) return "falling";
    return "level";
}

// A bit range, or null when the declaration gives none.
Json range(int msb, int lsb) {
    if (msb == -1 || lsb == -1) return nullptr;
    return Json{{"msb", msb}, {"lsb", lsb}};
}

Json signal(const std::string& name, const std::string& displayName, int msb, int lsb,
            const std::string& comment, int line) {
    return Json{{"name", name},
                {"displayName", displayName},
                {"range", range(msb, lsb)},
                {"comment", comment},
                {"line", line}};
}

Json pins(const Module& module) {
    Json list = Json::array();
    for (const Pin& pin : module.pins) {
        Json entry = signal(pin.name, pin.displayName, pin.msb, pin.lsb, pin.comment, pin.line);
        entry["direction"] = directionName(pin.direction);
        list.push_back(std::move(entry));
    }
    return list;
}

template <typename Record>
Json signals(const std::vector<Record>& records) {
    Json list = Json::array();
    for (const Record& r : records) {
        list.push_back(signal(r.name, r.displayName, r.msb, r.lsb, r.comment, r.line));
    }
    return list;
}

Json parameters(const Module& module) {
    Json list = Json::array();
    for (const auto& [name, value] : module.parameters) {
        list.push_back({{"name", name}, {"value", value}, {"kind", "parameter"}});
    }
    for (const auto& [name, value] : module.generics) {
        list.push_back({{"name", name}, {"value", value}, {"kind", "generic"}});
    }
    return list;
}

Json assigns(const Module& module) {
    Json list = Json::array();
    for (const Assign& assign : module.assigns) {
        list.push_back({{"target", assign.displayName},
                        {"expression", assign.expression},
                        {"comment", assign.comment},
                        {"line", assign.line}});
    }
    return list;
}

Json instances(const Module& module, const ModuleList& modules) {
    Json list = Json::array();
    for (const Child& child : module.children) {
        Json connections = Json::array();
        for (const Connection& connection : child.connections) {
            connections.push_back(
                {{"port",
                  connection.portDisplay.empty() ? Json(nullptr) : Json(connection.portDisplay)},
                 {"signal", connection.signalDisplay}});
        }
        Json overrides = Json::array();
        for (const ParamOverride& override : child.overrides) {
            overrides.push_back({{"name", override.displayName}, {"value", override.value}});
        }
        list.push_back({{"name", child.name},
                        {"displayName", child.displayName},
                        {"module", child.moduleName},
                        {"moduleDisplayName", child.moduleDisplayName},
                        {"analysed", modules.find(child.moduleName) != nullptr},
                        {"line", child.line},
                        {"connections", std::move(connections)},
                        {"overrides", std::move(overrides)}});
    }
    return list;
}

// The name of the object a terminal belongs to, when it has one.
Json terminalObject(const Module& module, const Terminal& terminal) {
    if (terminal.index < 0) return nullptr;
    const auto index = static_cast<std::size_t>(terminal.index);
    switch (terminal.kind) {
        case kKindPin:
            if (index < module.pins.size()) return module.pins[index].name;
            break;
        case kKindWire:
            if (index < module.wires.size()) return module.wires[index].name;
            break;
        case kKindReg:
            if (index < module.regs.size()) return module.regs[index].name;
            break;
        case kKindAssign:
            if (index < module.assigns.size()) return module.assigns[index].name;
            break;
        case kKindChild:
            if (index < module.children.size()) return module.children[index].name;
            break;
        default:
            break;
    }
    return nullptr;
}

Json nets(const Module& module) {
    Json list = Json::array();
    for (const auto& [name, net] : module.nets) {
        Json terminals = Json::array();
        for (const Terminal& terminal : net.terminals) {
            terminals.push_back({{"kind", kindName(terminal.kind)},
                                 {"index", terminal.index},
                                 {"object", terminalObject(module, terminal)},
                                 {"port", terminal.portIndex},
                                 {"role", terminal.role},
                                 {"range", range(terminal.msb, terminal.lsb)},
                                 {"line", terminal.line}});
        }
        list.push_back({{"name", name}, {"terminals", std::move(terminals)}});
    }
    return list;
}

Json stateMachine(const Module& module, int line) {
    StateMachine machine;
    if (extractStateMachine(module, line, machine) != kStateMachineFound) return nullptr;
    Json states = Json::array();
    for (const StateNode& state : machine.states) {
        if (state.name == kFillerStateName) continue;
        Json transitions = Json::array();
        for (const Transition& transition : state.transitions) {
            transitions.push_back(
                {{"condition", transition.condition},
                 {"target", transition.target.empty() ? Json(nullptr) : Json(transition.target)}});
        }
        states.push_back({{"name", state.name}, {"transitions", std::move(transitions)}});
    }
    return Json{{"stateRegister", machine.stateRegister}, {"states", std::move(states)}};
}

Json alwaysBlocks(const Module& module) {
    Json list = Json::array();
    std::set<int> seen;
    for (const Always& block : module.alwaysBlocks) {
        Json sensitivity = Json::array();
        for (const Sensitivity& entry : block.sensitivity) {
            sensitivity.push_back({{"name", entry.displayName}, {"edge", edgeName(entry.edge)}});
        }
        // A line shared by several blocks identifies only the first of them.
        const bool first = seen.insert(block.line).second;
        list.push_back(
            {{"line", block.line},
             {"sensitivity", std::move(sensitivity)},
             {"stateMachine", first ? stateMachine(module, block.line) : Json(nullptr)}});
    }
    return list;
}

Json initialBlocks(const Module& module) {
    Json list = Json::array();
    for (const Initial& block : module.initialBlocks) list.push_back({{"line", block.line}});
    return list;
}

Json moduleJson(const Module& module, const ModuleList& modules) {
    return Json{{"name", module.name},
                {"displayName", module.displayName},
                {"language", module.language == kVhdl ? "vhdl" : "verilog"},
                {"file", module.filePath},
                {"bytes", module.charCount},
                {"lines", module.lineCount},
                {"pins", pins(module)},
                {"parameters", parameters(module)},
                {"wires", signals(module.wires)},
                {"regs", signals(module.regs)},
                {"assigns", assigns(module)},
                {"instances", instances(module, modules)},
                {"nets", nets(module)},
                {"alwaysBlocks", alwaysBlocks(module)},
                {"initialBlocks", initialBlocks(module)}};
}

}  // namespace

std::string designDatabaseJson(const ModuleList& modules) {
    std::vector<const Module*> sorted;
    for (const Module& module : modules) sorted.push_back(&module);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Module* a, const Module* b) { return a->name < b->name; });
    Json list = Json::array();
    for (const Module* module : sorted) list.push_back(moduleJson(*module, modules));
    const Json document{{"format", kDesignDatabaseFormat},
                        {"version", kDesignDatabaseVersion},
                        {"modules", std::move(list)}};
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

bool writeDesignDatabaseJson(const ModuleList& modules, const std::string& path,
                             std::string& error) {
    if (modules.empty()) {
        error = "no module is analysed, so there is no design database to write";
        return false;
    }
    try {
        if (writeFileSafely(path, designDatabaseJson(modules))) return true;
        error = "cannot write the design database \"" + path + "\"";
    } catch (const std::exception& failure) {
        // The library reports its own faults by exceptions; none leaves here.
        error = std::string("cannot write the design database: ") + failure.what();
    }
    return false;
}

}  // namespace corvane
