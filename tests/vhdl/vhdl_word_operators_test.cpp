#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "database/vhdl_operator_table.h"

namespace corvane {
namespace {

// The single pass passes whole word runs and rejects words by length and by
// their first and last letters before comparing them; every word operator in
// mixed letter case, words that share a length and an end letter with one,
// and digits and underscores glued to them must come out as the plain
// replacement passes make them.
TEST(VhdlWordOperators, SinglePassEqualsReplacementPasses) {
    std::vector<std::string> pieces = {" ",   " ",   "(",    ")",           "1",     "_",  "sel",
                                       "Xnr", "TOx", "rol1", "a_b",         "ELSE",  "Or", "nAnD",
                                       "x\"", "$",   "'",    "Rising_Edge", "dOwNtO"};
    for (const OperatorEntry& entry : kVhdlOperators) {
        if (!isWordOperator(entry.text)) continue;
        pieces.emplace_back(entry.text);
        std::string upper(entry.text);
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        pieces.push_back(upper);
    }
    std::mt19937 random(20241210);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 16);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (int i = length(random); i > 0; --i) text += pieces[pick(random)];
        ASSERT_EQ(markVhdlWordOperators(text), markVhdlWordOperatorsByPasses(text)) << text;
    }
}

TEST(VhdlWordOperators, MarksOnlyDelimitedWords) {
    struct Case {
        const char* text;
        const char* marked;
    };
    const Case cases[] = {
        {" a AND b ", " a $and$ b "},
        {")Or(", ") $or$("},
        {" to_bit(x) ", " $to_bit$(x) "},
        {" or1 1or x_or or_ ", " or1 1or x_or or_ "},
        {"and b", "and b"},  // no lead before the first word
        {" and", " and"},    // no trail after the last word
    };
    for (const Case& c : cases) EXPECT_EQ(markVhdlWordOperators(c.text), c.marked) << c.text;
}

}  // namespace
}  // namespace corvane
