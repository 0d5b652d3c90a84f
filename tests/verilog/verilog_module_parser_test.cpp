#include "verilog/verilog_module_parser.h"

#include <gtest/gtest.h>

#include <sstream>

#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "diagnostics/message_log.h"
#include "elaboration/connection_checks.h"
#include "platform/progress_sink.h"
#include "reports/summary_report.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// Analyses a whole file as the driver does: chunk after chunk, then the
// child port direction pass.
struct Analysis {
    explicit Analysis(const std::string& filePath) : path(filePath) {
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, {}}};
        int line = 1;
        while (line != 0) {
            const int next = prepareAndParse(modules.append(), path, line, context);
            results.push_back(next);
            line = next;
        }
        modules.removeLast();
        resolveChildPortDirections(modules);
    }
    const Module& module(const std::string& name) const { return *modules.find(name); }

    std::string path;
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
    std::vector<int> results;
};

Analysis analyseText(const std::string& text) {
    static int counter = 0;
    static corvane::testing::TempDir dir;
    return Analysis(dir.write("m" + std::to_string(++counter) + ".v", text));
}

std::string range(int msb, int lsb) { return "[" + std::to_string(msb) + ":" + std::to_string(lsb) + "]"; }

std::string portsOf(const std::vector<Pin>& ports) {
    std::string text;
    for (const Pin& p : ports) text += " " + p.name + "/" + std::to_string(p.direction) + range(p.msb, p.lsb);
    return text;
}

std::string pinsOf(const Module& m) {
    std::string text;
    for (const Pin& p : m.pins) {
        text += p.name + " " + std::to_string(p.direction) + range(p.msb, p.lsb) + " l" +
                std::to_string(p.line) + (p.comment.empty() ? "" : " //" + p.comment) + "\n";
    }
    return text;
}

std::string statementsOf(const Always& block) {
    std::string text;
    for (const Statement& s : block.statements) {
        text += s.target + " | " + s.value + " | " + std::to_string(s.line) + "\n";
    }
    return text;
}

std::string tokensOf(const std::vector<FormulaToken>& tokens) {
    std::string text;
    for (const FormulaToken& t : tokens) text += t.text + "(" + std::to_string(t.strength) + ") ";
    return text;
}

std::string netOf(const Module& m, const std::string& name) {
    std::ostringstream out;
    for (const Terminal& t : m.nets.at(name).terminals) {
        out << "{k" << t.kind << " i" << t.index << " p" << t.portIndex << " r" << t.role << " "
            << range(t.msb, t.lsb) << " l" << t.line << "}";
    }
    return out.str();
}

std::string connectionsOf(const Child& child) {
    std::string text;
    for (const Connection& c : child.connections) {
        text += "'" + c.port + "'->'" + c.signal + "' " + std::to_string(c.flags) + "\n";
    }
    return text;
}

