#include "vhdl/vhdl_concurrent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/vhdl_parse_fixture.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

// An architecture with `declarations` on line 3 and `statement` on line 5.
std::string architecture(const std::string& declarations, const std::string& statement) {
    return "entity top is port (x, y : in bit; z : out bit); end top;\n"
           "architecture rtl of top is\n" +
           declarations + "\nbegin\n" + statement + "\nend rtl;\n";
}

constexpr const char* kSubComponent =
    "component sub port (a : in std_logic; b : out std_logic); end component;";

TEST(VhdlConcurrentAssignment, TargetAndWholeRightSide) {
    struct Case {
        const char* statement;
        const char* name;
        const char* displayName;
        const char* expression;
        const char* comment;
    };
    const Case cases[] = {
        {"y <= a and b;", "y", "y", "a $and$ b", ""},
        {"z <= x when y = '1' else '0';  -- mux", "z", "z", "x $when$ y = '1' $else$ '0'", "mux"},
        {"Z(3 downto 0) <= X;", "z(3$downto$0)", "Z(3$downto$0)", "X", ""},
        {"lbl: z <= x;", "z", "z", "x", ""},
        {"with y select z <= x when '1', '0' when others;", "z", "z",
         "x $when$ '1', '0' $when$ others", ""},
        {"z <=  -- first line\n  x or\n  y;  -- last line", "z", "z", "x $or$ y", "first line"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        VhdlParseFixture fixture(architecture("", c.statement));
        EXPECT_EQ(fixture.parse(), 0);
        EXPECT_EQ(fixture.log.text(), "");
        ASSERT_EQ(fixture.module.assigns.size(), 1u);
        const Assign& assign = fixture.module.assigns[0];
        EXPECT_EQ(assign.name, c.name);
        EXPECT_EQ(assign.displayName, c.displayName);
        EXPECT_EQ(assign.expression, c.expression);
        EXPECT_EQ(assign.line, 5);
        EXPECT_EQ(assign.comment, c.comment);
    }
}

TEST(VhdlConcurrentAssignment, TextWithoutArrow) {
    VhdlParseFixture fixture("");
    EXPECT_EQ(addConcurrentAssignment(*fixture.state, "a = b", 7), 1);
    EXPECT_EQ(fixture.logLines(),
              std::vector<std::string>{fixture.errorLine(7, "Imperfect formula error.")});
    EXPECT_TRUE(fixture.module.assigns.empty());
}

TEST(VhdlConcurrentProcess, LabelledProcessesAreProcesses) {
    const char* statements[] = {
        "p1: process (x) begin z <= x; end process p1;",
        "p1 : process (x)\nbegin z <= x; end process;",
        "P1:process(x) begin z <= x; end process;",
        "p1:\nprocess (x) is begin z <= x; end process;",
        "process (x) begin z <= x; end process;",
        "p1: process\nbegin wait until x = '1'; z <= x; end process;",
    };
    for (const char* statement : statements) {
        SCOPED_TRACE(statement);
        VhdlParseFixture fixture(architecture("signal process_done : bit;",
                                              std::string(statement) + "\nprocess_done <= x;"));
        EXPECT_EQ(fixture.parse(), 0);
        EXPECT_EQ(fixture.log.text(), "");
        ASSERT_EQ(fixture.module.alwaysBlocks.size(), 1u);
        const Always& block = fixture.module.alwaysBlocks[0];
        EXPECT_EQ(block.line, std::string(statement).starts_with("p1:\n") ? 6 : 5);
        ASSERT_EQ(block.sensitivity.size(), 1u);
        EXPECT_EQ(block.sensitivity[0].name, "x");
        ASSERT_EQ(block.statements.size(), 1u);
        EXPECT_EQ(block.statements[0].target, "z");
        // A signal whose name begins with "process" is assigned, not a process.
        ASSERT_EQ(fixture.module.assigns.size(), 1u);
        EXPECT_EQ(fixture.module.assigns[0].name, "process_done");
    }
}

struct ConnectionExpect {
    std::string port;
    std::string portDisplay;
    std::string signal;
    std::string signalDisplay;
};

void expectConnections(const Child& child, const std::vector<ConnectionExpect>& expected) {
    ASSERT_EQ(child.connections.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("connection " + std::to_string(i));
        EXPECT_EQ(child.connections[i].port, expected[i].port);
        EXPECT_EQ(child.connections[i].portDisplay, expected[i].portDisplay);
        EXPECT_EQ(child.connections[i].signal, expected[i].signal);
        EXPECT_EQ(child.connections[i].signalDisplay, expected[i].signalDisplay);
        EXPECT_EQ(child.connections[i].flags, 0);
    }
}

TEST(VhdlInstances, ChildrenAndConnections) {
    struct Case {
        const char* declarations;
        const char* statement;
        const char* label;
        const char* moduleDisplayName;
        std::vector<ConnectionExpect> connections;
    };
    const Case cases[] = {
        {"",
         "u1: sub port map (a => x, b => y);",
         "u1",
         "sub",
         {{"a", "a", "x", "x"}, {"b", "b", "y", "y"}}},
        {kSubComponent,
         "u2: entity work.sub port map (x, y);",
         "u2",
         "sub",
         {{"a", "a", "x", "x"}, {"b", "b", "y", "y"}}},
        {"",
         "U3 : Sub\n  port map (\n    A => X(3),\n    B => open);",
         "U3",
         "Sub",
         {{"a", "A", "x", "X"}, {"b", "B", "open", "open"}}},
        {"",
         "u4: entity work.sub(rtl) port map (a(0) => x, b => y and z);",
         "u4",
         "sub",
         {{"a", "a", "x", "x"}, {"b", "b", "y$and$z", "y$and$z"}}},
        // Long mixed-case statements are lower-cased eight characters at a time.
        {"",
         "Inst_ABCDEFGH_Z : Wide_Unit_XYZ port map (Data_In_ABC => Bus_Q(3), Z => OPEN);",
         "Inst_ABCDEFGH_Z",
         "Wide_Unit_XYZ",
         {{"data_in_abc", "Data_In_ABC", "bus_q", "Bus_Q"}, {"z", "Z", "open", "OPEN"}}},
        {"", "u5: component sub port map (a => x);", "u5", "sub", {{"a", "a", "x", "x"}}},
        {"", "u6 : entity_reg port map (a => x);", "u6", "entity_reg", {{"a", "a", "x", "x"}}},
        {"", "u8: uart_port port map (a => x);", "u8", "uart_port", {{"a", "a", "x", "x"}}},
        {"", "u9: xportmap port map (a => x);", "u9", "xportmap", {{"a", "a", "x", "x"}}},
        // Positional associations past the declared ports have no formal.
        {kSubComponent,
         "u7: sub port map (x, b => y);",
         "u7",
         "sub",
         {{"a", "a", "x", "x"}, {"b", "b", "y", "y"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        VhdlParseFixture fixture(architecture(c.declarations, c.statement));
        EXPECT_EQ(fixture.parse(), 0);
        EXPECT_EQ(fixture.log.text(), "");
        ASSERT_EQ(fixture.module.children.size(), 1u);
        const Child& child = fixture.module.children[0];
        EXPECT_EQ(child.displayName, c.label);
        EXPECT_EQ(child.name, toLowerAscii(c.label));
        EXPECT_EQ(child.moduleDisplayName, c.moduleDisplayName);
        EXPECT_EQ(child.moduleName, toLowerAscii(c.moduleDisplayName));
        EXPECT_EQ(child.line, 5);
        expectConnections(child, c.connections);
        EXPECT_TRUE(fixture.module.wires.empty());
        EXPECT_TRUE(fixture.module.assigns.empty());
    }
}

TEST(VhdlInstances, GenericMapOverrides) {
    VhdlParseFixture fixture(
        architecture("", "u3: sub generic map (W => 8, Depth => 2 * 4, 5) port map (a => x);"));
    EXPECT_EQ(fixture.parse(), 0);
    ASSERT_EQ(fixture.module.children.size(), 1u);
    const std::vector<ParamOverride>& overrides = fixture.module.children[0].overrides;
    ASSERT_EQ(overrides.size(), 2u);
    EXPECT_EQ(overrides[0].name, "w");
    EXPECT_EQ(overrides[0].displayName, "W");
    EXPECT_EQ(overrides[0].value, "8");
    EXPECT_EQ(overrides[1].name, "depth");
    EXPECT_EQ(overrides[1].value, "2*4");
    expectConnections(fixture.module.children[0], {{"a", "a", "x", "x"}});
}

// Associations are cut at the commas outside double quotes only; an
// unclosed quote keeps the rest of the map in one association.
TEST(VhdlInstances, CommasInsideQuotesStayInTheirAssociation) {
    struct Case {
        const char* statement;
        std::vector<ConnectionExpect> connections;
    };
    const Case cases[] = {
        {"u5: sub port map (a => \"0,1\", b => y);",
         {{"a", "a", "\"0,1\"", "\"0,1\""}, {"b", "b", "y", "y"}}},
        {"u5: sub port map (a => \"0,\", b => \",1\", c => z);",
         {{"a", "a", "\"0,\"", "\"0,\""}, {"b", "b", "\",1\"", "\",1\""}, {"c", "c", "z", "z"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        VhdlParseFixture fixture(architecture("", c.statement));
        EXPECT_EQ(fixture.parse(), 0);
        ASSERT_EQ(fixture.module.children.size(), 1u);
        expectConnections(fixture.module.children[0], c.connections);
    }
}

TEST(VhdlInstances, LiteralActualsBecomeNetsOfTheirOwn) {
    VhdlParseFixture fixture(architecture("",
                                          "u4: sub port map (a => (others => '0'), b => x\"FF\", c "
                                          "=> '1', d => \"0101\", e => 'Z', f => 3);"));
    EXPECT_EQ(fixture.parse(), 0);
    EXPECT_EQ(fixture.log.text(), "");
    ASSERT_EQ(fixture.module.children.size(), 1u);
    expectConnections(fixture.module.children[0], {{"a", "a", "\"0\"", "\"0\""},
                                                   {"b", "b", "x\"ff\"", "x\"FF\""},
                                                   {"c", "c", "'1'", "'1'"},
                                                   {"d", "d", "\"0101\"", "\"0101\""},
                                                   {"e", "e", "'z'", "'Z'"},
                                                   {"f", "f", "3", "3"}});
    struct WireExpect {
        const char* name;
        const char* displayName;
        int msb;
        int lsb;
    };
    const WireExpect wires[] = {{"\"0\"", "\"0\"", 1, 0},
                                {"x\"ff\"", "x\"FF\"", 8, 0},
                                {"'1'", "'1'", -1, -1},
                                {"\"0101\"", "\"0101\"", 4, 0}};
    ASSERT_EQ(fixture.module.wires.size(), std::size(wires));
    ASSERT_EQ(fixture.module.assigns.size(), std::size(wires));
    for (std::size_t i = 0; i < std::size(wires); ++i) {
        SCOPED_TRACE(wires[i].displayName);
        EXPECT_EQ(fixture.module.wires[i].name, wires[i].name);
        EXPECT_EQ(fixture.module.wires[i].displayName, wires[i].displayName);
        EXPECT_EQ(fixture.module.wires[i].msb, wires[i].msb);
        EXPECT_EQ(fixture.module.wires[i].lsb, wires[i].lsb);
        EXPECT_EQ(fixture.module.assigns[i].name, wires[i].name);
        EXPECT_EQ(fixture.module.assigns[i].expression, wires[i].displayName);
        EXPECT_EQ(fixture.module.assigns[i].line, 5);
    }
    // Each literal is a net of its own.
    EXPECT_TRUE(fixture.module.nets.contains("x\"ff\""));
    EXPECT_TRUE(fixture.module.nets.contains("'1'"));
}

TEST(VhdlInstances, AssociationErrorsEndTheStatement) {
    struct Case {
        const char* declarations;
        const char* statement;
        const char* message;
        std::size_t children;
        std::size_t connections;  // of the child, when there is one
    };
    const Case cases[] = {
        {"", "u1: sub generic map (W => 8) foo (a);", "port map() is empty.", 1, 0},
        {"", "u2: entity work.sub port map (x, y);", "Syntax error.(18)", 1, 0},
        {kSubComponent, "u2: sub port map (x, y, z);", "Syntax error.(18)", 1, 2},
        {"", "u1: sub port map (a => x, , b => y);", "Syntax error.(17)", 1, 1},
        {"", "u1: sub port map (=> x);", "Syntax error.(18)", 1, 0},
        {"", "u1: sub port map ((0) => x, b => y);", "Syntax error.(19)", 1, 0},
        {"", "u1: sub port map (a => , b => y);", "Syntax error.(19.2)", 1, 0},
        {"", "u1: sub port map (a => x, b => (y));", "Syntax error.(19.2)", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        VhdlParseFixture fixture(
            architecture(c.declarations, std::string(c.statement) + "\nz <= x;"));
        EXPECT_EQ(fixture.parse(), 0);
        EXPECT_EQ(fixture.logLines(), std::vector<std::string>{fixture.errorLine(5, c.message)});
        ASSERT_EQ(fixture.module.children.size(), c.children);
        if (c.children) {
            EXPECT_EQ(fixture.module.children[0].connections.size(), c.connections);
        }
        // The parse goes on with the next statement.
        ASSERT_EQ(fixture.module.assigns.size(), 1u);
        EXPECT_EQ(fixture.module.assigns[0].name, "z");
    }
}

TEST(VhdlInstances, StatementWithoutSemicolon) {
    VhdlParseFixture fixture(
        "entity top is port (x : in bit); end top;\narchitecture rtl of top is\nbegin\n"
        "u1: sub port map (a => x)\n");
    EXPECT_EQ(fixture.parse(), 0);
    EXPECT_EQ(fixture.logLines(),
              std::vector<std::string>{fixture.errorLine(4, "';' not exist.(12)")});
    EXPECT_TRUE(fixture.module.children.empty());
}

}  // namespace
}  // namespace corvane
