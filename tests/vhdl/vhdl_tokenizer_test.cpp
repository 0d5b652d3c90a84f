#include "vhdl/vhdl_tokenizer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "database/vhdl_operator_table.h"

namespace corvane {
namespace {

struct TokenExpect {
    std::string displayText;
    int op;
    int strength;
};

std::vector<TokenExpect> tokensOf(const std::vector<FormulaToken>& tokens) {
    std::vector<TokenExpect> result;
    for (const FormulaToken& token : tokens)
        result.push_back({token.displayText, token.op, token.strength});
    return result;
}

bool operator==(const TokenExpect& a, const TokenExpect& b) {
    return a.displayText == b.displayText && a.op == b.op && a.strength == b.strength;
}

std::ostream& operator<<(std::ostream& out, const TokenExpect& token) {
    return out << "{" << token.displayText << " " << token.op << " " << token.strength << "}";
}

TEST(VhdlTokenizer, OperatorsAndStrengths) {
    struct Case {
        const char* text;
        std::vector<TokenExpect> tokens;
    };
    const Case cases[] = {
        {"a + b * c", {{"a", -1, 0}, {"+", 6, 18}, {"b", -1, 0}, {"*", 2, 19}, {"c", -1, 0}}},
        {"(a + b) * c",
         {{"(", 32, -1},
          {"a", -1, 0},
          {"+", 6, 82},
          {"b", -1, 0},
          {")", 33, -1},
          {"*", 2, 19},
          {"c", -1, 0}}},
        {"a $and$ b", {{"a", -1, 0}, {"$and$", 22, 13}, {"b", -1, 0}}},
        {"a $nand$ b", {{"a", -1, 0}, {"$nand$", 23, 12}, {"b", -1, 0}}},
        {"$not$ a", {{"$not$", 0, 21}, {"a", -1, 0}}},
        // The longer operator wins where two begin.
        {"a/=b", {{"a", -1, 0}, {"/=", 19, 16}, {"b", -1, 0}}},
        {"a<=b", {{"a", -1, 0}, {"<=", 16, 17}, {"b", -1, 0}}},
        {"a=>b", {{"a", -1, 0}, {"=>", 20, 16}, {"b", -1, 0}}},
        {"a**2", {{"a", -1, 0}, {"**", 1, 20}, {"2", -1, 0}}},
        {"a&&b&c", {{"a", -1, 0}, {"&&", 28, 7}, {"b", -1, 0}, {"&", 31, 4}, {"c", -1, 0}}},
        // Entries from the first bracket on move the weight for the rest of the text.
        {"clk'event $and$ clk='1'",
         {{"clk", -1, 0},
          {"'event", 39, -1},
          {"$and$", 22, 27},
          {"clk", -1, 0},
          {"=", 18, 30},
          {"'1'", -1, 0}}},
        {"CLK'EVENT", {{"CLK", -1, 0}, {"'EVENT", 39, -1}}},
        {"$rising_edge$(clk)",
         {{"$rising_edge$", 40, -1}, {"(", 32, -1}, {"clk", -1, 0}, {")", 33, -1}}},
        {"x $when$ s = '1' $else$ y",
         {{"x", -1, 0},
          {"$when$", 36, -1},
          {"s", -1, 0},
          {"=", 18, 18},
          {"'1'", -1, 0},
          {"$else$", 37, -1},
          {"y", -1, 0}}},
        {"d(7$downto$0)",
         {{"d", -1, 0},
          {"(", 32, -1},
          {"7", -1, 0},
          {"$downto$", 35, -1},
          {"0", -1, 0},
          {")", 33, -1}}},
        {"$to_stdlogicvector$(x),$to_bit$(y)",
         {{"$to_stdlogicvector$", 42, -1},
          {"(", 32, -1},
          {"x", -1, 0},
          {")", 33, -1},
          {",", 38, -1},
          {"$to_bit$", 45, -1},
          {"(", 32, -1},
          {"y", -1, 0},
          {")", 33, -1}}},
        // Unmarked words are operands.
        {"band", {{"band", -1, 0}}},
        {"", {}},
    };
    const GenericTable noGenerics({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<FormulaToken> tokens;
        tokenizeVhdl(noGenerics, c.text, 12, tokens);
        EXPECT_EQ(tokensOf(tokens), c.tokens);
        for (const FormulaToken& token : tokens) EXPECT_EQ(token.line, 12);
    }
}

TEST(VhdlTokenizer, OperandsGetGenericsAndLowerCase) {
    Module module;
    module.generics = {{"width", "8"}, {"w", "2"}};
    std::vector<FormulaToken> tokens;
    tokenizeVhdl(module, "Data_In(WIDTH-1) $AND$ W", 3, tokens);
    ASSERT_EQ(tokens.size(), 8u);
    EXPECT_EQ(tokens[0].text, "data_in");
    EXPECT_EQ(tokens[0].displayText, "Data_In");
    EXPECT_EQ(tokens[2].text, "8");
    EXPECT_EQ(tokens[3].op, 7);
    EXPECT_EQ(tokens[6].text, "$and$");
    EXPECT_EQ(tokens[6].displayText, "$AND$");
    EXPECT_EQ(tokens[6].strength, 13);
    EXPECT_EQ(tokens[7].text, "2");
    // Tokens are appended to what the vector holds.
    tokenizeVhdl(module, "q", 4, tokens);
    EXPECT_EQ(tokens.size(), 9u);
}

// The single scan must cut exactly where the search for the earliest
// operator (the longer one at equal positions) cuts.
TEST(VhdlTokenizer, SingleScanEqualsEarliestOperatorSearch) {
    std::vector<std::string> pieces = {"a",   "B",  "x_1", "'",     "\"",     " ", "$",
                                       "$an", "d$", "to",  "Event", "'EVENT", "<", ">",
                                       "=",   "/",  "*",   "&",     "|",      "?", "w"};
    for (const OperatorEntry& entry : kVhdlOperators)
        pieces.push_back(markedOperatorText(entry.text));
    const GenericTable generics({{"w", "16"}, {"x_1", "a"}});
    std::mt19937 random(20240601);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) text += pieces[pick(random)];
        std::vector<FormulaToken> scanned;
        std::vector<FormulaToken> searched;
        tokenizeVhdl(generics, text, 1, scanned);
        tokenizeVhdlByEarliestSearch(generics, text, 1, searched);
        ASSERT_EQ(tokensOf(scanned), tokensOf(searched)) << text;
        for (std::size_t i = 0; i < scanned.size(); ++i)
            ASSERT_EQ(scanned[i].text, searched[i].text) << text;
    }
}

}  // namespace
}  // namespace corvane