TEST(VerilogModuleParser, RealisticDesignRecordByRecord) {
    const Analysis a(corvane::testing::fixturePath("verilog/realistic.v"));
    EXPECT_EQ(a.log.text(), "");
    ASSERT_EQ(a.modules.size(), 3u);

    const Module& counter = a.module("counter");
    EXPECT_EQ(pinsOf(counter), "clk 0[-1:-1] l6\nrst_n 0[-1:-1] l7\nenable 0[-1:-1] l8\ncount 1[3:0] l9\n");
    ASSERT_EQ(counter.alwaysBlocks.size(), 1u);
    const Always& counting = counter.alwaysBlocks[0];
    ASSERT_EQ(counting.sensitivity.size(), 2u);
    EXPECT_EQ(counting.sensitivity[0].name + "/" + std::to_string(counting.sensitivity[0].edge), "clk/0");
    EXPECT_EQ(counting.sensitivity[1].name + "/" + std::to_string(counting.sensitivity[1].edge), "rst_n/1");
    EXPECT_EQ(statementsOf(counting),
              "if | (!rst_n) | 12\ncount | 4'd0 | 13\nelif | (enable) | 14\ncount | count+1 | 15\n");
    EXPECT_EQ(portsOf(counting.ports),
              " clk/16[-1:-1] rst_n/16[-1:-1] rst_n/0[-1:-1] enable/0[-1:-1] count/1[3:0] count/0[3:0]");
    EXPECT_EQ(netOf(counter, "count"), "{k0 i3 p-1 r1 [3:0] l9}{k4 i0 p4 r1 [3:0] l11}{k4 i0 p5 r0 [3:0] l11}");

    const Module& fsm = a.module("fsm");
    EXPECT_EQ(pinsOf(fsm), "clk 0[-1:-1] l19\nrst 0[-1:-1] l19\nstart 0[-1:-1] l19\n"
                           "done 1[-1:-1] l19\nstate 1[1:0] l19\n");
    ASSERT_EQ(fsm.regs.size(), 2u);
    EXPECT_EQ(fsm.regs[1].name + range(fsm.regs[1].msb, fsm.regs[1].lsb), "next_state[1:0]");
    ASSERT_EQ(fsm.assigns.size(), 1u);
    EXPECT_EQ(fsm.assigns[0].name + " = " + fsm.assigns[0].expression, "done = (state==STOP)");
    EXPECT_EQ(tokensOf(fsm.assigns[0].rhsTokens), "((-1) state(0) ==(42) stop(0) )(-1) ");
    ASSERT_EQ(fsm.alwaysBlocks.size(), 2u);
    EXPECT_EQ(statementsOf(fsm.alwaysBlocks[0]),
              "if | (rst) | 27\nstate | idle | 27\nelse |  | 28\nstate | next_state | 28\n");
    EXPECT_EQ(fsm.alwaysBlocks[1].sensitivity[0].name, "*");
    EXPECT_EQ(statementsOf(fsm.alwaysBlocks[1]),
              "case | state | 30\nwhen | idle | 31\nnext_state | start?run:idle | 31\nwhen | run | 32\n"
              "next_state | stop | 32\nwhen | default | 33\nnext_state | idle | 33\nend |  | 34\n");
    EXPECT_EQ(netOf(fsm, "next_state"), "{k2 i1 p-1 r-1 [1:0] l23}{k4 i0 p3 r0 [1:0] l26}{k4 i1 p2 r1 [1:0] l29}");
    EXPECT_EQ(netOf(fsm, "state"),
              "{k0 i4 p-1 r1 [1:0] l19}{k3 i0 p1 r0 [1:0] l25}{k4 i0 p2 r1 [1:0] l26}{k4 i1 p1 r0 [1:0] l29}");

    const Module& top = a.module("top");
    ASSERT_EQ(top.children.size(), 2u);
    const Child& named = top.children[0];
    EXPECT_EQ(named.moduleName + " " + named.name, "counter u_counter");
    ASSERT_EQ(named.overrides.size(), 1u);
    EXPECT_EQ(named.overrides[0].name + "=" + named.overrides[0].value, "width=4");
    EXPECT_EQ(connectionsOf(named), "'clk'->'clk' 0\n'rst_n'->'rst_n' 0\n'enable'->'go' 0\n'count'->'value' 1\n");
    const Child& positional = top.children[1];
    EXPECT_EQ(connectionsOf(positional), "''->'clk' 0\n''->'_tempwire41' 0\n''->'go' 0\n"
                                         "''->'finished' 1\n''->'status' 1\n");
    EXPECT_EQ(portsOf(positional.ports),
              " clk/0[-1:-1] go/0[-1:-1] finished/1[-1:-1] status/1[1:0] _tempwire41/0[-1:-1]");
    ASSERT_EQ(top.assigns.size(), 1u);
    EXPECT_EQ(top.assigns[0].name + " = " + top.assigns[0].expression, "_tempwire41 = ~rst_n");
    EXPECT_EQ(netOf(top, "finished"), "{k0 i4 p-1 r1 [-1:-1] l38}{k5 i1 p2 r1 [-1:-1] l41}");
    EXPECT_EQ(netOf(top, "_tempwire41"), "{k1 i1 p-1 r-1 [-1:-1] l41}{k3 i0 p1 r1 [-1:-1] l41}{k5 i1 p4 r0 [-1:-1] l41}");
}

