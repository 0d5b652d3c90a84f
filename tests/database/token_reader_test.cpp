#include "database/token_reader.h"

#include <gtest/gtest.h>

#include "platform/progress_sink.h"

namespace corvane {
namespace {

Module moduleWithText(const std::string& text) {
    Module module;
    module.text = text;
    module.tokenCount = 4;
    return module;
}

TEST(TokenReader, ReadsTokensAndSubstitutesWholeParameterNames) {
    Module module = moduleWithText("%%1 W WIDTH W2 end");
    module.parameters["W"] = "8";
    EXPECT_EQ(nextToken(module), "%%1");
    EXPECT_EQ(nextToken(module), "8");      // exactly a parameter name
    EXPECT_EQ(nextToken(module), "WIDTH");  // merely contains it
    EXPECT_EQ(nextToken(module), "W2");
    EXPECT_EQ(module.tokensRead, 4);
    EXPECT_EQ(nextToken(module), "end");  // the last token is not counted
    EXPECT_EQ(module.tokensRead, 4);
    EXPECT_EQ(module.readPos, -1);
    EXPECT_EQ(nextToken(module), "");
}

TEST(TokenReader, LastTokenIsNeverSubstituted) {
    Module module = moduleWithText("a W");
    module.parameters["W"] = "8";
    nextToken(module);
    EXPECT_EQ(nextToken(module), "W");
}

TEST(TokenReader, PushBackAtStartMiddleAndEnd) {
    Module module = moduleWithText("aa bb cc");
    EXPECT_EQ(nextToken(module), "aa");
    pushBackToken(module);  // start of the text
    EXPECT_EQ(module.readPos, 0);
    EXPECT_EQ(module.tokensRead, 0);
    EXPECT_EQ(nextToken(module), "aa");
    EXPECT_EQ(nextToken(module), "bb");
    pushBackToken(module);  // middle
    EXPECT_EQ(module.tokensRead, 1);
    EXPECT_EQ(nextToken(module), "bb");
    EXPECT_EQ(nextToken(module), "cc");
    pushBackToken(module);  // after the last token
    EXPECT_EQ(module.readPos, 6);
    EXPECT_EQ(nextToken(module), "cc");
    EXPECT_EQ(nextToken(module), "");
}

TEST(TokenReader, SingleTokenAndEmptyText) {
    Module single = moduleWithText("only");
    EXPECT_EQ(nextToken(single), "only");
    pushBackToken(single);
    EXPECT_EQ(single.readPos, 0);
    EXPECT_EQ(nextToken(single), "only");

    Module empty = moduleWithText("");
    EXPECT_EQ(nextToken(empty), "");
    EXPECT_EQ(empty.readPos, -1);
}

TEST(TokenReader, ParseProgressRunsFrom50To100) {
    RecordingProgressSink sink;
    Module module = moduleWithText("a b c d e");
    sendParseProgress(module, sink);
    nextToken(module);
    nextToken(module);
    sendParseProgress(module, sink);
    module.tokenCount = 0;
    sendParseProgress(module, sink);
    EXPECT_EQ(sink.values, (std::vector<int>{50, 75, 50}));
}

}  // namespace
}  // namespace corvane
