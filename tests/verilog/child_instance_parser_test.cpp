#include "verilog/child_instance_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/verilog_parse_fixture.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;
using Pairs = std::vector<std::pair<std::string, std::string>>;

// Reads the item's first token as the module loop does and parses the item.
bool parseFirstItem(VerilogParseFixture& fixture) {
    const std::string token = fixture.nextItemToken();
    return parseChildInstance(*fixture.state, token);
}

Pairs connectionsOf(const Child& child) {
    Pairs pairs;
    for (const Connection& c : child.connections)
        pairs.emplace_back(c.portDisplay, c.signalDisplay);
    return pairs;
}

Pairs overridesOf(const Child& child) {
    Pairs pairs;
    for (const ParamOverride& o : child.overrides) pairs.emplace_back(o.displayName, o.value);
    return pairs;
}

struct InstanceCase {
    std::string source;  // one item followed by "endmodule" on the next line
    std::string moduleName;
    std::string instanceName;
    Pairs connections;
    Pairs overrides;
};

class WellFormedInstance : public ::testing::TestWithParam<InstanceCase> {};

TEST_P(WellFormedInstance, GivesOneChildAndStopsAtTheItemEnd) {
    const InstanceCase& c = GetParam();
    VerilogParseFixture fixture(c.source + "\nendmodule\n");
    EXPECT_FALSE(parseFirstItem(fixture));
    ASSERT_EQ(fixture.module.children.size(), 1u);
    const Child& child = fixture.module.children[0];
    EXPECT_EQ(child.moduleDisplayName, c.moduleName);
    EXPECT_EQ(child.displayName, c.instanceName);
    EXPECT_EQ(child.line, 1);
    EXPECT_EQ(connectionsOf(child), c.connections);
    EXPECT_EQ(overridesOf(child), c.overrides);
    EXPECT_TRUE(fixture.module.wires.empty());
    EXPECT_EQ(fixture.log.text(), "");
    EXPECT_EQ(fixture.nextItemToken(), "endmodule");
}

INSTANTIATE_TEST_SUITE_P(
    ChildInstance, WellFormedInstance,
    ::testing::Values(
        InstanceCase{"sub u1 (.a(x), .b(y[3]));", "sub", "u1", {{"a", "x"}, {"b", "y[3]"}}, {}},
        InstanceCase{"sub u2 (x, y);", "sub", "u2", {{"", "x"}, {"", "y"}}, {}},
        InstanceCase{
            "sub #(.W(8), .D(2)) u3 (.a(x));", "sub", "u3", {{"a", "x"}}, {{"W", "8"}, {"D", "2"}}},
        InstanceCase{"sub # ( .W(8) ) u3 ( .a(x) ) ;", "sub", "u3", {{"a", "x"}}, {{"W", "8"}}},
        // Positional overrides and ones too short to hold a value are not kept.
        InstanceCase{"sub #(8) u4 (.a(x));", "sub", "u4", {{"a", "x"}}, {}},
        InstanceCase{"sub #(.W(), .D(1), 7) u4 (.a(x));", "sub", "u4", {{"a", "x"}}, {{"D", "1"}}},
        InstanceCase{
            "sub #(.S(\"a,b\")) u4 (.a(x));", "sub", "u4", {{"a", "x"}}, {{"S", "\"a,b\""}}},
        InstanceCase{"sub u6 (.d({4'b0, x}));", "sub", "u6", {{"d", "x"}}, {}},
        InstanceCase{"sub u6 (.d({a, b}), {c, d});", "sub", "u6", {{"d", "a"}, {"", "c"}}, {}},
        InstanceCase{"sub u6 (.d({4'b0, 2'b1}));", "sub", "u6", {{"d", "4'b0,2'b1"}}, {}},
        InstanceCase{"sub u6 (.d({4'b0,\n x}));", "sub", "u6", {{"d", "x"}}, {}},
        InstanceCase{"sub u7 (.a(), .b(y));", "sub", "u7", {{"a", ""}, {"b", "y"}}, {}},
        InstanceCase{"sub u8 ();", "sub", "u8", {}, {}},
        InstanceCase{"sub u8();", "sub", "u8", {}, {}},
        InstanceCase{
            "sub u9 (.a(x+1), .b(y[3:0]));", "sub", "u9", {{"a", "x+1"}, {"b", "y[3:0]"}}, {}},
        InstanceCase{
            "sub\n u10\n (\n .a(x),\n\n .b(y)\n );", "sub", "u10", {{"a", "x"}, {"b", "y"}}, {}},
        InstanceCase{"sub #(\n.W(8)\n)\nu11\n(.a(x));", "sub", "u11", {{"a", "x"}}, {{"W", "8"}}},
        // A ";" of its own, even on a later line, belongs to the item.
        InstanceCase{"sub u12 (.a(x)) ;", "sub", "u12", {{"a", "x"}}, {}},
        InstanceCase{"sub u12 (.a(x))\n;", "sub", "u12", {{"a", "x"}}, {}},
        // A module name glued to its lists does not swallow the next item.
        InstanceCase{"sub#(.W(4))u13(.a(x));", "sub", "u13", {{"a", "x"}}, {{"W", "4"}}},
        InstanceCase{"sub #(4)u13(.a(x));", "sub", "u13", {{"a", "x"}}, {}},
        InstanceCase{"and(y, a, b);", "and", "", {{"", "y"}, {"", "a"}, {"", "b"}}, {}},
        // Gate delays and drive strengths are no part of the names.
        InstanceCase{"and #1 g1 (y, a, b);", "and", "g1", {{"", "y"}, {"", "a"}, {"", "b"}}, {}},
        InstanceCase{"and # tpd g1 (y, a);", "and", "g1", {{"", "y"}, {"", "a"}}, {}},
        InstanceCase{"nand #(1, 2) (y, a);", "nand", "", {{"", "y"}, {"", "a"}}, {}},
        InstanceCase{"buf (strong0, weak1) b1 (y, a);", "buf", "b1", {{"", "y"}, {"", "a"}}, {}},
        InstanceCase{"bufif0 (weak0,weak1) #3 b2 (y, a, e);", "bufif0", "b2",
                     {{"", "y"}, {"", "a"}, {"", "e"}}, {}},
        // Escaped names (cell libraries) end at their blank.
        InstanceCase{"\\$_DFF_P_ _TECHMAP_REPLACE_ (.D(D), .Q(Q), .C(C));", "\\$_DFF_P_",
                     "_TECHMAP_REPLACE_", {{"D", "D"}, {"Q", "Q"}, {"C", "C"}}, {}},
        InstanceCase{"\\$lut #(.WIDTH(2)) \\u1[0] (.A(a), .Y());", "\\$lut", "\\u1[0]",
                     {{"A", "a"}, {"Y", ""}}, {{"WIDTH", "2"}}}));

