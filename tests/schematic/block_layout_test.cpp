#include "schematic/block_layout.h"

#include <gtest/gtest.h>

#include "schematic/pin_labels.h"

namespace corvane {
namespace {

Pin port(const std::string& name, int direction, int msb = -1, int lsb = -1) {
    Pin pin;
    pin.name = pin.displayName = name;
    pin.direction = direction;
    pin.msb = msb;
    pin.lsb = lsb;
    return pin;
}

struct Placed {
    int x, y, width;
};

void expectPorts(const std::vector<Pin>& ports, const std::vector<Placed>& expected) {
    ASSERT_EQ(ports.size(), expected.size());
    for (std::size_t i = 0; i < ports.size(); ++i) {
        EXPECT_EQ(ports[i].x, expected[i].x) << "port " << i;
        EXPECT_EQ(ports[i].y, expected[i].y) << "port " << i;
        EXPECT_EQ(ports[i].width, expected[i].width) << "port " << i;
        EXPECT_EQ(ports[i].height, 16) << "port " << i;
    }
}

class BlockLayout : public ::testing::Test {
protected:
    TextMetrics metrics;
    SchematicTextMeasure measure{metrics, "Courier New"};
};

TEST(PinLabel, RangeForms) {
    struct Case {
        const char* name;
        int msb, lsb;
        const char* label;
    };
    const Case cases[] = {
        {"data", 7, 0, "data[7:0]"}, {"bit", 3, 3, "bit[3]"},     {"en", -1, -1, "en"},
        {"lo", 0, 7, "lo[0:7]"},     {"odd", -1, 4, "odd[-1:4]"},
    };
    for (const Case& c : cases) EXPECT_EQ(pinLabel(port(c.name, 0, c.msb, c.lsb)), c.label);
}

TEST(PinLabel, Round32IsTheNextMultipleStrictlyAbove) {
    EXPECT_EQ(round32(120), 128);
    EXPECT_EQ(round32(128), 160);
    EXPECT_EQ(round32(0), 32);
    EXPECT_EQ(round32(31), 32);
}

TEST_F(BlockLayout, AssignSizeAndPortRows) {
    Assign block;
    block.x = 1000;
    block.y = 200;
    block.ports = {port("y", 1), port("a", 0), port("b", 0)};
    layoutAssign(block, measure);
    // The longest label is 8 pixels: round32(2 * 8 + 80) = 128; two left rows.
    EXPECT_EQ(block.width, 128);
    EXPECT_EQ(block.height, 64);
    expectPorts(block.ports, {{1064, 216, 8}, {936, 216, 8}, {936, 248, 8}});
}

TEST_F(BlockLayout, AssignWidthFromTheLongestLabel) {
    struct Case {
        const char* name;
        int msb, lsb;
        int width;
    };
    // 16-pixel label: round32(112) = 128; 24 pixels: round32(128) = 160; data[7:0] is 72.
    const Case cases[] = {{"ab", -1, -1, 128}, {"abc", -1, -1, 160}, {"data", 7, 0, 256}};
    for (const Case& c : cases) {
        Assign block;
        block.ports = {port(c.name, 0, c.msb, c.lsb)};
        layoutAssign(block, measure);
        EXPECT_EQ(block.width, c.width) << c.name;
    }
}

TEST_F(BlockLayout, AssignDrawsALabelSharedByBothEdgesOnce) {
    Assign block;
    block.x = 500;
    block.y = 100;
    block.ports = {port("q", 1, 0, 0), port("q", 0, 0, 0), port("d", 0)};
    block.ports[1].x = 77;  // a stale position is cleared
    layoutAssign(block, measure);
    EXPECT_EQ(block.height, 32);
    EXPECT_EQ(block.width, 160);
    expectPorts(block.ports, {{580, 116, 32}, {0, 0, 0}, {420, 116, 8}});
}

TEST_F(BlockLayout, AlwaysPutsSensitivityEntriesFirst) {
    Always block;
    block.x = 2000;
    block.y = 48;
    for (const char* name : {"clk", "rst"}) {
        Sensitivity entry;
        entry.name = entry.displayName = name;
        block.sensitivity.push_back(entry);
    }
    // As the connection checks leave them: the sensitivity uses are ports too.
    block.ports = {port("clk", 16), port("rst", 16), port("d", 0), port("q", 1)};
    std::vector<LabelBox> boxes;
    layoutAlways(block, boxes, false, measure);
    EXPECT_EQ(block.width, 160);      // round32(2 * 24 + 80)
    EXPECT_EQ(block.height, 3 * 32);  // (2 + max(1, 1)) * 32
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].x, 1920);
    EXPECT_EQ(boxes[0].y, 64);
    EXPECT_EQ(boxes[0].width, 24);
    EXPECT_EQ(boxes[1].y, 96);
    EXPECT_EQ(boxes[1].height, 16);
    expectPorts(block.ports, {{0, 0, 0}, {0, 0, 0}, {1920, 128, 8}, {2080, 128, 8}});
}

TEST_F(BlockLayout, AlwaysDrawsNoLeftPortNamedLikeASensitivityEntry) {
    // A bus in the sensitivity list: its uses carry the range, the entry does not.
    Always block;
    block.x = 2000;
    block.y = 48;
    Sensitivity entry;
    entry.name = entry.displayName = "state";
    block.sensitivity.push_back(entry);
    block.ports = {port("state", 16, 1, 0), port("state", 0, 1, 0), port("next", 1, 1, 0)};
    std::vector<LabelBox> boxes;
    layoutAlways(block, boxes, false, measure);
    EXPECT_EQ(block.height, 2 * 32);  // the entry's row and the output's
    expectPorts(block.ports, {{0, 0, 0}, {0, 0, 0}, {2128, 96, 72}});  // width round32(224)
}

