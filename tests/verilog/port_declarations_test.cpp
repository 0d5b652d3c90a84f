#include "verilog/parameter_parser.h"
#include "verilog/port_declarations.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/verilog_parse_fixture.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;

std::string rangeOf(int msb, int lsb) {
    return " [" + std::to_string(msb) + ":" + std::to_string(lsb) + "]";
}

std::string describe(const Pin& pin) {
    std::string text = pin.name + " dir " + std::to_string(pin.direction) +
                       rangeOf(pin.msb, pin.lsb) + " @" + std::to_string(pin.line);
    if (!pin.comment.empty())
        text += " //" + pin.comment;
    return text;
}

// Wires and regs alike: "name [msb:lsb] @line".
template <typename Record>
std::vector<std::string> describeNets(const std::vector<Record>& records) {
    std::vector<std::string> texts;
    for (const Record& record : records) {
        std::string text =
            record.name + rangeOf(record.msb, record.lsb) + " @" + std::to_string(record.line);
        if (!record.comment.empty())
            text += " //" + record.comment;
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::string> describePins(const Module& module) {
    std::vector<std::string> pins;
    for (const Pin& pin : module.pins) pins.push_back(describe(pin));
    return pins;
}

std::string error(int line, const std::string& message) {
    return "#ERROR : test.v : " + std::to_string(line) + " : " + message + "\r\n";
}

// The keyword alone, or glued to its range: gives the range text.
bool isKeyword(const std::string& token, const std::string& keyword, std::string& rangeText) {
    if (token != keyword && !token.starts_with(keyword + "["))
        return false;
    rangeText = token.substr(keyword.size());
    return true;
}

// Reads the header and the port declarations of the fixture's text, as the
// module parser hands them over.
void parseHeaderAndPorts(VerilogParseFixture& fixture) {
    VerilogParseState& state = *fixture.state;
    const char* const directions[] = {"input", "output", "inout"};
    while (!state.exhausted()) {
        const std::string token = fixture.nextItemToken();
        std::string rangeText;
        if (token == "module")
            parseModuleHeader(state);
        if (token == "parameter" || token == "localparam")
            parseParameter(state, token);
        for (int direction = 0; direction < 3; ++direction) {
            if (isKeyword(token, directions[direction], rangeText)) {
                parsePortDeclaration(state, direction, rangeText);
            }
        }
    }
}

struct PortCase {
    const char* source;
    std::vector<std::string> pins;
    std::vector<std::string> wires;
    std::vector<std::string> regs;
    std::string log;
};

// Parses the case's header and port declarations and compares the records and log.
void expectPortCase(const PortCase& c) {
    VerilogParseFixture fixture(c.source);
    parseHeaderAndPorts(fixture);
    EXPECT_EQ(describePins(fixture.module), c.pins) << c.source;
    EXPECT_EQ(describeNets(fixture.module.wires), c.wires) << c.source;
    EXPECT_EQ(describeNets(fixture.module.regs), c.regs) << c.source;
    EXPECT_EQ(fixture.log.text(), c.log) << c.source;
}

TEST(PortDeclaration, DirectionsRangesAndNetKinds) {
    const PortCase cases[] = {
        {"module top(clk, q); input clk; output [3:0] q;",
         {"clk dir 0 [-1:-1] @1", "q dir 1 [3:0] @1"},
         {},
         {},
         ""},
        {"module top(a, b);\ninput [7:0] a, b;",
         {"a dir 0 [7:0] @1", "b dir 0 [7:0] @1"},
         {},
         {},
         ""},
        {"module top(q);\noutput reg [7:0] q;", {"q dir 1 [7:0] @1"}, {}, {"q [7:0] @2"}, ""},
        {"module top(w, v);\ninout wire w;\noutput wire[1:0] v;",
         {"w dir 2 [-1:-1] @1", "v dir 1 [1:0] @1"},
         {"w [-1:-1] @2", "v [1:0] @3"},
         {},
         ""},
        // The keyword glued to its range, and a whole declaration in one token.
        {"module top(a, b);\ninput[3:0] a;\noutput[1:0]b;",
         {"a dir 0 [3:0] @1", "b dir 1 [1:0] @1"},
         {},
         {},
         ""},
        // Port names are compared lower-cased.
        {"module top(Clk);\ninput CLK;", {"clk dir 0 [-1:-1] @1"}, {}, {}, ""},
        // A name that begins with "reg" or "wire" is not the net kind.
        {"module top(reg_en, wired);\ninput reg_en, wired;",
         {"reg_en dir 0 [-1:-1] @1", "wired dir 0 [-1:-1] @1"},
         {},
         {},
         ""},
        // A declaration over two lines; the comment of its first line is kept.
        {"module top(a, b);\ninput a, // inputs\nb;",
         {"a dir 0 [-1:-1] @1 //inputs", "b dir 0 [-1:-1] @1 //inputs"},
         {},
         {},
         ""},
        {"module top(a);\ninput\na;", {"a dir 0 [-1:-1] @1"}, {}, {}, ""},
    };
    for (const PortCase& c : cases) expectPortCase(c);
}

TEST(PortDeclaration, ParameterisedRangesAndNetTypes) {
    const PortCase cases[] = {
        {"module m(a, b, q);\nparameter W = 8;\nlocalparam D = $clog2(W);\ninput [W-1:0] a;\n"
         "input [D:0] b;\noutput reg [W*2-1:0] q;",
         {"a dir 0 [7:0] @1", "b dir 0 [3:0] @1", "q dir 1 [15:0] @1"},
         {},
         {"q [15:0] @6"},
         ""},
        // A parameter declared after the port that uses it.
        {"module m(input [W-1:0] a, output [N-1:0] y);\nparameter W = 4;\nlocalparam N = W * 2;",
         {"a dir 0 [3:0] @1", "y dir 1 [7:0] @1"},
         {},
         {},
         ""},
        {"module m(a);\ninput [W:0] a;\nparameter W = 3;", {"a dir 0 [3:0] @1"}, {}, {}, ""},
        // A name that is never declared keeps the decimal conversion.
        {"module m(input [X-1:0] a);\nparameter W = 4;", {"a dir 0 [0:0] @1"}, {}, {}, ""},
        {"module m(a, b, c, d, e);\ninput wire signed [3:0] a;\noutput tri [1:0] b;\n"
         "inout wand c;\noutput integer d;\ninput signed [2:0] e;",
         {"a dir 0 [3:0] @1", "b dir 1 [1:0] @1", "c dir 2 [-1:-1] @1", "d dir 1 [31:0] @1",
          "e dir 0 [2:0] @1"},
         {"a [3:0] @2", "b [1:0] @3", "c [-1:-1] @4"},
         {"d [31:0] @5"},
         ""},
        // A net port declared with its value; a variable's value is dropped.
        {"module m(q, r, e);\ninput e;\noutput q = e ? {e, e} : 1'b0, r;\n",
         {"q dir 1 [-1:-1] @1", "r dir 1 [-1:-1] @1", "e dir 0 [-1:-1] @1"},
         {},
         {},
         ""},
        {"module m(q);\noutput reg [1:0] q = 2'd1;", {"q dir 1 [1:0] @1"}, {}, {"q [1:0] @2"}, ""},
    };
    for (const PortCase& c : cases) expectPortCase(c);
}

TEST(PortDeclaration, NetPortDeclaredWithAValueAssignsIt) {
    VerilogParseFixture fixture("module m(q, r, e);\ninput e;\noutput q = e ? {e, e} : 1'b0, r;");
    parseHeaderAndPorts(fixture);
    ASSERT_EQ(fixture.module.assigns.size(), 1u);
    EXPECT_EQ(fixture.module.assigns[0].name, "q");
    EXPECT_EQ(fixture.module.assigns[0].expression, "e?{e,e}:1'b0");
    EXPECT_EQ(fixture.log.text(), "");
}

TEST(PortDeclaration, ErrorsAndWhatIsKept) {
    const PortCase cases[] = {
        {"module top(q);\noutput reg x;",
         {"q dir -1 [-1:-1] @1"},
         {},
         {},
         error(2, "\"x\" is illegal pin name.(0)")},
        {"module top(q);\noutput [1:0] X;",
         {"q dir -1 [-1:-1] @1"},
         {},
         {},
         error(2, "\"X\" is illegal pin name.(1)")},
        // The names after a bad one are not declared.
        {"module top(a, b, c);\ninput a, x, c;",
         {"a dir 0 [-1:-1] @1", "b dir -1 [-1:-1] @1", "c dir -1 [-1:-1] @1"},
         {},
         {},
         error(2, "\"x\" is illegal pin name.(0)")},
        {"module top(a, b);\noutput reg a, x;",
         {"a dir 1 [-1:-1] @1", "b dir -1 [-1:-1] @1"},
         {},
         {"a [-1:-1] @2"},
         error(2, "\"x\" is illegal pin name.(0)")},
        {"module top(a);\ninput a,;",
         {"a dir 0 [-1:-1] @1"},
         {},
         {},
         error(2, "\"\" is illegal pin name.(0)")},
        {"module top(a);\ninput a", {"a dir -1 [-1:-1] @1"}, {}, {}, error(2, "';' not exist.(0)")},
        {"module top(a);\ninput", {"a dir -1 [-1:-1] @1"}, {}, {}, error(2, "';' not exist.(0)")},
        {"module top(a);\ninput [7 0] a;",
         {"a dir 0 [70:70] @1"},
         {},
         {},
         error(2, "Multi pin syntax error.")},
        {"module top(a);\ninput [7:0 a;",
         {"a dir -1 [-1:-1] @1"},
         {},
         {},
         error(2, "Multi pin syntax error.") + error(2, "\"\" is illegal pin name.(1)")},
    };
    for (const PortCase& c : cases) expectPortCase(c);
}

TEST(PortDeclaration, ReadingStopsAfterTheSemicolon) {
    VerilogParseFixture fixture("module top(a, b);\ninput a; output b;");
    EXPECT_EQ(fixture.nextItemToken(), "module");
    ASSERT_FALSE(parseModuleHeader(*fixture.state));
    EXPECT_EQ(fixture.nextItemToken(), "input");
    EXPECT_EQ(parsePortDeclaration(*fixture.state, 0, ""), 0);
    EXPECT_EQ(fixture.nextItemToken(), "output");
}

TEST(FindPinAndDeclare, UpdatesTheNamedPinAndItsComment) {
    Module module;
    module.pins.resize(2);
    module.pins[0].name = "clk";
    module.pins[1].name = "q";
    module.pins[1].comment = "kept";
    module.lineComments[4] = "clock";

    EXPECT_EQ(findPinAndDeclare(module, "CLK", 0, 3, 1, 4), 0);
    EXPECT_EQ(module.pins[0].direction, 0);
    EXPECT_EQ(module.pins[0].msb, 3);
    EXPECT_EQ(module.pins[0].lsb, 1);
    EXPECT_EQ(module.pins[0].comment, "clock");

    EXPECT_EQ(findPinAndDeclare(module, "q", 1, -1, -1, 5), 0);  // no comment on line 5
    EXPECT_EQ(module.pins[1].direction, 1);
    EXPECT_EQ(module.pins[1].comment, "kept");

    EXPECT_EQ(findPinAndDeclare(module, "d", 0, -1, -1, 4), 1);
    EXPECT_EQ(findPinAndDeclare(module, "", 0, -1, -1, 4), 1);
}

TEST(EvaluateBound, SumsDifferencesAndPlainValues) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"7", 7},
        {"W-1", -1},
        {"8+2", 10},
        {"15-8", 7},
        {"-1", -1},
        {"W", 0},
        {"", 0},
        {"1+2+3", 6},
        {"10-2-1", 7},
        {"2+-1", 1},
        {"+", 0},
        {"3x", 3},
        {"2147483647+1", INT_MAX},
        {"-2147483647-5", INT_MIN},
        // What cannot be evaluated keeps the rule of one sum or difference
        // of decimal values.
        {"3x+1", 4},
        {"4'bx1-1", 3},
    };
    for (const auto& c : cases) EXPECT_EQ(evaluateBound(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace corvane
