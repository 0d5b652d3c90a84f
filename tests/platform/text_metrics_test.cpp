#include "platform/text_metrics.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TextMetrics, ColumnAdvanceFollowsCellHeight) {
    struct Case {
        int height;
        int advance;
    };
    const Case cases[] = {{16, 8}, {12, 6}, {32, 17}, {9, 5}, {1, 1}, {0, 0}, {-4, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(TextMetrics::columnAdvance(c.height), c.advance) << c.height;
    }
}

TEST(TextMetrics, ColumnsOfUtf8Text) {
    struct Case {
        const char* text;
        int columns;
    };
    const Case cases[] = {
        {"", 0},
        {"data[7:0]", 9},
        {"\xE3\x81\x82", 2},      // hiragana a: wide
        {"\xEF\xBC\xA1", 2},      // full-width A
        {"\xEF\xBD\xB1", 1},      // half-width katakana a: narrow
        {"\xC3\xA9", 1},          // e acute
        {"a\xE4\xB8\xADz", 4},    // CJK ideograph between two letters
        {"\xF0\x9F\x98\x80", 2},  // emoji
        {"\xFF", 1},              // a stray byte
        {"\xE3\x81", 2},          // a cut sequence: two stray bytes
        {"\xC0\xAF", 2},          // overlong form: not well-formed
        {"\xED\xA0\x80", 3},      // a surrogate: not well-formed
        {"a\tb\r\n", 2},          // control characters take no column
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextMetrics::columns(c.text), c.columns) << c.text;
    }
}

TEST(TextMetrics, ExtentIsColumnsTimesAdvanceByHeight) {
    const TextMetrics metrics;
    const TextExtent ascii = metrics.extent("Courier New", 16, " Always ");
    EXPECT_EQ(ascii.width, 64);
    EXPECT_EQ(ascii.height, 16);
    // The face does not change the metric.
    EXPECT_EQ(metrics.width("ＭＳ ゴシック", 16, "ＭＳ ゴシック"), 13 * 8);
    EXPECT_EQ(metrics.width("Courier New", 12, "abc"), 18);
}

TEST(TextMetrics, FontRuleFollowsTheLocaleLanguage) {
    EXPECT_TRUE(isJapaneseLocale("ja_JP.UTF-8", nullptr, nullptr));
    EXPECT_TRUE(isJapaneseLocale(nullptr, "ja", "en_US.UTF-8"));
    EXPECT_TRUE(isJapaneseLocale("", "", "ja_JP.eucJP"));
    EXPECT_FALSE(isJapaneseLocale("C", "ja_JP.UTF-8", "ja_JP.UTF-8"));  // LC_ALL wins
    EXPECT_FALSE(isJapaneseLocale(nullptr, nullptr, "jav_ID"));
    EXPECT_FALSE(isJapaneseLocale(nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace corvane
