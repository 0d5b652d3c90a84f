// DeleteEachGloveRoute_Horz on small hand-made routes.
#include "schematic/cleanup_glove.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::text;

// A terminal with the kind and index a default terminal has.
Terminal terminalAt(int x, int y) {
    return testing::terminalAt(x, y, kKindPin, 0);
}

TEST(DeleteEachGloveRouteHorz, CutsInterlockingHorizontals) {
    using Case = testing::RouteCase;
    const Case cases[] = {
        // A on row 100 from 100 to 300 goes down at 300; B on row 200 from 200
        // to 400 came up at 200: A ends at 200 and its vertical goes.
        {"A starts first",
         {seg(100, 100, 300, 100), seg(300, 100, 300, 200), seg(200, 100, 200, 200),
          seg(200, 200, 400, 200)},
         "100,100-200,100 200,100-200,200 200,200-400,200 "},
        // A on row 100 from 200 to 400 (its vertical at 200 before it); B on
        // row 200 from 100 to 300 with its vertical at 300 after it.
        {"B starts first",
         {seg(200, 100, 200, 200), seg(200, 100, 400, 100), seg(100, 200, 300, 200),
          seg(300, 200, 300, 100)},
         "300,100-400,100 100,200-300,200 300,200-300,100 "},
        {"the neighbours are not verticals between the rows",
         {seg(100, 100, 300, 100), seg(300, 100, 300, 150), seg(200, 100, 200, 200),
          seg(200, 200, 400, 200)},
         "100,100-300,100 300,100-300,150 200,100-200,200 200,200-400,200 "},
        {"nested, not interlocked",
         {seg(100, 100, 400, 100), seg(400, 100, 400, 200), seg(200, 100, 200, 200),
          seg(200, 200, 300, 200)},
         "100,100-400,100 400,100-400,200 200,100-200,200 200,200-300,200 "},
    };
    for (const Case& c : cases) {
        std::vector<Segment> route = c.route;
        deleteEachGloveRouteHorz(route);
        EXPECT_EQ(text(route), c.expected) << c.what;
    }
}

TEST(DeleteEachGloveRouteHorz, KeepsAPairWhoseCutWouldLeaveSomethingHanging) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        std::vector<Terminal> terminals;
    };
    // The "A starts first" pair of CutsInterlockingHorizontals.
    const std::vector<Segment> pair = {seg(100, 100, 300, 100), seg(300, 100, 300, 200),
                                       seg(200, 100, 200, 200), seg(200, 200, 400, 200)};
    std::vector<Segment> branched = pair;
    branched.push_back(seg(300, 150, 350, 150));
    const Case cases[] = {
        {"a piece leaves A's vertical", branched, {}},
        {"a terminal on the part of A that goes", pair, {terminalAt(250, 100)}},
        {"a terminal on A's vertical", pair, {terminalAt(300, 150)}},
        // What the router laid for a net of a generated module: B's vertical
        // stands at 8352, not at B's end 8328, and two rows cross A's vertical.
        {"a router's route",
         {seg(4368, 256528, 8392, 256528), seg(8392, 220744, 8392, 256528),
          seg(8328, 220744, 11792, 220744), seg(8352, 220744, 8352, 256528),
          seg(11952, 27936, 13160, 27936), seg(13160, 27936, 13160, 229328),
          seg(4368, 229336, 8392, 229336), seg(8392, 229328, 13160, 229328)},
         {terminalAt(11952, 27936), terminalAt(4368, 229336)}},
    };
    for (const Case& c : cases) {
        std::vector<Segment> route = c.route;
        deleteEachGloveRouteHorz(route, c.terminals);
        EXPECT_EQ(text(route), text(c.route)) << c.what;
    }
}

TEST(DeleteEachGloveRouteHorz, ShortRoutesStay) {
    for (const std::vector<Segment>& route :
         {std::vector<Segment>{}, std::vector<Segment>{seg(1, 1, 5, 1)},
          std::vector<Segment>{seg(1, 1, 5, 1), seg(3, 2, 8, 2)}}) {
        std::vector<Segment> copy = route;
        deleteEachGloveRouteHorz(copy);
        EXPECT_EQ(text(copy), text(route));
    }
}

}  // namespace
}  // namespace corvane
