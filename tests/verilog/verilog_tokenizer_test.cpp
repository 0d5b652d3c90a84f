#include "verilog/verilog_tokenizer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "database/verilog_operator_table.h"
#include "text/text_helpers.h"

namespace corvane {
namespace {

// "text(strength)" for every token, the form the expected values are written in.
std::string describe(const std::vector<FormulaToken>& tokens) {
    std::string out;
    for (const FormulaToken& token : tokens) {
        if (!out.empty()) out += ' ';
        out += token.text + "(" + std::to_string(token.strength) + ")";
    }
    return out;
}

struct TokenizeCase {
    const char* text;
    const char* expected;
};

TEST(VerilogTokenizer, OperandsOperatorsAndStrengths) {
    const TokenizeCase cases[] = {
        {"a+b*c", "a(0) +(13) b(0) *(14) c(0)"},
        {"(a+b)*c", "((-1) a(0) +(45) b(0) )(-1) *(14) c(0)"},
        {"a!=b", "a(0) !=(10) b(0)"},
        {"a!==b", "a(0) !==(10) b(0)"},
        {"a===b", "a(0) ===(10) b(0)"},
        {"a==b", "a(0) ==(10) b(0)"},
        {"a<=b", "a(0) <=(11) b(0)"},
        {"a<<2", "a(0) <<(12) 2(0)"},
        {"a&&b||c", "a(0) &&(6) b(0) ||(5) c(0)"},
        {"a&b|c^d", "a(0) &(9) b(0) |(7) c(0) ^(8) d(0)"},
        {"!a", "!(15) a(0)"},
        {"~ a", "~(15) a(0)"},
        {"s ? a : b", "s(0) ?(4) a(0) :(3) b(0)"},
        {"d[7:0]", "d(0) [(-1) 7(0) :(67) 0(0) ](-1)"},
        {"{a,b}", "{(-1) a(0) ,(-1) b(0) }(-1)"},
        // The comma moves the running weight by its own number.
        {"f(a,b+c)", "f(0) ((-1) a(0) ,(-1) b(0) +(47) c(0) )(-1)"},
        {"a = b", "a=b(0)"},
        {"< =", "<=(11)"},
        {"8'hFF", "8'hff(0)"},
        {"", ""},
        {"   ", ""},
    };
    for (const TokenizeCase& c : cases) {
        std::vector<FormulaToken> tokens;
        tokenizeVerilog(c.text, 7, tokens);
        EXPECT_EQ(describe(tokens), c.expected) << "text: " << c.text;
    }
}

TEST(VerilogTokenizer, KeepsDisplayTextLineAndOperatorIndex) {
    std::vector<FormulaToken> tokens(1);  // tokens are appended, never replaced
    tokenizeVerilog("Data_In & EN", 12, tokens);
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[1].text, "data_in");
    EXPECT_EQ(tokens[1].displayText, "Data_In");
    EXPECT_EQ(tokens[1].op, -1);
    EXPECT_EQ(tokens[2].text, "&");
    EXPECT_EQ(tokens[2].displayText, "&");
    EXPECT_EQ(tokens[2].op, 17);
    EXPECT_EQ(tokens[3].text, "en");
    EXPECT_EQ(tokens[3].displayText, "EN");
    for (std::size_t i = 1; i < tokens.size(); ++i) EXPECT_EQ(tokens[i].line, 12);
}

// The plain reading of the rule: search every operator in the rest of the
// text and take the earliest, the longer one at equal positions.
std::vector<FormulaToken> tokenizeByOperatorSearch(std::string_view input, int line) {
    std::string text;
    for (char c : input) {
        if (c != ' ') text.push_back(c);
    }
    std::vector<FormulaToken> tokens;
    int weight = 0;
    std::string_view rest(text);
    while (true) {
        std::size_t bestPos = std::string_view::npos;
        int best = -1;
        for (std::size_t i = 0; i < kVerilogOperators.size(); ++i) {
            const std::size_t found = rest.find(kVerilogOperators[i].text);
            if (found == std::string_view::npos) continue;
            if (found < bestPos ||
                (found == bestPos &&
                 kVerilogOperators[i].text.size() >
                     kVerilogOperators[static_cast<std::size_t>(best)].text.size())) {
                bestPos = found;
                best = static_cast<int>(i);
            }
        }
        if (best < 0) break;
        const OperatorEntry& entry = kVerilogOperators[static_cast<std::size_t>(best)];
        if (bestPos > 0) {
            tokens.push_back({toLowerAscii(rest.substr(0, bestPos)),
                              std::string(rest.substr(0, bestPos)), -1, 0, line});
        }
        const int strength = best < kVerilogFirstBracket ? entry.priority + weight : -1;
        if (best >= kVerilogFirstBracket) weight += entry.priority;
        tokens.push_back({std::string(entry.text), std::string(entry.text), best, strength, line});
        rest.remove_prefix(bestPos + entry.text.size());
    }
    if (!rest.empty()) tokens.push_back({toLowerAscii(rest), std::string(rest), -1, 0, line});
    return tokens;
}

TEST(VerilogTokenizer, SingleScanAgreesWithOperatorSearchOnGeneratedTexts) {
    // Operator characters are drawn often so that long and overlapping
    // operators ("!==", "<<=", "===") occur in every position.
    const std::string alphabet = "!~*/%+-<>=&^|?:[](){},  aBz09_'";
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int size = length(random);
        for (int i = 0; i < size; ++i) text.push_back(alphabet[pick(random)]);
        std::vector<FormulaToken> fast;
        tokenizeVerilog(text, round, fast);
        const std::vector<FormulaToken> plain = tokenizeByOperatorSearch(text, round);
        ASSERT_EQ(fast.size(), plain.size()) << "text: " << text;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].text, plain[i].text) << "text: " << text;
            EXPECT_EQ(fast[i].displayText, plain[i].displayText) << "text: " << text;
            EXPECT_EQ(fast[i].op, plain[i].op) << "text: " << text;
            EXPECT_EQ(fast[i].strength, plain[i].strength) << "text: " << text;
            EXPECT_EQ(fast[i].line, plain[i].line) << "text: " << text;
        }
    }
}

}  // namespace
}  // namespace corvane
