// Generates large synthetic VHDL sources for the analysis benchmarks. Only
// the first design unit of a VHDL file is analysed, so the text is one entity
// with generics and ports and one large architecture made of repeated
// sections: signals, a constant, an array type and a component declaration in
// the declarative part; a clocked state machine process, conditional
// assignments and two component instances in the statement part.
#pragma once

#include <cstddef>
#include <string>

namespace corvane::bench {

inline std::string generatedVhdlEntity() {
    std::string e;
    e += "library ieee;\nuse ieee.std_logic_1164.all;\nuse ieee.numeric_std.all;\n\n";
    e += "-- generated top level\n";
    e += "entity gen_top is\n";
    e += "    generic (\n        WIDTH : integer := 8;  -- data width\n";
    e += "        DEPTH : integer := 16\n    );\n";
    e += "    port (\n        clk   : in  std_logic;  -- clock\n        rst   : in  std_logic;\n";
    e += "        sel   : in  std_logic;\n";
    e += "        din   : in  std_logic_vector(WIDTH-1 downto 0);\n";
    e += "        addr  : in  unsigned(0 to 3);\n";
    e += "        dout  : out std_logic_vector(WIDTH-1 downto 0);\n";
    e += "        busy  : buffer std_logic;\n        bus_io : inout std_logic_vector(3 downto 0)\n";
    e += "    );\nend entity gen_top;\n\n";
    return e;
}

// The declarations of section `index` (about 900 bytes).
inline std::string generatedVhdlDeclarations(int index) {
    const std::string n = std::to_string(index);
    std::string d;
    d += "    -- section " + n + "\n";
    d += "    type state" + n + "_t is (IDLE, LOAD, RUN, DONE);\n";
    d += "    type mem" + n + "_t is array (0 to DEPTH-1) of std_logic_vector(7 downto 0);\n";
    d += "    signal state" + n + ", next" + n + " : state" + n + "_t;\n";
    d += "    signal count" + n + " : unsigned(WIDTH-1 downto 0);  -- cycle counter\n";
    d += "    signal data" + n + ", result" + n + " : std_logic_vector(7 downto 0);\n";
    d += "    signal valid" + n + ", ready" + n + " : std_logic := '0';\n";
    d += "    signal mem" + n + " : mem" + n + "_t;\n";
    d += "    constant LIMIT" + n + " : integer := " + std::to_string(10 + index % 50) + ";\n";
    d += "    component unit" + n + " is\n";
    d += "        generic (W : integer := 8; N : integer := 4);\n";
    d += "        port (\n            clk : in std_logic;\n            rst : in std_logic;\n";
    d += "            d   : in std_logic_vector(7 downto 0);\n";
    d += "            q   : out std_logic_vector(7 downto 0);\n";
    d += "            v   : out std_logic\n        );\n";
    d += "    end component;\n\n";
    return d;
}

// The statements of section `index` (about 1.6 KB).
inline std::string generatedVhdlStatements(int index) {
    const std::string n = std::to_string(index);
    std::string s;
    s += "    -- state machine " + n + "\n";
    s += "    fsm" + n + " : process (clk, rst)\n        variable hits : integer;\n    begin\n";
    s += "        if rst = '1' then\n";
    s += "            state" + n + " <= IDLE;\n";
    s += "            count" + n + " <= (others => '0');\n";
    s += "        elsif rising_edge(clk) then\n";
    s += "            case state" + n + " is\n";
    s += "                when IDLE =>\n";
    s += "                    if valid" + n + " = '1' and sel = '0' then\n";
    s += "                        state" + n + " <= LOAD;\n";
    s += "                    end if;\n";
    s += "                when LOAD =>\n";
    s += "                    mem" + n + "(to_integer(addr)) <= data" + n + ";\n";
    s += "                    state" + n + " <= RUN;\n";
    s += "                when RUN =>\n";
    s += "                    count" + n + " <= count" + n + " + 1;  -- count up\n";
    s += "                    hits := hits + 1;\n";
    s += "                    if count" + n + " = LIMIT" + n + " then\n";
    s += "                        state" + n + " <= DONE;\n";
    s += "                    elsif count" + n + " > WIDTH then\n";
    s += "                        state" + n + " <= LOAD;\n";
    s += "                    else\n";
    s += "                        state" + n + " <= RUN;\n";
    s += "                    end if;\n";
    s += "                when others =>\n";
    s += "                    state" + n + " <= IDLE;\n";
    s += "            end case;\n";
    s += "        end if;\n";
    s += "    end process fsm" + n + ";\n\n";
    s += "    ready" + n + " <= '1' when state" + n + " = DONE else '0';\n";
    s += "    data" + n + " <= din xor x\"0F\" when sel = '1' else\n";
    s += "             din and result" + n + ";\n";
    s += "    u_a" + n + " : unit" + n + "\n        generic map (W => WIDTH, N => 4)\n";
    s += "        port map (\n            clk => clk,\n            rst => rst,\n";
    s += "            d   => data" + n + "(7 downto 0),\n            q   => result" + n + ",\n";
    s += "            v   => valid" + n + "\n        );\n";
    s += "    u_b" + n + " : unit" + n + " port map (clk, rst, x\"FF\", open, busy);\n";
    s += "    u_c" + n + " : entity work.unit" + n +
         " port map (clk => clk, rst => rst, d => (others => '0'), q => open, v => open);\n\n";
    return s;
}

// One entity and its architecture, with sections added until the text
// reaches `bytes`.
inline std::string generatedVhdl(std::size_t bytes) {
    std::string declarations;
    std::string statements;
    const std::string entity = generatedVhdlEntity();
    for (int i = 0; entity.size() + declarations.size() + statements.size() < bytes; ++i) {
        declarations += generatedVhdlDeclarations(i);
        statements += generatedVhdlStatements(i);
    }
    std::string text;
    text.reserve(bytes + 8192);
    text += entity;
    text += "architecture rtl of gen_top is\n";
    text += declarations;
    text += "begin\n";
    text += "    dout <= result0 when sel = '1' else data0;\n\n";
    text += statements;
    text += "end architecture rtl;\n";
    return text;
}

}  // namespace corvane::bench
