// The view-returning token reader must give the tokens of nextToken, with the
// same read position and count, whatever mix of reads and push-backs a
// parser makes.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "database/token_reader.h"

namespace corvane {
namespace {

// Texts of short tokens, some of which are parameter names, with the odd
// empty token from doubled blanks and a trailing blank now and then.
Module generatedModule(unsigned seed) {
    static constexpr std::string_view kWords[] = {"%%1", "a",   "W",  "begin", "q<=d;", "",
                                                  "WIDTH", "x",  "%%20", ";",   "W[7:0]"};
    std::mt19937 rng(seed);
    Module module;
    const int count = static_cast<int>(rng() % 30);
    for (int i = 0; i < count; ++i) {
        if (i > 0) module.text.push_back(' ');
        module.text.append(kWords[rng() % std::size(kWords)]);
    }
    if (rng() % 4 == 0) module.text.push_back(' ');
    if (rng() % 2 == 0) {
        module.parameters["W"] = "8";
        module.parameters["WIDTH"] = "a_parameter_value_longer_than_a_short_string";
    }
    return module;
}

TEST(TokenReaderEquivalence, ViewsMatchTheStringReaderWithPushBacks) {
    for (unsigned seed = 1; seed <= 500; ++seed) {
        Module byString = generatedModule(seed);
        Module byView = byString;
        std::mt19937 rng(seed * 7919);
        for (int step = 0; step < 80; ++step) {
            if (rng() % 5 == 0) {
                pushBackToken(byString);
                pushBackToken(byView);
            } else {
                const std::string expected = nextToken(byString);
                ASSERT_EQ(nextTokenView(byView), expected) << "seed " << seed << " step " << step;
            }
            ASSERT_EQ(byView.readPos, byString.readPos) << "seed " << seed << " step " << step;
            ASSERT_EQ(byView.tokensRead, byString.tokensRead) << "seed " << seed;
        }
    }
}

}  // namespace
}  // namespace corvane
