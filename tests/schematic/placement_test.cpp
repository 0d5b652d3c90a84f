#include "schematic/placement.h"

#include <gtest/gtest.h>

#include <random>

#include "schematic/place_terminals.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kWrite;
using testing::ModuleBuilder;

class Placement : public ::testing::Test {
protected:
    void layout(Module& module) {
        layoutFromScratch(module, places, measure, kArrangementInterval);
    }
    void place(Module& module) {
        layout(module);
        placeTerminals(module, places);
    }

    TextMetrics metrics;
    SchematicTextMeasure measure{metrics, "Courier New"};
    SensitivityPlaces places;
};

TEST_F(Placement, OneAssignBetweenAnInputAndAnOutput) {
    Module module = testing::oneAssignModule();
    layout(module);
    // The assign reaches the output (level 2), compaction lowers it to 1, C = 1.
    EXPECT_EQ(module.assigns[0].x, 4288);
    EXPECT_EQ(module.assigns[0].y, 48);
    EXPECT_EQ(module.pins[0].x, 180);
    EXPECT_EQ(module.pins[0].y, 64);
    EXPECT_EQ(module.pins[1].x, 8372);
    EXPECT_EQ(module.pins[1].y, 64);
    EXPECT_EQ(module.pins[0].width, 32);
    EXPECT_EQ(module.pins[1].height, 16);

    placeTerminals(module, places);
    // Both pins stand level with the ports they connect to (row 0 at y 64).
    const Net& a = module.nets["a"];
    EXPECT_EQ(a.terminals[0].x, 180);
    EXPECT_EQ(a.terminals[0].y, module.assigns[0].ports[1].y);
    EXPECT_EQ(a.terminals[1].x, 4288 - 64);
    EXPECT_EQ(a.terminals[0].side, kSideRight);
    EXPECT_EQ(a.terminals[1].side, kSideLeft);
    const Net& y = module.nets["y"];
    EXPECT_EQ(y.terminals[0].y, module.assigns[0].ports[0].y);
    EXPECT_EQ(y.terminals[0].side, kSideLeft);
    EXPECT_EQ(y.terminals[1].side, kSideRight);
}

TEST_F(Placement, PinsMoveLevelWithTheFirstPortTheyConnectTo) {
    ModuleBuilder b("top");
    b.pin("a", 0);
    b.pin("b", 0);
    b.pin("y", 1);
    const int assign = b.assign("y");
    b.use("y", kKindAssign, assign, kWrite);
    b.use("a", kKindAssign, assign, kRead);
    b.use("b", kKindAssign, assign, kRead);
    // A second, later block on net b does not move b again.
    const int second = b.assign("z");
    b.use("b", kKindAssign, second, kRead);
    Module module = b.module;
    place(module);
    // The assign drives y: level 2, lowered to 1 beside the level-0 second
    // block, so C = 2 puts it at y 1072 and its port b (row 1) at 1120.
    EXPECT_EQ(module.assigns[0].y, 1072);
    EXPECT_EQ(module.pins[1].y, 1072 + 16 + 32);
    EXPECT_EQ(module.nets["b"].terminals[0].y, 1120);
    EXPECT_EQ(module.nets["b"].terminals[2].y, module.assigns[1].ports[0].y);
}

TEST_F(Placement, OnlyAPinBeforeTheFirstPlacedBlockTerminalMoves) {
    // Ports y (right, row 0), b (left, row 0), a (left, row 1); pins a at 64, b at 128.
    ModuleBuilder b("top");
    b.pin("a", 0);
    b.pin("b", 0);
    b.pin("y", 1);
    const int assign = b.assign("y");
    b.use("y", kKindAssign, assign, kWrite);
    b.use("b", kKindAssign, assign, kRead);
    b.use("a", kKindAssign, assign, kRead);
    Module module = b.module;
    Net& a = module.nets["a"];
    std::swap(a.terminals[0], a.terminals[1]);  // the block terminal comes first
    // A block terminal whose port does not exist is skipped, not aligned to.
    Net& netB = module.nets["b"];
    Terminal stray = netB.terminals[1];
    stray.portIndex = 12;
    netB.terminals.insert(netB.terminals.begin() + 1, stray);
    place(module);
    EXPECT_EQ(module.pins[1].y, 64);  // b moved from 128 to its port's row
    // a was not moved to its port at 96; sharing row 64 with b, it is separated.
    EXPECT_EQ(module.pins[0].y, 64 + 16);
    EXPECT_EQ(netB.terminals[1].x, -1);  // the stray terminal got no position
    EXPECT_EQ(netB.terminals[0].y, 64);
}

TEST_F(Placement, FiveBlocksAtLevelZeroShareOneColumn) {
    ModuleBuilder b("top");
    b.pin("o", 1);
    for (int k = 0; k < 5; ++k) {
        const std::string name = "i" + std::to_string(k);
        b.pin(name, 0);
        b.use(name, kKindAssign, b.assign("x" + std::to_string(k)), kRead);
    }
    Module module = b.module;
    layout(module);
    int top = 48;
    for (const Assign& assign : module.assigns) {
        EXPECT_EQ(assign.x, 4288);
        EXPECT_EQ(assign.y, top);
        top = assign.y + assign.height + 4096;
    }
    EXPECT_EQ(module.pins[0].x, 16564);
    EXPECT_EQ(module.pins[0].y, 64);
    EXPECT_EQ(module.pins[5].x, 180);
    EXPECT_EQ(module.pins[5].y, 64 + 4 * 64);
}

