#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/verilog_parse_fixture.h"
#include "verilog/parameter_parser.h"
#include "verilog/port_declarations.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;

// "name dir d [msb:lsb] @line", with "/displayName" when it differs and
// " //comment" when there is one.
std::string describe(const Pin& pin) {
    std::string text = pin.name;
    if (pin.displayName != pin.name)
        text += "/" + pin.displayName;
    text += " dir " + std::to_string(pin.direction) + " [" + std::to_string(pin.msb) + ":" +
            std::to_string(pin.lsb) + "] @" + std::to_string(pin.line);
    if (!pin.comment.empty())
        text += " //" + pin.comment;
    return text;
}

std::vector<std::string> describePins(const Module& module) {
    std::vector<std::string> pins;
    for (const Pin& pin : module.pins) pins.push_back(describe(pin));
    return pins;
}

std::string error(int line, const std::string& message) {
    return "#ERROR : test.v : " + std::to_string(line) + " : " + message + "\r\n";
}

struct HeaderCase {
    const char* source;
    const char* name;
    const char* displayName;
    std::vector<std::string> pins;
    std::string log;
};

// Reads "module" and the header after it.
bool parseHeaderOf(VerilogParseFixture& fixture) {
    EXPECT_EQ(fixture.nextItemToken(), "module");
    return parseModuleHeader(*fixture.state);
}

TEST(ModuleHeader, NamesPortsDirectionsAndRanges) {
    const HeaderCase cases[] = {
        {"module top(clk, q);", "top", "top", {"clk dir -1 [-1:-1] @1", "q dir -1 [-1:-1] @1"}, ""},
        {"module top(input clk, output reg [7:0] q);",
         "top",
         "top",
         {"clk dir 0 [-1:-1] @1", "q dir 1 [7:0] @1"},
         ""},
        {"module top #(parameter W = 8) (input a);", "top", "top", {"a dir 0 [-1:-1] @1"}, ""},
        {"module top #(parameter A = (1), B = (2)) (a);",
         "top",
         "top",
         {"a dir -1 [-1:-1] @1"},
         ""},
        {"module top;", "top", "top", {}, ""},
        {"module top();", "top", "top", {}, ""},
        {"module Top ( A , Bq ) ;",
         "top",
         "Top",
         {"a/A dir -1 [-1:-1] @1", "bq/Bq dir -1 [-1:-1] @1"},
         ""},
        // The direction and its range carry over to the names after it, up
        // to the next direction.
        {"module top(input [7:0] a, b, output c, d);",
         "top",
         "top",
         {"a dir 0 [7:0] @1", "b dir 0 [7:0] @1", "c dir 1 [-1:-1] @1", "d dir 1 [-1:-1] @1"},
         ""},
        {"module top(inout wire [3:0] io, input[1:0] s, output reg[2:0] r);",
         "top",
         "top",
         {"io dir 2 [3:0] @1", "s dir 0 [1:0] @1", "r dir 1 [2:0] @1"},
         ""},
        // A port name that merely begins with a keyword is a name.
        {"module top(input_a, regs, inouts);",
         "top",
         "top",
         {"input_a dir -1 [-1:-1] @1", "regs dir -1 [-1:-1] @1", "inouts dir -1 [-1:-1] @1"},
         ""},
        {"module top(input clk,output q);",
         "top",
         "top",
         {"clk dir 0 [-1:-1] @1", "q dir 1 [-1:-1] @1"},
         ""},
    };
    for (const HeaderCase& c : cases) {
        VerilogParseFixture fixture(c.source);
        EXPECT_FALSE(parseHeaderOf(fixture)) << c.source;
        EXPECT_EQ(fixture.module.name, c.name) << c.source;
        EXPECT_EQ(fixture.module.displayName, c.displayName) << c.source;
        EXPECT_EQ(describePins(fixture.module), c.pins) << c.source;
        EXPECT_EQ(fixture.log.text(), c.log) << c.source;
    }
}

