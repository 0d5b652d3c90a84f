// The whole clean-up sequence: pass order and progress texts, what it leaves
// of router-like routes, determinism, and odd or large input.
#include "schematic/route_cleanup.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "schematic/canvas_size.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/cleanup_support.h"
#include "schematic/geometry_dump.h"
#include "schematic/schematic_dlg.h"
#include "schematic_test_support.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::seg;
using testing::text;

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::largeModule;
using testing::ModuleBuilder;

// A stand-in for the router, so the clean-up is tested on its own: each pair
// of placed terminals in chain order is joined through a column halfway
// between them, and, as the router's output has, the pieces come doubled and
// with zero-length points at the turns.
void standInRoute(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (net.needsRouting == 0) continue;
        net.route.clear();
        net.touch.clear();
        const Terminal* previous = nullptr;
        for (const Terminal& t : net.terminals) {
            if (t.x <= 0 || t.y <= 0) continue;
            if (previous) {
                const Terminal& a = previous->x <= t.x ? *previous : t;
                const Terminal& b = previous->x <= t.x ? t : *previous;
                const int column = (a.x + b.x) / 2 / 8 * 8;
                net.route.push_back(seg(a.x, a.y, column, a.y));
                net.route.push_back(seg(column, a.y, column, a.y));
                net.route.push_back(seg(column, std::min(a.y, b.y), column, std::max(a.y, b.y)));
                net.route.push_back(seg(column, std::min(a.y, b.y), column, std::max(a.y, b.y)));
                net.route.push_back(seg(column, b.y, b.x, b.y));
            }
            previous = &t;
        }
    }
}

class CleanupPasses final : public SchematicPasses {
public:
    void route(SchematicLayoutContext& layout) const override { standInRoute(layout.module); }
    void cleanUp(SchematicLayoutContext& layout, bool compaction) const override {
        cleanUpRoutes(layout, compaction);
    }
    void routingSharpen(SchematicLayoutContext& layout, int mode) const override {
        corvane::routingSharpen(layout, mode);
    }
    void checkJunctions(SchematicLayoutContext& layout) const override {
        corvane::checkJunctions(layout.module);
    }
};

// The clean-up and one sharpen pass over `module` with the window's layout context.
void cleanUpRoutes(CSchematicDlg& window, Module& module, bool compaction) {
    SchematicLayoutContext layout = window.layoutContext(module);
    cleanUpRoutes(layout, compaction);
}
void routingSharpen(CSchematicDlg& window, Module& module, int mode) {
    SchematicLayoutContext layout = window.layoutContext(module);
    routingSharpen(layout, mode);
}

const CleanupPasses kPasses;

class RouteCleanup : public ::testing::Test {
protected:
    CSchematicDlg& open(const Module& module) {
        modules.append(module);
        window = std::make_unique<CSchematicDlg>(modules, module.name, kPasses);
        window->setProgressSink(progress);
        return *window;
    }
    Module& module() { return *window->findModule(); }

    ModuleList modules;
    RecordingProgressSink progress;
    std::unique_ptr<CSchematicDlg> window;
};

// Pins a (input) at (100, 40) and y (output) at (300, 40) on one net.
Module twoPins() {
    ModuleBuilder b("top");
    b.pin("a", 0);
    b.pin("y", 1);
    b.module.pins[0].x = 100, b.module.pins[0].y = 40;
    b.module.pins[1].x = 300, b.module.pins[1].y = 40;
    Net& net = b.module.nets["a"];
    Terminal t = b.module.nets["y"].terminals[0];
    t.x = 300, t.y = 40;
    net.terminals[0].x = 100, net.terminals[0].y = 40;
    net.terminals.push_back(t);
    b.module.nets.erase("y");
    return b.module;
}

