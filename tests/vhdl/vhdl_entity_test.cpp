#include "vhdl/vhdl_entity.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/vhdl_parse_fixture.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

struct PinExpect {
    std::string name;
    std::string displayName;
    int direction;
    int msb;
    int lsb;
    int line;
};

void expectPins(const Module& module, const std::vector<PinExpect>& expected) {
    ASSERT_EQ(module.pins.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("pin " + expected[i].name);
        const Pin& pin = module.pins[i];
        EXPECT_EQ(pin.name, expected[i].name);
        EXPECT_EQ(pin.displayName, expected[i].displayName);
        EXPECT_EQ(pin.direction, expected[i].direction);
        EXPECT_EQ(pin.msb, expected[i].msb);
        EXPECT_EQ(pin.lsb, expected[i].lsb);
        EXPECT_EQ(pin.line, expected[i].line);
    }
}

// Runs the entity parser on a text that starts with "entity".
int parseEntity(VhdlParseFixture& fixture) {
    EXPECT_EQ(toLowerAscii(fixture.nextItemToken()), "entity");
    return parseEntityDeclaration(*fixture.state);
}

TEST(VhdlEntity, PortDeclarations) {
    struct Case {
        const char* source;
        std::vector<PinExpect> pins;
    };
    const Case cases[] = {
        {"entity top is port (clk : in std_logic; q : out std_logic_vector(7 downto 0)); end top;",
         {{"clk", "clk", 0, -1, -1, 1}, {"q", "q", 1, 7, 0, 1}}},
        {"entity e is port (a, b : in unsigned(0 to 3)); end e;",
         {{"a", "a", 0, 0, 3, 1}, {"b", "b", 0, 0, 3, 1}}},
        {"entity e is port (x : buffer std_logic); end e;", {{"x", "x", 1, -1, -1, 1}}},
        {"ENTITY E IS PORT (Data_In : IN SIGNED(15 DOWNTO 0); Bus_IO : INOUT BIT_VECTOR(0 TO 1);"
         " U : OUT STD_ULOGIC_VECTOR(2 downto 1); I : in integer range 0 to 7); END E;",
         {{"data_in", "Data_In", 0, 15, 0, 1},
          {"bus_io", "Bus_IO", 2, 0, 1, 1},
          {"u", "U", 1, 2, 1, 1},
          {"i", "I", 0, -1, -1, 1}}},
        // A vector type without a readable range, and a type of the user, are scalars.
        {"entity e is port (v : in std_logic_vector; r : out my_rec); end e;",
         {{"v", "v", 0, -1, -1, 1}, {"r", "r", 1, -1, -1, 1}}},
        // Each declaration keeps the line its names are on.
        {"entity e is\n  port (\n    a : in bit;\n    b,\n    c : out bit_vector(3 downto 0)\n  "
         ");\nend e;",
         {{"a", "a", 0, -1, -1, 3}, {"b", "b", 1, 3, 0, 4}, {"c", "c", 1, 3, 0, 4}}},
        // A clause that starts on the entity's line takes its lines from there.
        {"entity e is port (a : in bit;\n  b : out bit);\nend e;",
         {{"a", "a", 0, -1, -1, 1}, {"b", "b", 1, -1, -1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(parseEntity(fixture), 0);
        expectPins(fixture.module, c.pins);
        EXPECT_EQ(fixture.log.text(), "");
    }
}

TEST(VhdlEntity, NameGenericsAndPortRangesFromGenerics) {
    VhdlParseFixture fixture(
        "entity Counter is\n"
        "  generic (WIDTH : integer := 8;   -- bits\n"
        "           A, B : natural := 2;\n"
        "           C : integer;\n"
        "           Name : string := \"Ab\");\n"
        "  port (q : out std_logic_vector(WIDTH-1 downto 0);  -- count\n"
        "        r : in unsigned(0 to A+B));\n"
        "end entity Counter;\n"
        "architecture rtl of Counter is");
    EXPECT_EQ(parseEntity(fixture), 0);
    EXPECT_EQ(fixture.module.name, "counter");
    EXPECT_EQ(fixture.module.displayName, "Counter");
    const std::map<std::string, std::string> generics = {
        {"width", "8"}, {"a", "2"}, {"b", "2"}, {"name", "\"ab\""}};
    EXPECT_EQ(fixture.module.generics, generics);
    expectPins(fixture.module, {{"q", "q", 1, 7, 0, 6}, {"r", "r", 0, 0, 4, 7}});
    EXPECT_EQ(fixture.module.pins[0].comment, "count");
    EXPECT_EQ(fixture.module.pins[1].comment, "");
    // The reading stops right after the entity's ";".
    EXPECT_EQ(fixture.nextItemToken(), "architecture");
    EXPECT_EQ(fixture.log.text(), "");
}

TEST(VhdlEntity, ClauseErrorsDropTheDeclaration) {
    struct Case {
        const char* source;
        std::vector<std::string> pinNames;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"entity e is port (clk in std_logic; q : out bit); end e;", {"q"}, {"Syntax error.(24)"}},
        {"entity e is port (: in bit; q : out bit); end e;", {"q"}, {"Pin name is empty."}},
        {"entity e is port (a : linkage bit; q : out bit); end e;", {"q"}, {"Syntax error.(9)"}},
        {"entity e is generic (W integer); port (q : out bit); end e;",
         {"q"},
         {"Syntax error.(8)"}},
        {"entity e is generic (W : a : b : c); port (q : out bit); end e;",
         {"q"},
         {"Syntax error.(8)"}},
        {"entity e is generic (: integer := 3); port (q : out bit); end e;",
         {"q"},
         {"Generic parameter name is empty."}},
        {"entity e is generic (W : integer := ); port (q : out bit); end e;",
         {"q"},
         {"Generic parameter value is empty."}},
        // An entity without a port clause (a testbench) is legal.
        {"entity tb is end tb;", {}, {}},
        {"entity e is port ( ); end e;", {}, {"port empty"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(parseEntity(fixture), 0);
        std::vector<std::string> names;
        for (const Pin& pin : fixture.module.pins) names.push_back(pin.name);
        EXPECT_EQ(names, c.pinNames);
        std::vector<std::string> expected;
        for (const std::string& message : c.messages)
            expected.push_back(fixture.errorLine(1, message));
        EXPECT_EQ(fixture.logLines(), expected);
        EXPECT_TRUE(fixture.module.generics.empty());
    }
}

TEST(VhdlEntity, MissingEndFails) {
    VhdlParseFixture fixture("entity e is\nport (a : in bit);\narchitecture rtl of e is");
    EXPECT_EQ(parseEntity(fixture), 1);
    EXPECT_EQ(fixture.logLines(),
              std::vector<std::string>{fixture.errorLine(3, "entity end Not found.")});
}

TEST(VhdlPortClause, ModesAndTypes) {
    struct Case {
        const char* declaration;
        int result;
        int direction;
        int msb;
        int lsb;
    };
    const Case cases[] = {
        {"a:instd_logic", 0, 0, -1, -1},
        {"a:inoutstd_logic_vector(3$downto$0)", 0, 2, 3, 0},
        {"a:outbit_vector(0$to$7)", 0, 1, 0, 7},
        {"a:bufferunsigned(N$downto$1)", 0, 1, 4, 1},
        {"a:OUTSTD_LOGIC_VECTOR(n-1$DOWNTO$0):=\"0000\"", 0, 1, 3, 0},
        {"a:linkagebit", 1, -1, -1, -1},
        {"a", 1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declaration);
        Module module;
        module.generics["n"] = "4";
        module.lineComments[5] = "note";
        EXPECT_EQ(parsePortClause(module, c.declaration, 5), c.result);
        if (c.result != 0) {
            EXPECT_TRUE(module.pins.empty());
            continue;
        }
        ASSERT_EQ(module.pins.size(), 1u);
        EXPECT_EQ(module.pins[0].direction, c.direction);
        EXPECT_EQ(module.pins[0].msb, c.msb);
        EXPECT_EQ(module.pins[0].lsb, c.lsb);
        EXPECT_EQ(module.pins[0].line, 5);
        EXPECT_EQ(module.pins[0].comment, "note");
    }
}

}  // namespace
}  // namespace corvane
