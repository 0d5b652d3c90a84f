// Unusual and large modules generate without a crash or hang, and the same
// input always gives the same geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "schematic/block_access.h"
#include "schematic/geometry_dump.h"
#include "schematic/schematic_dlg.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

// Generates `module` in a fresh window as a window opening without a file does.
std::string generated(const Module& module) {
    ModuleList modules;
    modules.append(module);
    CSchematicDlg window(modules, module.name, placementOnlyPasses());
    window.openWithoutFile();
    return dumpGeometry(window);
}

// A module of `blocks` blocks of all four kinds, each using a few of a pool of
// pins and wires in random roles; fixed seed, so the same every run.
Module largeModule(int blocks, unsigned seed) {
    std::mt19937 random(seed);
    ModuleBuilder b("large");
    std::vector<std::string> nets;
    for (int i = 0; i < 60; ++i) {
        nets.push_back("p" + std::to_string(i));
        b.pin(nets.back(), static_cast<int>(random() % 3), i % 4 == 0 ? 7 : -1,
              i % 4 == 0 ? 0 : -1);
    }
    for (int i = 0; i < 200; ++i) {
        nets.push_back("w" + std::to_string(i));
        b.wire(nets.back());
    }
    for (int k = 0; k < blocks; ++k) {
        const int kind = kKindAssign + static_cast<int>(random() % 4);
        int index = 0;
        if (kind == kKindAssign) index = b.assign("a" + std::to_string(k));
        if (kind == kKindChild)
            index = b.child("m" + std::to_string(k % 7), "u" + std::to_string(k));
        if (kind == kKindInitial) index = b.initial(k);
        if (kind == kKindAlways) {
            const std::string clock = nets[random() % nets.size()];
            index = b.always({clock}, k);
            b.use(clock, kind, index, kSens);
        }
        const int uses = 1 + static_cast<int>(random() % 6);
        for (int u = 0; u < uses; ++u) {
            b.use(nets[random() % nets.size()], kind, index, random() % 3 == 0 ? kWrite : kRead);
        }
    }
    return b.module;
}

Terminal strayTerminal(int kind, int index, int portIndex, int role = kRead) {
    Terminal t;
    t.kind = kind;
    t.index = index;
    t.portIndex = portIndex;
    t.role = role;
    t.x = -1;
    return t;
}

TEST(SchematicRobustness, UnusualModulesGenerate) {
    struct Case {
        const char* what;
        std::function<Module()> build;
    };
    const Case cases[] = {
        {"no blocks, no pins", [] { return ModuleBuilder("empty").module; }},
        {"no blocks",
         [] {
             ModuleBuilder b("pins");
             b.pin("a", 0);
             b.pin("b", 1);
             b.pin("c", 2);
             return b.module;
         }},
        {"blocks without ports",
         [] {
             ModuleBuilder b("bare");
             b.assign("x");
             b.always();
             b.child("m", "u");
             b.initial();
             return b.module;
         }},
        {"terminals out of range",
         [] {
             Module module = testing::oneAssignModule();
             std::vector<Terminal>& terminals = module.nets["a"].terminals;
             for (const Terminal& t :
                  {strayTerminal(kKindPin, 1000, -1), strayTerminal(kKindPin, -5, -1),
                   strayTerminal(kKindAssign, 0, 99), strayTerminal(kKindAssign, 7, 0),
                   strayTerminal(kKindAlways, 0, 0, kSens), strayTerminal(kKindChild, -1, 0),
                   strayTerminal(kKindInitial, 0, -3), strayTerminal(25, 0, 0),
                   strayTerminal(-1, 0, 0), strayTerminal(kKindReg, 3, 3)}) {
                 terminals.push_back(t);
             }
             module.nets["ghost"].terminals.push_back(strayTerminal(kKindAssign, 0, 5));
             return module;
         }},
        {"a net with 200 terminals",
         [] {
             ModuleBuilder b("wide");
             b.pin("bus", 0, 15, 0);
             b.pin("y", 1);
             for (int k = 0; k < 199; ++k) b.use("bus", kKindAssign, b.assign("x"), kRead, k, k);
             b.use("y", kKindAssign, 0, kWrite);
             return b.module;
         }},
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
    const Module module = largeModule(1000, 11);
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

TEST(SchematicRobustness, AReplacedModuleIsPickedUpByName) {
    ModuleList modules;
    modules.append(largeModule(40, 3));
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