// Every instance of an item listing several gets a child; the overrides
// apply to each.
TEST(ChildInstance, SeveralInstancesInOneItem) {
    const struct {
        const char* source;
        const char* children;
    } cases[] = {
        {"not n1 (w, a), n2 (z, b);", "not n1 w,a; not n2 z,b; "},
        {"sub #(.W(4)) u1 (.a(x)) ,\n u2 (.a(y)) ;", "sub u1 x W; sub u2 y W; "},
        {"sub u1 (.a(x)), u2 (.a(y)), u3 ();", "sub u1 x; sub u2 y; sub u3 ; "},
    };
    for (const auto& c : cases) {
        VerilogParseFixture fixture(std::string(c.source) + "\nendmodule\n");
        EXPECT_FALSE(parseFirstItem(fixture)) << c.source;
        std::string children;
        for (const Child& child : fixture.module.children) {
            children += child.moduleName + " " + child.displayName + " ";
            for (std::size_t i = 0; i < child.connections.size(); ++i) {
                children += (i > 0 ? "," : "") + child.connections[i].signalDisplay;
            }
            for (const ParamOverride& o : child.overrides) children += " " + o.displayName;
            children += "; ";
        }
        EXPECT_EQ(children, c.children) << c.source;
        EXPECT_EQ(fixture.log.text(), "") << c.source;
        EXPECT_EQ(fixture.nextItemToken(), "endmodule") << c.source;
    }
}

TEST(ChildInstance, NamesAreLowerCasedAndKeptAsWritten) {
    VerilogParseFixture fixture("Sub #(.Width(8)) U1 (.Din(Bus[3]));\n");
    EXPECT_FALSE(parseFirstItem(fixture));
    ASSERT_EQ(fixture.module.children.size(), 1u);
    const Child& child = fixture.module.children[0];
    EXPECT_EQ(child.moduleName, "sub");
    EXPECT_EQ(child.moduleDisplayName, "Sub");
    EXPECT_EQ(child.name, "u1");
    EXPECT_EQ(child.displayName, "U1");
    ASSERT_EQ(child.overrides.size(), 1u);
    EXPECT_EQ(child.overrides[0].name, "width");
    EXPECT_EQ(child.overrides[0].displayName, "Width");
    ASSERT_EQ(child.connections.size(), 1u);
    EXPECT_EQ(child.connections[0].port, "din");
    EXPECT_EQ(child.connections[0].portDisplay, "Din");
    EXPECT_EQ(child.connections[0].signal, "bus[3]");
    EXPECT_EQ(child.connections[0].signalDisplay, "Bus[3]");
    EXPECT_EQ(child.connections[0].flags, 0);
}

