#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/module_list.h"
#include "database/net_table.h"
#include "reports/connection_checks.h"

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
            child("sub", {connection("a", "a", 9), connection("y", "n", 9), connection("z", "a", 9)}, {}),
            child("sub", {connection("", "m", 9), connection("", "n", 9), connection("", "a[3", 9)}, {}),
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

}  // namespace
}  // namespace corvane
