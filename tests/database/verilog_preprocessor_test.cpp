// Compiler directives and text macros: the preprocessed text of small sources
// (one line out per line in), the messages of bad input, and the records the
// analysis builds from files that use them.
#include "database/verilog_preprocessor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/parse_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::ParsedFiles;
using testing::TempDir;

std::size_t linesOf(const std::string& text) {
    std::size_t lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// "line:message" for every message, without the line ends.
std::string messagesOf(const PreprocessedVerilog& result) {
    std::string out;
    for (const PreprocessorMessage& message : result.messages) {
        if (!out.empty()) out += '|';
        out += std::to_string(message.line) + ":" + message.text.substr(0, message.text.size() - 2);
    }
    return out;
}

struct Case {
    const char* source;
    const char* text;
    const char* messages;
};

void expectCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        const PreprocessedVerilog result = preprocessVerilog(c.source, "/nowhere/t.v");
        EXPECT_EQ(result.text, c.text) << c.source;
        EXPECT_EQ(messagesOf(result), c.messages) << c.source;
        EXPECT_EQ(linesOf(result.text), linesOf(c.source)) << c.source;
    }
}

TEST(VerilogPreprocessor, DirectivesThatChangeNoRecordLeaveTheirLinesEmpty) {
    expectCases({
        {"`resetall\n`default_nettype none\nmodule m;\n", "\n\nmodule m;\n", ""},
        {"`celldefine\n`endcelldefine\n`unconnected_drive pull1\n`nounconnected_drive\n",
         "\n\n\n\n", ""},
        {"`line 12 \"x.v\" 0\n`pragma protect begin\n", "\n\n", ""},
        {"`begin_keywords \"1364-2005\"\n`end_keywords\n", "\n\n", ""},
        {"`default_nettype wire wire w;\n", " wire w;\n", ""},
        {"`timescale 1ns / 1ps\n", "`timescale 1ns / 1ps\n", ""},
        {"`define A 1\n`undef A\n`ifdef A\nx\n`endif\n", "\n\n\n\n\n", ""},
        {"`define A 1\n`undefineall\n`A\n", "\n\nA\n", ""},
        // Comments, strings and escaped names keep their back-quotes.
        {"a = \"`X\"; // `ifdef Y\n/* `endif\n`else */ b;\n",
         "a = \"`X\"; // `ifdef Y\n/* `endif\n`else */ b;\n", ""},
        {"\\a`b c;\n", "\\a`b c;\n", ""},
        {"x\n`__LINE__\n", "x\n2\n", ""},
    });
}

TEST(VerilogPreprocessor, ConditionalsNestAndChooseOneBranch) {
    expectCases({
        {"`define D\n`ifdef D\nx\n`else\ny\n`endif\n", "\n\nx\n\n\n\n", ""},
        {"`ifdef D\nx\n`else\ny\n`endif\n", "\n\n\ny\n\n", ""},
        {"`ifndef D\nx\n`else\ny\n`endif\n", "\nx\n\n\n\n", ""},
        {"`define B\n`ifdef A\na\n`elsif B\nb\n`elsif B\nc\n`else\nd\n`endif\n",
         "\n\n\n\nb\n\n\n\n\n\n", ""},
        {"`define A\n`ifdef A\n`ifdef B\nx\n`else\ny\n`endif\n`else\nz\n`endif\n",
         "\n\n\n\n\ny\n\n\n\n\n", ""},
        {"`ifdef A\n`ifdef B\nx\n`else\ny\n`endif\n`else\nz\n`endif\n", "\n\n\n\n\n\n\nz\n\n", ""},
        {"`ifdef A x `else y `endif z\n", " y  z\n", ""},
        // A definition in a branch not taken defines nothing.
        {"`ifdef A\n`define W 1\n`endif\n`W\n", "\n\n\nW\n", ""},
    });
}

