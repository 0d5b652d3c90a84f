#include "vhdl/vhdl_declarations.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/vhdl_parse_fixture.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

struct WireExpect {
    std::string name;
    std::string displayName;
    int msb;
    int lsb;
};

// Runs every declaration of the text through its parser, as the top level
// does after the keyword, and returns the log lines.
std::vector<std::string> parseDeclarations(VhdlParseFixture& fixture) {
    while (true) {
        const std::string keyword = toLowerAscii(fixture.nextItemToken());
        if (keyword.empty()) break;
        if (keyword == "signal") {
            parseSignalDeclaration(*fixture.state);
        } else if (keyword == "constant") {
            parseConstantDeclaration(*fixture.state);
        } else if (keyword == "type") {
            parseTypeDeclaration(*fixture.state);
        } else if (keyword == "component") {
            parseComponentDeclaration(*fixture.state);
        } else {
            ADD_FAILURE() << "unexpected token " << keyword;
            break;
        }
    }
    return fixture.logLines();
}

void expectWires(const Module& module, const std::vector<WireExpect>& expected) {
    ASSERT_EQ(module.wires.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("wire " + expected[i].name);
        EXPECT_EQ(module.wires[i].name, expected[i].name);
        EXPECT_EQ(module.wires[i].displayName, expected[i].displayName);
        EXPECT_EQ(module.wires[i].msb, expected[i].msb);
        EXPECT_EQ(module.wires[i].lsb, expected[i].lsb);
    }
}

const std::map<std::string, std::string> kWidth8 = {{"width", "8"}, {"n", "4"}};

