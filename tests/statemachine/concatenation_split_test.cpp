// Assignments to Verilog concatenations inside a state, read by the real
// front end and split bit by bit into one assignment per element.
#include "statemachine/concatenation_split.h"

#include <gtest/gtest.h>

#include <string>

#include "statemachine/state_extraction.h"
#include "support/parse_files.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

// A one-state machine whose state makes `assignment` and then moves on.
std::string machineWith(const std::string& assignment) {
    return "module m(clk, x, y);\n"
           "input clk, x, y;\n"
           "reg a, e;\n"
           "reg [1:0] b;\n"
           "reg [2:0] c;\n"
           "reg [69:0] d;\n"
           "reg [1:0] state;\n"
           "always @(posedge clk)\n"
           "  case (state)\n"
           "    0: begin\n"
           "      " +
           assignment +
           ";\n"
           "      state <= 1;\n"
           "    end\n"
           "  endcase\n"
           "endmodule\n";
}

// "target=value,..." of the state's only transition.
std::string assignmentsOf(const std::string& assignment) {
    corvane::testing::TempDir dir;
    testing::ParsedFiles<> parsed(FrontEnds{parseVerilogModule, {}});
    Module& module = parsed.analyseText(dir, "m.v", machineWith(assignment));
    if (module.alwaysBlocks.size() != 1) return "parse failed: " + std::string(parsed.log.text());
    StateMachine machine;
    const int result = extractStateMachine(module, module.alwaysBlocks[0].line, machine);
    if (result != 0 || machine.states[0].transitions.size() != 1) return "no single transition";
    std::string text;
    for (const auto& [target, value] : machine.states[0].transitions[0].assignments) {
        text += (text.empty() ? "" : ",") + target + "=" + value;
    }
    return text;
}

struct SplitCase {
    const char* assignment;
    const char* expected;
};

const SplitCase kSplits[] = {
    // Literal bits dealt to a 1-bit reg and a range: constants as 1'b and %d'h.
    {"{a, b[1:0]} <= 3'b101", "a=1'b1,b[1:0]=2'h1"},
    {"{a, e} <= {x, 1'b0}", "a=x,e=1'b0"},
    // A declared range on either side is expanded from its declaration.
    {"{a, b} <= c", "a=c[2],b=c[1:0]"},
    {"{b, a} <= {c[0], c[1], c[2]}", "a=c[2],b=c[0:1]"},
    {"{b} <= {c[2], c[0]}", "b={c[2],c[0]}"},
    // Bits from different sources, and constants among them, stay listed.
    {"{b, a} <= {c[2], y, 1'b1}", "a=1'b1,b={c[2],y}"},
    {"{c[1:0], a} <= {x, 2'd1}", "a=1'b1,c[1:0]={x,1'b0}"},
    // Underscores are dropped; bits left over after the last element are unused.
    {"{a, b} <= 8'b1110_0000", "a=1'b1,b=2'h3"},
    // An element that receives no bits gets an empty value.
    {"{b, a} <= 2'b10", "a=,b=2'h2"},
    // A literal wider than 64 bits fills the high positions with zeros.
    {"{d} <= 70'h1F", "d=70'h1F"},
    // A literal without a digit of its base contributes nothing.
    {"{a, e} <= {2'bxz}", "a=,e="},
};

class ConcatenationSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ConcatenationSplit, DealsBitsToEachElement) {
    EXPECT_EQ(assignmentsOf(GetParam().assignment), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Assignments, ConcatenationSplit, ::testing::ValuesIn(kSplits));

TEST(ConcatenationBits, HugeRangesAreBounded) {
    Module module;
    std::vector<ConcatenationItem> items{{"w", 2000000000, 0}, {"9999999'hff", -1, -1}};
    EXPECT_EQ(concatenationBits(items, DeclarationRanges(module)).size(),
              static_cast<std::size_t>(kMaxConcatenationBits));
}

}  // namespace
}  // namespace corvane
