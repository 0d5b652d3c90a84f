// The routing pass on hand-placed fixtures whose routes are worked out by
// hand, and on placed modules for robustness and repeatability.
#include "schematic/routing.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <random>

#include "schematic/block_access.h"
#include "schematic/geometry_dump.h"
#include "schematic/place_terminals.h"
#include "schematic/placement.h"
#include "schematic/routing_pass.h"
#include "schematic/schematic_dlg.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

using Route = std::vector<std::vector<int>>;

Route routeOf(const Net& net) {
    return testing::corners(net.route);
}

// ---- Hand-placed fixtures ------------------------------------------------

// A terminal standing on (x, y) and facing `side`, referring to object
// `index` of `kind` (port `port` of a block).
Terminal at(int kind, int index, int port, int x, int y, int side) {
    Terminal t;
    t.kind = kind;
    t.index = index;
    t.portIndex = port;
    t.x = x;
    t.y = y;
    t.side = side;
    return t;
}

Terminal pinAt(int pin, int x, int y, int side) {
    return at(kKindPin, pin, -1, x, y, side);
}

Terminal sensitivityAt(int block, int entry, int x, int y) {
    Terminal t = at(kKindAlways, block, entry, x, y, 0);
    t.role = kSens;
    return t;
}

// A module with `pins` module pins and `assigns` assign blocks, each block with
// one port; blocks are placed with setBlock.
Module fixture(int pins, int assigns = 0) {
    ModuleBuilder b("top");
    for (int i = 0; i < pins; ++i) b.pin("p" + std::to_string(i), 0);
    for (int i = 0; i < assigns; ++i)
        b.use("q" + std::to_string(i), kKindAssign, b.assign("a"), kRead);
    Module module = b.module;
    module.nets.clear();
    return module;
}

// Block `index` with its centre at x, top at y, 128 wide and 64 high.
void setBlock(Module& module, int index, int x, int y) {
    Assign& block = module.assigns.at(static_cast<std::size_t>(index));
    block.x = x, block.y = y, block.width = 128, block.height = 64;
}

void addNet(Module& module, const std::string& name, std::vector<Terminal> terminals) {
    Net& net = module.nets[name];
    net.terminals = std::move(terminals);
    net.needsRouting = 1;
}

// A module in a window of its own, routed as the window's passes route it.
class Routed {
public:
    explicit Routed(const Module& module, OccupancyIndexing indexing = OccupancyIndexing::kIndexed)
        : indexing_(indexing) {
        modules_.append(module);
        window_ = std::make_unique<CSchematicDlg>(modules_, module.name, placementOnlyPasses());
        module_ = window_->findModule();
    }

    Module& module() { return *module_; }
    CSchematicDlg& window() { return *window_; }

    // Layout from scratch and place terminals, as generation does before routing.
    Routed& place() {
        layoutFromScratch(*module_, window_->sensitivity(), window_->textMeasure(),
                          kArrangementInterval);
        placeTerminals(*module_, window_->sensitivity());
        for (auto& [name, net] : module_->nets) net.needsRouting = 1;
        return *this;
    }
    Routed& route() {
        SchematicLayoutContext layout = window_->layoutContext(*module_);
        routeSchematic(layout, indexing_);
        return *this;
    }
    Route routeOf(const std::string& net) { return corvane::routeOf(module_->nets.at(net)); }
    std::string dump() { return dumpGeometry(*window_); }

private:
    ModuleList modules_;
    std::unique_ptr<CSchematicDlg> window_;
    Module* module_ = nullptr;
    OccupancyIndexing indexing_;
};

Route routed(const Module& module, const std::string& net) {
    Routed r(module);
    return r.route().routeOf(net);
}

TEST(RoutingPass, FacingPinsJogThroughTheMiddle) {
    // An input pin (facing right) straight to an output pin (facing left):
    // g = trunc8(300) - 8 = 288, h = trunc8((100 + 288) / 2) = 192.
    Module module = fixture(2);
    addNet(module, "n", {pinAt(0, 100, 40, 1), pinAt(1, 300, 40, 0)});
    EXPECT_EQ(routed(module, "n"),
              (Route{{100, 40, 192, 40}, {192, 40, 192, 40}, {192, 40, 300, 40}}));
}

