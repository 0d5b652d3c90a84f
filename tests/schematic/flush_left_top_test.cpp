#include "schematic/flush_left_top.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::ModuleBuilder;

Segment segment(int x0, int y0, int x1, int y1) {
    return {x0, y0, x1, y1, ""};
}

TEST(FlushOffset, Examples) {
    struct Case {
        int minX, minY;
        int dx, dy;
    };
    const Case cases[] = {
        {4288, 40, 4032, -16},  // -24 / 16 truncates to -1: the drawing moves down
        {256, 64, 0, 0},       {271, 79, 0, 0}, {180, 64, -64, 0},  // -76 / 16 truncates to -4
        {272, 80, 16, 16},
    };
    for (const Case& c : cases) {
        Module module;
        module.nets["n"].route.push_back(segment(c.minX, 900, 5000, 900));
        module.nets["n"].route.push_back(segment(6000, c.minY, 6000, 1000));
        const FlushOffset offset = flushOffset(module, {}, {});
        EXPECT_EQ(offset, (FlushOffset{c.dx, c.dy})) << c.minX << " " << c.minY;
    }
}

TEST(FlushOffset, NothingPositiveStartsFrom65535) {
    Module module;
    Pin pin;
    pin.x = -40;
    pin.y = 0;
    module.pins.push_back(pin);
    const FlushOffset offset = flushOffset(module, {}, {});
    EXPECT_EQ(offset.dx, 65264);
    EXPECT_EQ(offset.dy, 65456);
}

TEST(FlushOffset, WhatCountsTowardsTheMinimum) {
    ModuleBuilder b("top");
    b.pin("a", 0);
    const int always = b.always({"a"});
    b.use("a", kKindAlways, always, kSens);
    b.use("a", kKindAssign, b.assign("q"), kRead);
    const Module base = b.module;
    const auto flushedMinX = [&base](auto&& change) {
        Module module = base;
        module.pins[0].x = 9000;
        module.pins[0].y = 9000;
        for (Assign& assign : module.assigns) assign.x = assign.y = 9000, assign.width = 200;
        for (Always& block : module.alwaysBlocks) block.x = block.y = 9000, block.width = 200;
        SensitivityPlaces places;
        places.fit(module);
        *places.find(0, 0) = {8950, 9000, 8, 16};
        std::vector<SchematicComment> comments{makeMarkerComment()};
        change(module, places, comments);
        return flushOffset(module, places, comments).dx + 256;
    };
    // Ports and entries count only when not left of their block's left edge
    // (8900); without changes the entry at 8950 decides.
    EXPECT_EQ(flushedMinX([](Module&, auto&, auto&) {}), 8944);
    EXPECT_EQ(flushedMinX([](Module& m, auto&, auto&) { m.assigns[0].ports[0].x = 8899; }), 8944);
    EXPECT_EQ(flushedMinX([](Module& m, auto&, auto&) { m.assigns[0].ports[0].x = 8920; }), 8912);
    EXPECT_EQ(flushedMinX([](Module& m, auto&, auto&) { m.alwaysBlocks[0].ports[0].x = 8920; }),
              8912);
    EXPECT_EQ(flushedMinX([](Module&, SensitivityPlaces& p, auto&) { p.find(0, 0)->x = 8300; }),
              8992);
    // Comments count with both corners; the marker record does not.
    EXPECT_EQ(flushedMinX([](Module&, auto&, std::vector<SchematicComment>& c) { c[0].x0 = 300; }),
              8944);
    EXPECT_EQ(flushedMinX([](Module&, auto&, std::vector<SchematicComment>& c) {
                  SchematicComment line;
                  line.kind = kCommentLine;
                  line.x0 = 9500;
                  line.x1 = 700;
                  c.push_back(line);
              }),
              688);
}

TEST(ShiftSchematic, MovesEverythingButTerminalsAndRekeysJunctions) {
    ModuleBuilder b("top");
    b.pin("a", 0);
    const int always = b.always({"a"});
    b.use("a", kKindAlways, always, kSens);
    b.use("a", kKindAlways, always, kRead);
    Module module = b.module;
    module.pins[0].x = 500;
    module.pins[0].y = 600;
    Always& block = module.alwaysBlocks[0];
    block.x = 1000;
    block.y = 700;
    block.ports[1].x = 936;
    block.ports[1].y = 748;
    block.ports[1].width = 8;
    Net& net = module.nets["a"];
    net.terminals[0].x = 500;
    net.terminals[0].y = 600;
    net.route.push_back(segment(500, 600, 936, 600));
    net.touch[936 + 600 * 65536] = 2;
    net.touch[500 + 700 * 65536] = 4;
    SensitivityPlaces places;
    places.fit(module);
    *places.find(0, 0) = {936, 716, 8, 16};
    std::vector<SchematicComment> comments{makeMarkerComment(), SchematicComment{}};
    comments[0].x1 = 300;
    comments[1].kind = kCommentText;
    comments[1].x1 = 300;

    shiftSchematic(module, places, comments, {100, -16});
    EXPECT_EQ(module.pins[0].x, 400);
    EXPECT_EQ(module.pins[0].y, 616);
    EXPECT_EQ(block.x, 900);
    EXPECT_EQ(block.y, 716);
    EXPECT_EQ(block.ports[1].x, 836);
    EXPECT_EQ(block.ports[0].x, 0);  // a duplicate (width 0) stays unplaced
    EXPECT_EQ(block.ports[0].y, 0);
    EXPECT_EQ(places.find(0, 0)->y, 732);
    EXPECT_EQ(net.route[0].x1, 836);
    EXPECT_EQ(net.route[0].y0, 616);
    EXPECT_EQ(net.terminals[0].x, 500);  // terminals keep their points
    EXPECT_EQ(comments[1].x1, 200);
    EXPECT_EQ(comments[1].y0, 16);
    EXPECT_EQ(comments[0].x1, 300);  // the marker is no figure and stays
    EXPECT_EQ(comments[0].y0, 0);
    const std::map<int, int> keys{{836 + 616 * 65536, 2}, {400 + 716 * 65536, 4}};
    EXPECT_EQ(net.touch, keys);
}

TEST(ShiftSchematic, JunctionKeysFollowTheStatedFormula) {
    for (const FlushOffset offset : {FlushOffset{4032, -16}, FlushOffset{65264, 65456}}) {
        for (const auto& [x, y] : {std::pair{300, 200}, std::pair{65535, 3}, std::pair{0, 0}}) {
            const int key = x + y * 65536;
            const long long expected =
                static_cast<long long>(y - offset.dy) * 65536 + (x - offset.dx);
            EXPECT_EQ(shiftedJunctionKey(key, offset), static_cast<int>(expected));
        }
    }
}

}  // namespace
}  // namespace corvane
