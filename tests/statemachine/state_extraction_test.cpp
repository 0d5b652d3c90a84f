// State machine extraction on blocks read by the real Verilog and VHDL front
// ends: the states, transitions, conditions and resolved targets a designer
// expects from each small machine.
#include "statemachine/state_extraction.h"

#include <gtest/gtest.h>

#include <string>

#include "support/parse_files.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

// Every module of one source text, written to a file of the given extension
// and analysed chunk after chunk as the driver does.
struct ParsedFile : testing::ParsedFiles<> {
    ParsedFile(const std::string& text, const std::string& extension)
        : ParsedFiles(FrontEnds{parseVerilogModule, parseVhdlModule}) {
        static int counter = 0;
        analyseFile(dir.write("f" + std::to_string(++counter) + extension, text));
    }

    const Module& first() const { return *modules.begin(); }

    corvane::testing::TempDir dir;
};

// One line per state: "name:" and per transition " [condition] target {k=v,...}".
std::string describe(const StateMachine& machine) {
    std::string text;
    for (const StateNode& state : machine.states) {
        text += state.name + ":";
        for (const Transition& transition : state.transitions) {
            text += " [" + transition.condition + "] " + transition.target + " {";
            std::string separator;
            for (const auto& [target, value] : transition.assignments) {
                text += separator + target + "=" + value;
                separator = ",";
            }
            text += "}";
        }
        text += "\n";
    }
    return text;
}

struct ExtractionCase {
    const char* title;
    const char* extension;
    const char* source;
    int blockIndex;  // which always block of the first module
    int result;
    const char* stateRegister;
    const char* states;  // describe() of the expected machine
};

