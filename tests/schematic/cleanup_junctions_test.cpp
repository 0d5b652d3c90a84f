// Junction rebuild and junction check on small hand-made routes.
#include "schematic/cleanup_junctions.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "schematic/route_cleanup.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;

std::map<int, int> rebuilt(const std::vector<Segment>& route) {
    Module module;
    module.nets["n"].route = route;
    module.nets["n"].touch[junctionKey(1, 1)] = 7;  // stale: the rebuild drops it
    rebuildJunctions(module);
    return module.nets["n"].touch;
}

TEST(JunctionRebuild, FindsTeesAndCrossings) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        std::map<int, int> expected;
    };
    const Case cases[] = {
        {"a horizontal ending on a vertical",
         {seg(100, 100, 100, 300), seg(300, 200, 100, 200)},
         {{junctionKey(100, 200), 2}}},
        {"a vertical ending on a horizontal",
         {seg(50, 200, 300, 200), seg(100, 300, 100, 200)},
         {{junctionKey(100, 200), 2}}},
        {"a crossing",
         {seg(100, 100, 100, 300), seg(50, 200, 300, 200)},
         {{junctionKey(100, 200), 2}}},
        {"two horizontals ending on a vertical from both sides",
         {seg(100, 100, 100, 300), seg(100, 200, 300, 200), seg(0, 200, 100, 200)},
         {{junctionKey(100, 200), 4}}},
        {"a corner is no junction", {seg(100, 100, 100, 300), seg(100, 300, 300, 300)}, {}},
        {"a vertical at x 0 is left out", {seg(0, 100, 0, 300), seg(0, 200, 300, 200)}, {}},
        {"a horizontal on row 0 is left out", {seg(50, 0, 300, 0), seg(100, 0, 100, 200)}, {}},
        {"no route", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(rebuilt(c.route), c.expected) << c.what;
}

TEST(JunctionCheck, KeepsTeesAndCrossingsAndDropsCorners) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        int x, y;
        bool kept;
    };
    const Case cases[] = {
        {"a tee: one segment ends there",
         {seg(100, 100, 100, 300), seg(100, 200, 300, 200)},
         100,
         200,
         true},
        {"a crossing: two pass through",
         {seg(100, 100, 100, 300), seg(50, 200, 300, 200)},
         100,
         200,
         true},
        {"a corner: two end there",
         {seg(100, 100, 100, 300), seg(100, 300, 300, 300)},
         100,
         300,
         false},
        {"one passes through, none ends", {seg(100, 100, 100, 300)}, 100, 200, false},
        {"nothing there", {seg(100, 100, 100, 300)}, 500, 500, false},
    };
    for (const Case& c : cases) {
        Module module;
        module.nets["n"].route = c.route;
        module.nets["n"].touch[junctionKey(c.x, c.y)] = 2;
        checkJunctions(module);
        EXPECT_EQ(module.nets["n"].touch.size(), c.kept ? 1u : 0u) << c.what;
    }
}

TEST(JunctionKey, PacksXLowAndYHigh) {
    EXPECT_EQ(junctionKey(100, 200), 100 + 200 * 65536);
    for (auto [x, y] : {std::pair{0, 0}, {65535, 1}, {5, 40000}, {1234, 65535}}) {
        int px = -1, py = -1;
        junctionPoint(junctionKey(x, y), px, py);
        EXPECT_EQ(px, x);
        EXPECT_EQ(py, y);
    }
    // A tee on a row beyond 32767, whose key does not fit a positive int, is still checked right.
    Module module;
    module.nets["n"].route = {seg(100, 40000, 100, 40100), seg(100, 40050, 300, 40050)};
    rebuildJunctions(module);
    checkJunctions(module);
    EXPECT_EQ(module.nets["n"].touch.size(), 1u);
}

}  // namespace
}  // namespace corvane
