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
#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

using Route = std::vector<std::vector<int>>;

Route routeOf(const Net& net) {
    Route route;
    for (const Segment& s : net.route) route.push_back({s.x0, s.y0, s.x1, s.y1});
    return route;
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

Terminal pinAt(int pin, int x, int y, int side) { return at(kKindPin, pin, -1, x, y, side); }

// A module with `pins` module pins and `assigns` assign blocks, each block with
// one port; blocks are placed with setBlock.
Module fixture(int pins, int assigns = 0) {
    ModuleBuilder b("top");
    for (int i = 0; i < pins; ++i) b.pin("p" + std::to_string(i), 0);
    for (int i = 0; i < assigns; ++i) b.use("q" + std::to_string(i), kKindAssign, b.assign("a"), kRead);
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
        routeSchematic(*window_, *module_, indexing_);
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
         {{464, 128, 544, 128}, {544, 128, 544, 192}, {100, 160, 112, 160}, {112, 160, 112, 192},
          {112, 192, 544, 192}}},
        {"L left, R right: R's stub ends above its block at 112 - 24; L's stub runs out "
         "to trunc8(136 - 64) - 8 = 64 and up to that row; then across",
         {block1In, block0Out},
         {{464, 128, 544, 128}, {544, 88, 544, 128}, {64, 128, 136, 128}, {64, 88, 64, 128},
          {64, 88, 544, 88}}},
        {"both left: L's stub ends below its block at 176 + 16; the forced jog at 424 "
         "meets block 0 and stays level, then the route runs to R's column and up",
         {block1In, pinLeft},
         {{64, 128, 136, 128}, {64, 128, 64, 192}, {64, 192, 424, 192}, {424, 192, 424, 192},
          {424, 192, 800, 192}, {800, 160, 800, 192}}},
    };
    for (const Case& c : cases) {
        Module module = fixture(2, 2);
        setBlock(module, 0, 400, 112);
        setBlock(module, 1, 200, 112);
        addNet(module, "n", c.chain);
        EXPECT_EQ(routed(module, "n"), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace corvane