TEST_F(RouteCleanup, PassesRunInTheirOrderWithTheirProgressTexts) {
    std::vector<std::string> names;
    for (const CleanupPass& pass : cleanupPasses()) names.push_back(pass.name);
    EXPECT_EQ(names, (std::vector<std::string>{
                         "RoutingSharpen(0)", "RoutingSharpen(1)", "RoutingSharpen(2)",
                         "RoutingSharpen(3)", "DeleteThinCurve_Horz", "UniteDoubleRoute",
                         "DeleteThinCurve_Vert", "UniteDoubleRoute", "RoutingCutSuite",
                         "CutSimpleSuite", "RoutingCutSuite", "UniteDoubleRoute, RoutingSharpen(3)",
                         "Compaction", "DeleteEachGloveRoute_Horz"}));
    const std::vector<std::string> texts = {
        "Z:\\dummy\\RoutingSharpen(0)...",        "Z:\\dummy\\RoutingSharpen(1)...",
        "Z:\\dummy\\RoutingSharpen(2)...",        "Z:\\dummy\\RoutingSharpen(3)...",
        "Z:\\dummy\\DeleteThinCurve_Horz...",     "Z:\\dummy\\UniteDoubleRoute(Horz)...",
        "Z:\\dummy\\DeleteThinCurve_Vert...",     "Z:\\dummy\\UniteDoubleRoute(Vert)...",
        "Z:\\dummy\\RoutingCutSuite...",          "Z:\\dummy\\CutSimpleSuite...",
        "Z:\\dummy\\RoutingCutSuite(2)...",       "Z:\\dummy\\UniteDoubleRoute(3)...",
        "Z:\\dummy\\DeleteEachGloveRoute_Horz..."};
    Module pins = twoPins();
    pins.nets["b"];
    CSchematicDlg& dlg = open(pins);
    for (bool compaction : {false, true}) {
        progress = RecordingProgressSink();
        cleanUpRoutes(dlg, module(), compaction);
        EXPECT_EQ(progress.files, texts);
        // RoutingSharpen(0); RoutingSharpen(3); the column fold's rounds and
        // reset; CutSimpleSuite per net; RoutingSharpen(3) again.
        EXPECT_EQ(progress.values, (std::vector<int>{25, 75, 25, 50, 75, 0, 0, 0, 50, 25, 50, 75}));
        // RoutingSharpen(3) twice, CutSimpleSuite, and the end of the sequence.
        EXPECT_EQ(progress.hides, 4);
    }
}

TEST_F(RouteCleanup, ARouterJogBecomesOneStraightWire) {
    Module pins = twoPins();
    Net& net = pins.nets["a"];
    net.route = {seg(100, 40, 192, 40), seg(192, 40, 192, 40), seg(192, 40, 300, 40)};
    net.needsRouting = 1;
    net.touch[junctionKey(192, 40)] = 2;
    CSchematicDlg& dlg = open(pins);
    dlg.setCanvasSize({1, 1});
    cleanUpRoutes(dlg, module(), false);
    EXPECT_EQ(text(module().nets["a"].route), "100,40-300,40 ");
    EXPECT_TRUE(module().nets["a"].touch.empty());
    EXPECT_EQ(module().nets["a"].needsRouting, 0);
    EXPECT_EQ(dlg.canvasSize(), canvasAfterCleanup(module()));
}

TEST_F(RouteCleanup, CompactsOnlyWhenAsked) {
    for (bool compaction : {false, true}) {
        modules.clear();
        CSchematicDlg& dlg = open(testing::oneAssignModule());
        dlg.generate();  // compacts
        Module& placed = module();
        const int pinX = placed.pins[0].x;  // the input pin, left of everything
        // Spread the drawing apart again, without wires in between, then clean up.
        for (auto& [name, net] : placed.nets) net.route.clear();
        placed.pins[1].x += 4000;
        for (Assign& block : placed.assigns) {
            block.x += 4000;
            for (Pin& port : block.ports) port.x += 4000;
        }
        cleanUpRoutes(dlg, placed, compaction);
        const Assign& block = placed.assigns[0];
        EXPECT_EQ(block.x - block.width / 2 - pinX == 288, compaction);
    }
}

// Every segment is horizontal or vertical.
void expectStraight(const Module& module, const std::string& what) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            EXPECT_TRUE(isHorizontal(s) || isVertical(s)) << what << " net " << name;
        }
    }
}

std::string openedDump(const Module& module, const SchematicPasses& passes = kPasses) {
    ModuleList modules;
    modules.append(module);
    CSchematicDlg window(modules, module.name, passes);
    window.openWithoutFile();
    expectStraight(*window.findModule(), module.name);
    return dumpGeometry(window);
}

TEST(RouteCleanupGeneration, StraightAndRepeatable) {
    const Module module = largeModule(60, 5, false);
    const std::string first = openedDump(module);
    EXPECT_EQ(openedDump(module), first);
    EXPECT_NE(first.find("seg "), std::string::npos);
    EXPECT_NE(first.find("touch "), std::string::npos);
}

