#include "vhdl/vhdl_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "text/text_helpers.h"

namespace corvane {
namespace {

TEST(VhdlBounds, Evaluation) {
    const std::map<std::string, std::string> generics = {{"width", "8"}, {"w", "2"}, {"n", "4"}};
    const GenericTable table(generics);
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"WIDTH-1", 7},
        {"w+1", 3},
        {"Width", 8},  // the longer name is replaced before the one it contains
        {"7", 7},
        {" 1 5 ", 15},
        {"", 0},
        {"x", 0},
        {"$w$ - 1", 1},
        {"-1", -1},
        // Whole integer expressions are computed.
        {"n*2-1", 7},
        {"(WIDTH+w)/2-1", 4},
        {"2**n-1", 15},
        {"WIDTH $mod$ 3 + 10 rem 4", 4},
        {"-(n-1)", -3},
        {"1_000", 1000},
        {"2**80", INT_MAX},
        {"7/0", 7},         // not computed: the simple rule reads the leading number
        {"log2(n)-1", -1},  // a function call: the simple rule, 0 - 1
        {"2147483647+1", INT_MAX},
        {"-2147483647-2", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(evaluateVhdlBound(table, c.text), c.value);
    }
    Module module;
    module.generics = generics;
    EXPECT_EQ(evaluateVhdlBound(module, "WIDTH-1"), 7);
}

TEST(VhdlBounds, SubstitutionOrder) {
    struct Case {
        std::map<std::string, std::string> generics;
        std::string text;
        std::string result;
    };
    const std::string longName(101, 'q');
    const Case cases[] = {
        {{{"nn", "2"}, {"n", "4"}}, "nn+n", "2+4"},
        // A value may hold a shorter name, which is replaced after it.
        {{{"ab", "b+b"}, {"b", "3"}}, "AB", "3+3"},
        // A shorter name in a value is not replaced again by a longer one.
        {{{"b", "ab"}, {"ab", "9"}}, "b", "ab"},
        {{{longName, "1"}, {"p", "2"}}, longName + "p", longName + "2"},
        {{}, "Width", "Width"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const GenericTable table(c.generics);
        EXPECT_EQ(table.substitute(c.text), c.result);
    }
}

// The plain substitution: every generic in turn, longer names first and map
// order within one length, replaced wherever it occurs.
std::string substitutedPlainly(const std::map<std::string, std::string>& generics,
                               const std::string& text) {
    std::vector<std::pair<std::string, std::string>> entries(generics.begin(), generics.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    std::string result = text;
    for (const auto& [name, value] : entries) result = replaceAllNoCase(result, name, value);
    return result;
}

// The table looks only for names that can start at a position and only
// applies the generics whose names are present; the result must be that of
// applying every generic in order.
TEST(VhdlBounds, SubstitutionEqualsPlainReplacementOfEveryGeneric) {
    const std::vector<std::string> pieces = {"w", "W", "wd", "WD", "n", "nW", "x", "_",
                                             "-", "(", "1",  "$",  "d", "dW", "wn"};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 10);
    for (int round = 0; round < 2000; ++round) {
        std::map<std::string, std::string> generics;
        for (int i = length(random) / 3; i > 0; --i)
            generics[toLowerAscii(pieces[pick(random)])] = pieces[pick(random)];
        std::string text;
        for (int i = length(random); i > 0; --i) text += pieces[pick(random)];
        SCOPED_TRACE(text);
        const GenericTable table(generics);
        EXPECT_EQ(table.substitute(text), substitutedPlainly(generics, text));
        const std::string lower = toLowerAscii(text);
        const bool present = std::any_of(generics.begin(), generics.end(), [&](const auto& entry) {
            return lower.find(entry.first) != std::string::npos;
        });
        EXPECT_EQ(table.occursIn(lower), present);
    }
}

// Small tables compare their names in place, large ones look substrings up
// by hash. Names that never occur added to a table move it to the large kind
// without changing any result, also when two generics differ only in letter
// case (the later one of a name is never applied on its own).
TEST(VhdlBounds, SmallAndLargeTablesAgree) {
    const std::vector<std::string> pieces = {"w", "W", "wd", "WD", "n", "nW", "x", "_",
                                             "-", "(", "1",  "$",  "d", "dW", "wn"};
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int round = 0; round < 2000; ++round) {
        std::map<std::string, std::string> generics;
        for (int i = length(random) / 2; i > 0; --i)
            generics[pieces[pick(random)]] = pieces[pick(random)];
        std::map<std::string, std::string> padded = generics;
        for (int i = 0; i < 24; ++i) padded["zz" + std::to_string(i)] = "0";
        std::string text;
        for (int i = length(random); i > 0; --i) text += pieces[pick(random)];
        SCOPED_TRACE(text);
        const GenericTable small(generics);
        const GenericTable large(padded);
        EXPECT_EQ(small.substitute(text), large.substitute(text));
        const std::string lower = toLowerAscii(text);
        EXPECT_EQ(small.occursIn(lower), large.occursIn(lower));
        EXPECT_EQ(evaluateVhdlBound(small, text), evaluateVhdlBound(large, text));
    }
    // A number is read as it stands only when no generic name occurs in it.
    const GenericTable digits(std::map<std::string, std::string>{{"1", "5"}});
    EXPECT_EQ(evaluateVhdlBound(digits, "12"), 52);
    EXPECT_EQ(evaluateVhdlBound(digits, "2_1"), 25);
    EXPECT_EQ(evaluateVhdlBound(digits, "2_0 3"), 203);
}

// Plain numbers and sums or differences of two are read without the general
// evaluator; in brackets they take the general path, with the same value.
TEST(VhdlBounds, SimpleSumsEqualTheGeneralEvaluation) {
    const GenericTable table(std::map<std::string, std::string>{{"w", "8"}});
    const char* const texts[] = {"0",
                                 "42",
                                 "1_0",
                                 "w-1",
                                 "w+1",
                                 "3-w",
                                 "2147483647+5",
                                 "4611686018427387904-1",
                                 "0-2147483649",
                                 "7_-1"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(evaluateVhdlBound(table, text),
                  evaluateVhdlBound(table, "(" + std::string(text) + ")"));
    }
}

TEST(VhdlBounds, SubstitutionGrowthIsBounded) {
    // Every name is replaced by two copies of the next shorter one.
    std::map<std::string, std::string> generics;
    for (int length = 40; length >= 2; --length) {
        const std::string shorter(static_cast<std::size_t>(length - 1), 'x');
        generics[std::string(static_cast<std::size_t>(length), 'x')] = shorter + "+" + shorter;
    }
    const GenericTable table(generics);
    const std::string text(40, 'x');
    const std::string result = table.substitute(text);
    EXPECT_GT(result.size(), text.size());
    EXPECT_LE(result.size(), text.size() + GenericTable::kMaxGrowth);
}

TEST(VhdlBounds, Ranges) {
    const GenericTable table({{"total", "5"}, {"w", "4"}});
    struct Case {
        const char* text;
        bool ok;
        int msb;
        int lsb;
        std::size_t groupEnd;
    };
    const Case cases[] = {
        {"(7$downto$0)", true, 7, 0, 12},
        {"(0$to$7)", true, 0, 7, 8},
        {"(w-1$downto$0)ofbit", true, 3, 0, 14},
        {"(total$downto$0)", true, 5, 0, 16},  // the marked word is found, not the "to" of "total"
        {"(7 DOWNTO 0)", true, 7, 0, 12},
        {"((w)$to$3)", true, 4, 3, 10},  // a bracketed bound is computed too
        {"(0$to$", true, 0, 0, 6},
        {"(3)", false, -5, -5, 3},
        {"x", false, -5, -5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int msb = -5;
        int lsb = -5;
        std::size_t groupEnd = 0;
        EXPECT_EQ(parseVhdlRange(table, c.text, msb, lsb, &groupEnd), c.ok);
        EXPECT_EQ(msb, c.msb);
        EXPECT_EQ(lsb, c.lsb);
        EXPECT_EQ(groupEnd, c.groupEnd);
    }
}

}  // namespace
}  // namespace corvane
