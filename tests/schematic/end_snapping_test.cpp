// End snapping on small hand-made routes.
#include "schematic/end_snapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::text;

// A terminal on port 0 of assign block 0.
Terminal terminalAt(int x, int y) {
    return testing::terminalAt(x, y, kKindAssign, 0, 0);
}

TEST(EndSnapping, PullsLooseHorizontalEndsOntoTheNearestTerminalOfTheirRow) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        std::vector<Terminal> terminals;
        const char* expected;
    };
    // The wire runs from a block port at x 100 right to a vertical at x 300.
    const Case cases[] = {
        {"the block grew: the end moves out to the port",
         {seg(120, 100, 300, 100), seg(300, 100, 300, 200)},
         {terminalAt(100, 100)},
         "100,100-300,100 300,100-300,200 "},
        {"the block shrank: the end moves in",
         {seg(80, 100, 300, 100), seg(300, 100, 300, 200)},
         {terminalAt(100, 100)},
         "100,100-300,100 300,100-300,200 "},
        {"the nearest of two terminals on the row wins",
         {seg(120, 100, 300, 100), seg(300, 100, 300, 200)},
         {terminalAt(50, 100), terminalAt(130, 100), terminalAt(119, 101)},
         "130,100-300,100 300,100-300,200 "},
        {"equally near: the first terminal wins",
         {seg(100, 100, 300, 100), seg(300, 100, 300, 200)},
         {terminalAt(90, 100), terminalAt(110, 100)},
         "90,100-300,100 300,100-300,200 "},
        {"no terminal on the row: the end stays",
         {seg(120, 100, 300, 100), seg(300, 100, 300, 200)},
         {terminalAt(100, 101)},
         "120,100-300,100 300,100-300,200 "},
        {"an end another segment touches stays",
         {seg(120, 100, 300, 100), seg(300, 100, 300, 200), seg(120, 50, 120, 150)},
         {terminalAt(100, 100)},
         "120,100-300,100 300,100-300,200 120,50-120,150 "},
        {"verticals are left alone",
         {seg(100, 120, 100, 300)},
         {terminalAt(100, 100)},
         "100,120-100,300 "},
    };
    for (const Case& c : cases) {
        Module module;
        module.nets["n"].route = c.route;
        module.nets["n"].terminals = c.terminals;
        snapRouteEnds(module);
        EXPECT_EQ(text(module.nets["n"].route), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace corvane