TEST(VerilogPreprocessor, MacrosExpandWithTheirArguments) {
    expectCases({
        {"`define W 8\nwire [`W-1:0] w;\n", "\nwire [8-1:0] w;\n", ""},
        {"`define MAX(a, b) ((a) > (b) ? (a) : (b))\nx = `MAX(p, q);\n",
         "\nx = ((p) > (q) ? (p) : (q));\n", ""},
        // Uses inside arguments and bodies; commas inside brackets stay in one argument.
        {"`define ONE 1\n`define ADD(a,b) a+b\n`define TWO `ADD(`ONE,`ONE)\n"
         "y = `ADD(`TWO, {c, d[1,2]});\n",
         "\n\n\ny = 1+1+{c, d[1,2]};\n", ""},
        {"`define M(a) a\ny = `M(`M(`M(3)));\n", "\ny = 3;\n", ""},
        {"`define BODY a = 1; \\\n  b = 2; // c\nx `BODY\n", "\n\nx a = 1;    b = 2;\n", ""},
        {"`define TWO a \\ \r\n b\r\n`TWO\r\n", "\n\na   b\r\n", ""},
        {"`define F(a,b) a+b\ny = `F(1, // one\n 2) + 3;\nz;\n", "\ny = 1+2 + 3;\n\nz;\n", ""},
        {"`define F(a,b) a+b\r\ny = `F(1,\r\n2);\r\n", "\ny = 1+2;\r\n\n", ""},
        {"`define G(a, b = 7) a*b\n`G(2) `G(2,) `G(2,3)\n", "\n2*7 2*7 2*3\n", ""},
        {"`define S(x) `\"x`\"\n`define P(a) a``_reg\n`S(abc) `P(data)\n", "\n\n\"abc\" data_reg\n",
         ""},
        {"`define M \"`X\" /* c */\n`M\n", "\n\"`X\"\n", ""},
        {"`define W 1\n`define W 2\n`W\n", "\n\n2\n", ""},
        // A macro defined nowhere stands for its name.
        {"x = `NOPE + 1;\n`CELL #(1) u (a);\n", "x = NOPE + 1;\nCELL #(1) u (a);\n", ""},
    });
}

TEST(VerilogPreprocessor, BadInputEndsWithABoundedMessage) {
    expectCases({
        {"`define F(a) a\nx `F(1,\ny\n", "\nx \n\n", "2:Macro \"`F\" ')' not exist."},
        {"`ifdef A\nx\n", "\n\n", "1:\"`endif\" not exist."},
        {"`define A\n`ifdef A\n`ifndef B\nx\n", "\n\n\nx\n",
         "2:\"`endif\" not exist.|3:\"`endif\" not exist."},
        {"`else\n`endif\n`elsif A\n", "\n\n\n",
         "1:Illegal position \"`else\".|2:Illegal position \"`endif\".|"
         "3:Illegal position \"`elsif\"."},
        {"`ifdef A\n`else\n`else\n`endif\n", "\n\n\n\n", "3:Illegal position \"`else\"."},
        {"`define A `A\nx `A y\n", "\nx  y\n", "2:Macro \"`A\" is recursive."},
        {"`define A `B\n`define B (`A)\n`A\n", "\n\n()\n", "3:Macro \"`A\" is recursive."},
        {"`define F(x) `F(x)\n`F(1)\n", "\n\n", "2:Macro \"`F\" is recursive."},
        {"`define F(a) a\n`F(1, 2)\n", "\n\n", "2:Macro \"`F\" has too many arguments."},
        {"`define\n`define (a) b\n", "\n\n", "1:`define Syntax error.|2:`define Syntax error."},
        {"`include foo\n`ifdef\n`endif\n", "foo\n\n\n",
         "1:`include Syntax error.|2:`ifdef Syntax error."},
    });
}