const ExtractionCase kCases[] = {
    {"reset branch before the state case, three states plus the filler", ".v",
     R"(module m(clk, rst, start);
input clk, rst, start;
reg [1:0] state;
parameter IDLE = 0, RUN = 1, DONE = 2;
always @(posedge clk)
  if (rst) state <= IDLE;
  else case (state)
    IDLE: begin
      if (start)
        state <= RUN;
      else
        state <= IDLE;
    end
    RUN: begin
      state <= DONE;
    end
    DONE:
      state <= IDLE;
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "IDLE: [(start)] RUN {} [(not (start))] IDLE {}\n"
     "RUN: [] DONE {}\n"
     "DONE: [] IDLE {}\n"
     "%dummy%:\n"},

    {"four states get no filler; an else without an assignment to the state inherits", ".v",
     R"(module m(clk, start, ready);
input clk, start;
output ready;
reg ready;
reg [1:0] state;
always @(posedge clk) begin
  case (state)
    2'd0: begin
      if (start) state <= 2'd1;
      else ready <= 1;
    end
    2'd1: state <= 2'd2;
    2'd2: state <= 2'd3;
    2'd3: state <= 2'd0;
  endcase
end
endmodule
)",
     0, kStateMachineFound, "state",
     "2'd0: [(start)] 2'd1 {} [(not (start))] 2'd1 {ready=1}\n"
     "2'd1: [] 2'd2 {}\n2'd2: [] 2'd3 {}\n2'd3: [] 2'd0 {}\n"},

    {"outputs assigned before and after a branch reach every transition", ".v",
     R"(module m(clk, start, done, busy);
input clk, start;
output done, busy;
reg done, busy;
reg state;
always @(posedge clk)
  case (state)
    1'b0: begin
      done <= 0;
      if (start) state <= 1'b1;
      busy <= start;
    end
    default: state <= 1'b0;
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "1'b0: []  {busy=start,done=0} [(start)] 1'b1 {busy=start,done=0}\n%dummy%:\n"},

    {"else-if chains show the last branch as (else)", ".v",
     R"(module m(clk, a, b);
input clk, a, b;
reg [1:0] state;
always @(posedge clk)
  case (state)
    S0: begin
      if (a) state <= S1;
      else if (b) state <= S2;
      else state <= S0;
    end
    S1: state <= S0;
    S2: state <= S0;
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "S0: [(a)] S1 {} [(b)] S2 {} [(else)] S0 {}\nS1: [] S0 {}\nS2: [] S0 {}\n%dummy%:\n"},

    {"nested ifs join their conditions; a nested case adds no states", ".v",
     R"(module m(clk, a, b, sel, out);
input clk, a, b;
input [1:0] sel;
output out;
reg out;
reg state;
always @(posedge clk)
  case (state)
    0: begin
      if (a) begin
        if (b) state <= 1;
      end
    end
    1: begin
      case (sel)
        2'b00: out <= 1;
        2'b01: begin
          out <= 0;
        end
        default: out <= a;
      endcase
      state <= 0;
    end
  endcase
endmodule
)",
     0, kStateMachineFound, "state", "0: [(a) and (b)] 1 {}\n1: [] 0 {out=a}\n"},

    {"a Verilog default item at the state-case level ends the scan", ".v",
     R"(module m(clk, go);
input clk, go;
reg [1:0] state;
always @(posedge clk)
  case (state)
    A: begin if (go) state <= B; end
    default: state <= A;
    C: state <= A;
  endcase
endmodule
)",
     0, kStateMachineFound, "state", "A: [(go)] B {}\n%dummy%:\n"},

    {"two-block machine: the next-state variable of the clocked block", ".v",
     R"(module m(clk, rst, go, ack);
input clk, rst, go, ack;
reg [1:0] state, next_state;
always @(posedge clk)
  if (rst) state <= 0;
  else state <= next_state;
always @(*) begin
  next_state = state;
  case (state)
    2'd0: begin if (go) next_state = 2'd1; end
    2'd1: begin
      if (ack) next_state = 2'd2;
    end
    2'd2: next_state = 2'd0;
  endcase
end
endmodule
)",
     1, kStateMachineFound, "state",
     "2'd0: [(go)] 2'd1 {}\n2'd1: [(ack)] 2'd2 {}\n2'd2: [] 2'd0 {}\n%dummy%:\n"},

    {"the clocked block of a two-block machine has no case", ".v",
     R"(module m(clk, rst);
input clk, rst;
reg [1:0] state, next_state;
always @(posedge clk)
  if (rst) state <= 0;
  else state <= next_state;
endmodule
)",
     0, kScanNotClosed, "", ""},

    {"nothing assigns the state register and no other block copies it", ".v",
     R"(module m(clk, y);
input clk;
output y;
reg y;
reg [1:0] s;
always @(posedge clk)
  case (s)
    0: y <= 1;
    1: y <= 0;
  endcase
endmodule
)",
     0, kStateNotAssigned, "s", ""},

    {"VHDL: if/else negates, the others item ends the scan", ".vhd",
     R"(library ieee;
use ieee.std_logic_1164.all;
entity m is
  port (clk, start : in std_logic; ready : out std_logic);
end m;
architecture rtl of m is
  type state_t is (IDLE, RUN);
  signal state : state_t;
begin
  process (clk)
  begin
    if rising_edge(clk) then
      case state is
        when IDLE =>
          if start = '1' then
            state <= RUN;
          else
            ready <= '1';
          end if;
        when RUN =>
          state <= IDLE;
        when others =>
          state <= IDLE;
      end case;
    end if;
  end process;
end rtl;
)",
     0, kStateMachineFound, "state",
     "IDLE: [(start='1')] RUN {} [(not (start='1'))] RUN {ready='1'}\n"
     "RUN: [] IDLE {}\n"},

    {"VHDL: elsif chains and the end of the case", ".vhd",
     R"(library ieee;
use ieee.std_logic_1164.all;
entity m is
  port (clk, a, b : in std_logic);
end m;
architecture rtl of m is
  type state_t is (S0, S1, S2);
  signal state : state_t;
begin
  process (clk)
  begin
    if rising_edge(clk) then
      case state is
        when S0 =>
          if a = '1' then
            state <= S1;
          elsif b = '1' then
            state <= S2;
          else
            state <= S0;
          end if;
        when S1 =>
          for i in 0 to 3 loop
            state <= S2;
          end loop;
        when S2 =>
          state <= S0;
      end case;
    end if;
  end process;
end rtl;
)",
     0, kStateMachineFound, "state",
     "S0: [(a='1')] S1 {} [(b='1')] S2 {} [(else)] S0 {}\nS1: [] S2 {}\nS2: [] S0 {}\n"
     "%dummy%:\n"},

    {"a begin glued to an if, a case label or a while opens its level like a begin of its own",
     ".v",
     R"(module m(clk, start, stop, busy);
input clk, start, stop;
output busy;
reg busy;
reg [1:0] state;
reg [3:0] n;
always @(posedge clk)
  case (state)
    0: begin
      if (start) begin
        busy <= 1;
        state <= 1;
      end
      else state <= 0;
    end
    1:begin
      while (n) begin
        n <= n - 1;
      end
      if (stop) begin state <= 2; end
    end
    2: begin
      busy <= 0;
      state <= 0;
    end
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "0: [(start)] 1 {busy=1} [(not (start))] 0 {busy=1}\n"
     "1: []  {n=n-1} [(stop)] 2 {n=n-1}\n"
     "2: [] 0 {busy=0}\n%dummy%:\n"},

    {"the same machine with every begin on a line of its own", ".v",
     R"(module m(clk, start, stop, busy);
input clk, start, stop;
output busy;
reg busy;
reg [1:0] state;
reg [3:0] n;
always @(posedge clk)
  case (state)
    0: begin
      if (start)
      begin
        busy <= 1;
        state <= 1;
      end
      else state <= 0;
    end
    1:
    begin
      while (n)
      begin
        n <= n - 1;
      end
      if (stop)
      begin state <= 2; end
    end
    2: begin
      busy <= 0;
      state <= 0;
    end
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "0: [(start)] 1 {busy=1} [(not (start))] 0 {busy=1}\n"
     "1: []  {n=n-1} [(stop)] 2 {n=n-1}\n"
     "2: [] 0 {busy=0}\n%dummy%:\n"},

    // A branch written without begin-end holds one statement: its level ends
    // with that statement, and so does the level of every enclosing branch
    // whose one statement it completes (an if only when no else follows).
    {"case items whose whole body is an if without begin-end", ".v",
     R"(module m(clk, go, stop, busy);
input clk, go, stop;
output busy;
reg busy;
reg [2:0] state;
always @(posedge clk)
  case (state)
    0: if (go) state <= 1;
    1: if (stop) state <= 0; else state <= 2;
    2: if (stop) state <= 0; else if (go) state <= 3; else busy <= 1;
    3: if (go) begin busy <= 0; state <= 4; end
    4: if (go)
         if (stop) state <= 0;
         else state <= 1;
    default: state <= 0;
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "0: [(go)] 1 {}\n"
     "1: [(stop)] 0 {} [(not (stop))] 2 {}\n"
     "2: [(stop)] 0 {} [(go)] 3 {} [(else)]  {busy=1}\n"
     "3: [(go)] 4 {busy=0}\n"
     "4: [(go) and (stop)] 0 {} [(go) and (not (stop))] 1 {}\n%dummy%:\n"},

    {"a for loop inside a state keeps the states after it", ".v",
     R"(module m(clk, go, q);
input clk, go;
output [3:0] q;
reg [3:0] q;
reg [1:0] state;
integer i;
always @(posedge clk)
  case (state)
    0: begin
      for (i = 0; i < 4; i = i + 1) begin
        q[i] <= 0;
      end
      if (go) state <= 1;
    end
    1: state <= 2;
    2: state <= 0;
  endcase
endmodule
)",
     0, kStateMachineFound, "state",
     "0: []  {q[i]=0} [(go)] 1 {q[i]=0}\n"
     "1: [] 2 {}\n2: [] 0 {}\n%dummy%:\n"},

    {"a block without any case statement", ".v",
     R"(module m(clk, d, q);
input clk, d;
output q;
reg q;
always @(posedge clk)
  if (d) q <= 1;
  else q <= 0;
endmodule
)",
     0, kScanNotClosed, "", ""},
};