TEST(ChildInstance, ExpressionConnectionGetsAGeneratedWireAndAssignment) {
    VerilogParseFixture fixture(std::string(11, '\n') + "sub u5 (.a(~x)); // drive\n");
    EXPECT_FALSE(parseFirstItem(fixture));
    ASSERT_EQ(fixture.module.wires.size(), 1u);
    const Wire& wire = fixture.module.wires[0];
    EXPECT_EQ(wire.name, "_tempwire12");
    EXPECT_EQ(wire.displayName, "_tempwire12");
    EXPECT_EQ(wire.line, 12);
    EXPECT_EQ(wire.msb, -1);
    EXPECT_EQ(wire.lsb, -1);
    ASSERT_EQ(fixture.module.assigns.size(), 1u);
    const Assign& assign = fixture.module.assigns[0];
    EXPECT_EQ(assign.name, "_tempwire12");
    EXPECT_EQ(assign.expression, "~x");
    EXPECT_EQ(assign.line, 12);
    EXPECT_EQ(assign.comment, "drive");
    EXPECT_EQ(connectionsOf(fixture.module.children.at(0)), (Pairs{{"a", "_tempwire12"}}));
    EXPECT_EQ(fixture.log.text(), "");
}

struct ExpressionCase {
    std::string source;
    Pairs connections;
    std::vector<std::string> wires;
    Pairs assigns;  // target, expression
};

class ExpressionConnections : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(ExpressionConnections, NameTheWireOfTheirLine) {
    const ExpressionCase& c = GetParam();
    VerilogParseFixture fixture(c.source + "\nendmodule\n");
    EXPECT_FALSE(parseFirstItem(fixture));
    EXPECT_EQ(connectionsOf(fixture.module.children.at(0)), c.connections);
    std::vector<std::string> wires;
    for (const Wire& w : fixture.module.wires)
        wires.push_back(w.name + "@" + std::to_string(w.line));
    EXPECT_EQ(wires, c.wires);
    Pairs assigns;
    for (const Assign& a : fixture.module.assigns) assigns.emplace_back(a.name, a.expression);
    EXPECT_EQ(assigns, c.assigns);
    EXPECT_EQ(fixture.log.text(), "");
    EXPECT_EQ(fixture.nextItemToken(), "endmodule");
}

INSTANTIATE_TEST_SUITE_P(
    ChildInstance, ExpressionConnections,
    ::testing::Values(
        // Two expressions on one line share the generated name.
        ExpressionCase{"sub u (.a(~x), .b(p & q));",
                       {{"a", "_tempwire1"}, {"b", "_tempwire1"}},
                       {"_tempwire1@1"},
                       {{"_tempwire1", "~x"}, {"_tempwire1", "p&q"}}},
        ExpressionCase{"sub u (\n .a(!x),\n .b(p | q),\n .c(r ^ s));",
                       {{"a", "_tempwire2"}, {"b", "_tempwire3"}, {"c", "_tempwire4"}},
                       {"_tempwire2@2", "_tempwire3@3", "_tempwire4@4"},
                       {{"_tempwire2", "!x"}, {"_tempwire3", "p|q"}, {"_tempwire4", "r^s"}}},
        // Positional connections are classified the same way.
        ExpressionCase{"sub u (a & b, c);",
                       {{"", "_tempwire1"}, {"", "c"}},
                       {"_tempwire1@1"},
                       {{"_tempwire1", "a&b"}}},
        // The pin list's own line counts, not the line of the module name.
        ExpressionCase{"sub #(.W(8))\n u (.a(~x));",
                       {{"a", "_tempwire2"}},
                       {"_tempwire2@2"},
                       {{"_tempwire2", "~x"}}},
        // A concatenation holding an operator is still a concatenation.
        ExpressionCase{"sub u (.a({~x, y}));", {{"a", "~x"}}, {}, {}}));

TEST(ChildInstance, CurrentLineFollowsTheItemAndMessagesUseItsFirstLine) {
    VerilogParseFixture fixture("\n\nsub u1 (\n.a(x)y,\n.b(z)\n) assign\n");
    EXPECT_FALSE(parseFirstItem(fixture));
    EXPECT_EQ(fixture.log.text(),
              "#ERROR : test.v : 3 : Parser detected the error of grammar to the pin list.\r\n");
    EXPECT_EQ(fixture.module.children.at(0).line, 3);
    EXPECT_EQ(connectionsOf(fixture.module.children.at(0)), (Pairs{{"b", "z"}}));
    EXPECT_EQ(fixture.state->currentLine, 6);
    EXPECT_EQ(fixture.state->next(), "assign");  // not a ";": left for the module loop
}

