// The route step and the step loop: joins on the net's own pieces (and the
// joins that would lead nowhere), the end of a route that can make no more
// progress, and the step budget.
#include "schematic/routing_step.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "schematic/routing_step_loop.h"
#include "support/route_board.h"

namespace corvane {
namespace {

using testing::kOtherNet;
using testing::kOwnNet;
using testing::Route;
using Board = testing::RouteBoard;

TEST(RoutingStep, JoinOnAVerticalOfTheOwnNet) {
    // From (100, 50) towards (400, 300); a vertical in column 200.
    struct Case {
        const char* what;
        VerticalPiece vertical;
        bool join;
        RoutePoint expected;  // (0, 0): no join, the step routes on to the target
    };
    const Case cases[] = {
        {"room above: the point moves up 8", {0, 100, 200, kOwnNet}, true, {200, 42}},
        {"room below only: down 8", {40, 100, 200, kOwnNet}, true, {200, 58}},
        {"short vertical: stays on the row", {40, 60, 200, kOwnNet}, true, {200, 50}},
        {"a vertical of another net", {0, 100, 200, kOtherNet}, true, kRouteDone},
        {"a vertical in the start column", {0, 100, 100, kOwnNet}, true, kRouteDone},
        {"join off", {0, 100, 200, kOwnNet}, false, kRouteDone},
    };
    for (const Case& c : cases) {
        Board board;
        board.occupancy.addVertical(c.vertical);
        EXPECT_EQ(routeStep(board.context, {100, 50}, {400, 300}, false, c.join), c.expected)
            << c.what;
        if (c.expected.x != 0) {
            EXPECT_EQ(board.laid(), (Route{{100, 50, 200, 50}})) << c.what;
        }
    }
}

TEST(RoutingStep, JoinOnAHorizontalOfTheOwnNet) {
    // Column 300 crosses the own horizontal 250..350 on row 120 on its way
    // between rows 40 and 200, in either direction; with join off it goes on.
    struct Case {
        const char* what;
        RoutePoint from;
        RoutePoint to;
        bool join;
        Route expected;
    };
    const Case cases[] = {
        {"down", {100, 40}, {300, 200}, true, {{100, 40, 300, 40}, {300, 40, 300, 120}}},
        {"up", {100, 200}, {300, 40}, true, {{100, 200, 300, 200}, {300, 120, 300, 200}}},
        {"down, join off", {100, 40}, {300, 200}, false, {{100, 40, 300, 40}, {300, 40, 300, 200}}},
    };
    for (const Case& c : cases) {
        Board board;
        board.occupancy.addHorizontal({250, 350, 120, kOwnNet});
        EXPECT_EQ(routeStep(board.context, c.from, c.to, false, c.join), kRouteDone) << c.what;
        EXPECT_EQ(board.laid(), c.expected) << c.what;
    }
}

TEST(RoutingStep, AJoinMustLeadToTheFarEnd) {
    // From the end (100, 150) of a stub towards the far end (600, 200): the
    // move down in column 344 meets an own horizontal on row 200. When that
    // horizontal is the stub's own start piece, joining it would end the
    // connection short of the far end, so the route goes on to it.
    struct Case {
        const char* what;
        Route laidBefore;  // own pieces already in the route
        Route expected;    // what the step loop adds
    };
    const Route stub{{100, 200, 400, 200}, {100, 150, 100, 200}};
    Route stubToFarEnd = stub;
    stubToFarEnd.push_back({400, 200, 600, 200});
    const Route joinedOnRow200{{100, 150, 344, 150}, {344, 150, 344, 200}};
    const Case cases[] = {
        {"the stub leads only back: passed over",
         stub,
         {{100, 150, 344, 150}, {344, 150, 344, 200}, {344, 200, 600, 200}}},
        {"the stub already reaches the far end", stubToFarEnd, joinedOnRow200},
        {"a piece the start does not reach",
         {{100, 100, 100, 150}, {300, 200, 400, 200}},
         joinedOnRow200},
    };
    for (const Case& c : cases) {
        Board board;
        for (const std::vector<int>& p : c.laidBefore) {
            if (p[1] == p[3]) board.context.addHorizontal(p[1], p[0], p[2]);
            if (p[0] == p[2]) board.context.addVertical(p[0], p[1], p[3]);
        }
        board.context.farEnd = {600, 200};
        stepLoop(board.context, {100, 150}, {600, 200}, true, true);
        const Route all = board.laid();
        EXPECT_EQ(Route(all.begin() + static_cast<std::ptrdiff_t>(c.laidBefore.size()), all.end()),
                  c.expected)
            << c.what;
    }
}

TEST(RoutingStep, StepLoopCarriesOnAlongTheJoinedVertical) {
    Board board;
    board.occupancy.addVertical({0, 100, 200, kOwnNet});
    stepLoop(board.context, {100, 50}, {400, 50}, false, true);
    EXPECT_EQ(board.laid(), (Route{{100, 50, 200, 50}, {200, 42, 400, 42}, {400, 42, 400, 50}}));
}

TEST(RoutingStep, ARoundThatEndsWhereItBeganEndsTheConnection) {
    // The target lies below a block that spans its column, the start just
    // above it: the move down ends at trunc8(110) - 24 = 80, and from there
    // every round would end on row 80 again.
    Board board({{150, 110, 250, 200}});
    stepLoop(board.context, {200, 100}, {200, 300}, false, false);
    EXPECT_EQ(
        board.laid(),
        (Route{{200, 100, 200, 100}, {200, 100, 200, 80}, {200, 80, 200, 80}, {200, 80, 200, 80}}));
    EXPECT_EQ(board.context.stepsLeft, kMaxStepsPerConnection - 2);
}

TEST(RoutingStep, ASpentBudgetLeavesWhatWasLaid) {
    // Around a block: the first round climbs to its top, the second reaches
    // the target. With one step left only the first round is laid.
    const Route full{
        {100, 160, 112, 160}, {112, 112, 112, 160}, {112, 112, 336, 112}, {336, 112, 336, 144}};
    for (int budget : {1, 2, 3}) {
        Board board({{136, 112, 264, 176}});
        board.context.stepsLeft = budget;
        stepLoop(board.context, {100, 160}, {336, 144}, true, false);
        const Route expected = budget == 1 ? Route(full.begin(), full.begin() + 2) : full;
        EXPECT_EQ(board.laid(), expected) << budget;
    }
}

}  // namespace
}  // namespace corvane
