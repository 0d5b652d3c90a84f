#include "schematic/geometry_dump.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::ModuleBuilder;

TEST(GeometryDump, ListsEveryKindOfItem) {
    ModuleBuilder b("top");
    b.pin("clk", 0);
    const int always = b.always({"clk"});
    b.use("clk", kKindAlways, always, kSens);
    b.use("clk", kKindChild, b.child("m", "u1"), kRead);
    b.initial();
    Module module = b.module;
    module.alwaysBlocks[0].x = 500;
    Net& net = module.nets["clk"];
    net.route.push_back({10, 20, 30, 20, ""});
    net.route.push_back({30, 20, 30, 90, "temp-route"});
    net.touch[30 + 20 * 65536] = 2;
    SensitivityPlaces places;
    places.fit(module);
    *places.find(0, 0) = {436, 16, 24, 16};
    EXPECT_EQ(dumpGeometry(module, places),
              "module top\n"
              "pin 0 clk dir=0 x=0 y=0 w=0 h=0\n"
              "always 0 x=500 y=0 w=0 h=0\n"
              "  sens 0 clk x=436 y=16 w=24 h=16\n"
              "  port 0 clk dir=16 x=0 y=0 w=0 h=0\n"
              "child 0 x=0 y=0 w=0 h=0\n"
              "  port 0 clk dir=0 x=0 y=0 w=0 h=0\n"
              "initial 0 x=0 y=0 w=0 h=0\n"
              "net clk lw=0 color=0 route=0\n"
              "  term kind=0 index=0 port=-1 role=0 side=0 x=-1 y=0\n"
              "  term kind=4 index=0 port=0 role=16 side=0 x=-1 y=0\n"
              "  term kind=5 index=0 port=0 role=0 side=0 x=-1 y=0\n"
              "  seg 10 20 30 20\n"
              "  seg 30 20 30 90 temp-route\n"
              "  touch 1310750 count=2\n");
}

}  // namespace
}  // namespace corvane
