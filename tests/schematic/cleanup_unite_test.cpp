// UniteDoubleRoute on small hand-made routes.
#include "schematic/cleanup_unite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::text;

TEST(UniteDoubleRoute, MergesPiecesOnOneLine) {
    using Case = testing::RouteCase;
    const Case cases[] = {
        {"overlapping horizontals",
         {seg(100, 50, 200, 50), seg(150, 50, 300, 50)},
         "100,50-300,50 "},
        {"touching horizontals and a point between them",
         {seg(100, 40, 192, 40), seg(192, 40, 192, 40), seg(192, 40, 300, 40)},
         "100,40-300,40 "},
        {"a right-to-left horizontal keeps its direction",
         {seg(200, 50, 100, 50), seg(150, 50, 300, 50)},
         "300,50-100,50 "},
        {"horizontals apart or on other rows stay",
         {seg(100, 50, 200, 50), seg(201, 50, 300, 50), seg(100, 60, 200, 60)},
         "100,50-200,50 201,50-300,50 100,60-200,60 "},
        {"overlapping verticals", {seg(10, 100, 10, 200), seg(10, 150, 10, 260)}, "10,100-10,260 "},
        // The later piece Q above the earlier P bridges a gap of up to 16 ...
        {"gap 10, the upper one later",
         {seg(10, 210, 10, 300), seg(10, 100, 10, 200)},
         "10,100-10,300 "},
        {"gap 16, the upper one later",
         {seg(10, 216, 10, 300), seg(10, 100, 10, 200)},
         "10,100-10,300 "},
        {"gap 17, the upper one later",
         {seg(10, 217, 10, 300), seg(10, 100, 10, 200)},
         "10,217-10,300 10,100-10,200 "},
        // ... but not when the upper one comes first.
        {"gap 10, the upper one first",
         {seg(10, 100, 10, 200), seg(10, 210, 10, 300)},
         "10,100-10,200 10,210-10,300 "},
        {"verticals in other columns stay",
         {seg(10, 100, 10, 200), seg(20, 150, 20, 300)},
         "10,100-10,200 20,150-20,300 "},
    };
    for (const Case& c : cases) {
        std::vector<Segment> route = c.route;
        uniteDoubleRoute(route);
        EXPECT_EQ(text(route), c.expected) << c.what;
    }
}

TEST(UniteDoubleRoute, RunsOverEveryNet) {
    Module module;
    module.nets["a"].route = {seg(100, 50, 200, 50), seg(150, 50, 300, 50)};
    module.nets["b"].route = {seg(10, 210, 10, 300), seg(10, 100, 10, 200)};
    module.nets["c"];
    uniteDoubleRoute(module);
    EXPECT_EQ(text(module.nets["a"].route), "100,50-300,50 ");
    EXPECT_EQ(text(module.nets["b"].route), "10,100-10,300 ");
    EXPECT_TRUE(module.nets["c"].route.empty());
}

}  // namespace
}  // namespace corvane
