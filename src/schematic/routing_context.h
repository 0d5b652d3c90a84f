// What every move of one connection works with: the probes, the occupancy
// lists, the route of the net being drawn, its net number, the half widest
// block, the step budget of the connection and the end it must reach.
#pragma once

#include <vector>

#include "database/records.h"
#include "schematic/routing_geometry.h"
#include "schematic/routing_occupancy.h"
#include "schematic/routing_probes.h"
#include "schematic/routing_reach.h"

namespace corvane {

// Route steps one connection may take before it ends with what it has laid.
// A step is one round of the route step: a horizontal ray and at most one
// horizontal and one vertical piece. Most connections take one to five
// rounds; the longest ones climb along a column of blocks, about one round
// per block passed, so a column layout of 1,000 blocks needs up to about 300.
// The bound leaves room for designs some fifty times larger; it exists only
// for a route that would circle for ever. (A round that ends where it began
// ends the connection at once: see the route step.)
inline constexpr int kMaxStepsPerConnection = 16384;

struct RouteContext {
    const BlockProbes& probes;
    OccupancyQueries& occupancy;
    std::vector<Segment>& route;
    int net = 0;
    Coord halfWidestBlock = 0;
    int stepsLeft = kMaxStepsPerConnection;
    // The end of the pair being connected that the rest of the net already
    // holds: a join completes the connection only when it leads there, or to
    // another part of the net.
    RoutePoint farEnd{};
    // The route's pieces grouped by what joins them, for the joins' question.
    RouteReach reach{};

    // Lays the horizontal piece (x0, y)-(x1, y): a segment and an entry {x0, x1, y, net}.
    void addHorizontal(Coord y, Coord x0, Coord x1) {
        route.push_back(Segment{toInt(x0), toInt(y), toInt(x1), toInt(y), {}});
        occupancy.addHorizontal({toInt(x0), toInt(x1), toInt(y), net});
    }

    // Lays the vertical piece (x, y0)-(x, y1): a segment and an entry {y0, y1, x, net}.
    void addVertical(Coord x, Coord y0, Coord y1) {
        route.push_back(Segment{toInt(x), toInt(y0), toInt(x), toInt(y1), {}});
        occupancy.addVertical({toInt(y0), toInt(y1), toInt(x), net});
    }

    // Takes one step of the connection's budget; false when none is left.
    bool takeStep() {
        if (stepsLeft <= 0) return false;
        --stepsLeft;
        return true;
    }

    // Narrowing to the model's ints (modular, never undefined).
    static int toInt(Coord value) { return static_cast<int>(value); }
};

}  // namespace corvane
