// Fold regions of the source viewer: which begin ... end stretches fold.
#include "viewers/fold_regions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

std::vector<std::string_view> linesOf(const std::vector<std::string>& lines) {
    return {lines.begin(), lines.end()};
}

std::vector<std::pair<int, int>> spans(const std::vector<FoldRegion>& regions) {
    std::vector<std::pair<int, int>> result;
    for (const FoldRegion& region : regions) {
        result.emplace_back(region.startLine, region.endLine);
    }
    return result;
}

struct FoldCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::pair<int, int>> regions;
};

TEST(FoldRegions, RegionsRunFromBeginToTheEndThatClosesThem) {
    const std::vector<FoldCase> cases = {
        {"one region", {"a", "if (x) begin", "b", "end", "c"}, {{1, 3}}},
        {"nested regions", {"always begin", "  if (x) begin", "  y;", "  end", "end", "z"},
         {{0, 4}, {1, 3}}},
        {"begin and end on one line", {"x", "begin y; end", "z"}, {}},
        {"whole words only", {"x", "begin_a", "beginx", "endmodule", "my_end"}, {}},
        {"case-sensitive", {"x", "BEGIN", "y", "END"}, {}},
        {"unclosed begin runs to the last line", {"x", "begin", "y", "z"}, {{1, 3}}},
        {"stray end stops the scan", {"x", "end", "begin", "y", "end"}, {}},
        {"two regions side by side", {"begin", "a", "end", "begin", "b", "end"}, {{0, 2}, {3, 5}}},
        {"begin on the last line", {"x", "begin"}, {{1, 1}}},
        {"empty text", {""}, {}},
    };
    for (const FoldCase& c : cases) {
        EXPECT_EQ(spans(buildFoldRegions(linesOf(c.lines))), c.regions) << c.name;
    }
}

TEST(FoldRegions, BeginOnLineTenAndEndOnLineTwentyMakeOneRegion) {
    std::vector<std::string> lines(25, "x;");
    lines[9] = "always @(posedge clk) begin";
    lines[19] = "end";
    const std::vector<FoldRegion> regions = buildFoldRegions(linesOf(lines));
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].startLine, 9);
    EXPECT_EQ(regions[0].endLine, 19);
    EXPECT_TRUE(regions[0].expanded);
}

TEST(FoldRegions, DeeplyNestedTextDoesNotExhaustTheStack) {
    const std::vector<std::string> lines(200000, "begin");
    const std::vector<FoldRegion> regions = buildFoldRegions(linesOf(lines));
    ASSERT_EQ(regions.size(), 200000u);
    EXPECT_EQ(regions.back().startLine, 199999);
    EXPECT_EQ(regions.back().endLine, 199999);
}

}  // namespace
}  // namespace corvane
