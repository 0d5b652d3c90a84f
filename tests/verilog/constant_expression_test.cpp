#include "verilog/constant_expression.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace corvane {
namespace {

struct ExpressionCase {
    const char* text;
    std::optional<std::int64_t> value;  // nothing: cannot be evaluated
};

// W = 8, DEPTH = 1024, NEG = -3, as declared before the expressions.
ParameterValues declaredValues() {
    ParameterValues values;
    values.set("W", 8);
    values.set("DEPTH", 1024);
    values.set("NEG", -3);
    return values;
}

void expectValues(const ExpressionCase* begin, const ExpressionCase* end) {
    const ParameterValues values = declaredValues();
    for (const ExpressionCase* c = begin; c != end; ++c)
        EXPECT_EQ(evaluateConstantExpression(c->text, values), c->value) << c->text;
}

TEST(ConstantExpression, ArithmeticPrecedenceAndParentheses) {
    const ExpressionCase cases[] = {
        {"7", 7},
        {"W-1", 7},
        {"W - 1", 7},
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"10-2-1", 7},
        {"100/10/5", 2},
        {"17%5", 2},
        {"2**10", 1024},
        {"2**3**2", 64},  // left to right
        {"-2**2", 4},     // unary minus binds first
        {"-W", -8},
        {"+W", 8},
        {"~0", -1},
        {"!0", 1},
        {"!W", 0},
        {"--1", 1},
        {"W*2-1", 15},
        {"(W)", 8},
        {"((((W))))", 8},
        {"NEG/2", -1},
        {"NEG%2", -1},
    };
    expectValues(std::begin(cases), std::end(cases));
}

TEST(ConstantExpression, ShiftsComparisonsLogicAndConditionals) {
    const ExpressionCase cases[] = {
        {"1<<W", 256},
        {"DEPTH>>2", 256},
        {"NEG>>>1", -2},
        {"1<<<3", 8},
        {"W<16", 1},
        {"W<=8", 1},
        {"W>8", 0},
        {"W>=9", 0},
        {"W==8", 1},
        {"W!=8", 0},
        {"W===8", 1},
        {"W!==8", 0},
        {"W>4&&W<16", 1},
        {"W<4||W>16", 0},
        {"6&3", 2},
        {"6|3", 7},
        {"6^3", 5},
        {"6~^3", -6},
        {"W>4?W:4", 8},
        {"W>8?1:W>4?2:3", 2},
        {"(W == 8) ? DEPTH : 0", 1024},
        // The branch not taken may be unknown; the condition may not.
        {"1?2:X", 2},
        {"0?1/0:5", 5},
        {"X?1:2", std::nullopt},
        {"0&&(1/0)", 0},
        {"1||UNKNOWN", 1},
    };
    expectValues(std::begin(cases), std::end(cases));
}