TEST(VerilogPreprocessor, RunawayExpansionStopsWithOneMessage) {
    // Every level doubles the text: 2^40 copies if nothing stopped it.
    std::string source = "`define L0 xxxxxxxxxxxxxxxx\n";
    for (int level = 1; level <= 40; ++level) {
        const std::string below = "`L" + std::to_string(level - 1);
        source += "`define L" + std::to_string(level) + " " + below + below + "\n";
    }
    source += "`L40\n`L40\nlast\n";
    const PreprocessedVerilog result = preprocessVerilog(source, "t.v");
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0].line, 42);
    EXPECT_NE(result.messages[0].text.find("expansion is too large."), std::string::npos);
    EXPECT_LT(result.text.size(), std::size_t{200} << 20);
    EXPECT_EQ(linesOf(result.text), linesOf(source));
    EXPECT_TRUE(result.text.ends_with("\nlast\n"));

    // Arguments put into a body many times over.
    const std::string call = "`D(`D(`D(`D(`D(`D(`D(`D(1))))))))";
    const PreprocessedVerilog wide = preprocessVerilog(
        "`define D(x) x x x x x x x x x x x x x x x x\n" + call + "\nlast\n", "t.v");
    ASSERT_EQ(wide.messages.size(), 1u);
    EXPECT_EQ(wide.messages[0].text, "Macro \"`D\" expansion is too large.\r\n");
    EXPECT_LT(wide.text.size(), std::size_t{200} << 20);
    EXPECT_TRUE(wide.text.ends_with("\nlast\n"));

    // Uses that expand to nothing are bounded by their count.
    std::string empty = "`define E0\n";
    for (int level = 1; level <= 40; ++level) {
        const std::string below = "`E" + std::to_string(level - 1);
        empty += "`define E" + std::to_string(level) + " " + below + below + below + "\n";
    }
    empty += "`E40\n";
    const PreprocessedVerilog nothing = preprocessVerilog(empty, "t.v");
    ASSERT_EQ(nothing.messages.size(), 1u);
    EXPECT_NE(nothing.messages[0].text.find("expansion is too large."), std::string::npos);
}

TEST(VerilogPreprocessor, IncludedFilesAreReadBesideTheIncludingFile) {
    TempDir dir;
    dir.write("defs.vh", "// header\n`define W 4\n/* two\nlines */ localparam P = `W;\n");
    dir.write("a.vh", "`include \"b.vh\"\n");
    dir.write("b.vh", "`include \"a.vh\"\n");
    const std::string path = dir.write("top.v",
                                       "x `include \"defs.vh\" y\n`W\n`include \"none.vh\"\n"
                                       "`include \"a.vh\"\n");
    const PreprocessedVerilog result = preprocessVerilog(testing::readAll(path), path);
    EXPECT_EQ(result.text, "x  \n\n  localparam P = 4;\n  y\n4\n\n  \n \n \n");
    EXPECT_EQ(result.lineNumbers, (std::vector<int>{1, 1, 1, 1, 2, 3, 4, 4, 4}));
    EXPECT_EQ(messagesOf(result), "4:`include \"a.vh\" is recursive.");
    ASSERT_EQ(result.defines.size(), 1u);
    EXPECT_EQ(result.defines[0].line, 1);
    EXPECT_EQ(result.defines[0].name, "W");
    EXPECT_EQ(result.defines[0].body, "4");
}

// Files analysed chunk by chunk with the Verilog module parser.
struct Analysed {
    explicit Analysed(const std::string& source) : files(FrontEnds{parseVerilogModule, {}}) {
        path = dir.write("t.v", source);
        files.analyseFile(path);
    }
    const Module& module(const std::string& name) const { return *files.modules.find(name); }
    std::string log() const { return std::string(files.log.text()); }

    TempDir dir;
    std::string path;
    ParsedFiles<> files;
};