TEST(ModuleHeader, RangesEvaluateTheParameterList) {
    const HeaderCase cases[] = {
        {"module m #(parameter W = 8) (input wire [W-1:0] a, b, output [2*W-1:0] q);",
         "m",
         "m",
         {"a dir 0 [7:0] @1", "b dir 0 [7:0] @1", "q dir 1 [15:0] @1"},
         ""},
        // Several per keyword, typed and ranged ones, values computed from
        // earlier ones, $clog2 and based literals.
        {"module m #(parameter A = 2, B = A + 1, parameter integer D = $clog2(16),\n"
         " parameter [7:0] P = 8'h0F, localparam Q = P >> 2) (input [A:0] a, input [B:0] b,\n"
         " output [D-1:0] d, output [P:0] p, output [Q-1:0] q);",
         "m",
         "m",
         {"a dir 0 [2:0] @2", "b dir 0 [3:0] @2", "d dir 1 [3:0] @3", "p dir 1 [15:0] @3",
          "q dir 1 [2:0] @3"},
         ""},
        {"module m\n#(\n  parameter DATA_WIDTH = 8,\n  parameter KEEP_WIDTH = (DATA_WIDTH/8)\n)\n"
         "(\n  input wire [KEEP_WIDTH-1:0] k,\n  input wire [DATA_WIDTH-1:0] d\n);",
         "m",
         "m",
         {"k dir 0 [0:0] @7", "d dir 0 [7:0] @8"},
         ""},
        {"module m#(parameter W=8)(input [W-1:0] a);", "m", "m", {"a dir 0 [7:0] @1"}, ""},
        // A name without a value keeps the decimal conversion of its text.
        {"module m #(parameter S = \"x\") (input [S-1:0] a, input [N:0] b);",
         "m",
         "m",
         {"a dir 0 [0:0] @1", "b dir 0 [0:0] @1"},
         ""},
        // Net types, signedness and variable types after the direction.
        {"module m(input wire signed [3:0] a, output reg signed [7:0] x, inout tri [1:0] t,\n"
         " input wand w, output integer i, output time tm, input supply0 s);",
         "m",
         "m",
         {"a dir 0 [3:0] @1", "x dir 1 [7:0] @1", "t dir 2 [1:0] @1", "w dir 0 [-1:-1] @2",
          "i dir 1 [31:0] @2", "tm dir 1 [63:0] @2", "s dir 0 [-1:-1] @2"},
         ""},
        // The initial value of a variable port is not part of its name.
        {"module m(output reg [3:0] q = 4'd0, output integer n = 0, input a);",
         "m",
         "m",
         {"q dir 1 [3:0] @1", "n dir 1 [31:0] @1", "a dir 0 [-1:-1] @1"},
         ""},
        // Escaped names.
        {"module \\$_DFF_P_ (input D, C, output Q);",
         "\\$_dff_p_",
         "\\$_DFF_P_",
         {"d/D dir 0 [-1:-1] @1", "c/C dir 0 [-1:-1] @1", "q/Q dir 1 [-1:-1] @1"},
         ""},
    };
    for (const HeaderCase& c : cases) {
        VerilogParseFixture fixture(c.source);
        EXPECT_FALSE(parseHeaderOf(fixture)) << c.source;
        EXPECT_EQ(fixture.module.name, c.name) << c.source;
        EXPECT_EQ(fixture.module.displayName, c.displayName) << c.source;
        EXPECT_EQ(describePins(fixture.module), c.pins) << c.source;
        EXPECT_EQ(fixture.log.text(), c.log) << c.source;
        EXPECT_TRUE(fixture.module.parameters.empty()) << c.source;
    }
}

TEST(ModuleHeader, OpenPortListTakesThePortsOfTheBody) {
    VerilogParseFixture fixture("module m (...);\nparameter W = 4;\ninput [W-1:0] A;\noutput Y;");
    EXPECT_FALSE(parseHeaderOf(fixture));
    EXPECT_TRUE(fixture.module.pins.empty());
    while (!fixture.state->exhausted()) {
        const std::string token = fixture.nextItemToken();
        if (token == "parameter")
            parseParameter(*fixture.state, token);
        if (token == "input")
            parsePortDeclaration(*fixture.state, 0, "");
        if (token == "output")
            parsePortDeclaration(*fixture.state, 1, "");
    }
    EXPECT_EQ(describePins(fixture.module),
              (std::vector<std::string>{"a/A dir 0 [3:0] @3", "y/Y dir 1 [-1:-1] @4"}));
    EXPECT_EQ(fixture.log.text(), "");
}

