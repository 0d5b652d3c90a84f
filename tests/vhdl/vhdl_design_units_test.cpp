// The top-level rules of the VHDL parser: clauses, headers, the end of a
// design unit, the placement rules, and the result of the whole parse.
#include "vhdl/vhdl_design_units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/vhdl_parse_fixture.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

constexpr const char* kEntity = "entity e is port (a : in bit; y : out bit); end e;\n";

struct Case {
    std::string source;
    int result;
    std::vector<std::pair<int, std::string>> messages;  // line, message
};

void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(fixture.parse(), c.result);
        std::vector<std::string> expected;
        for (const auto& [line, message] : c.messages)
            expected.push_back(fixture.errorLine(line, message));
        EXPECT_EQ(fixture.logLines(), expected);
    }
}

TEST(VhdlDesignUnits, ClausesAndHeaders) {
    runCases({
        {"library ieee;\nuse ieee.std_logic_1164.all;\n" + std::string(kEntity) +
             "architecture rtl of e is\nbegin\nend rtl;",
         0,
         {}},
        {"library ieee", 0, {{1, "Syntax error.(5)"}}},
        {"use ieee.std_logic_1164.all", 0, {{1, "Syntax error.(6)"}}},
        {std::string(kEntity) + "architecture rtl of e is attribute keep : boolean",
         0,
         {{2, "Syntax error.(6.2)"}}},
        {std::string(kEntity) + "architecture rtl of e is subtype byte is bit_vector(7 downto 0)",
         0,
         {{2, "Syntax error.(34)"}}},
        {std::string(kEntity) + "architecture", 1, {{2, "Syntax error.(20)"}}},
        {std::string(kEntity) + "architecture rtl of e\nbegin",
         1,
         {{3, "architecture \"is\" Not found."}}},
        {"package", 1, {{1, "Syntax error.(29)"}}},
        {"package p", 1, {{1, "Syntax error.(29)"}}},
        {"package body", 0, {{1, "No package name."}}},
    });
}

TEST(VhdlDesignUnits, EndOfUnit) {
    const std::string arch = std::string(kEntity) + "architecture rtl of e is\nbegin\n";
    runCases({
        {arch + "end rtl;", 0, {}},
        {arch + "end architecture rtl;", 0, {}},
        {arch + "end;", 0, {}},
        {arch + "end RTL ;", 0, {}},
        {arch + "end other;", 0, {{4, "Syntax error.(23)"}}},
        {arch + "end", 0, {{4, "Syntax error.(22)"}}},
        {"package p is\nend package p;", 0, {}},
        {"package p is\nend p;", 0, {}},
        {"package p is\nend;", 0, {}},
        {"package p is\nend q;", 0, {{2, "Syntax error.(33)"}}},
        {"package p is\nend", 0, {{2, "Syntax error.(32)"}}},
        {"end;\n" + std::string(kEntity), 0, {{1, "Syntax error.(30)"}}},
        // A package body names no package whose end could follow.
        {"package body p is\nend package body p;\nend;", 0, {{3, "Syntax error.(31)"}}},
    });
}

TEST(VhdlDesignUnits, PlacementRules) {
    const std::string decl = std::string(kEntity) + "architecture rtl of e is\n";
    const std::string body = decl + "begin\n";
    runCases({
        {decl + "process (a) begin y <= a; end process;\nbegin\nend rtl;",
         0,
         {{3, "Illegal position \"always\"."}}},
        {decl + "process(a) begin y <= a; end process;", 0, {{3, "Illegal position \"always\"."}}},
        {"signal s : bit;", 0, {{1, "Illegal position \"signal\"."}}},
        {body + "signal s : bit;", 0, {{4, "Illegal position \"signal\"."}}},
        {body + "constant c : integer := 1;", 0, {{4, "Illegal position \"constant\"."}}},
        {body + "component c port (a : in bit); end component;",
         0,
         {{4, "Illegal position \"component\"."}}},
        {body + "type t is (s0, s1);", 0, {{4, "Illegal position \"type\"."}}},
        {body + "function f return bit is begin return '0'; end f;",
         0,
         {{4, "Illegal position \"function\"."}}},
        {decl + "wait;", 1, {{3, "Syntax error.(11)"}}},
        {"package p is\nfoo;", 1, {{2, "Syntax error.(11)"}}},
        {"foo bar", 1, {{1, "Syntax error.(4) foo"}}},
    });
}