class Extraction : public ::testing::TestWithParam<ExtractionCase> {};

TEST_P(Extraction, FindsTheExpectedMachine) {
    const ExtractionCase& c = GetParam();
    ParsedFile parsed(c.source, c.extension);
    ASSERT_FALSE(parsed.modules.empty()) << parsed.log.text();
    const Module& module = parsed.first();
    ASSERT_GT(module.alwaysBlocks.size(), static_cast<std::size_t>(c.blockIndex))
        << parsed.log.text();
    StateMachine machine;
    const int line = module.alwaysBlocks[static_cast<std::size_t>(c.blockIndex)].line;
    EXPECT_EQ(extractStateMachine(module, line, machine), c.result) << parsed.log.text();
    EXPECT_EQ(machine.stateRegister, c.stateRegister);
    if (c.result == kStateMachineFound) {
        EXPECT_EQ(describe(machine), c.states);
    }
}

INSTANTIATE_TEST_SUITE_P(Blocks, Extraction, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ExtractionCase>& info) {
                             return "case" + std::to_string(info.index);
                         });

TEST(ExtractionLookup, UnknownLineGivesMinusOneAndChangesNothing) {
    ParsedFile parsed(kCases[0].source, ".v");
    const Module& module = parsed.first();
    const Module before = module;
    StateMachine machine;
    machine.stateRegister = "old";
    EXPECT_EQ(extractStateMachine(module, 9999, machine), kNoSuchBlock);
    EXPECT_TRUE(machine.states.empty());
    EXPECT_EQ(extractStateMachine(module, module.alwaysBlocks[0].line, machine), 0);
    EXPECT_EQ(module.alwaysBlocks[0].statements.size(), before.alwaysBlocks[0].statements.size());
}

// A state whose body nests `levels` begin-end blocks around one assignment.
std::string nestedMachine(int levels) {
    std::string text =
        "module m(clk);\ninput clk;\nreg state;\nalways @(posedge clk)\n"
        "  case (state)\n    0:\n";
    for (int i = 0; i < levels; ++i) text += "begin\n";
    text += "state <= 1;\n";
    for (int i = 0; i < levels; ++i) text += "end\n";
    return text + "  endcase\nendmodule\n";
}

TEST(ExtractionNesting, LevelsBeyondTheLevelArrayAreRejected) {
    // The item opens one level and its first begin shares it, so 127 begin
    // blocks fill the 127 levels the scan keeps; one more is rejected.
    for (const auto& [levels, result] : {std::pair{127, 0}, std::pair{128, -2}}) {
        ParsedFile parsed(nestedMachine(levels), ".v");
        const Module& module = parsed.first();
        ASSERT_EQ(module.alwaysBlocks.size(), 1u) << parsed.log.text();
        StateMachine machine;
        EXPECT_EQ(extractStateMachine(module, module.alwaysBlocks[0].line, machine), result)
            << levels;
    }
}

}  // namespace
}  // namespace corvane
