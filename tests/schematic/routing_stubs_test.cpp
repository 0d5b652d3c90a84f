// The right and left stubs, with the limits of their searches.
#include "schematic/routing_stubs.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/route_board.h"

namespace corvane {
namespace {

using testing::kOtherNet;
using testing::kOwnNet;
using testing::Route;
using Board = testing::RouteBoard;

// Block x 336..464, y 112..176, as in the route tests; half widest 64.
const BlockRect kBlock{336, 112, 464, 176};
const BlockRect kLeftBlock{136, 112, 264, 176};

TEST(RoutingStubs, RightStubAroundItsBlock) {
    Board below({kBlock}, 64);
    EXPECT_EQ(rightStub(below.context, {464, 128}, 300), (RoutePoint{544, 192}));
    EXPECT_EQ(below.laid(), (Route{{464, 128, 544, 128}, {544, 128, 544, 192}}));
    // Above: rows 88 and 80 are used (by any net, the own one included).
    Board above({kBlock}, 64);
    above.row(88, kOwnNet);
    above.row(80, kOtherNet);
    EXPECT_EQ(rightStub(above.context, {464, 128}, 40), (RoutePoint{544, 72}));
    EXPECT_EQ(above.laid(), (Route{{464, 128, 544, 128}, {544, 72, 544, 128}}));
    // A used column moves the stub outwards; an own column in reach takes it.
    Board used({kBlock}, 64);
    used.column(544, kOtherNet);
    used.column(552, kOtherNet);
    EXPECT_EQ(rightStub(used.context, {464, 128}, 300).x, 560);
    Board own({kBlock}, 64);
    own.column(700, kOtherNet);
    own.column(600, kOwnNet);
    own.column(500, kOwnNet);
    EXPECT_EQ(rightStub(own.context, {464, 128}, 300).x, 600);  // the first in list order
}

TEST(RoutingStubs, RightStubRayReachesAFixedLimit) {
    // Nothing to the right of x 262000: the ray ends at 262144.
    struct Case {
        const char* what;
        std::vector<int> ownColumns;
        std::vector<int> otherColumns;
        Coord expected;
    };
    std::vector<int> crowded;
    for (int x = 262016; x <= 262200; x += 8) crowded.push_back(x);
    const Case cases[] = {
        {"an own column at the limit is in reach", {262144}, {}, 262144},
        {"an own column past the limit is not", {262152}, {}, 262016},
        {"free columns are searched up to trunc8(262144) - 8", {}, crowded, 262136},
    };
    for (const Case& c : cases) {
        Board board({}, 0);
        for (int x : c.ownColumns) board.column(x, kOwnNet);
        for (int x : c.otherColumns) board.column(x, kOtherNet);
        EXPECT_EQ(rightStub(board.context, {262000, 40}, 300).x, c.expected) << c.what;
    }
}

TEST(RoutingStubs, RowSearchesDownwardsStopAt1677216) {
    // Right stub: from trunc8(1677184) + 16 = 1677200 down past used rows.
    Board right({}, 0);
    for (int y : {1677200, 1677208, 1677216, 1677224}) right.row(y, kOwnNet);
    EXPECT_EQ(rightStub(right.context, {100, 1677184}, 1677300).y, 1677216);
    Board rightShort({}, 0);
    rightShort.row(1677200, kOtherNet);
    EXPECT_EQ(rightStub(rightShort.context, {100, 1677184}, 1677300).y, 1677208);
    // Left stub whose block reaches below the other row: from
    // trunc8(1677192) + 16 = 1677208 down past rows of other nets.
    const BlockRect deep{400, 1677100, 528, 1677192};
    Board left({deep}, 0);
    for (int y : {1677208, 1677216, 1677224}) left.row(y, kOtherNet);
    EXPECT_EQ(leftStub(left.context, {400, 1677180}, 1677190), (RoutePoint{392, 1677216}));
    // Rows of the own net do not count for the left stub.
    Board leftOwn({deep}, 0);
    for (int y : {1677208, 1677216, 1677224}) leftOwn.row(y, kOwnNet);
    EXPECT_EQ(leftStub(leftOwn.context, {400, 1677180}, 1677190).y, 1677208);
}

TEST(RoutingStubs, LeftStubTowardsTheOtherRow) {
    // The block of the terminal spans x 136..264, y 112..176; column 64.
    struct Case {
        const char* what;
        std::vector<BlockRect> blocks;
        Coord y;
        Coord otherRow;
        std::vector<int> otherRows;
        RoutePoint expected;
    };
    const Case cases[] = {
        {"down, block reaching below the other row: under it",
         {kLeftBlock},
         128,
         160,
         {},
         {64, 192}},
        {"down, rows of other nets pushed further down",
         {kLeftBlock},
         128,
         160,
         {192, 200},
         {64, 208}},
        {"down past the block: level with the other row", {kLeftBlock}, 128, 400, {}, {64, 400}},
        {"down past the block, row taken: up towards the block",
         {kLeftBlock},
         128,
         400,
         {400, 392},
         {64, 384}},
        {"down, a block in the column stops short of it",
         {kLeftBlock, {0, 300, 100, 500}},
         128,
         400,
         {},
         {64, 312}},
        {"up, block reaching above the other row: over it", {kLeftBlock}, 160, 150, {}, {64, 88}},
        {"up, rows of other nets pushed further up", {kLeftBlock}, 160, 150, {88, 80}, {64, 72}},
        {"up past the block, row taken: down towards the block",
         {kLeftBlock},
         160,
         40,
         {40, 48},
         {64, 56}},
        {"up, a block in the column stops short of it",
         {kLeftBlock, {0, 20, 100, 60}},
         160,
         40,
         {},
         {64, 32}},
    };
    for (const Case& c : cases) {
        Board board(c.blocks, 64);
        for (int y : c.otherRows) board.row(y, kOtherNet);
        EXPECT_EQ(leftStub(board.context, {136, c.y}, c.otherRow), c.expected) << c.what;
        ASSERT_EQ(board.route.size(), 2u);
        EXPECT_EQ(board.laid()[0],
                  (std::vector<int>{64, static_cast<int>(c.y), 136, static_cast<int>(c.y)}))
            << c.what;
    }
}

TEST(RoutingStubs, LeftStubColumn) {
    // An own column in f <= x < 136 takes the stub; one at x itself does not.
    Board own({kLeftBlock}, 64);
    own.column(136, kOwnNet);
    own.column(100, kOwnNet);
    EXPECT_EQ(leftStub(own.context, {136, 128}, 400).x, 100);
    // Used columns move it leftwards, but not to lo = trunc8(f) + 16 or beyond.
    Board used({kLeftBlock, {0, 100, 32, 200}}, 64);  // f = 32, lo = 48
    for (int x : {64, 56, 48}) used.column(x, kOtherNet);
    EXPECT_EQ(leftStub(used.context, {136, 128}, 400).x, 48);
}

}  // namespace
}  // namespace corvane
