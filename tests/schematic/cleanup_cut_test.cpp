// RoutingCutSuite and CutSimpleSuite on small hand-made routes.
#include "schematic/cleanup_cut.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::terminalAt;
using testing::text;

// A module pin of the net at (100, 200): its symbol covers x 68..132, y 192..208.
void addOwnPin(Module& module, Net& net) {
    Pin pin;
    pin.x = 100, pin.y = 200, pin.width = 32, pin.height = 16;
    module.pins.push_back(pin);
    Terminal t = terminalAt(100, 200);
    t.kind = kKindPin;
    t.index = 0;
    net.terminals.push_back(t);
}

TEST(RoutingCutSuite, PullsLooseEndsToTheirLastSupport) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        std::vector<Terminal> terminals;
        bool ownPin;
        const char* expected;
    };
    const Case cases[] = {
        {"a loose left end crossing a vertical at 240",
         {seg(100, 200, 400, 200), seg(240, 100, 240, 300)},
         {terminalAt(400, 200), terminalAt(240, 100), terminalAt(240, 300)},
         false,
         "240,200-400,200 240,100-240,300 "},
        {"both ends loose: to the outermost supports",
         {seg(100, 200, 400, 200), seg(240, 100, 240, 200), seg(320, 200, 320, 300)},
         {terminalAt(240, 100), terminalAt(320, 300)},
         false,
         "240,200-320,200 240,100-240,200 320,200-320,300 "},
        {"a loose lower end of a vertical crossed by a horizontal",
         {seg(300, 100, 300, 400), seg(200, 250, 400, 250)},
         {terminalAt(300, 100), terminalAt(200, 250), terminalAt(400, 250)},
         false,
         "300,100-300,250 200,250-400,250 "},
        {"hanging from a terminal: shrinks onto it",
         {seg(100, 200, 400, 200)},
         {terminalAt(400, 200)},
         false,
         "400,200-400,200 "},
        {"no support: stays",
         {seg(100, 200, 400, 200), seg(240, 100, 240, 150)},
         {terminalAt(5, 5)},
         false,
         "100,200-400,200 240,100-240,150 "},
        {"the loose end lies on the net's own pin",
         {seg(100, 200, 400, 200), seg(240, 100, 240, 300)},
         {terminalAt(400, 200), terminalAt(240, 100), terminalAt(240, 300)},
         true,
         "100,200-400,200 240,100-240,300 "},
    };
    for (const Case& c : cases) {
        Module module;
        Net& net = module.nets["n"];
        net.route = c.route;
        net.terminals = c.terminals;
        if (c.ownPin) addOwnPin(module, net);
        routingCutSuite(module);
        EXPECT_EQ(text(net.route), c.expected) << c.what;
    }
}

TEST(CutSimpleSuite, DeletesSegmentsWithAFreeEnd) {
    struct Case {
        const char* what;
        std::vector<Segment> extra;
        const char* expected;
    };
    // The kept wiring: from the own pin at (100, 200) right to x 300, down to
    // the own block at (300, 300).
    const char* kept = "100,200-300,200 300,200-300,300 ";
    const Case cases[] = {
        {"nothing hangs", {}, kept},
        {"a piece hanging off the vertical", {seg(300, 250, 400, 250)}, kept},
        {"a free point", {seg(500, 500, 500, 500)}, kept},
        {"a chain, outer piece first: both go",
         {seg(400, 250, 500, 250), seg(300, 250, 400, 250)},
         kept},
        {"a chain, inner piece first: it is not tested again",
         {seg(300, 250, 400, 250), seg(400, 250, 500, 250)},
         "100,200-300,200 300,200-300,300 300,250-400,250 "},
        {"a hand-routing guide does not hold an end",
         {seg(300, 250, 400, 250), seg(400, 250, 400, 260, "temp-route")},
         kept},
    };
    for (const Case& c : cases) {
        Module module;
        Net& net = module.nets["n"];
        addOwnPin(module, net);
        Assign block;
        block.x = 332, block.y = 300, block.width = 64, block.height = 32;
        module.assigns.push_back(block);
        Terminal t = terminalAt(300, 300);
        t.kind = kKindAssign;
        t.index = 0;
        net.terminals.push_back(t);
        net.route = {seg(100, 200, 300, 200), seg(300, 200, 300, 300)};
        net.route.insert(net.route.end(), c.extra.begin(), c.extra.end());
        NullProgressSink progress;
        cutSimpleSuite(module, progress);
        EXPECT_EQ(text(net.route), c.expected) << c.what;
    }
}

TEST(CutSimpleSuite, ReportsPerNetAndHides) {
    Module module;
    module.nets["a"].route = {seg(1, 1, 5, 1)};
    module.nets["b"];
    RecordingProgressSink progress;
    cutSimpleSuite(module, progress);
    EXPECT_EQ(progress.values, (std::vector<int>{0, 50}));
    EXPECT_EQ(progress.hides, 1);
    EXPECT_TRUE(module.nets["a"].route.empty());
}

}  // namespace
}  // namespace corvane