TEST(ModuleHeader, LineMarkersInsideTheHeader) {
    const HeaderCase cases[] = {
        {"module top(\n  input clk,\n  output [1:0] q\n);",
         "top",
         "top",
         {"clk dir 0 [-1:-1] @2", "q dir 1 [1:0] @3"},
         ""},
        {"module top\n(a,\nb);", "top", "top", {"a dir -1 [-1:-1] @2", "b dir -1 [-1:-1] @3"}, ""},
        {"module top\n#(parameter W = 8,\nparameter H = 2)\n(input a);",
         "top",
         "top",
         {"a dir 0 [-1:-1] @4"},
         ""},
        // A direction on a line of its own goes on to the next piece.
        {"module top(input\na, b);",
         "top",
         "top",
         {"a dir 0 [-1:-1] @2", "b dir 0 [-1:-1] @2"},
         ""},
        {"module top(a, b\n;",
         "top",
         "top",
         {"a dir -1 [-1:-1] @1", "b dir -1 [-1:-1] @1"},
         error(2, "Parser detected the error of grammar to the termination of the pin list.(0)")},
    };
    for (const HeaderCase& c : cases) {
        VerilogParseFixture fixture(c.source);
        EXPECT_FALSE(parseHeaderOf(fixture)) << c.source;
        EXPECT_EQ(fixture.module.name, c.name) << c.source;
        EXPECT_EQ(fixture.module.displayName, c.displayName) << c.source;
        EXPECT_EQ(describePins(fixture.module), c.pins) << c.source;
        EXPECT_EQ(fixture.log.text(), c.log) << c.source;
    }
}

TEST(ModuleHeader, MalformedPortListsAreReportedAndParsingContinues) {
    const HeaderCase cases[] = {
        {"module top(a, b;",
         "top",
         "top",
         {"a dir -1 [-1:-1] @1", "b dir -1 [-1:-1] @1"},
         error(1, "Parser detected the error of grammar to the termination of the pin list.(0)")},
        {"module top(input [7 0] a, b);",
         "top",
         "top",
         {"a dir 0 [70:70] @1", "b dir 0 [70:70] @1"},
         error(1, "Multi pin syntax error.")},
        // Without "]" the whole rest is the range and no name is left.
        {"module top(input [7:0 a, b);",
         "top",
         "top",
         {"b dir 0 [7:0] @1"},
         error(1, "Multi pin syntax error.")},
        {"module top(a, , b);", "top", "top", {"a dir -1 [-1:-1] @1", "b dir -1 [-1:-1] @1"}, ""},
    };
    for (const HeaderCase& c : cases) {
        VerilogParseFixture fixture(c.source);
        EXPECT_FALSE(parseHeaderOf(fixture)) << c.source;
        EXPECT_EQ(fixture.module.name, c.name) << c.source;
        EXPECT_EQ(describePins(fixture.module), c.pins) << c.source;
        EXPECT_EQ(fixture.log.text(), c.log) << c.source;
    }
}

TEST(ModuleHeader, HeaderWithoutSemicolonFails) {
    const char* const sources[] = {"module top(a, b)", "module top(a,\nb)\n", "module"};
    for (const char* source : sources) {
        VerilogParseFixture fixture(source);
        EXPECT_TRUE(parseHeaderOf(fixture)) << source;
        EXPECT_EQ(fixture.log.text(), error(1, "Syntax error.(1)")) << source;
        EXPECT_TRUE(fixture.state->exhausted()) << source;
    }
}

TEST(ModuleHeader, CurrentLineMovesToTheLastLineOfTheHeader) {
    VerilogParseFixture fixture("module top(a,\nb); input a;");
    EXPECT_FALSE(parseHeaderOf(fixture));
    EXPECT_EQ(fixture.state->currentLine, 2);
    EXPECT_EQ(fixture.nextItemToken(), "input");
}

// Every prefix of a header, cut at any character, ends without a hang and
// leaves the reader at the end of the text or after a ";".
TEST(ModuleHeader, TruncatedHeadersEnd) {
    const std::string source =
        "module top #(parameter W = (8))\n(input [7:0] a, b,\n output reg [W-1:0] q\n);";
    for (std::size_t length = 0; length <= source.size(); ++length) {
        VerilogParseFixture fixture(source.substr(0, length));
        const std::string keyword = fixture.nextItemToken();
        if (keyword != "module")
            continue;
        const bool failed = parseModuleHeader(*fixture.state);
        EXPECT_TRUE(failed || fixture.module.text.ends_with(";")) << length;
    }
}

}  // namespace
}  // namespace corvane
