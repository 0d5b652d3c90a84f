// Standard constructs of real VHDL designs, one small case each: every case
// is analysed without an error line, and what the database models is
// recorded (ports, signals, assignments, processes and their statements,
// instances); what it does not model is passed over.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/vhdl_parse_fixture.h"

namespace corvane {
namespace {

using testing::VhdlParseFixture;

constexpr const char* kHead =
    "library ieee;\nuse ieee.std_logic_1164.all;\n"
    "entity top is\n"
    "  generic (W : integer := 8);\n"
    "  port (clk : in std_logic; d : in std_logic_vector(W-1 downto 0);\n"
    "        q : out std_logic_vector(W-1 downto 0));\n"
    "end entity top;\n";

// kHead, then an architecture with `declarations` and `statements`.
std::string design(const std::string& declarations, const std::string& statements) {
    return std::string(kHead) + "architecture rtl of top is\n" + declarations + "\nbegin\n" +
           statements + "\nend architecture rtl;\n";
}

// A process of `statements` with the variable v declared.
std::string process(const std::string& statements) {
    return design("signal s : std_logic_vector(W-1 downto 0);",
                  "p : process (clk) is\n  variable v : integer;\nbegin\n" + statements +
                      "\nend process p;");
}

std::vector<std::string> targets(const Module& module) {
    std::vector<std::string> result;
    if (module.alwaysBlocks.empty()) return result;
    for (const Statement& statement : module.alwaysBlocks[0].statements)
        result.push_back(statement.target);
    return result;
}

std::vector<std::string> names(const std::vector<Wire>& wires) {
    std::vector<std::string> result;
    for (const Wire& wire : wires) result.push_back(wire.name);
    return result;
}

std::vector<std::string> assignTargets(const Module& module) {
    std::vector<std::string> result;
    for (const Assign& assign : module.assigns) result.push_back(assign.name);
    return result;
}

struct Case {
    const char* what;
    std::string source;
    std::function<void(const Module&)> check;
};

void runCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VhdlParseFixture fixture(c.source);
        EXPECT_EQ(fixture.parse(), 0);
        EXPECT_EQ(fixture.log.text(), "");
        c.check(fixture.module);
    }
}

using Targets = std::vector<std::string>;

TEST(VhdlRealConstructs, ProcessStatements) {
    runCases({
        {"reports, assertions and waits add nothing",
         process("report \"start\";\nassert s = d report \"bad; value\" severity error;\n"
                 "wait for 10 ns;\ns <= d;\nwait;"),
         [](const Module& m) { EXPECT_EQ(targets(m), (Targets{"s"})); }},
        {"exit, next, return and null add nothing",
         process("for i in 0 to 3 loop\nnext when d(i) = '0';\nexit;\nend loop;\nnull;\nreturn;"),
         [](const Module& m) { EXPECT_EQ(targets(m), (Targets{"for", "end"})); }},
        {"while and plain loops open a loop as for does",
         process("while v < 3 loop\nv := v + 1;\nend loop;\nloop\nexit when v = 0;\nend loop;"),
         [](const Module& m) { EXPECT_EQ(targets(m), (Targets{"for", "v", "end", "for", "end"})); }},
        {"statement labels are passed over",
         process("l1 : for i in 0 to 3 loop\ns(i) <= d(i);\nend loop l1;\nchk: if v = 1 then\n"
                 "v := 0;\nend if chk;"),
         [](const Module& m) {
             EXPECT_EQ(targets(m), (Targets{"for", "s(i)", "end", "if", "v", "end"}));
         }},
        {"process (all) is sensitive to the signals and ports it reads",
         design("signal s, t : std_logic;",
                "process (all)\n  variable v : std_logic;\nbegin\nv := s;\n"
                "if d(0) = '1' and v = '0' then\nt <= s;\nend if;\nend process;"),
         [](const Module& m) {
             ASSERT_EQ(m.alwaysBlocks.size(), 1u);
             std::vector<std::string> list;
             for (const Sensitivity& entry : m.alwaysBlocks[0].sensitivity) list.push_back(entry.name);
             EXPECT_EQ(list, (Targets{"s", "d"}));
         }},
        {"procedure calls add nothing", process("write_out(s, d);\nreset_all;\nq <= s;"),
         [](const Module& m) { EXPECT_EQ(targets(m), (Targets{"q"})); }},
        {"record fields and when others => null",
         design("type r_t is record\n  a : std_logic;\n  n : integer;\nend record;\n"
                "signal r : r_t;",
                "process (clk)\n  variable v : r_t;\nbegin\nv := r;\nv.a := d(0);\n"
                "case v.n is\nwhen 1 => v.n := 2;\nwhen others => null;\nend case;\n"
                "r <= v;\nend process;"),
         [](const Module& m) {
             EXPECT_EQ(targets(m), (Targets{"v", "v.a", "case", "when", "v.n", "when", "end", "r"}));
         }},
    });
}