TEST(RoutingPass, ATakenMiddleColumnMovesTheJogAside) {
    // Net m, routed first, runs down column 192 from row 24 to row 56; net n
    // finds 192 taken at row 40 and takes the next candidate, 184.
    Module module = fixture(4);
    addNet(module, "m", {pinAt(0, 100, 24, 1), pinAt(1, 300, 56, 0)});
    addNet(module, "n", {pinAt(2, 100, 40, 1), pinAt(3, 300, 40, 0)});
    Routed r(module);
    r.route();
    EXPECT_EQ(r.routeOf("m"), (Route{{100, 24, 192, 24}, {192, 24, 192, 56}, {192, 56, 300, 56}}));
    EXPECT_EQ(r.routeOf("n"), (Route{{100, 40, 184, 40}, {184, 40, 184, 40}, {184, 40, 300, 40}}));
}

TEST(RoutingPass, FourSideCases) {
    // Block 1 spans x 136..264 and block 0 x 336..464, both y 112..176; the
    // half widest block is 64. L is the left end of each pair.
    struct Case {
        const char* what;
        std::vector<Terminal> chain;
        Route expected;
    };
    const Terminal pinRight = pinAt(0, 100, 160, 1);  // an input pin faces right
    const Terminal pinLeft = pinAt(1, 800, 160, 0);   // an output pin faces left
    const Terminal block0In = at(kKindAssign, 0, 0, 336, 144, 0);
    const Terminal block0Out = at(kKindAssign, 0, 0, 464, 128, 1);
    const Terminal block1In = at(kKindAssign, 1, 0, 136, 128, 0);
    const Case cases[] = {
        {"L right, R left: block 1 stops the ray at 136, the jog (h = 112) climbs to its "
         "top, the route runs along it to R's column and down",
         {pinRight, block0In},
         {{100, 160, 112, 160}, {112, 112, 112, 160}, {112, 112, 336, 112}, {336, 112, 336, 144}}},
        {"both right: R's stub runs out to trunc8(464 + 64) + 16 = 544 and below its "
         "block to 176 + 16; L is routed to the stub's end",
         {pinRight, block0Out},
         {{464, 128, 544, 128},
          {544, 128, 544, 192},
          {100, 160, 112, 160},
          {112, 160, 112, 192},
          {112, 192, 544, 192}}},
        {"L left, R right: R's stub ends above its block at 112 - 24; L's stub runs out "
         "to trunc8(136 - 64) - 8 = 64 and up to that row; then across",
         {block1In, block0Out},
         {{464, 128, 544, 128},
          {544, 88, 544, 128},
          {64, 128, 136, 128},
          {64, 88, 64, 128},
          {64, 88, 544, 88}}},
        {"both left: L's stub ends below its block at 176 + 16; the forced jog at 424 "
         "meets block 0 and stays level, then the route runs to R's column and up",
         {block1In, pinLeft},
         {{64, 128, 136, 128},
          {64, 128, 64, 192},
          {64, 192, 424, 192},
          {424, 192, 424, 192},
          {424, 192, 800, 192},
          {800, 160, 800, 192}}},
    };
    for (const Case& c : cases) {
        Module module = fixture(2, 2);
        setBlock(module, 0, 400, 112);
        setBlock(module, 1, 200, 112);
        addNet(module, "n", c.chain);
        EXPECT_EQ(routed(module, "n"), c.expected) << c.what;
    }
}

