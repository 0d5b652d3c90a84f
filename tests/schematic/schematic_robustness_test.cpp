// Unusual and large modules generate without a crash or hang, and the same
// input always gives the same geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <random>

#include "../../bench/support/schematic_module_generator.h"
#include "schematic/block_access.h"
#include "schematic/cleanup_support.h"
#include "schematic/geometry_dump.h"
#include "schematic/place_terminals.h"
#include "schematic/placement.h"
#include "schematic/routing.h"
#include "schematic/schematic_dlg.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::largeModule;
using testing::ModuleBuilder;

// Generates `module` in a fresh window as a window opening without a file does.
std::string generated(const Module& module) {
    ModuleList modules;
    modules.append(module);
    CSchematicDlg window(modules, module.name, placementOnlyPasses());
    window.openWithoutFile();
    return dumpGeometry(window);
}

TEST(SchematicRobustness, UnusualModulesGenerate) {
    struct Case {
        const char* what;
        std::function<Module()> build;
    };
    const Case cases[] = {
        {"no blocks, no pins", [] { return ModuleBuilder("empty").module; }},
        {"no blocks", [] { return testing::pinsOnlyModule(); }},
        {"blocks without ports", [] { return testing::portlessBlocksModule(); }},
        {"terminals out of range", [] { return testing::strayTerminalsModule(false); }},
        {"a net with 200 terminals", [] { return testing::wideNetModule(); }},
    };
    for (const Case& c : cases) {
        const Module module = c.build();
        const std::string first = generated(module);
        EXPECT_EQ(generated(module), first) << c.what;
        EXPECT_NE(first.find("module "), std::string::npos) << c.what;
    }
}

// Blocks of one column, sorted by top, stand at least the arrangement gap apart.
void expectColumnsKeepTheirGaps(const Module& module) {
    std::map<int, std::vector<std::pair<int, int>>> columns;  // x -> (top, bottom)
    forEachBlock(module, [&columns](int, int, const auto& block) {
        columns[block.x].push_back({block.y, block.y + block.height});
    });
    EXPECT_LE(columns.size(), 3u);
    for (auto& [x, spans] : columns) {
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 1; i < spans.size(); ++i) {
            ASSERT_GE(spans[i].first - spans[i - 1].second, 4096) << "column " << x;
        }
    }
}

TEST(SchematicRobustness, ThousandBlocksPlaceInColumns) {
    const Module module = largeModule(1000, 11, true);
    ModuleList modules;
    modules.append(module);
    CSchematicDlg window(modules, module.name, placementOnlyPasses());
    window.openWithoutFile();
    const Module& placed = *window.findModule();
    expectColumnsKeepTheirGaps(placed);
    // After opening, every drawable terminal holds its (positive) point.
    for (const auto& [name, net] : placed.nets) {
        for (const Terminal& t : net.terminals) {
            Point point;
            if (!referencedPoint(placed, window.sensitivity(), t, point)) continue;
            EXPECT_EQ(t.x, point.x);
            EXPECT_EQ(t.y, point.y);
        }
    }
    EXPECT_EQ(generated(module), dumpGeometry(window));
}

// Whether two straight segments share a point (junctions are drawn wherever
// wires of one net meet, crossings included).
bool meet(const Segment& a, const Segment& b) {
    return std::max(lowX(a), lowX(b)) <= std::min(highX(a), highX(b)) &&
           std::max(lowY(a), lowY(b)) <= std::min(highY(a), highY(b));
}

// The nets of `module` whose routed terminals are not all joined through the
// net's segments. A routed terminal is one with a drawable point above 0.
std::vector<std::string> disconnectedNets(const Module& module,
                                          const SensitivityPlaces& sensitivity) {
    std::vector<std::string> broken;
    for (const auto& [name, net] : module.nets) {
        std::vector<Segment> pieces = net.route;
        std::size_t routed = 0;
        for (const Terminal& t : net.terminals) {
            if (!refersToDrawable(module, sensitivity, t) || t.x <= 0 || t.y <= 0) continue;
            pieces.push_back(Segment{t.x, t.y, t.x, t.y, {}});
            ++routed;
        }
        if (routed < 2) continue;
        std::vector<std::size_t> group(pieces.size());
        std::iota(group.begin(), group.end(), 0);
        const std::function<std::size_t(std::size_t)> root = [&](std::size_t i) {
            return group[i] == i ? i : group[i] = root(group[i]);
        };
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            for (std::size_t j = i + 1; j < pieces.size(); ++j) {
                if (meet(pieces[i], pieces[j])) group[root(i)] = root(j);
            }
        }
        const std::size_t first = root(net.route.size());
        for (std::size_t i = net.route.size() + 1; i < pieces.size(); ++i) {
            if (root(i) != first) {
                broken.push_back(name);
                break;
            }
        }
    }
    return broken;
}

TEST(SchematicRobustness, EveryRoutedNetStaysConnected) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        const Module module = largeModule(800, seed, true);
        ModuleList modules;
        modules.append(module);
        CSchematicDlg window(modules, module.name, standardSchematicPasses());
        window.openWithoutFile();
        EXPECT_EQ(disconnectedNets(*window.findModule(), window.sensitivity()),
                  std::vector<std::string>{})
            << "seed " << seed;
    }
}

// Straight after routing, before any clean-up pass could mend or hide a gap,
// every net of the benchmark's generated modules joins all its terminals.
// (Seed 3 at 800 blocks has a net whose route once ended on its own stub.)
TEST(SchematicRobustness, EveryNetIsConnectedStraightAfterRouting) {
    for (unsigned seed : {3u, 7u}) {
        for (int blocks : {50, 200, 800}) {
            const Module module = bench::GeneratedModuleBuilder(seed).build(blocks);
            ModuleList modules;
            modules.append(module);
            CSchematicDlg window(modules, module.name, placementOnlyPasses());
            Module& placed = *window.findModule();
            layoutFromScratch(placed, window.sensitivity(), window.textMeasure(),
                              kArrangementInterval);
            placeTerminals(placed, window.sensitivity());
            for (auto& [name, net] : placed.nets) net.needsRouting = 1;
            routeSchematic(window, placed);
            EXPECT_EQ(disconnectedNets(placed, window.sensitivity()), std::vector<std::string>{})
                << "seed " << seed << ", " << blocks << " blocks";
        }
    }
}

TEST(SchematicRobustness, AReplacedModuleIsPickedUpByName) {
    ModuleList modules;
    modules.append(largeModule(40, 3, true));
    CSchematicDlg window(modules, "large", placementOnlyPasses());
    window.openWithoutFile();
    // Re-analysis replaces the module with one of another shape.
    modules.clear();
    ModuleBuilder b("large");
    b.pin("clk", 0);
    const int always = b.always({"clk", "clk", "clk"});
    b.use("clk", kKindAlways, always, kSens);
    modules.append(b.module);
    window.generate();
    ASSERT_EQ(window.sensitivity().blockCount(), 1u);
    EXPECT_EQ(window.sensitivity().entriesOf(0).size(), 3u);
    EXPECT_GT(window.sensitivity().find(0, 2)->y, window.sensitivity().find(0, 1)->y);
}

}  // namespace
}  // namespace corvane
