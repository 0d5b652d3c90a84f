// The router's probes against block rectangles.
#include "schematic/routing_probes.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

// A: x 100..200, y 100..200; B: x 150..300, y 50..150; C shares A's left edge
// and top: x 100..180, y 100..260.
BlockProbes overlapping() {
    return BlockProbes({{100, 100, 200, 200}, {150, 50, 300, 150}, {100, 100, 180, 260}});
}

bool operator==(const RayHit& a, const RayHit& b) {
    return a.at == b.at && a.top == b.top && a.bottom == b.bottom;
}

TEST(RoutingProbes, HorizontalRays) {
    const BlockProbes probes = overlapping();
    struct Case {
        const char* what;
        bool right;
        Coord x, y, limit;
        RayHit expected;
    };
    const Case cases[] = {
        {"nearest left edge; A and C tie, the first block wins",
         true,
         0,
         120,
         1000,
         {100, 100, 200}},
        {"a row on a block's top edge passes it", true, 0, 100, 1000, {150, 50, 150}},
        {"an edge at x itself does not stop", true, 100, 120, 1000, {150, 50, 150}},
        {"an edge at the limit does not stop", true, 0, 120, 100, {100, 0, 0}},
        {"nothing in the way: the limit", true, 0, 280, 500, {500, 0, 0}},
        {"leftwards: the largest right edge", false, 1000, 120, 0, {300, 50, 150}},
        {"leftwards below B", false, 1000, 160, 0, {200, 100, 200}},
        {"leftwards, only C reaches row 230", false, 1000, 230, 0, {180, 100, 260}},
        {"leftwards, edge at the limit", false, 1000, 230, 180, {180, 0, 0}},
    };
    for (const Case& c : cases) {
        const RayHit hit =
            c.right ? probes.rightRay(c.x, c.y, c.limit) : probes.leftRay(c.x, c.y, c.limit);
        EXPECT_TRUE(hit == c.expected)
            << c.what << ": got " << hit.at << " " << hit.top << " " << hit.bottom;
    }
}

TEST(RoutingProbes, VerticalRaysAndPointTests) {
    const BlockProbes probes = overlapping();
    EXPECT_EQ(probes.verticalRay(160, 0, 1000), 50);     // downwards: the smallest top
    EXPECT_EQ(probes.verticalRay(160, 50, 1000), 100);   // a top at y itself does not count
    EXPECT_EQ(probes.verticalRay(160, 1000, 0), 260);    // upwards: the largest bottom
    EXPECT_EQ(probes.verticalRay(160, 1000, 260), 260);  // a bottom at the limit: the limit
    EXPECT_EQ(probes.verticalRay(100, 0, 1000), 1000);   // column on left edges: nothing
    EXPECT_EQ(probes.verticalRay(160, 70, 70), 70);      // no length: the limit
    EXPECT_EQ(probes.blockBottomAt(100, 100), 200);      // edges count; A comes first
    EXPECT_EQ(probes.blockTopAt(100, 100), 100);
    EXPECT_EQ(probes.blockBottomAt(250, 60), 150);
    EXPECT_EQ(probes.blockTopAt(250, 60), 50);
    EXPECT_EQ(probes.blockBottomAt(500, 77), 77);  // no block: y
    EXPECT_EQ(probes.blockTopAt(500, 77), 77);
}

TEST(RoutingProbes, BlocksInProbeOrder) {
    testing::ModuleBuilder b("top");
    b.initial();
    b.child("m", "u");
    b.always();
    b.assign("x");
    Module module = b.module;
    module.initialBlocks[0] = {};
    module.initialBlocks[0].x = 40, module.initialBlocks[0].width = 33;
    module.children[0].x = 30, module.children[0].width = 301;
    module.alwaysBlocks[0].x = 20, module.alwaysBlocks[0].y = 5;
    module.alwaysBlocks[0].width = 64, module.alwaysBlocks[0].height = 32;
    module.assigns[0].x = 10, module.assigns[0].width = 16;
    const std::vector<BlockRect> rects = blockRects(module);
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(rects[0].left, 2);    // assign
    EXPECT_EQ(rects[1].left, -12);  // always: 20 - 32
    EXPECT_EQ(rects[1].right, 52);
    EXPECT_EQ(rects[1].top, 5);
    EXPECT_EQ(rects[1].bottom, 37);
    EXPECT_EQ(rects[2].left, -120);  // child: 30 - 301 / 2
    EXPECT_EQ(rects[3].right, 56);   // initial: 40 + 33 / 2
    EXPECT_EQ(halfWidestBlockOf(module), 150);
    EXPECT_EQ(halfWidestBlockOf(testing::ModuleBuilder("empty").module), 0);
}

}  // namespace
}  // namespace corvane
