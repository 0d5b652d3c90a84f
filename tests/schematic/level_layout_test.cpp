#include "schematic/level_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kWrite;
using testing::ModuleBuilder;

TEST(NetSideClass, FromTheModulePinsOfTheNet) {
    ModuleBuilder b("top");
    b.pin("i", 0);
    b.pin("o", 1);
    b.pin("io", 2);
    b.pin("u", -1);
    b.wire("w");
    Module module = b.module;
    // A net reaching an output and an input pin counts as an output net.
    Net both = module.nets["i"];
    both.terminals.push_back(module.nets["o"].terminals[0]);
    Net stray;  // a pin terminal whose index lies outside the pins
    stray.terminals.push_back(module.nets["i"].terminals[0]);
    stray.terminals[0].index = 9;
    EXPECT_EQ(netSideClass(module, module.nets["i"]), kLevelInput);
    EXPECT_EQ(netSideClass(module, module.nets["o"]), kLevelOutput);
    EXPECT_EQ(netSideClass(module, module.nets["io"]), kLevelInput);
    EXPECT_EQ(netSideClass(module, module.nets["u"]), kLevelMiddle);
    EXPECT_EQ(netSideClass(module, module.nets["w"]), kLevelMiddle);
    EXPECT_EQ(netSideClass(module, both), kLevelOutput);
    EXPECT_EQ(netSideClass(module, stray), kLevelMiddle);
}

// Blocks: 0 reads an input, 1 reads an input and drives an output, 2 only an
// internal wire, 3 reads an inout; always 0 drives an output.
Module levelModule() {
    ModuleBuilder b("top");
    b.pin("i", 0);
    b.pin("o", 1);
    b.pin("io", 2);
    b.wire("w");
    for (int k = 0; k < 4; ++k) b.assign("a" + std::to_string(k));
    b.always();
    b.use("i", kKindAssign, 0, kRead);
    b.use("i", kKindAssign, 1, kRead);
    b.use("o", kKindAssign, 1, kWrite);
    b.use("w", kKindAssign, 2, kWrite);
    b.use("io", kKindAssign, 3, kRead);
    b.use("o", kKindAlways, 0, kWrite);
    return b.module;
}

TEST(BlockLevels, OutputWinsThenInputThenMiddle) {
    Module module = levelModule();
    // Terminals naming blocks that do not exist take no part.
    Terminal stray;
    stray.kind = kKindAssign;
    stray.index = 40;
    module.nets["o"].terminals.push_back(stray);
    stray.kind = kKindInitial;
    stray.index = 0;
    module.nets["i"].terminals.push_back(stray);
    const BlockLevels levels = computeBlockLevels(module);
    EXPECT_EQ(levels.levels[0], (std::vector<int>{0, 2, 1, 0}));
    EXPECT_EQ(levels.levels[1], (std::vector<int>{2}));
    EXPECT_TRUE(levels.levels[3].empty());
}

TEST(BlockLevels, IndependentOfTerminalOrder) {
    Module module = levelModule();
    const BlockLevels forward = computeBlockLevels(module);
    for (auto& [name, net] : module.nets) {
        std::reverse(net.terminals.begin(), net.terminals.end());
    }
    EXPECT_EQ(computeBlockLevels(module).levels, forward.levels);
}

TEST(BlockLevels, CompactionAppliesOneRuleOnce) {
    struct Case {
        std::vector<int> before;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{1, 2, 2}, {0, 1, 1}},  // no level 0: everything drops by one
        {{1, 1}, {0, 0}},        // all in the middle: they end on the left
        {{0, 2, 2}, {0, 1, 1}},  // no level 1: level 2 drops to 1
        {{0, 1, 2}, {0, 1, 2}},  // all three used: unchanged
        {{2}, {1}},              // the one-assign example
        {{}, {}},
    };
    for (const Case& c : cases) {
        BlockLevels levels;
        levels.levels[2] = c.before;
        compactLevels(levels);
        EXPECT_EQ(levels.levels[2], c.after);
    }
}

TEST(ColumnTable, ValuesAndFormulas) {
    struct Case {
        int columns;
        int x[3];
        int y[3];
    };
    const Case cases[] = {
        {1, {4288, 4288, 4288}, {48, 48, 48}},
        {2, {4288, 8384, 8384}, {48, 1072, 48}},
        {3, {4288, 8384, 12480}, {48, 1072, 560}},
    };
    for (const Case& c : cases) {
        for (int level = 0; level < 3; ++level) {
            EXPECT_EQ(columnOf(c.columns, level).x, c.x[level]) << c.columns << " " << level;
            EXPECT_EQ(columnOf(c.columns, level).firstY, c.y[level]) << c.columns << " " << level;
        }
    }
    for (int k = 0; k < 3; ++k) EXPECT_EQ(columnOf(3, k).x, ((4276 + 4096 * k) / 16 + 1) * 16);
    EXPECT_EQ(rightPinX(1), 8372);
    EXPECT_EQ(rightPinX(3), 16564);
}

TEST(ColumnTable, ColumnCountIsTheBlockCountWithin1To3) {
    ModuleBuilder b("top");
    EXPECT_EQ(columnCount(b.module), 1);
    b.assign("x");
    b.child("m", "u");
    EXPECT_EQ(columnCount(b.module), 2);
    b.initial();
    b.always();
    b.always();
    EXPECT_EQ(columnCount(b.module), 3);
}

}  // namespace
}  // namespace corvane
