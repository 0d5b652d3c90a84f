#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../bench/support/verilog_generator.h"
#include "../../bench/support/vhdl_generator.h"
#include "database/module_list.h"
#include "database/net_table.h"
#include "elaboration/bit_range.h"
#include "elaboration/connection_checks.h"
#include "support/parse_files.h"
#include "support/record_dump.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

Pin pin(const std::string& name, int direction) {
    Pin p;
    p.name = p.displayName = name;
    p.direction = direction;
    return p;
}

Connection connection(const std::string& port, const std::string& signal, int flags) {
    Connection c;
    c.port = c.portDisplay = port;
    c.signal = c.signalDisplay = signal;
    c.flags = flags;
    return c;
}

Child child(const std::string& moduleName, std::vector<Connection> connections,
            std::vector<Pin> ports) {
    Child c;
    c.moduleName = c.moduleDisplayName = moduleName;
    c.connections = std::move(connections);
    c.ports = std::move(ports);
    return c;
}

Wire wire(const std::string& name) {
    Wire w;
    w.name = w.displayName = name;
    return w;
}

const Terminal& childTerminal(const Module& module, const std::string& net, int child, int port) {
    static const Terminal none;
    for (const Terminal& t : module.nets.at(net).terminals) {
        if (t.kind == kKindChild && t.index == child && t.portIndex == port) return t;
    }
    ADD_FAILURE() << "no terminal for child " << child << " port " << port << " on " << net;
    return none;
}

// "sub" has the pins a (input), y (output), z (inout). In "top" the nets are
// checked in the order m, n, a, so the block ports of a child are not in
// connection order: u1 (named) gets n, a, a; u2 (positional) gets m, n and no
// port for its malformed third connection. u3 instantiates a module that was
// never analysed.
class ChildPortDirections : public ::testing::Test {
protected:
    ChildPortDirections() {
        Module& sub = modules.append();
        sub.name = "sub";
        sub.pins = {pin("a", 0), pin("y", 1), pin("z", 2)};
        Module& later = modules.append();  // a second module of that name is never consulted
        later.name = "sub";
        later.pins = {pin("a", 2), pin("y", 2), pin("z", 0)};

        Module& top = modules.append();
        top.name = "top";
        top.wires = {wire("m"), wire("n"), wire("a")};
        top.children = {
            child("sub",
                  {connection("a", "a", 9), connection("y", "n", 9), connection("z", "a", 9)}, {}),
            child("sub", {connection("", "m", 9), connection("", "n", 9), connection("", "a[3", 9)},
                  {}),
            child("missing", {connection("y", "n", 9)}, {}),
        };
        VerilogNetChecker checker(top);
        buildNetTable(top, "top.v", log, checker.hook(log));
    }

    Module& top() { return *modules.find("top"); }

    ModuleList modules;
    MessageLog log;
};

TEST_F(ChildPortDirections, NamedConnectionsTakeTheDirectionOfTheirPin) {
    resolveChildPortDirections(modules);
    const Child& u1 = top().children[0];
    EXPECT_EQ(u1.connections[0].flags, 0);
    EXPECT_EQ(u1.connections[1].flags, 1);
    EXPECT_EQ(u1.connections[2].flags, 2);
    ASSERT_EQ(u1.ports.size(), 3u);  // n (from .y), a (from .a), a (from .z)
    EXPECT_EQ(u1.ports[0].direction, 1);
    EXPECT_EQ(u1.ports[1].direction, 0);
    EXPECT_EQ(u1.ports[2].direction, 2);
    EXPECT_EQ(childTerminal(top(), "n", 0, 0).role, 1);
    EXPECT_EQ(childTerminal(top(), "a", 0, 1).role, 0);
    EXPECT_EQ(childTerminal(top(), "a", 0, 2).role, 2);
}

TEST_F(ChildPortDirections, PositionalConnectionsTakeThePinAtTheirPosition) {
    resolveChildPortDirections(modules);
    const Child& u2 = top().children[1];
    EXPECT_EQ(u2.connections[0].flags, 0);
    EXPECT_EQ(u2.connections[1].flags, 1);
    EXPECT_EQ(u2.connections[2].flags, 2);  // no block port, but the connection knows its pin
    ASSERT_EQ(u2.ports.size(), 2u);
    EXPECT_EQ(u2.ports[0].direction, 0);
    EXPECT_EQ(u2.ports[1].direction, 1);
    EXPECT_EQ(childTerminal(top(), "m", 1, 0).role, 0);
    EXPECT_EQ(childTerminal(top(), "n", 1, 1).role, 1);
    EXPECT_EQ(log.text(), "#ERROR :  :  : Net \"a[3\" connection error.(0)\r\n");
}

TEST_F(ChildPortDirections, ChildOfAMissingModuleGetsZero) {
    resolveChildPortDirections(modules);
    const Child& u3 = top().children[2];
    EXPECT_EQ(u3.connections[0].flags, 0);
    ASSERT_EQ(u3.ports.size(), 1u);
    EXPECT_EQ(u3.ports[0].direction, 0);
    EXPECT_EQ(childTerminal(top(), "n", 2, 0).role, 0);
}