TEST(RoutingPass, ANetIsAChainInTerminalOrder) {
    // Output port of block 0, then input ports A (block 1) and B (block 2):
    // output to A, then A to B, whose left stub reuses the net's own column
    // of the first connection (592, right of block 0's edge 464).
    Module module = fixture(0, 3);
    setBlock(module, 0, 400, 112);
    setBlock(module, 1, 800, 112);
    setBlock(module, 2, 1200, 112);
    addNet(module, "n",
           {at(kKindAssign, 0, 0, 464, 128, 1), at(kKindAssign, 1, 0, 736, 128, 0),
            at(kKindAssign, 2, 0, 1136, 144, 0)});
    EXPECT_EQ(routed(module, "n"),
              (Route{// output to A: h = trunc8((464 + 728) / 2) = 592
                     {464, 128, 592, 128},
                     {592, 128, 592, 128},
                     {592, 128, 736, 128},
                     // A to B, both facing left: A's left stub in column 592, down
                     // below block 1; the jog at trunc8((592 + 1128) / 2) = 856
                     // meets block 1's bottom and stays level
                     {592, 128, 736, 128},
                     {592, 128, 592, 192},
                     {592, 192, 856, 192},
                     {856, 192, 856, 192},
                     {856, 192, 1136, 192},
                     {1136, 144, 1136, 192}}));
}

TEST(RoutingPass, TerminalsWithoutAPlaceAreLeftOutOfTheChain) {
    struct Case {
        const char* what;
        Terminal stray;
    };
    const Case cases[] = {
        {"y = 0", pinAt(2, 200, 0, 1)},
        {"x = 0", pinAt(2, 0, 80, 1)},
        {"negative x", pinAt(2, -40, 80, 0)},
        {"pin index out of range, stale point", pinAt(7, 200, 80, 1)},
        {"negative index, stale point", pinAt(-1, 200, 80, 1)},
        {"block port out of range, stale point", at(kKindAssign, 0, 5, 200, 80, 1)},
        {"a wire declaration", at(kKindWire, 0, -1, 200, 80, 1)},
        {"block port of a missing block", at(kKindAlways, 3, 0, 200, 80, 0)},
        {"sensitivity entry out of range", sensitivityAt(0, 4, 200, 80)},
    };
    const Route direct{{100, 40, 192, 40}, {192, 40, 192, 40}, {192, 40, 300, 40}};
    for (const Case& c : cases) {
        Module module = fixture(3, 1);
        module.alwaysBlocks.emplace_back().sensitivity.resize(2);
        addNet(module, "n", {pinAt(0, 100, 40, 1), c.stray, pinAt(1, 300, 40, 0)});
        EXPECT_EQ(routed(module, "n"), direct) << c.what;
    }
}

TEST(RoutingPass, OnlyFlaggedNetsAreRoutedAndTheirFlagsStay) {
    Module module = fixture(4, 1);
    addNet(module, "flagged", {pinAt(0, 100, 40, 1), pinAt(1, 300, 40, 0)});
    addNet(module, "kept", {pinAt(2, 100, 80, 1), pinAt(3, 300, 80, 0)});
    addNet(module, "single", {pinAt(2, 100, 120, 1)});
    for (const char* name : {"flagged", "kept", "single"}) {
        module.nets[name].route = {{1, 2, 1, 9, ""}};
        module.nets[name].touch[7] = 2;
    }
    module.nets["kept"].needsRouting = 0;
    // A block that writes the net from an always block with side 0 faces right
    // in a routed net, and keeps its side in a net that is not routed.
    Terminal write = at(kKindAlways, 0, 0, -1, 0, 0);
    write.role = kWrite;
    module.nets["flagged"].terminals.push_back(write);
    module.nets["kept"].terminals.push_back(write);

    Routed r(module);
    r.route();
    const Net& flagged = r.module().nets.at("flagged");
    EXPECT_EQ(flagged.route.size(), 3u);
    EXPECT_TRUE(flagged.touch.empty());
    EXPECT_EQ(flagged.needsRouting, 1);
    EXPECT_EQ(flagged.terminals.back().side, 1);
    const Net& kept = r.module().nets.at("kept");
    EXPECT_EQ(routeOf(kept), (Route{{1, 2, 1, 9}}));
    EXPECT_EQ(kept.touch.size(), 1u);
    EXPECT_EQ(kept.terminals.back().side, 0);
    const Net& single = r.module().nets.at("single");
    EXPECT_TRUE(single.route.empty());
    EXPECT_TRUE(single.touch.empty());
}