std::string pinsOf(const Module& module) {
    std::string out;
    for (const Pin& pin : module.pins) {
        out += pin.name + "[" + std::to_string(pin.msb) + ":" + std::to_string(pin.lsb) + "]" +
               std::to_string(pin.direction) + "@" + std::to_string(pin.line) + " ";
    }
    return out;
}

TEST(VerilogPreprocessorAnalysis, DirectivesAroundModulesGiveCleanRecords) {
    const Analysed a(
        "`resetall\n`timescale 1ns / 1ps\n`default_nettype none\n\n"
        "module m (input wire a, output wire y);\nassign y = a;\nendmodule\n\n"
        "`resetall\n");
    EXPECT_EQ(a.log(), "");
    ASSERT_EQ(a.files.modules.size(), 1u);
    EXPECT_EQ(pinsOf(a.module("m")), "a[-1:-1]0@5 y[-1:-1]1@5 ");
    EXPECT_EQ(a.module("m").assigns.size(), 1u);
}

TEST(VerilogPreprocessorAnalysis, DefinesReachLaterModulesAndStayRecordedPerChunk) {
    const Analysed a(
        "`define W 4\n`define NAME(x) x``_q\nmodule a (input [`W-1:0] d);\nendmodule\n"
        "module b (input [`W-1:0] d,\n  output `NAME(d));\n`define V  if (x) 2 \\\n  3\n"
        "wire w;\nendmodule\n");
    EXPECT_EQ(a.log(), "");
    EXPECT_EQ(pinsOf(a.module("a")), "d[3:0]0@3 ");
    EXPECT_EQ(pinsOf(a.module("b")), "d[3:0]0@5 d_q[-1:-1]1@6 ");
    EXPECT_EQ(a.module("a").defines,
              (std::map<std::string, std::string>{{"NAME", "x``_q"}, {"W", "4"}}));
    EXPECT_EQ(a.module("b").defines, (std::map<std::string, std::string>{{"V", "if(x) 2 3"}}));
    ASSERT_EQ(a.module("b").wires.size(), 1u);
    EXPECT_EQ(a.module("b").wires[0].line, 9);
}

TEST(VerilogPreprocessorAnalysis, ConditionalsAndMacrosInsideModuleItems) {
    const Analysed a(
        "module m (input clk, input d, input s, output reg q);\n"
        "always @(posedge clk) begin\n"
        "`define NEXT d\n"
        "case (s) `S_IDLE: `ifdef FAST q <= `NEXT; `else q <= ~`NEXT; `endif\n"
        "endcase\nend\nendmodule\n");
    EXPECT_EQ(a.log(), "");
    const Module& m = a.module("m");
    ASSERT_EQ(m.alwaysBlocks.size(), 1u);
    std::string stream;
    for (const Statement& statement : m.alwaysBlocks[0].statements) {
        stream += statement.target + " " + statement.value + "; ";
    }
    EXPECT_EQ(stream, "case s; when s_idle; q ~d; end ; ");
}

TEST(VerilogPreprocessorAnalysis, MessagesStandOnTheLinesTheyConcern) {
    const Analysed a(
        "module m;\n`include \"missing.vh\"\nwire w;\nendmodule\n"
        "`ifdef X\nmodule n;\nendmodule\n");
    EXPECT_EQ(a.log(), "#ERROR : " + a.path + " : 5 : \"`endif\" not exist.\r\n");
    ASSERT_EQ(a.files.modules.size(), 1u);
    EXPECT_EQ(a.module("m").wires.at(0).line, 3);
}