// The same on what the router itself lays.
TEST(RouteCleanupGeneration, RouterOutputCleansUpStraightAndRepeatably) {
    for (const Module& module : {testing::oneAssignModule(), largeModule(120, 5, false),
                                 testing::wideNetModule(), largeModule(1000, 11, false)}) {
        const std::string first = openedDump(module, standardSchematicPasses());
        EXPECT_EQ(openedDump(module, standardSchematicPasses()), first) << module.name;
        EXPECT_NE(first.find("seg "), std::string::npos) << module.name;
    }
}

TEST(RouteCleanupGeneration, OddAndLargeInputCleansUpWithoutHarm) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
    };
    const Case cases[] = {
        {"no segments", {}},
        {"zero-length segments only", {seg(5, 5, 5, 5), seg(5, 5, 5, 5), seg(0, 0, 0, 0)}},
        {"diagonal segments",
         {seg(0, 0, 100, 100), seg(100, 100, 200, 50), seg(100, 100, 100, 300)}},
        {"extreme coordinates",
         {seg(INT_MIN, INT_MAX, INT_MAX, INT_MAX), seg(INT_MAX, INT_MIN, INT_MAX, INT_MAX),
          seg(INT_MIN, INT_MIN, INT_MIN, INT_MIN), seg(-1, -1024, -1, -1)}},
        {"hand-routing guides", {Segment{65536, 40, 70000, 40, "temp-route"}, seg(10, 40, 90, 40)}},
    };
    for (const Case& c : cases) {
        for (bool compaction : {false, true}) {
            Module module = twoPins();
            module.nets["a"].route = c.route;
            module.nets["a"].touch = {{INT_MIN, 2}, {-1, 5}, {INT_MAX, 0}};
            module.nets["a"].needsRouting = 1;
            ModuleList modules;
            modules.append(module);
            CSchematicDlg window(modules, "top", kPasses);
            cleanUpRoutes(window, *window.findModule(), compaction);
            checkJunctions(*window.findModule());
            for (int mode = -1; mode <= 4; ++mode) {
                routingSharpen(window, *window.findModule(), mode);
            }
        }
    }
    ModuleBuilder wide("wide");
    wide.pin("bus", 0, 15, 0);
    for (int k = 0; k < 199; ++k) wide.use("bus", kKindAssign, wide.assign("x"), kRead, k, k);
    EXPECT_NE(openedDump(wide.module).find("seg "), std::string::npos);
    EXPECT_NE(openedDump(largeModule(1000, 11, false)).find("seg "), std::string::npos);
}

// Random pieces anywhere, including far outside any canvas, between random
// pins and blocks: the passes only ever move an end along its piece, so what
// starts horizontal or vertical stays so, whatever the input.
TEST(RouteCleanupGeneration, RandomRoutesStayStraight) {
    std::mt19937 random(3);
    const auto coordinate = [&random]() -> int {
        switch (random() % 4) {
            case 0:
                return static_cast<int>(random());  // anything at all
            case 1:
                return static_cast<int>(random() % 64) * 8 - 64;
            default:
                return static_cast<int>(random() % 16) * 32;
        }
    };
    for (int round = 0; round < 150; ++round) {
        Module module = twoPins();
        for (int i = 0; i < 3; ++i) {
            Assign block;
            block.x = coordinate(), block.y = coordinate();
            block.width = static_cast<int>(random() % 200), block.height = 32;
            module.assigns.push_back(block);
        }
        for (int n = 0; n < 4; ++n) {
            Net& net = module.nets["n" + std::to_string(n)];
            net.needsRouting = static_cast<int>(random() % 2);
            for (int i = 0; i < 30; ++i) {
                const int a = coordinate(), b = coordinate(), c = coordinate();
                net.route.push_back(random() % 2 ? seg(a, c, b, c) : seg(c, a, c, b));
                Terminal t;
                t.kind = static_cast<int>(random() % 8);
                t.index = static_cast<int>(random() % 4) - 1;
                t.x = a, t.y = c;
                if (random() % 3 == 0) net.terminals.push_back(t);
            }
            net.touch[static_cast<int>(random())] = 2;
        }
        ModuleList modules;
        modules.append(module);
        CSchematicDlg window(modules, "top", kPasses);
        Module& cleaned = *window.findModule();
        cleanUpRoutes(window, cleaned, round % 2 == 0);
        checkJunctions(cleaned);
        expectStraight(cleaned, "round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace corvane