TEST(RoutingPass, ReportsProgressAndLeavesTheListsEmpty) {
    Module module = fixture(2, 2);
    setBlock(module, 0, 400, 112);
    module.assigns[1].width = 301;
    addNet(module, "a", {pinAt(0, 100, 40, 1), pinAt(1, 300, 40, 0)});
    addNet(module, "b", {});
    addNet(module, "c", {pinAt(0, 100, 60, 1), pinAt(1, 300, 60, 0)});
    Routed r(module);
    RecordingProgressSink progress;
    r.window().setProgressSink(progress);
    r.window().occupancy().vertical.push_back({1, 2, 3, 4});
    r.route();
    EXPECT_EQ(progress.files, std::vector<std::string>{"Z:\\dummy\\Routing..."});
    EXPECT_EQ(progress.values, (std::vector<int>{0, 33, 66}));
    EXPECT_EQ(progress.hides, 1);
    EXPECT_TRUE(r.window().occupancy().vertical.empty());
    EXPECT_TRUE(r.window().occupancy().horizontal.empty());
    EXPECT_EQ(r.window().halfWidestBlock(), 150);
}

TEST(RoutingPass, LeavesAModuleThatIsNotTheWindowsAlone) {
    Module module = fixture(2);
    addNet(module, "n", {pinAt(0, 100, 40, 1), pinAt(1, 300, 40, 0)});
    module.nets["n"].route = {{1, 2, 1, 9, ""}};
    ModuleList modules;  // the window's module is gone
    CSchematicDlg window(modules, "top", placementOnlyPasses());
    RecordingProgressSink progress;
    window.setProgressSink(progress);
    routeSchematic(window, module);
    EXPECT_EQ(routeOf(module.nets["n"]), (Route{{1, 2, 1, 9}}));
    EXPECT_TRUE(progress.files.empty());
}

// ---- Placed modules -------------------------------------------------------

// A module of `blocks` blocks of all four kinds and as many nets, most with 2
// to 5 terminals and one in eight with up to 100; a tenth of the nets end on
// module pins. Fixed seed, so the same module every run.
Module generatedModule(int blocks, unsigned seed) {
    std::mt19937 random(seed);
    ModuleBuilder b("gen");
    std::vector<std::pair<int, int>> placed;  // kind, index
    for (int k = 0; k < blocks; ++k) {
        const int kind = kKindAssign + static_cast<int>(random() % 4);
        int index = 0;
        if (kind == kKindAssign) index = b.assign("a" + std::to_string(k));
        if (kind == kKindAlways) index = b.always({"clk"}, k);
        if (kind == kKindChild) index = b.child("m", "u" + std::to_string(k));
        if (kind == kKindInitial) index = b.initial(k);
        if (kind == kKindAlways) b.use("clk", kind, index, kSens);
        placed.push_back({kind, index});
    }
    for (int i = 0; blocks > 0 && i < blocks; ++i) {
        const std::string name = "n" + std::to_string(i);
        const bool pin = i % 10 == 0;
        if (pin) b.pin(name, static_cast<int>(random() % 3));
        const int size = random() % 8 == 0 ? 2 + static_cast<int>(random() % 99)
                                           : 2 + static_cast<int>(random() % 4);
        for (int t = pin ? 1 : 0; t < size; ++t) {
            const auto [kind, index] = placed[random() % placed.size()];
            b.use(name, kind, index, random() % 3 == 0 ? kWrite : kRead);
        }
    }
    return b.module;
}

// Moves every block (with its ports and sensitivity entries) to a random spot
// in a square of `cells` x `cells` grid cells of 16, so blocks overlap and
// routes meet every kind of obstacle; pins are scattered on both sides.
void scatter(Routed& r, int cells, unsigned seed) {
    std::mt19937 random(seed);
    Module& module = r.module();
    forEachBlock(module, [&](int kind, int index, auto& block) {
        const int dx = static_cast<int>(random() % cells) * 16 + 400 - block.x;
        const int dy = static_cast<int>(random() % cells) * 16 + 64 - block.y;
        block.x += dx, block.y += dy;
        for (Pin& port : block.ports) port.x += dx, port.y += dy;
        if (kind != kKindAlways) return;
        for (LabelBox& entry : r.window().sensitivity().entriesOf(index))
            entry.x += dx, entry.y += dy;
    });
    for (Pin& pin : module.pins) {
        pin.y = 64 + static_cast<int>(random() % cells) * 16;
        if (pin.direction == 1) pin.x = cells * 16 + 800;
    }
    refreshTerminals(module, r.window().sensitivity());
}

