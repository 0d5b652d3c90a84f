#include "text/text_helpers.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TextHelpers, TrimAndLowerCase) {
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(trimBlanks("\t\t"), "");
    EXPECT_EQ(trimBlanks("\na\n"), "\na\n");  // only blanks and tabs
    EXPECT_EQ(toLowerAscii("AbZ_9\xC3\x84"), "abz_9\xC3\x84");
}

TEST(TextHelpers, ReplaceIsLeftToRightAndNonOverlapping) {
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAllNoCase("x AND y and z", "and", "&"), "x & y & z");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

TEST(TextHelpers, Splits) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitAll("#ERROR :  : 3 : m", " : "), (V{"#ERROR", "", "3", "m"}));
    EXPECT_EQ(splitOutsideQuotes("a,\"b,c\",d", ','), (V{"a", "\"b,c\"", "d"}));
    EXPECT_EQ(splitOutsideBrackets("f(a,b),c", ',', '(', ')'), (V{"f(a,b)", "c"}));
    EXPECT_EQ(splitOutsideBrackets("", ',', '(', ')'), (V{""}));
}

TEST(TextHelpers, LeadingInt) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {{"12ab", 12}, {"ab", 0}, {"", 0}, {"-3", -3}, {" 7", 7},
                          {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const Case& c : cases) EXPECT_EQ(leadingInt(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace corvane