TEST(ChildPortDirectionsAfterChecks, OutputOfAnAnalysedChildIsRecordedAsDriven) {
    ModuleList modules;
    Module& sub = modules.append();
    sub.name = "sub";
    sub.pins = {pin("q", 1)};
    Module& top = modules.append();
    top.name = "top";
    top.wires = {Wire{"q", "q", -1, -1, "", 1}};
    top.children = {child("sub", {connection("q", "q", 0)}, {})};
    top.children[0].line = 4;
    top.nets["q"] = Net{};
    MessageLog log;
    checkVerilogNet(top, "q", log);
    ASSERT_EQ(top.nets.at("q").terminals.size(), 1u);
    EXPECT_EQ(top.nets.at("q").terminals[0].role, 0);  // before the pass

    resolveChildPortDirections(modules);
    Module& checked = *modules.find("top");
    EXPECT_EQ(checked.children[0].connections[0].flags, 1);
    EXPECT_EQ(checked.children[0].ports[0].direction, 1);
    EXPECT_EQ(checked.nets.at("q").terminals[0].role, 1);
}

// The pass written the straightforward way: a scan of the module list per
// connection, a scan of the child's ports per connection and a walk over
// every net per child.
void straightforwardPass(ModuleList& modules) {
    for (Module& module : modules) {
        for (std::size_t c = 0; c < module.children.size(); ++c) {
            Child& child = module.children[c];
            const Module* target = nullptr;
            for (const Module& candidate : modules) {
                if (candidate.name == child.moduleName) {
                    target = &candidate;
                    break;
                }
            }
            std::vector<std::pair<int, int>> roleOfPort;  // port index, role
            std::vector<char> taken(child.ports.size(), 0);
            for (std::size_t k = 0; k < child.connections.size(); ++k) {
                Connection& connection = child.connections[k];
                int flags = 0;
                if (target && connection.port.empty() && k < target->pins.size()) {
                    flags = target->pins[k].direction;
                } else if (target && !connection.port.empty()) {
                    for (const Pin& pin : target->pins) {
                        if (pin.name == connection.port) {
                            flags = pin.direction;
                            break;
                        }
                    }
                }
                connection.flags = flags;
                const std::string name(signalTextName(connection.signal));
                const SelectSyntax& syntax =
                    module.language == kVhdl ? kVhdlSelect : kVerilogSelect;
                MessageLog scratch;
                BitRange range;
                if (!module.nets.contains(name) ||
                    !RangeResolver(module).fromText(connection.signal, syntax, scratch, range)) {
                    continue;
                }
                for (std::size_t p = 0; p < child.ports.size(); ++p) {
                    if (taken[p] != 0 || child.ports[p].name != name) continue;
                    taken[p] = 1;
                    child.ports[p].direction = flags;
                    roleOfPort.emplace_back(static_cast<int>(p), flags);
                    break;
                }
            }
            for (auto& [netName, net] : module.nets) {
                for (Terminal& terminal : net.terminals) {
                    if (terminal.kind != kKindChild || terminal.index != static_cast<int>(c))
                        continue;
                    for (const auto& [port, role] : roleOfPort) {
                        if (terminal.portIndex == port) terminal.role = role;
                    }
                }
            }
        }
    }
}

std::string dumpOf(const ModuleList& modules) {
    std::string dump;
    for (const Module& module : modules) dump += test::recordDump(module);
    return dump;
}

// Analysed generated designs (children with named, positional and literal
// connections, repeated signals) and a hand-made module whose terminals point
// past its children and ports: the pass gives what the straightforward one gives.
TEST(ChildPortDirectionsPass, MatchesTheStraightforwardPass) {
    testing::TempDir folder;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"generated.v", bench::generatedVerilog(48 << 10)},
        {"generated.vhd", bench::generatedVhdl(160 << 10)},  // over 256 nets
    };
    for (const auto& [name, text] : files) {
        SCOPED_TRACE(name);
        testing::ParsedFiles<> first(FrontEnds{parseVerilogModule, parseVhdlModule});
        testing::ParsedFiles<> second(FrontEnds{parseVerilogModule, parseVhdlModule});
        const std::string path = folder.write(name, text);
        first.analyseFile(path);
        second.analyseFile(path);
        straightforwardPass(first.modules);
        resolveChildPortDirections(second.modules);
        EXPECT_EQ(dumpOf(second.modules), dumpOf(first.modules));
    }

    ModuleList plain;
    Module& sub = plain.append();
    sub.name = "sub";
    sub.pins = {pin("a", 0), pin("y", 1), pin("a", 2)};
    Module& top = plain.append();
    top.name = "top";
    top.wires = {wire("m"), wire("n")};
    top.children = {
        child("sub", {connection("y", "n", 9), connection("a", "m", 9), connection("", "n", 9)},
              {pin("n", 5), pin("m", 5), pin("n", 5), pin("x", 5)}),
    };
    Terminal terminal;
    terminal.kind = kKindChild;
    for (const auto& [index, port] : std::vector<std::pair<int, int>>{
             {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, -1}, {1, 0}, {-1, 0}}) {
        terminal.index = index;
        terminal.portIndex = port;
        top.nets["n"].terminals.push_back(terminal);
    }
    top.nets["m"].terminals.push_back(terminal);
    ModuleList indexed = plain;
    straightforwardPass(plain);
    resolveChildPortDirections(indexed);
    EXPECT_EQ(dumpOf(indexed), dumpOf(plain));
}

}  // namespace
}  // namespace corvane
