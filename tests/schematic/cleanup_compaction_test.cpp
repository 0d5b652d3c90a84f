// Compaction on small hand-placed schematics.
#include "schematic/cleanup_compaction.h"

#include <gtest/gtest.h>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;

// An input pin at (180, 64) and an assign block of width 128 at x 4288 (its
// left edge at 4224), top 48, height 64, with one port on its left edge.
Module pinAndBlock() {
    Module module;
    Pin pin;
    pin.x = 180, pin.y = 64, pin.width = 32, pin.height = 16;
    module.pins.push_back(pin);
    Assign block;
    block.x = 4288, block.y = 48, block.width = 128, block.height = 64;
    Pin port;
    port.x = 4224, port.y = 64, port.width = 8, port.height = 16;
    block.ports.push_back(port);
    module.assigns.push_back(block);
    return module;
}

TEST(Compaction, ABlockEndsUp288RightOfAPin) {
    Module module = pinAndBlock();
    Net& net = module.nets["a"];
    Terminal t;
    t.x = 4224, t.y = 64;
    net.terminals.push_back(t);
    net.route = {seg(180, 64, 4224, 64)};
    SensitivityPlaces sensitivity;
    compactSchematic(module, sensitivity);
    const Assign& block = module.assigns[0];
    EXPECT_EQ(block.x - block.width / 2, 180 + 288);
    EXPECT_EQ(block.x, 532);
    EXPECT_EQ(block.ports[0].x, 468);
    EXPECT_EQ(module.pins[0].x, 180);
    EXPECT_EQ(net.terminals[0].x, 468);
    // The horizontal across the gap shrinks; nothing moved vertically.
    EXPECT_EQ(net.route[0].x0, 180);
    EXPECT_EQ(net.route[0].x1, 468);
    EXPECT_EQ(net.route[0].y0, 64);
    EXPECT_EQ(block.y, 48);
}

TEST(Compaction, AVerticalWireKeepsItsMarginsOnBothSides) {
    Module module = pinAndBlock();
    module.nets["a"].route = {seg(180, 64, 2000, 64), seg(2000, 64, 2000, 80),
                              seg(2000, 80, 4224, 80)};
    SensitivityPlaces sensitivity;
    compactSchematic(module, sensitivity);
    const std::vector<Segment>& route = module.nets["a"].route;
    EXPECT_EQ(route[1].x0, 180 + 256 + 32);
    EXPECT_EQ(route[2].x0, 468);
    EXPECT_EQ(module.assigns[0].x - module.assigns[0].width / 2, 468 + 32 + 32);
    EXPECT_EQ(route[2].x1, 532);
}

TEST(Compaction, BlocksOfAColumnEndUp64Apart) {
    Module module;
    for (int top : {48, 48 + 96 + 4096, 48 + 96 + 4096 + 64 + 4096}) {
        Always block;
        block.x = 4288, block.y = top, block.width = 128;
        block.height = top == 48 ? 96 : 64;
        Pin port;
        port.x = 4224, port.y = top + 16, port.width = 8, port.height = 16;
        block.ports.push_back(port);
        Pin duplicate;  // a duplicate label: unplaced, stays at (0, 0)
        block.ports.push_back(duplicate);
        Sensitivity entry;
        block.sensitivity.push_back(entry);
        module.alwaysBlocks.push_back(block);
    }
    SensitivityPlaces sensitivity;
    sensitivity.fit(module);
    for (int i = 0; i < 3; ++i) {
        *sensitivity.find(i, 0) = {4224, module.alwaysBlocks[i].y + 16, 24, 16};
    }
    compactSchematic(module, sensitivity);
    const std::vector<Always>& blocks = module.alwaysBlocks;
    EXPECT_EQ(blocks[0].y, 48);
    EXPECT_EQ(blocks[1].y, blocks[0].y + blocks[0].height + 64);
    EXPECT_EQ(blocks[2].y, blocks[1].y + blocks[1].height + 64);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(blocks[i].ports[0].y, blocks[i].y + 16);
        EXPECT_EQ(sensitivity.find(i, 0)->y, blocks[i].y + 16);
        EXPECT_EQ(blocks[i].ports[1].x, 0);
        EXPECT_EQ(blocks[i].ports[1].y, 0);
    }
    // The lone column has nothing to its left to close up to but itself.
    EXPECT_EQ(blocks[0].x, 4288);
}

TEST(Compaction, NothingToCompact) {
    Module empty;
    SensitivityPlaces sensitivity;
    compactSchematic(empty, sensitivity);
    Module module = pinAndBlock();
    module.assigns[0].x = 180 + 288 + 64;  // already at the margin
    compactSchematic(module, sensitivity);
    EXPECT_EQ(module.assigns[0].x, 532);
}

}  // namespace
}  // namespace corvane
