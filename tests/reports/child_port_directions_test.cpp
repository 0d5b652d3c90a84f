#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "database/module_list.h"
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

Terminal terminal(int kind, int index, int portIndex, int role) {
    Terminal t;
    t.kind = kind;
    t.index = index;
    t.portIndex = portIndex;
    t.role = role;
    return t;
}

Child child(const std::string& moduleName, std::vector<Connection> connections,
            std::vector<Pin> ports) {
    Child c;
    c.moduleName = c.moduleDisplayName = moduleName;
    c.connections = std::move(connections);
    c.ports = std::move(ports);
    return c;
}

// "sub" has the pins a (input), y (output), z (inout). The top module holds
// u1 of sub and u2 of a module that was never analysed. Every flag, port
// direction and role starts at 9 so that each change is visible.
class ChildPortDirections : public ::testing::Test {
protected:
    ChildPortDirections() {
        Module& top = modules.append();
        top.name = "top";
        top.children = {
            child("sub",
                  {connection("a", "a", 9), connection("y", "n", 9), connection("z", "z", 9),
                   connection("nope", "m", 9), connection("", "p", 9)},
                  {pin("a", 9), pin("n", 9), pin("z", 9), pin("z", 9)}),
            child("missing", {connection("y", "y", 9)}, {pin("y", 9)}),
        };
        top.nets["n"].terminals = {terminal(kKindPin, 0, -1, 9), terminal(kKindChild, 0, 1, 9),
                                   terminal(kKindChild, 0, 7, 9), terminal(kKindAlways, 0, 1, 9)};
        top.nets["y"].terminals = {terminal(kKindChild, 1, 0, 9)};

        Module& sub = modules.append();
        sub.name = "sub";
        sub.pins = {pin("a", 0), pin("y", 1), pin("z", 2), pin("y", 0)};
        Module& later = modules.append();  // a second module of that name is never consulted
        later.name = "sub";
        later.pins = {pin("a", 2), pin("nope", 1)};
    }

    Module& top() { return *modules.find("top"); }

    ModuleList modules;
};

TEST_F(ChildPortDirections, ConnectionsTakeTheDirectionOfTheChildsPin) {
    resolveChildPortDirections(modules);
    const Child& u1 = top().children[0];
    const int expected[] = {0, 1, 2, 0, 0};  // a input, y output, z inout, no such pin, positional
    for (std::size_t k = 0; k < u1.connections.size(); ++k) {
        EXPECT_EQ(u1.connections[k].flags, expected[k]) << "connection " << k;
    }
    // The first block port named like the connection's port takes the direction;
    // a port named otherwise (n for y) and a second z keep theirs.
    EXPECT_EQ(u1.ports[0].direction, 0);
    EXPECT_EQ(u1.ports[1].direction, 9);
    EXPECT_EQ(u1.ports[2].direction, 2);
    EXPECT_EQ(u1.ports[3].direction, 9);
}

TEST_F(ChildPortDirections, ChildOfAMissingModuleGetsZero) {
    resolveChildPortDirections(modules);
    const Child& u2 = top().children[1];
    EXPECT_EQ(u2.connections[0].flags, 0);
    EXPECT_EQ(u2.ports[0].direction, 0);
    EXPECT_EQ(top().nets.at("y").terminals[0].role, 0);
}

TEST_F(ChildPortDirections, ChildTerminalsTakeTheFlagsOfTheirConnection) {
    resolveChildPortDirections(modules);
    const auto& n = top().nets.at("n").terminals;
    EXPECT_EQ(n[0].role, 9);  // a pin declaration
    EXPECT_EQ(n[1].role, 1);  // child 0, connection 1 (y, an output)
    EXPECT_EQ(n[2].role, 9);  // no connection 7
    EXPECT_EQ(n[3].role, 9);  // an always block
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
