// Keyword colouring: chunks, list order, comments and whole words.
#include "viewers/keyword_colouring.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x008000;

// The colour of every character after painting the ranges in order.
std::vector<Color> paint(std::string_view text, const std::vector<ColourRange>& ranges) {
    std::vector<Color> colours(text.size(), 0);
    for (const ColourRange& range : ranges) {
        for (std::size_t at = range.start; at < range.end && at < text.size(); ++at) {
            colours[at] = range.color;
        }
    }
    return colours;
}

std::vector<Color> colourAll(std::string_view text, const std::vector<KeywordEntry>& entries,
                             KeywordLanguage language = KeywordLanguage::kVerilog) {
    CommentEndFinder ends;
    return paint(text, colourChunk(text, {0, text.size()}, entries, language, ends));
}

KeywordEntry entry(const std::string& word, Color color) {
    return {word, static_cast<int>(word.size()), static_cast<int>(color)};
}

TEST(ColouringChunk, CoversTwoLinesFromTheLineFeedBeforeThePosition) {
    const std::string text = "aa\nbb\ncc\ndd";
    EXPECT_EQ(colouringChunk(text, 0).start, 0u);
    EXPECT_EQ(colouringChunk(text, 0).end, 5u);  // second line feed after position 0
    EXPECT_EQ(colouringChunk(text, 5).start, 5u);
    EXPECT_EQ(colouringChunk(text, 5).end, text.size());
    EXPECT_EQ(colouringChunk(text, 4).start, 2u);
    EXPECT_EQ(colouringChunk(text, 4).end, 8u);
}

TEST(KeywordColouring, LaterEntriesPaintOverEarlierOnes) {
    const std::string text = "module m; // module note\n";
    const std::size_t inComment = text.find("module", 5);
    const auto moduleFirst = colourAll(text, {entry("module", kBlue), entry("//", kGreen)});
    EXPECT_EQ(moduleFirst[0], kBlue);
    EXPECT_EQ(moduleFirst[inComment], kGreen);
    EXPECT_EQ(moduleFirst.back(), kGreen) << "the line feed belongs to the comment";

    const auto commentFirst = colourAll(text, {entry("//", kGreen), entry("module", kBlue)});
    EXPECT_EQ(commentFirst[0], kBlue);
    EXPECT_EQ(commentFirst[inComment], kBlue);
}

TEST(KeywordColouring, WordsMatchWholeAndCaseSensitively) {
    const std::string text = "reg_a = x; reg b; REG c; myreg;";
    const auto colours = colourAll(text, {entry("reg", kBlue)});
    EXPECT_EQ(colours[0], 0u) << "reg_a";
    EXPECT_EQ(colours[text.find("reg b")], kBlue);
    EXPECT_EQ(colours[text.find("REG")], 0u);
    EXPECT_EQ(colours[text.find("myreg") + 2], 0u);
}

TEST(KeywordColouring, BlockCommentsRunToTheirCloseOrTheChunkEnd) {
    const std::string text = "a /* x\ny */ b /* open\nc\n";
    const auto colours = colourAll(text, {entry("/*", kGreen)});
    EXPECT_EQ(colours[text.find("a")], 0u);
    EXPECT_EQ(colours[text.find("y */") + 3], kGreen);
    EXPECT_EQ(colours[text.find(" b")], 0u);
    EXPECT_EQ(colours[text.find("c\n")], kGreen) << "unclosed comment runs to the chunk end";

    // A comment opened inside the chunk is coloured past the chunk's end.
    CommentEndFinder ends;
    const std::string longer = "/* a\nb\nc\nd */ e\n";
    const auto ranges = colourChunk(longer, colouringChunk(longer, 0),
                                    {entry("/*", kGreen)}, KeywordLanguage::kVerilog, ends);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].end, longer.find("*/") + 2);
}

TEST(KeywordColouring, CommentMarksBelongToTheirLanguage) {
    const std::string text = "a -- b\nc // d\n";
    const auto vhdl = colourAll(text, {entry("--", kGreen), entry("//", kBlue)},
                                KeywordLanguage::kVhdl);
    EXPECT_EQ(vhdl[text.find("b")], kGreen);
    EXPECT_EQ(vhdl[text.find("d")], 0u) << "// is a plain word in VHDL";
    const auto verilog = colourAll(text, {entry("--", kGreen), entry("//", kBlue)});
    EXPECT_EQ(verilog[text.find("b")], 0u);
    EXPECT_EQ(verilog[text.find("d")], kBlue);
}

TEST(KeywordColouring, OnlyOccurrencesStartingInsideTheChunkCount) {
    const std::string text = "wire a;\nwire b;\nwire c;\nwire d;\n";
    CommentEndFinder ends;
    const ColouringChunk chunk = colouringChunk(text, text.find("wire b") - 1);
    const auto colours =
        paint(text, colourChunk(text, chunk, {entry("wire", kBlue)}, KeywordLanguage::kVerilog, ends));
    EXPECT_EQ(colours[text.find("wire a")], 0u);
    EXPECT_EQ(colours[text.find("wire b")], kBlue);
    EXPECT_EQ(colours[text.find("wire c")], kBlue);
    EXPECT_EQ(colours[text.find("wire d")], 0u);
}

TEST(KeywordColouring, EmptyEntriesAreSkipped) {
    EXPECT_TRUE(colourAll("abc", {entry("", kBlue)}) == std::vector<Color>(3, 0));
}

}  // namespace
}  // namespace corvane