TEST(ConstantExpression, LiteralsAndSystemFunctions) {
    const ExpressionCase cases[] = {
        {"8'd10", 10},
        {"'h1F", 31},
        {"4'b1010", 10},
        {"8'hFF", 255},
        {"32'h 0000_0010", 16},
        {"1_000", 1000},
        {"12'o17", 15},
        {"4'hFF", 15},  // a sized value keeps its low bits
        {"4'sb1111", -1},
        {"8 'd 3", 3},
        {"'D9", 9},
        {"64'hFFFF_FFFF_FFFF_FFFF", -1},
        {"$clog2(DEPTH)", 10},
        {"$clog2(1000)", 10},
        {"$clog2(1)", 0},
        {"$clog2(0)", 0},
        {"$clog2(W*4)+1", 6},
        {"$signed(W)", 8},
        {"$unsigned(3)", 3},
        // Unknown or unreadable values.
        {"4'bx01", std::nullopt},
        {"4'b1?0", std::nullopt},
        {"8'hzz", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
        {"'0", std::nullopt},
        {"4'b102", std::nullopt},
        {"3x", std::nullopt},
        {"$bits(W)", std::nullopt},
        {"clog2(W)", std::nullopt},
        {"UNKNOWN", std::nullopt},
        {"w", std::nullopt},  // names are case sensitive
        {"W[0]", std::nullopt},
        {"\"text\"", std::nullopt},
        {"&W", std::nullopt},
        {"~&W", std::nullopt},
        {"", std::nullopt},
        {"1+", std::nullopt},
        {"(1", std::nullopt},
        {"1)", std::nullopt},
        {"1?2", std::nullopt},
        {"1 2", std::nullopt},
    };
    expectValues(std::begin(cases), std::end(cases));
}

TEST(ConstantExpression, OverflowDivisionByZeroAndHugeShiftsAreDefined) {
    const ExpressionCase cases[] = {
        {"1/0", std::nullopt},
        {"1%0", std::nullopt},
        {"9223372036854775807+1", INT64_MIN},
        {"-9223372036854775807-1", INT64_MIN},
        {"(-9223372036854775807-1)/-1", INT64_MIN},
        {"(-9223372036854775807-1)%-1", 0},
        {"-(-9223372036854775807-1)", INT64_MIN},
        {"4294967296*4294967296", 0},
        {"99999999999999999999999", 200376420520689663},  // 10**23-1 modulo 2**64
        {"2**64", 0},
        {"3**-1", 0},
        {"1**-5", 1},
        {"(-1)**-3", -1},
        {"0**-1", std::nullopt},
        {"1<<64", 0},
        {"1<<-1", 0},
        {"1<<9999999999999", 0},
        {"NEG>>>64", -1},
        {"NEG>>64", 0},
    };
    expectValues(std::begin(cases), std::end(cases));
}

// Plain digits are read by a shortcut; it must give what the full
// evaluation of the same number gives.
TEST(ConstantExpression, PlainDigitsEqualTheFullEvaluation) {
    const ParameterValues values;
    const ExpressionCase cases[] = {
        {"0", 0},
        {"007", 7},
        {"31", 31},
        {"999999999999999999", 999999999999999999},
        {"1000000000000000000", 1000000000000000000},
        {"9223372036854775807", INT64_MAX},
    };
    for (const ExpressionCase& c : cases) {
        EXPECT_EQ(evaluateConstantExpression(c.text, values), c.value) << c.text;
        EXPECT_EQ(evaluateConstantExpression(std::string("(") + c.text + ")", values), c.value)
            << c.text;
    }
}

TEST(ConstantExpression, DeepNestingEndsWithoutAValue) {
    const ParameterValues values;
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(evaluateConstantExpression(deep, values), std::nullopt);
    EXPECT_EQ(evaluateConstantExpression(std::string(100000, '-') + "1", values), std::nullopt);
    EXPECT_EQ(evaluateConstantExpression(std::string(100000, '~'), values), std::nullopt);
    std::string chain = "1";
    for (int i = 0; i < 10000; ++i) chain += "?1";
    EXPECT_EQ(evaluateConstantExpression(chain, values), std::nullopt);
    const std::string shallow = std::string(20, '(') + "2" + std::string(20, ')');
    EXPECT_EQ(evaluateConstantExpression(shallow, values), 2);
}

TEST(ParameterValues, LaterValuesReplaceEarlierOnesAndEraseHides) {
    ParameterValues values;
    EXPECT_TRUE(values.empty());
    values.set("A", 1);
    values.set("B", 2);
    values.set("A", 3);
    EXPECT_EQ(evaluateConstantExpression("A*10+B", values), 32);
    values.erase("A");
    EXPECT_EQ(values.find("A"), nullptr);
    EXPECT_EQ(evaluateConstantExpression("A", values), std::nullopt);
    values.clear();
    EXPECT_TRUE(values.empty());
}

// Many names, set, replaced and erased in an order that moves entries
// between the first few and the rest, keep answering like a plain table.
TEST(ParameterValues, ManyNamesKeepTheirLatestValues) {
    ParameterValues values;
    std::map<std::string, std::int64_t> expected;
    const auto name = [](int i) {
        return "P" + std::to_string(i) + (i % 3 == 0 ? "_long_parameter_name" : "");
    };
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 40; ++i) {
            if ((i + round) % 4 == 3) {
                values.erase(name(i));
                expected.erase(name(i));
            } else {
                values.set(name(i), i * 100 + round);
                expected[name(i)] = i * 100 + round;
            }
        }
        for (int i = 0; i < 40; ++i) {
            const auto found = expected.find(name(i));
            const std::int64_t* value = values.find(name(i));
            if (found == expected.end()) {
                EXPECT_EQ(value, nullptr) << name(i);
            } else {
                ASSERT_NE(value, nullptr) << name(i);
                EXPECT_EQ(*value, found->second) << name(i);
            }
        }
    }
    EXPECT_FALSE(values.empty());
    for (int i = 0; i < 40; ++i) values.erase(name(i));
    EXPECT_TRUE(values.empty());
}

}  // namespace
}  // namespace corvane