TEST(VerilogModuleParser, MainLoopMessagesAndResults) {
    struct Case {
        const char* source;
        const char* log;
        std::vector<int> results;  // of every prepareAndParse call
    };
    const Case cases[] = {
        {"module m(a); endmodule\n", "#ERROR : {} :  : Pin \"a\" is undefined.\r\n", {0}},
        {"wire w;\nmodule m; endmodule\n", "#ERROR : {} : 1 : Illegal position \"wire\".\r\n", {3, 0}},
        {"junk\nmodule m; endmodule\n", "#ERROR : {} : 1 : Syntax error.(0)\r\n", {0}},
        {"`timescale 1ns\nmodule m; endmodule\n", "#ERROR : {} : 2 : `timescale Syntax error.\r\n", {3, 0}},
        {"module m;\nfunction f;\nendmodule\n", "#ERROR : {} : 2 : \"endfunction\" not exist.\r\n", {4, 0}},
        {"module m;\ntask t;\nendmodule\n", "#ERROR : {} : 2 : \"endtask\" not exist.\r\n", {4, 0}},
        {"module m;\ngenerate\nendmodule\n", "#ERROR : {} : 2 : \"endgenerate\" not exist.\r\n", {4, 0}},
        {"module m;\nassign a = b\nendmodule\n", "#ERROR : {} : 2 : ';' not exist.(4)\r\n", {4, 0}},
        {"module m;\nassign a;\nendmodule\n", "#ERROR : {} : 2 : Imperfect formula error.\r\n", {4, 0}},
        {"module m;\nendmodul\n", "", {3, 0}},
        // A module without "endmodule": the next module is read from its own line.
        {"module a;\nwire x;\nmodule b;\nendmodule\n", "#ERROR : {} : 3 : \"endmodule\" not exist.\r\n", {3, 5, 0}},
    };
    for (const Case& c : cases) {
        const Analysis a = analyseText(c.source);
        std::string expected = c.log;
        const std::size_t brace = expected.find("{}");
        if (brace != std::string::npos) expected.replace(brace, 2, a.path);
        EXPECT_EQ(a.log.text(), expected) << c.source;
        EXPECT_EQ(a.results, c.results) << c.source;
    }
}

TEST(VerilogModuleParser, ConditionalsChooseOneBranch) {
    // With DEBUG defined the first branch is read; without it the else branch.
    const std::string body = "`ifdef DEBUG\nwire x;\n`else\nwire y;\n`endif\nwire z;\nendmodule\n";
    const Analysis defined = analyseText("module m;\n`define DEBUG\n" + body);
    ASSERT_EQ(defined.modules.size(), 1u);
    ASSERT_EQ(defined.modules.begin()->wires.size(), 2u);
    EXPECT_EQ(defined.modules.begin()->wires[0].name, "x");
    const Analysis undefined = analyseText("module m;\n" + body);
    ASSERT_EQ(undefined.modules.begin()->wires.size(), 2u);
    EXPECT_EQ(undefined.modules.begin()->wires[0].name, "y");
    const Analysis notDefined = analyseText("module m;\n`ifndef DEBUG\nwire x;\n`endif\nendmodule\n");
    EXPECT_EQ(notDefined.modules.begin()->wires.size(), 1u);
}