TEST(VhdlRealConstructs, UnitsAndEnds) {
    runCases({
        {"an entity without ports (a testbench)",
         "entity tb is\nend entity;\narchitecture sim of tb is\nsignal s : bit;\nbegin\n"
         "s <= not s after 5 ns;\nend architecture;",
         [](const Module& m) {
             EXPECT_EQ(m.name, "tb");
             EXPECT_TRUE(m.pins.empty());
             EXPECT_EQ(assignTargets(m), (Targets{"s"}));
         }},
        {"end architecture; without a name", design("", "q <= d;"),
         [](const Module& m) { EXPECT_EQ(assignTargets(m), (Targets{"q"})); }},
        {"an architecture whose entity is in another file names the module",
         "architecture rtl of other is\nbegin\nq <= d;\nend;",
         [](const Module& m) {
             EXPECT_EQ(m.name, "other");
             EXPECT_EQ(assignTargets(m), (Targets{"q"}));
         }},
        {"configurations and context declarations are passed over",
         "context c is\nlibrary ieee;\nuse ieee.std_logic_1164.all;\nend context c;\n"
         "context work.c;\n" +
             design("for all : sub use entity work.sub;", "q <= d;") +
             "configuration cfg of top is\nfor rtl\nfor all : sub\nuse entity work.sub;\n"
             "end for;\nend for;\nend configuration;",
         [](const Module& m) { EXPECT_EQ(m.name, "top"); }},
    });
}

TEST(VhdlRealConstructs, ConcurrentStatements) {
    runCases({
        {"if, for and case generate with declarations",
         design("",
                "g1 : if W > 4 generate\n  signal t : std_logic;\nbegin\n  t <= d(0);\n"
                "end generate g1;\ng2 : for i in 0 to W-1 generate\n  q(i) <= d(i);\n"
                "end generate;\ng3: case W generate\nwhen a1: 8 =>\n  signal u : bit;\nbegin\n"
                "u <= '1';\nend a1;\nwhen others =>\nq <= d;\nend generate;"),
         [](const Module& m) {
             EXPECT_EQ(names(m.wires), (Targets{"t", "u"}));
             EXPECT_EQ(assignTargets(m), (Targets{"t", "q(i)", "u", "q"}));
         }},
        {"elsif and else generate (VHDL-2008)",
         design("",
                "g : if W = 1 generate\nq <= d;\nelsif W = 2 generate\nq(0) <= '0';\n"
                "else generate\nq(1) <= '1';\nend generate g;"),
         [](const Module& m) { EXPECT_EQ(assignTargets(m), (Targets{"q", "q(0)", "q(1)"})); }},
        {"block statements",
         design("", "b : block is\n  signal t : bit;\nbegin\n  t <= '0';\nend block b;"),
         [](const Module& m) {
             EXPECT_EQ(names(m.wires), (Targets{"t"}));
             EXPECT_EQ(assignTargets(m), (Targets{"t"}));
         }},
        {"processes inside generates",
         design("", "g : if true generate\nprocess (clk) begin q <= d; end process;\nend generate;"),
         [](const Module& m) { EXPECT_EQ(targets(m), (Targets{"q"})); }},
        {"concurrent assertions and procedure calls are passed over",
         design("",
                "assert W > 0 report \"W <= 0\" severity failure;\n"
                "chk : assert W < 64;\ncheck(d);\nq <= d;"),
         [](const Module& m) { EXPECT_EQ(assignTargets(m), (Targets{"q"})); }},
    });
}

