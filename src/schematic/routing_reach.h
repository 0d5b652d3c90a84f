// The pieces of one net's route grouped by what joins them: the router asks
// it whether a join completes a connection or only leads back to where the
// connection started.
#pragma once

#include <map>
#include <vector>

#include "database/records.h"
#include "schematic/occupancy.h"
#include "schematic/routing_geometry.h"

namespace corvane {

// Pieces that share a point (crossings included) are in one group. The groups
// follow the route as it grows: each question first takes in the pieces laid
// since the last one.
class RouteReach {
public:
    // Takes in the pieces of `route` laid since the last call; starts afresh
    // when the route is shorter than what was taken in (a new route).
    void catchUp(const std::vector<Segment>& route);

    // The group of the pieces `point` lies on; -1 when it lies on none.
    int groupAt(RoutePoint point);
    // Whether a piece of `group` shares a point with the horizontal piece.
    bool meets(int group, const HorizontalPiece& piece);

private:
    // A piece as its bounding box, ends in any order.
    struct Box {
        Coord x0 = 0;
        Coord y0 = 0;
        Coord x1 = 0;
        Coord y1 = 0;
    };

    void add(const Box& box);
    // Calls `visit` with every piece that shares a point with `box`.
    template <typename Visit>
    void forEachMeeting(const Box& box, Visit visit) const;
    int root(int piece);
    static Box boxOf(const Segment& segment);
    static bool meet(const Box& a, const Box& b);

    std::vector<Box> pieces_;
    std::vector<int> parent_;
    // Horizontal pieces by row, vertical ones by column (a point in both);
    // any other piece is checked every time.
    std::map<Coord, std::vector<int>> rows_;
    std::map<Coord, std::vector<int>> columns_;
    std::vector<int> slanted_;
};

}  // namespace corvane
