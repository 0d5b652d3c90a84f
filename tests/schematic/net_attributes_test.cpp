#include "schematic/net_attributes.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

TEST(BusWidth, RaisesNetsWithAMultiBitTerminal) {
    ModuleBuilder b("top");
    b.pin("data", 0, 7, 0);
    b.pin("bit", 0, 3, 3);
    b.pin("en", 0);
    b.pin("half", 0, -1, 4);
    const int assign = b.assign("x");
    b.use("en", kKindAssign, assign, kRead, 1, 0);  // a scalar pin used with a range
    Module module = b.module;
    module.nets["bit"].lineWidth = 1;
    module.nets["data"].lineWidth = 5;  // never lowered
    applyBusWidths(module);
    EXPECT_EQ(module.nets["data"].lineWidth, 5);
    EXPECT_EQ(module.nets["bit"].lineWidth, 1);
    EXPECT_EQ(module.nets["en"].lineWidth, 3);
    EXPECT_EQ(module.nets["half"].lineWidth, 0);
}

TEST(ClockNets, Candidates) {
    struct Case {
        const char* name;
        bool candidate;
    };
    const Case cases[] = {
        {"c", true},       {"Ck_fast", true}, {"sys_clk", true}, {"main_clock", true},
        {"xCLK", true},    {"aCLOCKb", true}, {"data", false},   {"ck", true},
        {"sysClk", false}, {"", false},       {"bclock", true},  {"pclkx", true},
    };
    for (const Case& c : cases) EXPECT_EQ(isClockCandidate(c.name), c.candidate) << c.name;
}

class ClockHighlight : public ::testing::Test {
protected:
    void SetUp() override {
        ModuleBuilder b("top");
        b.pin("clk", 0);
        b.pin("clk_div", 0);
        b.pin("clock_rst", 0);
        b.pin("cen", 0);
        b.pin("data", 0);
        b.pin("clk_reset", 0);
        const int always = b.always({"clk", "clock_rst", "data", "clk_reset"});
        b.use("clk", kKindAlways, always, kSens);
        b.use("clk_reset", kKindAlways, always, kSens);
        b.use("clock_rst", kKindAlways, always, kSens);
        b.use("data", kKindAlways, always, kSens);
        const int assign = b.assign("x");
        b.use("clk_div", kKindAssign, assign, kRead);
        const int initial = b.initial();
        b.use("cen", kKindInitial, initial, kWrite);
        module = b.module;
        for (auto& [name, net] : module.nets) {
            net.lineWidth = 3;
            net.color = 0x123456;
        }
    }
    Module module;
};

TEST_F(ClockHighlight, ColoursClockNetsOnly) {
    highlightClockNets(module, 1);
    EXPECT_EQ(module.nets["clk"].color, kClockColor);
    EXPECT_EQ(module.nets["clk"].lineWidth, 1);
    EXPECT_EQ(module.nets["cen"].color, kClockColor);  // written by an initial block
    // clk_div feeds only an assign; clock_rst and clk_reset name a reset; data is no candidate.
    for (const char* other : {"clk_div", "clock_rst", "clk_reset", "data"}) {
        EXPECT_EQ(module.nets[other].color, 0x123456) << other;
        EXPECT_EQ(module.nets[other].lineWidth, 3) << other;
    }
}

TEST_F(ClockHighlight, FlagOffStillSetsWidthOneAndColourZero) {
    highlightClockNets(module, 0);
    EXPECT_EQ(module.nets["clk"].color, 0);
    EXPECT_EQ(module.nets["clk"].lineWidth, 1);
    EXPECT_EQ(module.nets["data"].color, 0x123456);
}

}  // namespace
}  // namespace corvane
