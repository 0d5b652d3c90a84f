#include "schematic/wire_drag.h"

#include <gtest/gtest.h>

#include "schematic/cleanup_junctions.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::text;

TEST(WireDrag, NeighboursAtRightAnglesStretchToTheMovedSegment) {
    // A Z-shaped route: across, down, across.
    Net net;
    net.route = {seg(0, 0, 100, 0), seg(100, 0, 100, 80), seg(100, 80, 200, 80)};
    ASSERT_TRUE(moveWireSegment(net, 1, 40));
    EXPECT_EQ(text(net.route),
              text({seg(0, 0, 140, 0), seg(140, 0, 140, 80), seg(140, 80, 200, 80)}));
}

TEST(WireDrag, ATerminalOrCollinearPieceAtAnEndGetsAConnector) {
    Net net;
    Terminal t;
    t.x = 0, t.y = 0;
    net.terminals.push_back(t);
    net.route = {seg(0, 0, 0, 50), seg(0, 50, 0, 90), seg(0, 90, 60, 90)};
    ASSERT_TRUE(moveWireSegment(net, 0, -16));
    // Moved left; the terminal at (0, 0) and the collinear piece at (0, 50) are joined.
    EXPECT_EQ(text(net.route), text({seg(-16, 0, -16, 50), seg(0, 50, 0, 90), seg(0, 90, 60, 90),
                                     seg(0, 0, -16, 0), seg(0, 50, -16, 50)}));
}

TEST(WireDrag, PiecesEndingOnOrCrossingTheMiddleStayJoined) {
    Net net;
    // A branch ending on the middle stretches; a piece crossing it gets a connector.
    net.route = {seg(0, 40, 100, 40), seg(50, 0, 50, 40), seg(80, 10, 80, 70)};
    ASSERT_TRUE(moveWireSegment(net, 0, 16));
    EXPECT_EQ(text(net.route), text({seg(0, 56, 100, 56), seg(50, 0, 50, 56), seg(80, 10, 80, 70),
                                     seg(80, 40, 80, 56)}));
}

TEST(WireDrag, JunctionsOnTheSegmentMoveWithIt) {
    Net net;
    net.route = {seg(0, 40, 100, 40), seg(50, 0, 50, 40), seg(100, 40, 100, 90)};
    net.touch = {{junctionKey(50, 40), 2}, {junctionKey(7, 7), 2}};
    ASSERT_TRUE(moveWireSegment(net, 0, 16));
    EXPECT_EQ(net.touch.count(junctionKey(50, 56)), 1u);
    EXPECT_EQ(net.touch.count(junctionKey(7, 7)), 1u);
    EXPECT_EQ(text(net.route),
              text({seg(0, 56, 100, 56), seg(50, 0, 50, 56), seg(100, 56, 100, 90)}));
}

TEST(WireDrag, NoSuchSegmentOrNoMoveChangesNothing) {
    Net net;
    net.route = {seg(0, 0, 100, 0)};
    EXPECT_FALSE(moveWireSegment(net, 3, 10));
    EXPECT_FALSE(moveWireSegment(net, -1, 10));
    EXPECT_FALSE(moveWireSegment(net, 0, 0));
    EXPECT_EQ(net.route.size(), 1u);
}

}  // namespace
}  // namespace corvane