TEST(VerilogModuleParser, ImplicitWiresAndAlwaysFfVariants) {
    const Analysis a = analyseText(
        "module m(input a, output y);\nassign t = a;\nassign y = t;\n"
        "always_ff @(posedge a) begin end\nalways_comb begin end\nendmodule\n");
    const Module& m = *a.modules.begin();
    EXPECT_EQ(a.log.text(), "");
    EXPECT_EQ(m.alwaysBlocks.size(), 2u);
    EXPECT_EQ(netOf(m, "t"), "{k1 i0 p-1 r-1 [-1:-1] l2}{k3 i0 p1 r1 [-1:-1] l2}{k3 i1 p1 r0 [-1:-1] l3}");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Declarations with initial values followed by more names keep every name, so
// a two-block state machine in that style parses cleanly.
TEST(VerilogModuleParser, StateMachineDeclaredWithInitialValues) {
    const Analysis a = analyseText(
        "module fsm(input clk, input go, output busy);\n"
        "localparam S0 = 2'd0;\n"
        "localparam S1 = 2'd1;\n"
        "reg [1:0] state_reg = S0, state_next;\n"
        "integer i = 0, j;\n"
        "assign busy = state_reg != S0;\n"
        "always @* begin\n"
        "    state_next = state_reg;\n"
        "    case (state_reg)\n"
        "        S0: if (go) state_next = S1;\n"
        "        S1: state_next = S0;\n"
        "    endcase\n"
        "end\n"
        "always @(posedge clk) state_reg <= state_next;\n"
        "endmodule\n");
    EXPECT_EQ(a.log.text(), "");
    const Module& m = *a.modules.begin();
    std::string regs;
    for (const Reg& r : m.regs) regs += r.name + range(r.msb, r.lsb) + " ";
    EXPECT_EQ(regs, "state_reg[1:0] state_next[1:0] i[-1:-1] j[-1:-1] ");
    ASSERT_EQ(m.alwaysBlocks.size(), 2u);
    EXPECT_EQ(statementsOf(m.alwaysBlocks[0]),
              "state_next | state_reg | 8\ncase | state_reg | 9\nwhen | s0 | 10\nif | (go) | 10\n"
              "state_next | s1 | 10\nwhen | s1 | 11\nstate_next | s0 | 11\nend |  | 12\n");
    EXPECT_EQ(statementsOf(m.alwaysBlocks[1]), "state_reg | state_next | 14\n");
    EXPECT_EQ(netOf(m, "state_next"),
              "{k2 i1 p-1 r-1 [1:0] l4}{k4 i0 p2 r1 [1:0] l7}{k4 i1 p2 r0 [1:0] l14}");
    MessageLog summary;
    writeSummaryReport(a.modules, m, summary);
    EXPECT_NE(summary.text().find("Number of Resisters : 6\r\n"), std::string_view::npos) << summary.text();
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(VerilogModuleParser, SignedVectorsKeepTheirNamesAndRanges) {
    const Analysis a = analyseText(
        "module dsp(input signed [7:0] a, input [7:0] signed_b, output reg signed [15:0] p);\n"
        "wire signed [15:0] product;\n"
        "reg unsigned [3:0] count;\n"
        "assign product = a * signed_b;\n"
        "endmodule\n"
        "module old(x, y);\n"
        "input signed [3:0] x;\n"
        "output signed y;\n"
        "endmodule\n");
    EXPECT_EQ(a.log.text(), "");
    ASSERT_EQ(a.modules.size(), 2u);
    EXPECT_EQ(pinsOf(a.module("dsp")), "a 0[7:0] l1\nsigned_b 0[7:0] l1\np 1[15:0] l1\n");
    const Module& dsp = a.module("dsp");
    ASSERT_EQ(dsp.wires.size(), 1u);
    EXPECT_EQ(dsp.wires[0].name + range(dsp.wires[0].msb, dsp.wires[0].lsb), "product[15:0]");
    ASSERT_EQ(dsp.regs.size(), 1u);
    EXPECT_EQ(dsp.regs[0].name + range(dsp.regs[0].msb, dsp.regs[0].lsb), "count[3:0]");
    EXPECT_EQ(pinsOf(a.module("old")), "x 0[3:0] l6\ny 1[-1:-1] l6\n");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(VerilogModuleParser, CallsInConnectionsStayOneConnection) {
    const Analysis a = analyseText(
        "module top(input b, input c, output q);\n"
        "sub u (.a(max(b, c)), .y(q));\n"
        "sub v (min(b, c), q);\n"
        "endmodule\n");
    EXPECT_EQ(a.log.text(), "");
    const Module& top = a.module("top");
    ASSERT_EQ(top.children.size(), 2u);
    EXPECT_EQ(connectionsOf(top.children[0]), "'a'->'_tempwire2' 0\n'y'->'q' 0\n");
    EXPECT_EQ(connectionsOf(top.children[1]), "''->'_tempwire3' 0\n''->'q' 0\n");
    ASSERT_EQ(top.assigns.size(), 2u);
    EXPECT_EQ(top.assigns[0].name + " = " + top.assigns[0].expression, "_tempwire2 = max(b,c)");
    EXPECT_EQ(top.assigns[1].name + " = " + top.assigns[1].expression, "_tempwire3 = min(b,c)");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Names of the records of a module, by kind, to see what an item left.
std::string recordsOf(const Module& m) {
    std::string text;
    for (const Wire& w : m.wires) text += "wire " + w.name + range(w.msb, w.lsb) + "; ";
    for (const Reg& r : m.regs) text += "reg " + r.name + "; ";
    for (const Assign& a : m.assigns) text += "assign " + a.name + "; ";
    for (const Child& c : m.children) text += "child " + c.moduleName + " " + c.name + "; ";
    for (const Always& b : m.alwaysBlocks) text += "always l" + std::to_string(b.line) + "; ";
    for (const Initial& b : m.initialBlocks) text += "initial l" + std::to_string(b.line) + "; ";
    return text;
}

// Module items the database does not model are skipped whole, without an
// error, with their nested blocks and else branches, and the items after
// them are read as usual.
TEST(VerilogModuleParser, UnmodelledItemsAreSkippedWhole) {
    struct Case {
        const char* items;    // between the header and "assign z = a;"
        const char* records;  // of the module, the assign z included
    };
    const Case cases[] = {
        {"genvar g, h;\nfor (g = 0; g < 2; g = g + 1) begin : gen\n  sub u (.a(a));\n"
         "  always @(posedge a) begin z <= 1; end\nend\n",
         "assign z; "},
        {"if (W == 1) begin\n  assign z = a;\nend else if (W == 2) begin : two\nend else begin\n"
         "  sub u ();\nend\n",
         "assign z; "},
        // Without begin-end each branch is one item.
        {"if (P)\n  always @(posedge a)\n    z <= a;\nelse\n  always @(negedge a) z <= a;\n",
         "assign z; "},
        {"if (P) sub u1 (.a(a)); else if (Q) assign z = 1; else wire w = 1;\n", "assign z; "},
        {"case (W)\n  0: assign z = a;\n  1, 2: begin sub u (); end\n  default: ;\nendcase\n",
         "assign z; "},
        {"for (g = 0; g < 2; g = g + 1)\n  begin: gen if (g == 0) begin end\nend: gen\n",
         "assign z; "},
        {"for (g = 0; g < 2; g = g + 1) begin case (g) 0: begin end endcase end\n", "assign z; "},
        {"begin : blk\n  wire x;\nend\n", "assign z; "},
        {"generate\n  if (1) begin\n    generate assign z = a; endgenerate\n  end\nendgenerate\n",
         "assign z; "},
        {"specify\n  specparam t = 1;\n  (a => z) = 1;\n  $setup(a, posedge a, 1);\nendspecify\n",
         "assign z; "},
        {"realtime rt;\nevent ev;\nspecparam sp = 1;\n", "assign z; "},
        // Real and time variables are assigned like regs, without a record.
        {"real r1, r2 = 0.5;\ntime t;\nrealtime rt;\nalways @(posedge a) begin r1 = r2 * 2.0;"
         " t = $time; rt <= $realtime; end\nalways @(a) r2 = 1.5;\n",
         "assign z; always l6; always l7; "},
        {"wand w1;\nwor [3:0] w2;\ntri t;\nsupply0 gnd;\nsupply1 vcc;\nuwire u;\ntrireg tr;\n"
         "triand ta;\ntrior to;\n",
         "wire w1[-1:-1]; wire w2[3:0]; wire t[-1:-1]; wire gnd[-1:-1]; wire vcc[-1:-1]; "
         "wire u[-1:-1]; wire tr[-1:-1]; wire ta[-1:-1]; wire to[-1:-1]; assign z; "},
        {"function automatic [7:0] f;\n  input [7:0] x;\n  f = x + 1;\nendfunction\n"
         "function integer g(input integer x, input integer y);\n  g = x + y;\nendfunction\n"
         "task automatic t(input x);\n  begin $display(\"%d\", x); end\nendtask\n",
         "assign z; "},
        {"(* keep *) wire w;\n(* full_case *)\nalways @* begin\n  (* parallel_case *) case (a)\n"
         "    0: z = 1;\n  endcase\nend\n",
         "wire w[-1:-1]; assign z; always l5; "},
        {"\\$_DFF_P_ \\u1[0] (.D(a), .Q(), .C(a));\n", "assign z; child \\$_dff_p_ \\u1[0]; "},
        {"initial for (g = 0; g < 2; g = g + 1) $display(\"x\");\ninitial fork #1 ; join\n",
         "assign z; initial l4; "},
    };
    for (const Case& c : cases) {
        const Analysis a = analyseText(std::string("module m(input a, output z);\nparameter W = 1;\n") +
                                       c.items + "assign z = a;\nendmodule\n");
        EXPECT_EQ(a.log.text(), "") << c.items;
        ASSERT_EQ(a.modules.size(), 1u) << c.items;
        EXPECT_EQ(recordsOf(*a.modules.begin()), c.records) << c.items;
    }
}

TEST(VerilogModuleParser, UnterminatedUnmodelledItemsEndAtEndmodule) {
    struct Case {
        const char* source;
        const char* log;
        std::vector<int> results;  // the module is complete: the next chunk is read
    };
    const Case cases[] = {
        {"module m;\nif (a) begin\nwire w;\nendmodule\n", "#ERROR : {} : 2 : \"end\" not exist.\r\n",
         {5, 0}},
        {"module m;\ncase (a)\n0: ;\nendmodule\n", "#ERROR : {} : 2 : \"end\" not exist.\r\n",
         {5, 0}},
        {"module m;\nfor (g = 0; g < 2;\nendmodule\n", "#ERROR : {} : 2 : \"end\" not exist.\r\n",
         {4, 0}},
        {"module m;\nspecify\n(a => b) = 1;\nendmodule\n",
         "#ERROR : {} : 2 : \"endspecify\" not exist.\r\n", {5, 0}},
        {"module m;\nbegin\nendmodule", "#ERROR : {} : 2 : \"end\" not exist.\r\n", {4, 0}},
    };
    for (const Case& c : cases) {
        const Analysis a = analyseText(c.source);
        std::string expected = c.log;
        expected.replace(expected.find("{}"), 2, a.path);
        EXPECT_EQ(a.log.text(), expected) << c.source;
        EXPECT_EQ(a.results, c.results) << c.source;
        EXPECT_EQ(a.modules.size(), 1u) << c.source;
    }
}

// An always block after the skipped items keeps its statement stream.
TEST(VerilogModuleParser, AlwaysBlocksAroundGenerateLoops) {
    const Analysis a = analyseText(
        "module m(input clk, input [3:0] d, output reg [3:0] q);\n"
        "genvar g;\n"
        "for (g = 0; g < 4; g = g + 1) begin : bits\n"
        "  always @(posedge clk) q[g] <= d[g];\n"
        "end\n"
        "integer i;\n"
        "always @(posedge clk) begin : copy\n"
        "  reg [3:0] t;\n"
        "  for (i = 0; i < 4; i = i + 1)\n"
        "    t[i] = d[i];\n"
        "  q <= t;\n"
        "  $display(\"%b\", q);\n"
        "end\n"
        "endmodule\n");
    EXPECT_EQ(a.log.text(), "");
    const Module& m = *a.modules.begin();
    ASSERT_EQ(m.alwaysBlocks.size(), 1u);
    EXPECT_EQ(statementsOf(m.alwaysBlocks[0]),
              "for |  | 9\nt[i] | d[i] | 10\nend |  | 10\nq | t | 11\n");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The fixture (also a fuzzing seed) holds one of each construct without a
// record; it is analysed without an error line and keeps the records around them.
TEST(VerilogModuleParser, ItemsAndStatementsWithoutRecordsFixture) {
    const Analysis a(corvane::testing::fixturePath("verilog_constructs/items_and_statements.v"));
    EXPECT_EQ(a.log.text(), "");
    ASSERT_EQ(a.modules.size(), 1u);
    const Module& m = a.module("shifter");
    EXPECT_EQ(recordsOf(m),
              "wire w_and[-1:-1]; wire gnd[-1:-1]; wire bus[3:0]; reg i; reg mem; reg state; "
              "always l40; initial l65; initial l72; ");
    ASSERT_EQ(m.alwaysBlocks.size(), 1u);
    EXPECT_EQ(statementsOf(m.alwaysBlocks[0]),
              "if | (rst) | 43\nbegin |  | 43\nstate | 2'b00 | 44\nfor |  | 45\n"
              "mem[i] | {width{1'b0}} | 46\nend |  | 46\nend |  | 47\nelse |  | 47\nbegin |  | 47\n"
              "next | state | 48\ncase | state | 49\nwhen | 2'b1? | 50\nnext | 2'b00 | 50\n"
              "when | 2'b01 | 51\nnext | 2'b10 | 51\nwhen | default | 52\nnext | 2'b01 | 52\n"
              "end |  | 53\nfor |  | 54\nmem[k] | d | 56\nend |  | 57\nstate | next | 58\n"
              "end |  | 62\n");
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// A drive strength and a delay before continuous assignments are not part
// of their targets.
TEST(VerilogModuleParser, ContinuousAssignmentsWithStrengthAndDelay) {
    struct Case {
        const char* item;
        const char* assigns;
    };
    const Case cases[] = {
        {"assign #1 z = a;", "z = a; "},
        {"assign # 2 z = a, y = ~a;", "z = a; y = ~a; "},
        {"assign #(1, 2) z = a;", "z = a; "},
        {"assign #(1:2:3)z = a;", "z = a; "},
        {"assign (strong0, weak1) z = a;", "z = a; "},
        {"assign (pull0, pull1) #DELAY\nz = a;", "z = a; "},
        {"assign {z, y} = {a, a};", "{z,y} = {a,a}; "},
    };
    for (const Case& c : cases) {
        const Analysis a =
            analyseText(std::string("module m(input a, output z, output y);\n") + c.item +
                        "\nendmodule\n");
        EXPECT_EQ(a.log.text(), "") << c.item;
        std::string assigns;
        for (const Assign& assign : a.modules.begin()->assigns) {
            assigns += assign.name + " = " + assign.expression + "; ";
        }
        EXPECT_EQ(assigns, c.assigns) << c.item;
    }
}

}  // namespace
}  // namespace corvane
