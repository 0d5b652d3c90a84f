// A file of several design units gives one module per package and per
// entity, each with its own records and its own lines, read as the
// analysis driver reads a file: one unit per call, resuming where the unit
// before ended.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/parse_files.h"
#include "support/test_files.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

using testing::ParsedFiles;

// Kept here rather than in the fixture folders, whose files the golden
// analysis dumps walk.
constexpr const char* kSeveralUnits = R"(-- Several design units in one file: a package with its body, two entities
-- with their architectures, an entity whose architecture is elsewhere, and
-- a further architecture of an entity read before.
library ieee;
use ieee.std_logic_1164.all;

package widths is
  constant BYTE : integer := 8;
  procedure clear (signal s : out std_logic);
end package widths;

package body widths is
  procedure clear (signal s : out std_logic) is
  begin
    s <= '0';
  end procedure;
end package body widths;

library ieee;
use ieee.std_logic_1164.all;

entity inverter is
  port (a : in std_logic; y : out std_logic);
end entity inverter;

architecture rtl of inverter is
begin
  y <= not a;
end architecture rtl;

library ieee;
use ieee.std_logic_1164.all;

entity pair is
  generic (N : integer := 4);
  port (d : in std_logic_vector(N-1 downto 0); q : out std_logic_vector(N-1 downto 0));
end entity pair;

architecture first of pair is
  signal old : std_logic;
begin
  q <= d;
end architecture first;

-- The architecture analysed last is the one an instance gets.
architecture rtl of pair is
  signal t : std_logic_vector(N-1 downto 0);
begin
  g : for i in 0 to N-1 generate
    u : entity work.inverter port map (a => d(i), y => t(i));
  end generate;
  q <= t;
end architecture rtl;

entity stub is
  port (x : in std_logic);
end entity stub;
)";
using testing::TempDir;

FrontEnds vhdlOnly() {
    FrontEnds frontEnds;
    frontEnds.vhdl = parseVhdlModule;
    return frontEnds;
}

std::vector<std::string> moduleNames(const ModuleList& modules) {
    std::vector<std::string> names;
    for (const Module& module : modules) names.push_back(module.name);
    return names;
}

const Module& moduleNamed(const ModuleList& modules, const std::string& name) {
    for (const Module& module : modules) {
        if (module.name == name) return module;
    }
    static const Module none;
    ADD_FAILURE() << "no module " << name;
    return none;
}

TEST(VhdlDesignUnitSequence, EveryPackageAndEntityOfAFileIsAModule) {
    TempDir folder;
    ParsedFiles<> files(vhdlOnly());
    files.analyseFile(folder.write("several_units.vhd", kSeveralUnits));
    EXPECT_EQ(files.log.text(), "");
    ASSERT_EQ(moduleNames(files.modules),
              (std::vector<std::string>{"widths", "inverter", "pair", "stub"}));

    const Module& widths = moduleNamed(files.modules, "widths");
    ASSERT_EQ(widths.wires.size(), 1u);
    EXPECT_EQ(widths.wires[0].name, "byte");
    EXPECT_TRUE(widths.pins.empty());

    const Module& inverter = moduleNamed(files.modules, "inverter");
    ASSERT_EQ(inverter.pins.size(), 2u);
    ASSERT_EQ(inverter.assigns.size(), 1u);
    EXPECT_EQ(inverter.assigns[0].name, "y");
    EXPECT_EQ(inverter.assigns[0].line, 28);

    // The second architecture replaced the first one's records.
    const Module& pair = moduleNamed(files.modules, "pair");
    ASSERT_EQ(pair.pins.size(), 2u);
    EXPECT_EQ(pair.pins[0].msb, 3);
    ASSERT_EQ(pair.wires.size(), 1u);
    EXPECT_EQ(pair.wires[0].name, "t");
    EXPECT_EQ(pair.wires[0].msb, 3);
    ASSERT_EQ(pair.children.size(), 1u);
    EXPECT_EQ(pair.children[0].moduleName, "inverter");
    ASSERT_EQ(pair.assigns.size(), 1u);
    EXPECT_EQ(pair.assigns[0].expression, "t");

    // An entity whose architecture is not in the file has its ports only.
    const Module& stub = moduleNamed(files.modules, "stub");
    ASSERT_EQ(stub.pins.size(), 1u);
    EXPECT_TRUE(stub.assigns.empty());
}

