#include "verilog/parameter_parser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/verilog_parse_fixture.h"
#include "verilog/constant_expression.h"

namespace corvane {
namespace {

using testing::VerilogParseFixture;
using Parameters = std::map<std::string, std::string, std::less<>>;

struct ParameterCase {
    std::string source;  // one item followed by "endmodule" on a later line
    Parameters expected;
};

class ParameterItems : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterItems, StoreEachNameAndValue) {
    const ParameterCase& c = GetParam();
    VerilogParseFixture fixture(c.source + "\nendmodule\n");
    const std::string keyword = fixture.nextItemToken();
    EXPECT_EQ(parseParameter(*fixture.state, keyword), 0);
    EXPECT_EQ(fixture.module.parameters, c.expected);
    EXPECT_EQ(fixture.log.text(), "");
    EXPECT_EQ(fixture.nextItemToken(), "endmodule");
}

INSTANTIATE_TEST_SUITE_P(
    Parameter, ParameterItems,
    ::testing::Values(ParameterCase{"parameter WIDTH = 8;", {{"WIDTH", "8"}}},
                      ParameterCase{"localparam S0 = 2'b00;", {{"S0", "2'b00"}}},
                      ParameterCase{"parameter N = 4 ;", {{"N", "4"}}},
                      // A range before the name is dropped, glued to the keyword or not.
                      ParameterCase{"parameter [7:0] INIT = 8'hFF;", {{"INIT", "8'hFF"}}},
                      ParameterCase{"parameter[7:0] INIT = 8'hFF;", {{"INIT", "8'hFF"}}},
                      ParameterCase{"parameter[7: 0] INIT = 1;", {{"INIT", "1"}}},
                      ParameterCase{"parameter signed [3:0] N = 5;", {{"N", "5"}}},
                      // A select in the value is not a range.
                      ParameterCase{"parameter X = Y[3];", {{"X", "Y[3]"}}},
                      // A line break before the value does not merge a line marker into it.
                      ParameterCase{"parameter W =\n 8;", {{"W", "8"}}},
                      // An item of several names keeps them names in the records
                      // (their values still count for ranges, tested below).
                      ParameterCase{"parameter A = 1, B = 2;", {}},
                      ParameterCase{"parameter A;", {}},
                      // Types before the name, values with commas inside brackets.
                      ParameterCase{"parameter integer W = 8;", {{"W", "8"}}},
                      ParameterCase{"localparam [1:0] S0 = 2'd0, S1 = 2'd1;", {}},
                      ParameterCase{"parameter P = {1, 2};", {{"P", "{1,2}"}}},
                      ParameterCase{"parameter F = f(a, b);", {{"F", "f(a,b)"}}},
                      ParameterCase{"parameter C = (A == B);", {{"C", "(A==B)"}}},
                      ParameterCase{"parameter S = \"a, b\";", {{"S", "\"a,b\""}}},
                      ParameterCase{"parameter real R = 1.5;", {{"R", "1.5"}}},
                      // A ";" inside a string does not end the item.
                      ParameterCase{"parameter DO = \"simplemap; opt\";",
                                    {{"DO", "\"simplemap;opt\""}}}));

TEST(Parameter, ValuesAreEvaluatedInDeclarationOrder) {
    VerilogParseFixture fixture(
        "parameter A = 4, B = A * 2;\nlocalparam integer C = $clog2(B) + 8'd1;\n"
        "parameter S = \"text\";\nparameter A2 = UNKNOWN + 1;\nendmodule\n");
    for (int item = 0; item < 4; ++item) {
        const std::string keyword = fixture.nextItemToken();
        ASSERT_EQ(parseParameter(*fixture.state, keyword), 0);
    }
    const ParameterValues& values = fixture.state->parameterValues;
    ASSERT_NE(values.find("A"), nullptr);
    EXPECT_EQ(*values.find("A"), 4);
    ASSERT_NE(values.find("B"), nullptr);
    EXPECT_EQ(*values.find("B"), 8);
    ASSERT_NE(values.find("C"), nullptr);
    EXPECT_EQ(*values.find("C"), 4);
    EXPECT_EQ(values.find("S"), nullptr);
    EXPECT_EQ(values.find("A2"), nullptr);
}

TEST(Parameter, LaterTokensEqualToTheNameReadAsTheValue) {
    VerilogParseFixture fixture("WIDTH\nparameter WIDTH = 8;\nx WIDTH WIDTH-1 width WIDTH end\n");
    EXPECT_EQ(fixture.nextItemToken(), "WIDTH");  // before the declaration: unchanged
    const std::string keyword = fixture.nextItemToken();
    ASSERT_EQ(parseParameter(*fixture.state, keyword), 0);
    std::vector<std::string> tokens;
    while (!fixture.state->exhausted()) tokens.push_back(fixture.state->next());
    EXPECT_EQ(tokens, (std::vector<std::string>{"%%3", "x", "8", "WIDTH-1", "width", "8", "end"}));
}

TEST(Parameter, CurrentLineFollowsTheItem) {
    VerilogParseFixture fixture("parameter W =\n\n 8; wire\n");
    const std::string keyword = fixture.nextItemToken();
    EXPECT_EQ(parseParameter(*fixture.state, keyword), 0);
    EXPECT_EQ(fixture.state->currentLine, 3);
    EXPECT_EQ(fixture.state->next(), "wire");
}

TEST(Parameter, MissingSemicolonIsReportedAtTheKeywordLine) {
    VerilogParseFixture fixture("\nparameter W =\n 8\nendmodule");
    const std::string keyword = fixture.nextItemToken();
    EXPECT_EQ(parseParameter(*fixture.state, keyword), 1);
    EXPECT_EQ(fixture.log.text(), "#ERROR : test.v : 2 : ';' not exist.(5)\r\n");
    EXPECT_TRUE(fixture.module.parameters.empty());
    EXPECT_TRUE(fixture.state->exhausted());
}

TEST(Defparam, IsSkippedUpToItsSemicolon) {
    VerilogParseFixture fixture("defparam u1.W =\n 8; wire\n");
    fixture.nextItemToken();
    EXPECT_EQ(parseDefparam(*fixture.state), 0);
    EXPECT_TRUE(fixture.module.parameters.empty());
    EXPECT_EQ(fixture.log.text(), "");
    EXPECT_EQ(fixture.state->next(), "wire");
}

TEST(Defparam, MissingSemicolonIsReported) {
    VerilogParseFixture fixture("\ndefparam u1.W = 8\nendmodule");
    fixture.nextItemToken();
    EXPECT_EQ(parseDefparam(*fixture.state), 1);
    EXPECT_EQ(fixture.log.text(), "#ERROR : test.v : 2 : ';' not exist.(6)\r\n");
    EXPECT_TRUE(fixture.state->exhausted());
}

}  // namespace
}  // namespace corvane