struct MessageCase {
    std::string source;
    bool failure;
    std::string log;
    Pairs connections;  // of the child, when one is kept
};

class InstanceMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(InstanceMessages, AreWrittenExactly) {
    const MessageCase& c = GetParam();
    VerilogParseFixture fixture(c.source);
    EXPECT_EQ(parseFirstItem(fixture), c.failure);
    EXPECT_EQ(fixture.log.text(), c.log);
    if (c.failure) {
        EXPECT_TRUE(fixture.module.children.empty());
        EXPECT_TRUE(fixture.state->exhausted());
    } else {
        ASSERT_EQ(fixture.module.children.size(), 1u);
        EXPECT_EQ(connectionsOf(fixture.module.children[0]), c.connections);
    }
}

const std::string kPinListError =
    "#ERROR : test.v : 1 : Parser detected the error of grammar to the pin list.\r\n";
const std::string kTerminationError =
    "#ERROR : test.v : 1 : Parser detected the error of grammar to the termination of the pin "
    "list.(1)\r\n";

INSTANTIATE_TEST_SUITE_P(
    ChildInstance, InstanceMessages,
    ::testing::Values(
        MessageCase{"sub u1", true, "#ERROR : test.v : 1 : Syntax error.(2)\r\n", {}},
        MessageCase{"sub u1 (.a(x),\n.b(y)\nendmodule",
                    true,
                    "#ERROR : test.v : 1 : Syntax error.(2)\r\n",
                    {}},
        MessageCase{"sub #(.W(8)", true, "#ERROR : test.v : 1 : Syntax error.(2)\r\n", {}},
        MessageCase{"sub #(.W(8)) u1", true, "#ERROR : test.v : 1 : Syntax error.(3)\r\n", {}},
        MessageCase{"\nsub #(.W(8)) u1 (.a(x)\nendmodule",
                    true,
                    "#ERROR : test.v : 2 : Syntax error.(3)\r\n",
                    {}},
        MessageCase{"sub u1 (.a(x), .b y);", false, kPinListError, {{"a", "x"}}},
        MessageCase{"sub u1 (.a(x)y, .b(z));", false, kPinListError, {{"b", "z"}}},
        MessageCase{"sub u1 (.a, .b(x), .c);", false, kPinListError + kPinListError, {{"b", "x"}}},
        MessageCase{"sub u1 (a)b;", false, kTerminationError, {{"", "a)b"}}},
        MessageCase{"sub u1 (.a(x))z;", false, kTerminationError + kPinListError, {}}));

// Every cut of a well-formed item either parses or ends with one of the
// messages of a text that ended early, and never reads past the text.
TEST(ChildInstance, TruncatedItemsEndWithTheRightMessage) {
    const std::string item = "sub #(.W(8),\n .D(2)) u3 (.a(~x), .b({4'b0, y}),\n c);";
    for (std::size_t length = 4; length <= item.size(); ++length) {
        VerilogParseFixture fixture(item.substr(0, length));
        const bool failed = parseFirstItem(fixture);
        const std::string log(fixture.log.text());
        SCOPED_TRACE(item.substr(0, length));
        if (failed) {
            EXPECT_TRUE(log == "#ERROR : test.v : 1 : Syntax error.(2)\r\n" ||
                        log == "#ERROR : test.v : 1 : Syntax error.(3)\r\n")
                << log;
            EXPECT_TRUE(fixture.module.children.empty());
        } else {
            EXPECT_EQ(fixture.module.children.size(), 1u);
        }
        EXPECT_TRUE(fixture.state->exhausted());
    }
}

// Unbalanced and stray brackets end the item without hanging or crashing.
TEST(ChildInstance, MalformedTextIsBounded) {
    const std::vector<std::string> sources = {
        "sub ((((",
        "sub ))))",
        "sub ) ( ;",
        "sub # ( ( (",
        "sub #",
        "sub (",
        "sub u ({{{{a, b));",
        "sub u (}}}, a, {b);",
        "sub u (.(), .)(, .a(x));",
        "sub u (,,,,);",
        "sub #(.W(8)) #(.D(1)) u (a);",
        "sub u (%%x);",
        "(",
        "#(",
        ");",
    };
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        VerilogParseFixture fixture(source + "\nendmodule\nx y z");
        parseFirstItem(fixture);
        int guard = 0;
        while (!fixture.state->exhausted() && ++guard < 100) fixture.state->next();
        EXPECT_LT(guard, 100);
    }
}

}  // namespace
}  // namespace corvane
