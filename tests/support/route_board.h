// One net's routing scene for tests of the route steps and stubs: blocks to
// probe, occupancy lists, and the route being laid, bound into a context.
#pragma once

#include <utility>
#include <vector>

#include "schematic/routing_context.h"
#include "support/route_helpers.h"

namespace corvane::testing {

using Route = std::vector<std::vector<int>>;

inline constexpr int kOwnNet = 0;  // the net being routed
inline constexpr int kOtherNet = 9;

struct RouteBoard {
    explicit RouteBoard(std::vector<BlockRect> blocks = {}, Coord halfWidest = 0)
        : probes(std::move(blocks)),
          occupancy(lists),
          context{probes, occupancy, route, kOwnNet, halfWidest} {}

    // A vertical (or horizontal) occupancy entry of `net` spanning 0..10.
    void column(int x, int net) { occupancy.addVertical({0, 10, x, net}); }
    void row(int y, int net) { occupancy.addHorizontal({0, 10, y, net}); }
    Route laid() const { return corners(route); }

    BlockProbes probes;
    OccupancyLists lists;
    IndexedOccupancy occupancy;
    std::vector<Segment> route;
    RouteContext context;
};

}  // namespace corvane::testing