TEST(VhdlSignals, TypesGiveTheRange) {
    struct Case {
        const char* source;
        std::vector<WireExpect> wires;
    };
    const Case cases[] = {
        {"signal a, b : std_logic_vector(WIDTH-1 downto 0);", {{"a", "a", 7, 0}, {"b", "b", 7, 0}}},
        {"signal s : std_logic := '0';", {{"s", "s", -1, -1}}},
        {"signal Cnt : integer range 0 to 15 := 0;", {{"cnt", "Cnt", -1, -1}}},
        {"SIGNAL U : UNSIGNED (WIDTH DOWNTO 1);", {{"u", "U", 8, 1}}},
        {"signal r : std_ulogic_vector(0 to N+1);", {{"r", "r", 0, 5}}},
        {"type state_t is (IDLE, RUN);\nsignal st : state_t;", {{"st", "st", -1, -1}}},
        {"type mem_t is array (0 to 15) of std_logic_vector(7 downto 0);\nsignal m : mem_t;",
         {{"m", "m", 0, 15}}},
        {"type rec_t is record\n  a : bit;\nend record;\nsignal r : rec_t;", {{"r", "r", 0, 0}}},
        {"signal x :\n  bit_vector(3\n  downto 0);", {{"x", "x", 3, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source, kWidth8);
        EXPECT_TRUE(parseDeclarations(fixture).empty());
        expectWires(fixture.module, c.wires);
    }
}

TEST(VhdlSignals, LineAndCommentOfTheKeyword) {
    VhdlParseFixture fixture("\nsignal q : bit_vector(1 downto 0); -- state\nsignal z : bit;");
    EXPECT_TRUE(parseDeclarations(fixture).empty());
    ASSERT_EQ(fixture.module.wires.size(), 2u);
    EXPECT_EQ(fixture.module.wires[0].line, 2);
    EXPECT_EQ(fixture.module.wires[0].comment, "state");
    EXPECT_EQ(fixture.module.wires[1].line, 3);
    EXPECT_EQ(fixture.module.wires[1].comment, "");
}

TEST(VhdlSignals, ErrorsDropTheDeclarationAndTheParseGoesOn) {
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"signal s bit;", "Syntax error.(10)"},
        {"signal a, : bit;", "Signal name is empty."},
        {"signal v : std_logic_vector;", "Syntax error.(34)"},
        // N is the generic N = 4 here, a number without a range.
        {"signal v : unsigned(N'range);", "Syntax error.(34)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(std::string(c.source) + "\nsignal ok : bit;", kWidth8);
        const std::vector<std::string> expected{fixture.errorLine(1, c.message)};
        EXPECT_EQ(parseDeclarations(fixture), expected);
        expectWires(fixture.module, {{"ok", "ok", -1, -1}});
    }
    VhdlParseFixture unended("signal s : bit\n");
    EXPECT_EQ(parseDeclarations(unended),
              std::vector<std::string>{unended.errorLine(1, "';' not exist.(9)")});
    EXPECT_TRUE(unended.module.wires.empty());
}

TEST(VhdlConstants, WireAndAssignOfTheValue) {
    struct Case {
        const char* source;
        WireExpect wire;
        const char* value;
    };
    const Case cases[] = {
        {"constant C : integer := 5;", {"c", "C", -1, -1}, "5"},
        {"constant INIT : std_logic_vector(3 downto 0) := \"1010\";",
         {"init", "INIT", 3, 0},
         "\"1010\""},
        {"constant K : string := \"a:b\";", {"k", "K", -1, -1}, "\"a:b\""},
        {"constant Sum : integer := WIDTH + 3;", {"sum", "Sum", -1, -1}, "WIDTH+3"},
        {"constant Z : bit_vector(WIDTH-1 downto 0) := (others => '0');",
         {"z", "Z", 7, 0},
         "(others=>'0')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source, kWidth8);
        EXPECT_TRUE(parseDeclarations(fixture).empty());
        expectWires(fixture.module, {c.wire});
        ASSERT_EQ(fixture.module.assigns.size(), 1u);
        const Assign& assign = fixture.module.assigns[0];
        EXPECT_EQ(assign.name, c.wire.name);
        EXPECT_EQ(assign.displayName, c.wire.displayName);
        EXPECT_EQ(assign.expression, c.value);
        EXPECT_EQ(assign.line, 1);
    }
}

TEST(VhdlConstants, Errors) {
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"constant C : integer := 5", "Syntax error.(28)"},
        {"constant C : integer;", "Syntax error.(38)"},
        {"constant C := 5;", "Syntax error.(38)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(parseDeclarations(fixture),
                  std::vector<std::string>{fixture.errorLine(1, c.message)});
        EXPECT_TRUE(fixture.module.wires.empty());
        EXPECT_TRUE(fixture.module.assigns.empty());
    }
}

