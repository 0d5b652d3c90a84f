#include "elaboration/bit_range.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "database/verilog_operator_table.h"
#include "database/vhdl_operator_table.h"

namespace corvane {
namespace {

// Tokens of a blank-separated text; a piece found in the operator table
// becomes that operator, anything else an operand.
template <std::size_t N>
std::vector<FormulaToken> tokensOf(std::string_view text, const std::array<OperatorEntry, N>& ops) {
    std::vector<FormulaToken> tokens;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        FormulaToken token;
        token.text = token.displayText = std::string(text.substr(start, end - start));
        token.op = -1;
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].text == token.text) token.op = static_cast<int>(i);
        }
        tokens.push_back(token);
        start = end + 1;
    }
    return tokens;
}

std::string error(const std::string& what, int number) {
    return "#ERROR :  :  : Net \"" + what + "\" connection error.(" + std::to_string(number) +
           ")\r\n";
}

template <typename Record>
Record declared(const std::string& name, int msb, int lsb) {
    Record record;
    record.name = record.displayName = name;
    record.msb = msb;
    record.lsb = lsb;
    return record;
}

// a[7:0] is a pin; "dup" is a pin, a reg and a wire; "rw" a reg and a wire;
// "i" is the loop variable of a loop from 2 to 5.
class BitRangeTest : public ::testing::Test {
protected:
    BitRangeTest() {
        module.pins = {declared<Pin>("a", 7, 0), declared<Pin>("dup", 1, 0)};
        module.regs = {declared<Reg>("dup", 5, 4), declared<Reg>("rw", 2, 1)};
        module.wires = {declared<Wire>("dup", 9, 8), declared<Wire>("rw", 4, 3),
                        declared<Wire>("w", 15, 8)};
        module.generics = {{"width", "8"}, {"g2", "abc"}, {"w", "3"}};
        module.loopVar = "i";
        module.loopFirst = 2;
        module.loopLast = 5;
    }

    // A resolved range, or a failure with exactly the expected message.
    void expectOutcome(bool ok, BitRange range, BitRange expected, const std::string& expectedLog,
                       const std::string& label) const {
        EXPECT_EQ(ok, expectedLog.empty()) << label;
        if (ok) {
            EXPECT_EQ(range, expected) << label;
        }
        EXPECT_EQ(log.text(), expectedLog) << label;
    }

    Module module;
    MessageLog log;
};

TEST_F(BitRangeTest, DeclaredRangeTakesPinThenRegThenWireThenGeneric) {
    const DeclaredRangeIndex index(module);
    const struct {
        std::string name;
        BitRange expected;
    } cases[] = {
        {"a", {7, 0}},  {"dup", {1, 0}},    {"rw", {2, 1}},  {"w", {15, 8}}, {"width", {8, 8}},
        {"g2", {0, 0}}, {"none", {-1, -1}}, {"A", {-1, -1}},  // names are compared as stored
                                                              // (lower-cased)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(declaredRange(module, c.name), c.expected) << c.name;
        EXPECT_EQ(index.find(c.name), c.expected) << c.name;
    }
}

struct TokenCase {
    std::string tokens;
    std::size_t index;
    BitRange expected;
    std::string log;  // empty: resolved without a message
};

TEST_F(BitRangeTest, VerilogTokenSelects) {
    const TokenCase cases[] = {
        {"a", 0, {7, 0}, ""},
        {"a + b", 0, {7, 0}, ""},
        {"a [ 3 ]", 0, {3, 3}, ""},
        {"a [ 6 : 2 ]", 0, {6, 2}, ""},
        {"a [ i ]", 0, {5, 2}, ""},      // loop variable: the loop's whole range
        {"a [ k ]", 0, {7, 0}, ""},      // other index: the declared range
        {"zz [ k ]", 0, {-1, -1}, ""},   // undeclared: no range
        {"a [ ( k ) ]", 0, {7, 0}, ""},  // an expression index falls back too
        {"a [ i : 0 ]", 0, {0, 0}, ""},  // bounds without digits count 0
        {"s ? a : b", 2, {7, 0}, ""},    // ":" after an operand is no select
        {"a [", 0, {}, error("a", 1)},
        {"b & a [", 2, {}, error("a", 1)},
        {"a [ 3", 0, {}, error("a", 2)},
        {"a [ 3 :", 0, {}, error("a", 3)},
        {"a [ 3 ] [", 0, {3, 3}, ""},  // only the first select counts
    };
    for (const auto& c : cases) {
        log.clear();
        BitRange range{99, 99};
        const bool ok =
            rangeFromTokens(module, tokensOf(c.tokens, kVerilogOperators), c.index, log, range);
        expectOutcome(ok, range, c.expected, c.log, c.tokens);
    }
}

TEST_F(BitRangeTest, VhdlTokenSelects) {
    const TokenCase cases[] = {
        {"a", 0, {7, 0}, ""},
        {"a ( 3 )", 0, {3, 3}, ""},
        {"a ( 6 , 2 )", 0, {6, 2}, ""},
        {"a ( i )", 0, {7, 0}, ""},  // VHDL has no loop-variable case
        {"a ( 7 downto 0 )", 0, {7, 7}, ""},
        {"a (", 0, {}, error("a", 4)},
        {"a ( 3", 0, {}, error("a", 5)},
        {"a ( 3 ,", 0, {}, error("a", 6)},
    };
    for (const auto& c : cases) {
        log.clear();
        BitRange range;
        const bool ok =
            rangeFromVhdlTokens(module, tokensOf(c.tokens, kVhdlOperators), c.index, log, range);
        expectOutcome(ok, range, c.expected, c.log, c.tokens);
    }
}

struct TextCase {
    std::string text;
    BitRange expected;
    std::string log;
};

TEST_F(BitRangeTest, VerilogTextSelects) {
    const TextCase cases[] = {
        {"a", {7, 0}, ""},      {"a[3]", {3, 3}, ""},   {"a[6:2]", {6, 2}, ""},
        {"a[i]", {5, 2}, ""},   {"a[k]", {7, 0}, ""},   {"zz[k]", {-1, -1}, ""},
        {"zz", {-1, -1}, ""},   {"a[ 3 ]", {3, 3}, ""}, {"a [k]", {7, 0}, ""},
        {"a[x:y]", {0, 0}, ""}, {"width", {8, 8}, ""},  {"sig[3", {}, error("sig[3", 0)},
    };
    for (const auto& c : cases) {
        log.clear();
        BitRange range;
        const bool ok = rangeFromText(module, c.text, log, range);
        expectOutcome(ok, range, c.expected, c.log, c.text);
    }
}

TEST_F(BitRangeTest, VhdlTextSelects) {
    const TextCase cases[] = {
        {"a", {7, 0}, ""},
        {"a(3)", {3, 3}, ""},
        {"a(6,2)", {6, 2}, ""},
        {"a(i)", {7, 0}, ""},
        {"sig(3", {}, error("sig(3", 7)},
    };
    for (const auto& c : cases) {
        log.clear();
        BitRange range;
        const bool ok = rangeFromVhdlText(module, c.text, log, range);
        expectOutcome(ok, range, c.expected, c.log, c.text);
    }
}

TEST(SignalTextName, TextBeforeTheFirstBracket) {
    EXPECT_EQ(signalTextName("a[3:0]"), "a");
    EXPECT_EQ(signalTextName("b(2)"), "b");
    EXPECT_EQ(signalTextName(" c "), "c");
    EXPECT_EQ(signalTextName("{a,b}"), "{a,b}");
}

}  // namespace
}  // namespace corvane