TEST(VhdlDesignUnitSequence, EachModuleCountsTheLinesOfItsOwnUnits) {
    TempDir folder;
    const std::string text = kSeveralUnits;
    ParsedFiles<> files(vhdlOnly());
    files.analyseFile(folder.write("several_units.vhd", text));
    ASSERT_EQ(files.modules.size(), 4u);
    // A module runs from its first line to the line before the context
    // clause of the next unit (the package body stays with the package):
    // lines 1-18, 19-30, 31-54 and 55-57, counted as the line after the
    // last minus the first plus one. The character counts add up to the file.
    const std::vector<int> lines = {19, 13, 25, 4};
    int characters = 0;
    std::size_t i = 0;
    for (const Module& module : files.modules) {
        SCOPED_TRACE(module.name);
        EXPECT_EQ(module.lineCount, lines[i++]);
        characters += module.charCount;
    }
    EXPECT_EQ(characters, static_cast<int>(text.size()));
}

TEST(VhdlDesignUnitSequence, AnEntityGetsItsArchitectureFromFurtherDown) {
    TempDir folder;
    ParsedFiles<> files(vhdlOnly());
    files.analyseFile(folder.write("later.vhd",
                                   "entity a is port (x : in bit; y : out bit); end;\n"
                                   "entity b is port (p : in bit); end;\n"
                                   "architecture r of b is signal s : bit; begin s <= p; end;\n"
                                   "architecture r of a is\nbegin\ny <= not x;\nend;\n"));
    EXPECT_EQ(files.log.text(), "");
    ASSERT_EQ(moduleNames(files.modules), (std::vector<std::string>{"a", "b"}));
    const Module& a = moduleNamed(files.modules, "a");
    EXPECT_EQ(a.pins.size(), 2u);
    ASSERT_EQ(a.assigns.size(), 1u);
    EXPECT_EQ(a.assigns[0].name, "y");
    EXPECT_EQ(a.assigns[0].line, 6);
    // b keeps its own records only: a's architecture was passed over.
    const Module& b = moduleNamed(files.modules, "b");
    EXPECT_EQ(b.pins.size(), 1u);
    ASSERT_EQ(b.assigns.size(), 1u);
    EXPECT_EQ(b.assigns[0].name, "s");
}

TEST(VhdlDesignUnitSequence, UnitsSharingALineAndOddOrders) {
    struct Case {
        const char* what;
        const char* source;
        std::vector<std::string> modules;
    };
    const Case cases[] = {
        {"two units on one line, the second on the next",
         "entity a is end; architecture r of a is begin end;\nentity b is end;\n",
         {"a", "b"}},
        {"a package body alone gives one module without a name",
         "package body p is\nend package body p;\n",
         {""}},
        {"an architecture further down, after another entity",
         "entity a is port (x : in bit); end;\nentity b is end;\n"
         "architecture r of b is begin end;\narchitecture r of a is begin end;\n",
         {"a", "b"}},
        {"entities first, then their architectures in another order",
         "entity a is end;\nentity b is end;\nentity c is end;\n"
         "architecture r of c is begin end;\narchitecture r of a is begin end;\n"
         "architecture r of b is begin end;\n",
         {"a", "b", "c"}},
        {"a package instantiation", "package p is new work.g generic map (N => 2);\nentity e is end;\n",
         {"p", "e"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir folder;
        ParsedFiles<> files(vhdlOnly());
        files.analyseFile(folder.write("units.vhd", c.source));
        EXPECT_EQ(files.log.text(), "");
        EXPECT_EQ(moduleNames(files.modules), c.modules);
    }
}

}  // namespace
}  // namespace corvane