void expectOnlyStraightSegments(const Module& module, const std::string& what) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            ASSERT_TRUE(s.x0 == s.x1 || s.y0 == s.y1)
                << what << ": net " << name << " segment " << s.x0 << " " << s.y0 << " " << s.x1
                << " " << s.y1;
        }
    }
}

std::string routedDump(const Module& module, OccupancyIndexing indexing, int scatterCells = 0) {
    Routed r(module, indexing);
    r.place();
    if (scatterCells > 0) scatter(r, scatterCells, 5);
    r.route();
    expectOnlyStraightSegments(r.module(), module.name);
    return r.dump();
}

TEST(RoutingPass, IndexedQueriesRouteLikeTheDirectScans) {
    struct Case {
        int blocks;
        int scatterCells;  // 0 keeps the column layout
    };
    for (const Case c : {Case{50, 0}, Case{300, 0}, Case{60, 30}, Case{200, 100}}) {
        const Module module = generatedModule(c.blocks, 21);
        const std::string direct = routedDump(module, OccupancyIndexing::kDirect, c.scatterCells);
        EXPECT_EQ(routedDump(module, OccupancyIndexing::kIndexed, c.scatterCells), direct)
            << c.blocks << " blocks, scatter " << c.scatterCells;
        EXPECT_NE(direct.find("  seg "), std::string::npos);
    }
}

TEST(RoutingPass, UnusualModulesRouteTheSameEveryTime) {
    struct Case {
        const char* what;
        std::function<Module()> build;
    };
    const Case cases[] = {
        {"no blocks, no pins", [] { return ModuleBuilder("empty").module; }},
        {"pins only, joined directly",
         [] {
             Module module = testing::pinsOnlyModule();
             Net& a = module.nets.at("a");
             a.terminals.push_back(module.nets.at("b").terminals[0]);
             a.terminals.push_back(module.nets.at("c").terminals[0]);
             return module;
         }},
        {"blocks without ports", [] { return testing::portlessBlocksModule(); }},
        {"terminals out of range", [] { return testing::strayTerminalsModule(true); }},
        {"a net with 200 terminals", [] { return testing::wideNetModule(); }},
        {"1,000 blocks", [] { return generatedModule(1000, 3); }},
    };
    for (const Case& c : cases) {
        const Module module = c.build();
        const std::string first = routedDump(module, OccupancyIndexing::kIndexed);
        EXPECT_EQ(routedDump(module, OccupancyIndexing::kIndexed), first) << c.what;
    }
}

TEST(RoutingPass, CoordinatesAtTheEndsOfTheIntRange) {
    // Blocks and terminals anywhere a loaded file may put them: the pass
    // finishes, and lays only horizontal and vertical segments.
    const int big = INT_MAX - 4;
    const int points[][2] = {{1, 1}, {big, big}, {1, big}, {big, 1}, {big / 2, 7}, {9, big / 2}};
    Module module = fixture(6, 3);
    for (int i = 0; i < 3; ++i) {
        Assign& block = module.assigns[static_cast<std::size_t>(i)];
        block.x = i == 0 ? big : i == 1 ? INT_MIN + 10 : big / 2;
        block.y = i == 2 ? INT_MIN + 3 : big - 100;
        block.width = i == 1 ? INT_MAX : 640;
        block.height = i == 0 ? INT_MAX : 96;
    }
    std::vector<Terminal> chain;
    for (int i = 0; i < 6; ++i) chain.push_back(pinAt(i, points[i][0], points[i][1], i % 2));
    chain.push_back(at(kKindAssign, 0, 0, big, big - 50, 1));
    chain.push_back(at(kKindAssign, 1, 0, 3, big - 50, 0));
    addNet(module, "n", chain);
    std::reverse(chain.begin(), chain.end());
    addNet(module, "r", chain);
    Routed r(module);
    r.route();
    expectOnlyStraightSegments(r.module(), "extremes");
    EXPECT_FALSE(r.module().nets.at("n").route.empty());
}

}  // namespace
}  // namespace corvane