TEST(VhdlDesignUnits, IllegalPositionStopsTheReadingAndCompletesTheModule) {
    VhdlParseFixture fixture(std::string(kEntity) +
                             "architecture rtl of e is\n"
                             "signal s : bit;\n"
                             "process (a) begin y <= a; end process;\n"
                             "signal t : bit;\n");
    EXPECT_EQ(fixture.parse(), 0);
    ASSERT_EQ(fixture.module.wires.size(), 1u);
    EXPECT_EQ(fixture.module.wires[0].name, "s");
    EXPECT_TRUE(fixture.module.alwaysBlocks.empty());
    // The module was completed: its net table holds the ports and the signal.
    EXPECT_EQ(fixture.module.nets.size(), 3u);
}

// One parse reads the units of one module and stops before the entity that
// follows the package; the driver's next call reads that one.
TEST(VhdlDesignUnits, AParseStopsBeforeTheNextModulesUnit) {
    VhdlParseFixture fixture(
        "package Defs is\n"
        "  constant W : integer := 4;\n"
        "  signal shared_s : bit_vector(W-1 downto 0);\n"
        "end package Defs;\n" +
        std::string(kEntity) + "architecture rtl of e is\nsignal s : bit;\nbegin\nend rtl;");
    EXPECT_EQ(fixture.parse(), 0);
    EXPECT_EQ(fixture.module.name, "defs");
    EXPECT_EQ(fixture.module.displayName, "Defs");
    EXPECT_TRUE(fixture.module.pins.empty());
    ASSERT_EQ(fixture.module.wires.size(), 2u);
    EXPECT_EQ(fixture.module.wires[1].name, "shared_s");
    // A constant is no generic: "W-1" is evaluated as 0 - 1.
    EXPECT_EQ(fixture.module.wires[1].msb, -1);
    EXPECT_EQ(fixture.module.wires[1].lsb, 0);
    EXPECT_EQ(fixture.log.text(), "");
}

TEST(VhdlDesignUnits, PackageBodyIsSkipped) {
    VhdlParseFixture fixture(
        "package body defs is\n"
        "  function f (x : bit) return bit is\n"
        "  begin\n"
        "    if x = '1' then return '0'; end if;\n"
        "    return '1';\n"
        "  end f;\n"
        "end package body defs;\n" +
        std::string(kEntity) +
        "architecture rtl of e is\nsignal s : bit;\nbegin\ny <= a;\nend rtl;");
    EXPECT_EQ(fixture.parse(), 0);
    EXPECT_EQ(fixture.module.name, "e");
    EXPECT_EQ(fixture.module.pins.size(), 2u);
    EXPECT_EQ(fixture.module.wires.size(), 1u);
    EXPECT_EQ(fixture.module.assigns.size(), 1u);
    EXPECT_EQ(fixture.log.text(), "");
}

TEST(VhdlDesignUnits, FunctionsAreSkipped) {
    const std::string decl = std::string(kEntity) + "architecture rtl of e is\n";
    runCases({
        {decl + "function f (a, b : bit) return bit is\nbegin\nreturn a and b;\nend function f;\n"
                "signal s : bit;\nbegin\nend rtl;",
         0,
         {}},
        {decl + "function f (a : bit) return bit is begin return a; end;\nbegin\nend rtl;", 0, {}},
        {decl + "function f (a : bit) return bit;\nsignal s : bit;\nbegin\nend rtl;", 0, {}},
        {decl + "function", 0, {{3, "Syntax error.(13)"}}},
        {decl + "function f (a : bit)", 0, {{3, "Syntax error.(35)"}}},
        {decl + "function f (a : bit) return", 0, {{3, "Syntax error.(36)"}}},
        {decl + "function f (a : bit) return bit is begin return a;",
         0,
         {{3, "entity end Not found."}}},
    });
}

}  // namespace
}  // namespace corvane