TEST_F(BlockLayout, AlwaysAndInitialTestDuplicatesPerEdge) {
    Always always;
    always.ports = {port("x", 1), port("x", 0), port("x", 0)};
    std::vector<LabelBox> boxes;
    layoutAlways(always, boxes, true, measure);
    EXPECT_EQ(always.ports[0].width, 8);
    EXPECT_EQ(always.ports[1].width, 8);
    EXPECT_EQ(always.ports[2].width, 0);
    EXPECT_EQ(always.height, 32);

    Initial initial;
    initial.ports = {port("x", 1), port("x", 0), port("x", 1)};
    layoutInitial(initial, measure);
    EXPECT_EQ(initial.ports[1].width, 8);
    EXPECT_EQ(initial.ports[2].width, 0);
    EXPECT_EQ(initial.height, 32);
}

TEST_F(BlockLayout, InstanceTitlesLabelsAndRows) {
    Child block;
    block.x = 3000;
    block.y = 100;
    block.moduleName = block.moduleDisplayName = "m";
    block.name = block.displayName = "u1";
    // No duplicate test, and labels without range (bus is 24 pixels, not 72).
    block.ports = {port("bus", 0, 7, 0), port("bus", 0, 7, 0), port("o", 1)};
    layoutChild(block, measure);
    EXPECT_EQ(block.width, 160);  // round32(max(88 + 16, 8 + 16, 96, 2 * 24 + 80))
    EXPECT_EQ(block.height, 2 * 32 + 48);
    expectPorts(block.ports, {{2920, 164, 24}, {2920, 196, 24}, {3080, 164, 8}});
}

TEST_F(BlockLayout, InstanceWidthFromItsTitles) {
    struct Case {
        const char* module;
        const char* instance;
        int width;
    };
    const Case cases[] = {
        {"m", "u", 128},                          // " Sub module " 96 -> round32(96)
        {"a_module_name_of_25_chars", "u", 224},  // 200 + 16 -> 224
        {"m", "an_instance_name_20c", 256},       // 9 + 20 columns: 232 + 16 -> 256
        {"m", "an_instance_name_21ch", 288},      // 240 + 16 = 256 -> strictly above
    };
    for (const Case& c : cases) {
        Child block;
        block.moduleName = block.moduleDisplayName = c.module;
        block.name = block.displayName = c.instance;
        layoutChild(block, measure);
        EXPECT_EQ(block.width, c.width) << c.module << " " << c.instance;
    }
}

TEST_F(BlockLayout, BlocksWithoutPorts) {
    Assign assign;
    layoutAssign(assign, measure);
    EXPECT_EQ(assign.width, 96);
    EXPECT_EQ(assign.height, 0);
    Initial initial;
    layoutInitial(initial, measure);
    EXPECT_EQ(initial.height, 0);
    Child child;
    layoutChild(child, measure);
    EXPECT_EQ(child.height, 48);
    Always always;
    std::vector<LabelBox> boxes(3);  // resized to the block's entries
    layoutAlways(always, boxes, false, measure);
    EXPECT_EQ(always.height, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BlockLayout, ModulePinWidthsRoundedOrPlain) {
    Module module;
    module.pins = {port("a", 0), port("data", 1, 7, 0)};
    measureModulePins(module, measure, PinWidthRule::kRounded);
    EXPECT_EQ(module.pins[0].width, 32);
    EXPECT_EQ(module.pins[1].width, 96);
    EXPECT_EQ(module.pins[1].height, 16);
    measureModulePins(module, measure, PinWidthRule::kPlain);
    EXPECT_EQ(module.pins[0].width, 8);
    EXPECT_EQ(module.pins[1].width, 72);
}

TEST_F(BlockLayout, HugeLabelsStayWithinBounds) {
    Assign block;
    block.ports = {port(std::string(200000, 'n'), 0)};
    layoutAssign(block, measure);
    EXPECT_EQ(block.ports[0].width, kMaxLabelWidth);
    EXPECT_EQ(block.width, round32(2 * kMaxLabelWidth + 80));
}

TEST_F(BlockLayout, RemeasureKeepsStoredPositions) {
    Module module;
    module.language = kVhdl;
    module.pins = {port("a", 0)};
    module.pins[0].x = 300;
    Always always;
    always.x = 640;
    always.y = 320;
    Sensitivity entry;
    entry.name = "a";
    always.sensitivity.push_back(entry);
    module.alwaysBlocks.push_back(always);
    SensitivityPlaces places;
    remeasureSchematic(module, places, measure);
    EXPECT_EQ(module.alwaysBlocks[0].x, 640);
    EXPECT_EQ(module.alwaysBlocks[0].width, 128);
    ASSERT_NE(places.find(0, 0), nullptr);
    EXPECT_EQ(places.find(0, 0)->x, 576);
    EXPECT_EQ(places.find(0, 0)->y, 336);
    EXPECT_EQ(module.pins[0].x, 300);
    EXPECT_EQ(module.pins[0].width, 8);
}

}  // namespace
}  // namespace corvane
