// Column and row choices of the route step.
#include "schematic/routing_choice.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

constexpr int kOtherNet = 9;

TEST(RoutingChoice, JogCandidatesAlternateAroundTheMiddle) {
    // From x 100 towards px = tx = 300 on row 40: g = 288, h = 192.
    struct Case {
        const char* what;
        std::vector<VerticalPiece> taken;
        Coord expected;
    };
    std::vector<VerticalPiece> allTaken;
    for (int x = 104; x < 288; x += 8) allTaken.push_back({0, 80, x, kOtherNet});
    const Case cases[] = {
        {"free middle", {}, 192},
        {"192 taken", {{0, 80, 192, kOtherNet}}, 184},
        {"192, 184 taken", {{0, 80, 192, kOtherNet}, {0, 80, 184, kOtherNet}}, 200},
        {"192, 184, 200 taken",
         {{0, 80, 192, kOtherNet}, {0, 80, 184, kOtherNet}, {10, 40, 200, kOtherNet}},
         176},
        {"a piece of the own net counts too", {{40, 40, 192, 0}}, 184},
        {"192 used on other rows only", {{41, 80, 192, kOtherNet}, {0, 39, 192, kOtherNet}}, 192},
        {"a piece stored lower end first covers nothing", {{80, 0, 192, kOtherNet}}, 192},
        {"every column between x and g taken: straight on to px", allTaken, 300},
    };
    for (const Case& c : cases) {
        OccupancyLists lists;
        DirectOccupancy occupancy(lists);
        for (const VerticalPiece& piece : c.taken) occupancy.addVertical(piece);
        EXPECT_EQ(chooseColumn(occupancy, 100, 40, 300, 300, true), c.expected) << c.what;
    }
}

TEST(RoutingChoice, ColumnWithoutAForcedJog) {
    OccupancyLists lists;
    DirectOccupancy occupancy(lists);
    // The ray reached the target column: the move runs there.
    EXPECT_EQ(chooseColumn(occupancy, 100, 40, 300, 300, false), 300);
    // A block stopped the ray at 336: the middle of 100 and 328.
    EXPECT_EQ(chooseColumn(occupancy, 100, 40, 336, 600, false), 208);
    // No column between x and g: h = trunc8((280 + 288) / 2) = 280 <= x.
    EXPECT_EQ(chooseColumn(occupancy, 280, 40, 300, 300, true), 300);
    // The target lies left of x: the move runs straight to it.
    EXPECT_EQ(chooseColumn(occupancy, 500, 40, 120, 120, true), 120);
}

TEST(RoutingChoice, EndRows) {
    // Moves from (100, 40) down, or from (100, 200) up; `rows` are horizontal
    // pieces of another net, each across x 50..150 unless `across` is false.
    struct Case {
        const char* what;
        bool down;
        Coord m;
        Coord ty;
        bool stopped;
        std::vector<int> rows;
        bool across;
        Coord expected;
    };
    const Case cases[] = {
        {"down to the target row", true, 300, 300, false, {}, true, 300},
        {"down, block close below: o = trunc8(60) - 24 = 32, above y",
         true,
         60,
         300,
         false,
         {},
         true,
         32},
        {"down, rows free between y and o = 96: on to m", true, 120, 300, false, {}, true, 120},
        {"down, rows 48..96 all taken: stop at o",
         true,
         120,
         300,
         false,
         {48, 56, 64, 72, 80, 88, 96},
         true,
         96},
        {"down, one row free (72): on to m",
         true,
         120,
         300,
         false,
         {48, 56, 64, 80, 88, 96},
         true,
         120},
        {"down, rows taken elsewhere on the row: on to m",
         true,
         120,
         300,
         false,
         {48, 56, 64, 72, 80, 88, 96},
         false,
         120},
        {"up, stopped by a block: m", false, 150, 40, true, {192}, true, 150},
        {"up to the target row", false, 40, 40, false, {}, true, 40},
        {"up, o = trunc8(190) + 16 = 200 not above y", false, 190, 40, false, {}, true, 200},
        {"up, row 192 free: on to m", false, 180, 40, false, {}, true, 180},
        {"up, row 192 taken: stop at o", false, 180, 40, false, {192}, true, 192},
    };
    for (const Case& c : cases) {
        OccupancyLists lists;
        DirectOccupancy occupancy(lists);
        for (int row : c.rows) {
            occupancy.addHorizontal(c.across ? HorizontalPiece{50, 150, row, kOtherNet}
                                             : HorizontalPiece{101, 150, row, kOtherNet});
        }
        const Coord e = c.down ? endRowDown(occupancy, 100, 40, c.m, c.ty)
                               : endRowUp(occupancy, 100, 200, c.m, c.ty, c.stopped);
        EXPECT_EQ(e, c.expected) << c.what;
    }
}

}  // namespace
}  // namespace corvane