TEST(VerilogPreprocessorAnalysis, ModulesOfIncludedFilesAreReadOneByOne) {
    TempDir dir;
    dir.write("cells.v",
              "`timescale 1ns/1ps\nmodule a (input x);\nendmodule\n"
              "module b (input x, output y); assign y = x; endmodule\n");
    dir.write("more.v", "// more\nmodule c;\nwire w;\nendmodule\n");
    const std::string path =
        dir.write("all.v", "`include \"cells.v\"\n\n`include \"more.v\" module d;\nendmodule\n");
    ParsedFiles<> files(FrontEnds{parseVerilogModule, {}});
    files.analyseFile(path);
    EXPECT_EQ(files.log.text(), "");
    std::string names;
    for (const Module& module : files.modules) names += module.name + " ";
    EXPECT_EQ(names, "a b c d ");
    EXPECT_EQ(files.modules.find("b")->assigns.at(0).line, 1);
    EXPECT_EQ(files.modules.find("c")->wires.at(0).line, 3);
}

TEST(VerilogPreprocessorAnalysis, IncludedHeadersGiveTheirDefinitionsAndItems) {
    TempDir dir;
    dir.write("defs.vh", "`define HI 2 // top bit\n");
    dir.write("params.vh", "localparam N = `HI; /* n */\n");
    const std::string path =
        dir.write("inc.v",
                  "`include \"defs.vh\"\nmodule m (input [`HI:0] a);\n`include \"params.vh\"\n"
                  "wire [`HI:0] w;\nendmodule\n");
    ParsedFiles<> files(FrontEnds{parseVerilogModule, {}});
    files.analyseFile(path);
    EXPECT_EQ(files.log.text(), "");
    const Module& m = *files.modules.find("m");
    EXPECT_EQ(pinsOf(m), "a[2:0]0@2 ");
    ASSERT_EQ(m.wires.size(), 1u);
    EXPECT_EQ(m.wires[0].line, 4);
    EXPECT_EQ(m.wires[0].msb, 2);
    EXPECT_EQ(m.defines, (std::map<std::string, std::string>{{"HI", "2"}}));
    EXPECT_TRUE(m.parameters.contains("N"));
}

// A small design in the style of public libraries: directives around the
// modules, a guarded header included twice, macros in parameters, port
// ranges and case items, attributes, a branch chosen by `elsif/`else and a
// macro defined inside an always block.
TEST(VerilogPreprocessorAnalysis, FixtureDesignGivesItsRecords) {
    ParsedFiles<> files(FrontEnds{parseVerilogModule, {}});
    files.analyseFile(testing::fixturePath("preprocessor/design.v"));
    EXPECT_EQ(files.log.text(), "");
    ASSERT_EQ(files.modules.size(), 2u);
    const Module& ctrl = *files.modules.find("fifo_ctrl");
    EXPECT_EQ(pinsOf(ctrl),
              "clk[-1:-1]0@11 rst[-1:-1]0@12 din[7:0]0@13 dout[7:0]1@14 state[1:0]1@15 ");
    ASSERT_EQ(ctrl.wires.size(), 1u);
    EXPECT_EQ(ctrl.wires[0].name, "unused");
    EXPECT_EQ(ctrl.wires[0].line, 23);
    EXPECT_EQ(ctrl.defines.at("DATA_W"), "8");
    EXPECT_EQ(ctrl.defines.at("NEXT_STATE"), "((s) == `S_IDLE ? `S_RUN : `S_IDLE)");
    ASSERT_EQ(ctrl.alwaysBlocks.size(), 1u);
    std::string stream;
    for (const Statement& statement : ctrl.alwaysBlocks[0].statements) {
        if (statement.target == "when" || statement.target == "state") {
            stream += statement.target + " " + statement.value + "; ";
        }
    }
    EXPECT_EQ(stream,
              "state 2'd0; when 2'd0; state ((state)==2'd0?2'd1:2'd0); when 2'd1; state 2'd0; ");
    const Module& top = *files.modules.find("fifo_top");
    EXPECT_EQ(pinsOf(top), "clk[-1:-1]0@41 d[7:0]0@41 q[7:0]1@41 ");
    ASSERT_EQ(top.children.size(), 1u);
    EXPECT_EQ(top.children[0].moduleName, "fifo_ctrl");
}

}  // namespace
}  // namespace corvane