TEST_F(Placement, BlocksStackKindByKindInTheirLevelColumns) {
    ModuleBuilder b("top");
    b.pin("i", 0);
    b.pin("o", 1);
    b.wire("w");
    const int child = b.child("m", "u");
    b.use("i", kKindChild, child, kRead);
    const int always = b.always();
    b.use("w", kKindAlways, always, kRead);
    const int assign = b.assign("o");
    b.use("o", kKindAssign, assign, kWrite);
    Module module = b.module;
    layout(module);
    // Levels 0 (child), 1 (always), 2 (assign); C = 3.
    EXPECT_EQ(module.children[0].x, 4288);
    EXPECT_EQ(module.children[0].y, 48);
    EXPECT_EQ(module.alwaysBlocks[0].x, 8384);
    EXPECT_EQ(module.alwaysBlocks[0].y, 1072);
    EXPECT_EQ(module.assigns[0].x, 12480);
    EXPECT_EQ(module.assigns[0].y, 560);
    EXPECT_EQ(module.pins[1].x, 3 * 4096 + 4276);
}

TEST_F(Placement, InoutPinStandsRightButFacesRightAndCountsAsInput) {
    ModuleBuilder b("top");
    b.pin("io", 2);
    b.pin("y", 1);
    b.use("io", kKindAssign, b.assign("p"), kRead);
    b.use("y", kKindAssign, b.assign("y"), kWrite);
    Module module = b.module;
    place(module);
    EXPECT_EQ(module.pins[0].x, 2 * 4096 + 4276);
    EXPECT_EQ(module.nets["io"].terminals[0].side, kSideRight);
    EXPECT_EQ(module.assigns[0].x, 4288);  // fed by an input net: level 0
    EXPECT_EQ(module.assigns[1].x, 8384);  // the output block drops from level 2 to 1
    EXPECT_EQ(module.assigns[1].y, 1072);
}

TEST_F(Placement, TwoOutputPinsOnOneRowAreSeparated) {
    // y1 is driven by the assign and y2 read by it: both align to row 0.
    ModuleBuilder b("top");
    b.pin("y1", 1);
    b.pin("y2", 1);
    const int assign = b.assign("y1");
    b.use("y1", kKindAssign, assign, kWrite);
    b.use("y2", kKindAssign, assign, kRead);
    Module module = b.module;
    place(module);
    EXPECT_EQ(module.pins[0].y, 64 + 16);
    EXPECT_EQ(module.pins[1].y, 64);
    EXPECT_EQ(module.nets["y1"].terminals[0].y, 80);
    EXPECT_EQ(module.nets["y2"].terminals[0].y, 64);
}

TEST_F(Placement, ModuleWithoutBlocksStillPlacesItsPins) {
    ModuleBuilder b("top");
    b.pin("a", 0);
    b.pin("b", 1);
    Module module = b.module;
    place(module);
    EXPECT_EQ(module.pins[0].x, 180);
    EXPECT_EQ(module.pins[1].x, 8372);
    EXPECT_EQ(module.nets["a"].terminals[0].x, 180);
}

// The separation rule as stated: for each pin in order, the first later pin
// with the same direction and y moves it down by 16, and with it the first
// kind-0 terminal (in nets order) that refers to it.
void separatePinsDirectly(Module& module) {
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        for (std::size_t j = i + 1; j < module.pins.size(); ++j) {
            if (module.pins[j].direction != module.pins[i].direction) continue;
            if (module.pins[j].y != module.pins[i].y) continue;
            module.pins[i].y += 16;
            bool done = false;
            for (auto& [name, net] : module.nets) {
                for (Terminal& t : net.terminals) {
                    if (done || t.kind != kKindPin || t.index != static_cast<int>(i)) continue;
                    t.y = module.pins[i].y;
                    done = true;
                }
            }
            break;
        }
    }
}

TEST(PinSeparation, IndexedWalkMatchesTheDirectRule) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        ModuleBuilder b("top");
        const int pins = 1 + static_cast<int>(random() % 40);
        for (int p = 0; p < pins; ++p) {
            b.pin("p" + std::to_string(p), static_cast<int>(random() % 4) - 1);
        }
        Module module = b.module;
        for (Pin& pin : module.pins) pin.y = 64 + 16 * static_cast<int>(random() % 6);
        // Extra pin terminals, some out of range, some pins referred to twice.
        for (int extra = 0; extra < 5; ++extra) {
            Terminal t;
            t.kind = kKindPin;
            t.index = static_cast<int>(random() % (pins + 3)) - 1;
            module.nets["p" + std::to_string(random() % pins)].terminals.push_back(t);
        }
        Module direct = module;
        separatePins(module);
        separatePinsDirectly(direct);
        for (int p = 0; p < pins; ++p) {
            ASSERT_EQ(module.pins[p].y, direct.pins[p].y) << round << " " << p;
        }
        for (const auto& [name, net] : direct.nets) {
            for (std::size_t t = 0; t < net.terminals.size(); ++t) {
                ASSERT_EQ(module.nets[name].terminals[t].y, net.terminals[t].y) << round;
            }
        }
    }
}

}  // namespace
}  // namespace corvane
