#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/verilog_parse_fixture.h"
#include "verilog/parameter_parser.h"
#include "verilog/port_declarations.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;

// Wires and regs alike: "name [msb:lsb] @line", with "/displayName" when it
// differs and " //comment" when there is one.
template <typename Record>
std::vector<std::string> describeNets(const std::vector<Record>& records) {
    std::vector<std::string> texts;
    for (const Record& record : records) {
        std::string text = record.name;
        if (record.displayName != record.name)
            text += "/" + record.displayName;
        text += " [" + std::to_string(record.msb) + ":" + std::to_string(record.lsb) + "] @" +
                std::to_string(record.line);
        if (!record.comment.empty())
            text += " //" + record.comment;
        texts.push_back(text);
    }
    return texts;
}

// "target=expression @line".
std::vector<std::string> describeAssigns(const Module& module) {
    std::vector<std::string> texts;
    for (const Assign& assign : module.assigns) {
        std::string text = assign.name;
        if (assign.displayName != assign.name)
            text += "/" + assign.displayName;
        text += "=" + assign.expression + " @" + std::to_string(assign.line);
        if (!assign.comment.empty())
            text += " //" + assign.comment;
        texts.push_back(text);
    }
    return texts;
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

// Reads the declarations of the fixture's text as the module parser hands
// them over; a token of any other item is left alone.
void parseDeclarations(VerilogParseFixture& fixture) {
    VerilogParseState& state = *fixture.state;
    while (!state.exhausted()) {
        const std::string token = fixture.nextItemToken();
        std::string rangeText;
        if (isKeyword(token, "wire", rangeText))
            parseWireDeclaration(state, rangeText);
        if (isKeyword(token, "reg", rangeText))
            parseRegDeclaration(state, rangeText);
        if (isKeyword(token, "integer", rangeText))
            parseIntegerDeclaration(state);
        if (token == "parameter" || token == "localparam")
            parseParameter(state, token);
    }
}

struct DeclarationCase {
    const char* source;
    std::vector<std::string> wires;
    std::vector<std::string> regs;
    std::vector<std::string> assigns;
    std::string log;
};

void expectDeclarations(const DeclarationCase& c) {
    VerilogParseFixture fixture(c.source);
    parseDeclarations(fixture);
    EXPECT_EQ(describeNets(fixture.module.wires), c.wires) << c.source;
    EXPECT_EQ(describeNets(fixture.module.regs), c.regs) << c.source;
    EXPECT_EQ(describeAssigns(fixture.module), c.assigns) << c.source;
    EXPECT_EQ(fixture.log.text(), c.log) << c.source;
}

TEST(NetDeclaration, OneTwoAndThreeDeclarators) {
    const DeclarationCase cases[] = {
        // wire
        {"wire w;", {"w [-1:-1] @1"}, {}, {}, ""},
        {"wire [7:0] a, B;", {"a [7:0] @1", "b/B [7:0] @1"}, {}, {}, ""},
        {"wire a, b, c;", {"a [-1:-1] @1", "b [-1:-1] @1", "c [-1:-1] @1"}, {}, {}, ""},
        {"wire w = a & b;", {"w [-1:-1] @1"}, {}, {"w=a&b @1"}, ""},
        {"wire a = x, b = y;", {"a [-1:-1] @1", "b [-1:-1] @1"}, {}, {"a=x @1", "b=y @1"}, ""},
        {"wire [3:0] c = {x, y}, d = f(p, q), e;",
         {"c [3:0] @1", "d [3:0] @1", "e [3:0] @1"},
         {},
         {"c={x,y} @1", "d=f(p,q) @1"},
         ""},
        {"wire [7:0] x = y[3:0], z;", {"x [7:0] @1", "z [7:0] @1"}, {}, {"x=y[3:0] @1"}, ""},
        // reg
        {"reg r;", {}, {"r [-1:-1] @1"}, {}, ""},
        {"reg [2:0] state_reg = STATE_IDLE, state_next;",
         {},
         {"state_reg [2:0] @1", "state_next [2:0] @1"},
         {},
         ""},
        {"reg r = {a, b}, s = g(1, 2), t;",
         {},
         {"r [-1:-1] @1", "s [-1:-1] @1", "t [-1:-1] @1"},
         {},
         ""},
        // integer
        {"integer i;", {}, {"i [-1:-1] @1"}, {}, ""},
        {"integer i = 0, j;", {}, {"i [-1:-1] @1", "j [-1:-1] @1"}, {}, ""},
        {"integer k = f(1, 2), m = {3, 4}, n;",
         {},
         {"k [-1:-1] @1", "m [-1:-1] @1", "n [-1:-1] @1"},
         {},
         ""},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

TEST(NetDeclaration, RangesAndArraysPerDeclarator) {
    const DeclarationCase cases[] = {
        {"reg [7:0] mem [0:255];", {}, {"mem [0:255] @1"}, {}, ""},
        {"reg [7:0] mem [0:3], flag;", {}, {"mem [0:3] @1", "flag [7:0] @1"}, {}, ""},
        {"reg flag, mem [0:3];", {}, {"flag [-1:-1] @1", "mem [0:3] @1"}, {}, ""},
        {"wire a, b [0:3], c;", {"a [-1:-1] @1", "b [0:3] @1", "c [-1:-1] @1"}, {}, {}, ""},
        {"wire [3:0] a [0:1] = z;", {"a [0:1] @1"}, {}, {"a=z @1"}, ""},
        {"reg [7:0] m [0:1][0:3];", {}, {"m [0:1] @1"}, {}, ""},
        // Bounds: a parameter name counts as 0, one "+" or "-" is computed.
        {"reg [W-1:0] r;", {}, {"r [-1:0] @1"}, {}, ""},
        {"wire [8+2:1-1] w;", {"w [10:0] @1"}, {}, {}, ""},
        {"wire [7 : 0] w;", {"w [7:0] @1"}, {}, {}, ""},
        {"wire[3:0] w;\nreg[1:0]r;", {"w [3:0] @1"}, {"r [1:0] @2"}, {}, ""},
        // A "[" that is never closed is cut off the name.
        {"wire w[3;", {"w [-1:-1] @1"}, {}, {}, ""},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

TEST(NetDeclaration, RangesEvaluateTheParametersDeclaredBefore) {
    const DeclarationCase cases[] = {
        {"parameter W = 8;\nwire [W-1:0] w;\nreg [W:0] r, m [0:W*4-1];",
         {"w [7:0] @2"},
         {"r [8:0] @3", "m [0:31] @3"},
         {},
         ""},
        {"localparam integer W = 4, D = W * 2;\nwire [D-1:0] x;\nreg [W-1:0] m [0:(1<<W)-1];",
         {"x [7:0] @2"},
         {"m [0:15] @3"},
         {},
         ""},
        {"parameter A = 3;\nlocalparam [1:0] S = 2'd2;\nwire [$clog2(A+1)-1:0] c;\nreg [S:0] s;",
         {"c [1:0] @3"},
         {"s [2:0] @4"},
         {},
         ""},
        // A name declared later, or one whose value is not a number, keeps
        // the rule of one sum or difference of decimal values.
        {"wire [W-1:0] a;\nparameter W = 8;\nparameter T = \"s\";\nwire [T+1:0] b;",
         {"a [-1:0] @1", "b [1:0] @4"},
         {},
         {},
         ""},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

TEST(NetDeclaration, StrengthsDelaysAndOtherWordsBeforeTheNames) {
    const DeclarationCase cases[] = {
        {"wire #1 a;", {"a [-1:-1] @1"}, {}, {}, ""},
        {"wire # 5 b = x;", {"b [-1:-1] @1"}, {}, {"b=x @1"}, ""},
        {"wire #d_delay c;", {"c [-1:-1] @1"}, {}, {}, ""},
        {"wire [3:0] #(1, 2) d;", {"d [3:0] @1"}, {}, {}, ""},
        {"wire[3:0] #(1:2:3) e, f;", {"e [3:0] @1", "f [3:0] @1"}, {}, {}, ""},
        {"wire #(2)g;", {"g [-1:-1] @1"}, {}, {}, ""},
        {"wire (strong0, weak1) h = y;", {"h [-1:-1] @1"}, {}, {"h=y @1"}, ""},
        {"wire (pull1, supply0) [1:0] #3 i;", {"i [1:0] @1"}, {}, {}, ""},
        {"wire vectored [7:0] v;", {"v [7:0] @1"}, {}, {}, ""},
        {"wire signed [7:0] s = p * q;", {"s [7:0] @1"}, {}, {"s=p*q @1"}, ""},
        {"reg signed [15:0] acc;", {}, {"acc [15:0] @1"}, {}, ""},
        {"integer mem [0:3], n;", {}, {"mem [0:3] @1", "n [-1:-1] @1"}, {}, ""},
        {"integer k [0 3];", {}, {"k [-1:-1] @1"}, {}, ""},
        // A ";" inside a string ends nothing.
        {"wire [1023:0] DO = \"simplemap; opt\";\nwire n;",
         {"do/DO [1023:0] @1", "n [-1:-1] @2"},
         {},
         {"do/DO=\"simplemap;opt\" @1"},
         ""},
        {"reg [7:0] s = \"a\\\";\", t;", {}, {"s [7:0] @1", "t [7:0] @1"}, {}, ""},
        // A delay that never ends leaves the declaration without ";".
        {"wire #(1, a;", {}, {}, {}, error(1, "';' not exist.(1)")},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

TEST(NetDeclaration, LinesAndComments) {
    const DeclarationCase cases[] = {
        {"wire w = a; // sum\nreg r; // state\ninteger i; // count",
         {"w [-1:-1] @1 //sum"},
         {"r [-1:-1] @2 //state", "i [-1:-1] @3 //count"},
         {"w=a @1 //sum"},
         ""},
        // A declaration over several lines keeps its first line; the next
        // item is on the line where the declaration ended.
        {"wire a = x,\nb = y +\nz; wire c;\nreg d,\ne; reg f;\ninteger g,\nh; integer k;",
         {"a [-1:-1] @1", "b [-1:-1] @1", "c [-1:-1] @3"},
         {"d [-1:-1] @4", "e [-1:-1] @4", "f [-1:-1] @5", "g [-1:-1] @6", "h [-1:-1] @6",
          "k [-1:-1] @7"},
         {"a=x @1", "b=y+z @1"},
         ""},
        {"wire\nw;", {"w [-1:-1] @1"}, {}, {}, ""},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

TEST(NetDeclaration, MalformedDeclarations) {
    const DeclarationCase cases[] = {
        {"wire [7 0] w; wire v;", {"v [-1:-1] @1"}, {}, {}, error(1, "Multi pin syntax error.")},
        {"wire [7:0 w;", {}, {}, {}, error(1, "Multi pin syntax error.")},
        {"wire m [0 3];", {}, {}, {}, error(1, "Multi pin syntax error.")},
        {"wire a = x, m [0 3];", {}, {}, {}, error(1, "Multi pin syntax error.")},
        // A bad first range of a reg is reported and the declaration kept.
        {"reg [7 0] r;", {}, {"r [70:70] @1"}, {}, error(1, "Multi pin syntax error.")},
        {"reg [7:0 r;", {}, {}, {}, error(1, "Multi pin syntax error.")},
        // A bad array range drops the whole declaration.
        {"reg a, m [0 3], b;", {}, {}, {}, error(1, "Multi pin syntax error.")},
        {"reg [7 0] m [0 3];",
         {},
         {},
         {},
         error(1, "Multi pin syntax error.") + error(1, "Multi pin syntax error.")},
        {"wire w", {}, {}, {}, error(1, "';' not exist.(1)")},
        {"reg [7:0] r\n", {}, {}, {}, error(1, "';' not exist.(2)")},
        {"wire", {}, {}, {}, error(1, "';' not exist.(1)")},
        {"integer i", {}, {}, {}, ""},
        // Declarators without a name declare nothing.
        {"wire a,, b;\nreg ;\ninteger = 1, c;\nwire = x;",
         {"a [-1:-1] @1", "b [-1:-1] @1"},
         {"c [-1:-1] @3"},
         {},
         ""},
    };
    for (const DeclarationCase& c : cases) expectDeclarations(c);
}

// Every prefix of a set of declarations, cut at any character, ends without
// a hang and reads the text to its end.
TEST(NetDeclaration, TruncatedDeclarationsEnd) {
    const std::string source =
        "wire [W-1:0] a = {b, c},\n d [0:3];\nreg [7:0] m [0:1] = f(x, y), n;\ninteger i = 0, j;";
    for (std::size_t length = 0; length <= source.size(); ++length) {
        VerilogParseFixture fixture(source.substr(0, length));
        parseDeclarations(fixture);
        EXPECT_TRUE(fixture.state->exhausted()) << length;
    }
}

}  // namespace
}  // namespace corvane