TEST(VhdlRealConstructs, Instances) {
    runCases({
        {"instances without a port map",
         design("component c is end component;",
                "u1 : entity work.tb;\nu2 : component c;\nu3 : sub;\n"
                "u4 : entity work.sub generic map (N => 2);"),
         [](const Module& m) {
             ASSERT_EQ(m.children.size(), 4u);
             EXPECT_EQ(m.children[0].moduleName, "tb");
             EXPECT_EQ(m.children[1].moduleName, "c");
             EXPECT_EQ(m.children[2].moduleName, "sub");
             ASSERT_EQ(m.children[3].overrides.size(), 1u);
             EXPECT_EQ(m.children[3].overrides[0].value, "2");
             for (const Child& child : m.children) EXPECT_TRUE(child.connections.empty());
         }},
        {"brackets with commas inside generic and port maps",
         design("",
                "u : entity work.sub generic map (N => max(W, 2), M => 3)\n"
                "port map (a => resize(d, 4, 0), b => q);"),
         [](const Module& m) {
             ASSERT_EQ(m.children.size(), 1u);
             const Child& child = m.children[0];
             ASSERT_EQ(child.overrides.size(), 2u);
             EXPECT_EQ(child.overrides[0].value, "max(W,2)");
             EXPECT_EQ(child.overrides[1].name, "m");
             ASSERT_EQ(child.connections.size(), 2u);
             EXPECT_EQ(child.connections[0].signal, "resize");
             EXPECT_EQ(child.connections[1].signal, "q");
         }},
        {"instances inside a generate",
         design("",
                "g : for i in 0 to 1 generate\n  u : entity work.sub port map (a => d(i), b => "
                "q(i));\nend generate;"),
         [](const Module& m) {
             ASSERT_EQ(m.children.size(), 1u);
             EXPECT_EQ(m.children[0].connections.size(), 2u);
         }},
    });
}

TEST(VhdlRealConstructs, Declarations) {
    runCases({
        {"unconstrained arrays take the range of their objects",
         design("type arr_t is array (natural range <>) of std_logic_vector(7 downto 0);\n"
                "signal m : arr_t(0 to 3);",
                "q <= d;"),
         [](const Module& m) {
             ASSERT_EQ(m.wires.size(), 1u);
             EXPECT_EQ(m.wires[0].msb, 0);
             EXPECT_EQ(m.wires[0].lsb, 3);
         }},
        {"ranges given by an attribute of a port or signal",
         design("signal a : std_logic_vector(d'range);\nsignal b : std_logic_vector(a'reverse_range);\n"
                "signal c : std_logic_vector(addr_t);",
                ""),
         [](const Module& m) {
             ASSERT_EQ(m.wires.size(), 3u);
             EXPECT_EQ(m.wires[0].msb, 7);
             EXPECT_EQ(m.wires[0].lsb, 0);
             EXPECT_EQ(m.wires[1].msb, 0);
             EXPECT_EQ(m.wires[1].lsb, 7);
             EXPECT_EQ(m.wires[2].msb, -1);
         }},
        {"port and signal widths computed from generics",
         "entity e is\n  generic (W : integer := 8; D : natural := 2**4);\n"
         "  port (a : in std_logic_vector(2*W-1 downto 0); b : out unsigned((W+1)/3 downto 0));\n"
         "end entity;\narchitecture rtl of e is\nsignal m : std_logic_vector(D/W*(W-1) downto 0);\n"
         "begin\nend architecture;",
         [](const Module& m) {
             ASSERT_EQ(m.pins.size(), 2u);
             EXPECT_EQ(m.pins[0].msb, 15);
             EXPECT_EQ(m.pins[1].msb, 3);
             ASSERT_EQ(m.wires.size(), 1u);
             EXPECT_EQ(m.wires[0].msb, 14);
         }},
        {"declarations the database does not model",
         design("alias hi : std_logic is d(7);\nshared variable sv : integer;\n"
                "file f : text;\nsubtype byte_t is std_logic_vector(7 downto 0);\n"
                "attribute keep : boolean;\nattribute keep of s : signal is true;\n"
                "procedure inc (variable x : inout integer) is\nbegin\nx := x + 1;\nend procedure;\n"
                "impure function now_ns return integer is\nbegin\nreturn 0;\nend function;\n"
                "type prot_t is protected\nprocedure set (x : integer);\nend protected;\n"
                "signal s : std_logic;",
                "q <= d;"),
         [](const Module& m) { EXPECT_EQ(names(m.wires), (Targets{"s"})); }},
        {"a package with subprograms, generics and a physical type",
         "package p is\n  generic (N : natural := 4);\n  constant C : integer := N;\n"
         "  procedure a (x : in bit);\n  pure function b (x : bit) return bit;\n"
         "  type dist_t is range 0 to 1000\n  units\n    um;\n    mm = 1000 um;\n  end units;\n"
         "  alias t is c;\nend package;",
         [](const Module& m) {
             EXPECT_EQ(m.name, "p");
             EXPECT_EQ(names(m.wires), (Targets{"c"}));
         }},
    });
}

}  // namespace
}  // namespace corvane