TEST(VhdlTypes, RecordAndArrayTypesAreRecorded) {
    struct Case {
        const char* source;
        std::vector<VhdlType> types;
        const char* message;  // "" when none
    };
    const Case cases[] = {
        {"type mem_t is array (0 to 15) of std_logic_vector(7 downto 0);", {{"mem_t", 0, 15}}, ""},
        {"type Words is array (N-1 downto 0) of word;", {{"words", 3, 0}}, ""},
        {"type rec_t is record a : std_logic; b : std_logic_vector(3 downto 0); end record;",
         {{"rec_t", 0, 0}},
         ""},
        {"type rec_t is record\n  a : bit;\nend record rec_t;", {{"rec_t", 0, 0}}, ""},
        {"type state_t is (IDLE, RUN);", {}, ""},
        {"type byte_t is range 0 to 255;", {}, ""},
        {"type m is array (0 to 3) std_logic;", {}, "Syntax error.(25.3)"},
        // An unconstrained array takes the ranges of its objects.
        {"type m is array (natural range <>) of bit;", {{"m", -1, -1}}, ""},
        {"type m is array () of bit;", {}, "Syntax error.(25.4)"},
        {"type r is record a : bit;", {}, "Syntax error.(25.2)"},
        {"type t is (a, b)", {}, "Syntax error.(25)"},
        {"type t;", {}, "Syntax error.(25)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source, kWidth8);
        const std::vector<std::string> log = parseDeclarations(fixture);
        if (*c.message) {
            EXPECT_EQ(log, std::vector<std::string>{fixture.errorLine(1, c.message)});
        } else {
            EXPECT_TRUE(log.empty());
        }
        ASSERT_EQ(fixture.module.vhdlTypes.size(), c.types.size());
        for (std::size_t i = 0; i < c.types.size(); ++i) {
            EXPECT_EQ(fixture.module.vhdlTypes[i].name, c.types[i].name);
            EXPECT_EQ(fixture.module.vhdlTypes[i].msb, c.types[i].msb);
            EXPECT_EQ(fixture.module.vhdlTypes[i].lsb, c.types[i].lsb);
        }
    }
}

std::vector<std::string> portNames(const VhdlComponent& component) {
    std::vector<std::string> names;
    for (const VhdlComponentPort& port : component.ports) names.push_back(port.displayName);
    return names;
}

TEST(VhdlComponents, PortNamesInDeclarationOrder) {
    VhdlParseFixture fixture(
        "component sub port (a : in std_logic; b : out std_logic); end component;\n"
        "component Sub2 is\n"
        "  generic (W : integer := 8);\n"
        "  port (X, y : in bit_vector(W-1 downto 0);\n"
        "        z : inout bit);\n"
        "end component Sub2;\n"
        "signal after : bit;");
    EXPECT_TRUE(parseDeclarations(fixture).empty());
    const VhdlComponent* sub = fixture.state->findComponent("sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(portNames(*sub), (std::vector<std::string>{"a", "b"}));
    const VhdlComponent* sub2 = fixture.state->findComponent("sub2");
    ASSERT_NE(sub2, nullptr);
    EXPECT_EQ(sub2->displayName, "Sub2");
    EXPECT_EQ(portNames(*sub2), (std::vector<std::string>{"X", "y", "z"}));
    EXPECT_EQ(sub2->ports[0].name, "x");
    // Components are no records of the module.
    expectWires(fixture.module, {{"after", "after", -1, -1}});
}

TEST(VhdlComponents, ErrorsDropTheComponent) {
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {"component c port (x : buffer std_logic); end component;",
         "Syntax error.(28.2) port x has no in/out designation."},
        {"component c port (a : in bit; x, y : linkage bit); end component;",
         "Syntax error.(28.2) port x,y has no in/out designation."},
        {"component c port (); end component;", "No port in component."},
        {"component c port (a in bit); end component;", "Syntax error.(26)"},
        {"component c port (a, : in bit); end component;", "Syntax error.(27)"},
        {"component c port (a : in bit);", "Syntax error.(12)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(parseDeclarations(fixture),
                  std::vector<std::string>{fixture.errorLine(1, c.message)});
        EXPECT_EQ(fixture.state->findComponent("c"), nullptr);
    }
}

TEST(VhdlComponents, ComponentWithoutPortsIsRecorded) {
    VhdlParseFixture fixture("component c generic (W : integer); end component;");
    EXPECT_TRUE(parseDeclarations(fixture).empty());
    const VhdlComponent* component = fixture.state->findComponent("c");
    ASSERT_NE(component, nullptr);
    EXPECT_TRUE(component->ports.empty());
}

TEST(VhdlComponents, SecondDeclarationOfANameIsReported) {
    VhdlParseFixture fixture(
        "component Sub port (a : in bit); end component;\n"
        "component SUB port (p, q : in bit); end component;\n"
        "signal s : bit;");
    EXPECT_EQ(parseDeclarations(fixture), std::vector<std::string>{fixture.errorLine(
                                              2, "component \"SUB\" is already defined.")});
    const VhdlComponent* sub = fixture.state->findComponent("sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(portNames(*sub), std::vector<std::string>{"a"});
    EXPECT_EQ(fixture.module.wires.size(), 1u);
}

}  // namespace
}  // namespace corvane
