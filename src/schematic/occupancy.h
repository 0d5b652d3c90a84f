// The router's memory of the wire pieces laid in the current routing pass:
// later pieces pick free columns and rows, and a net can join its own pieces.
#pragma once

#include <vector>

namespace corvane {

// A vertical piece from y0 to y1 (y0 normally the upper end) in column x.
struct VerticalPiece {
    int y0 = 0;
    int y1 = 0;
    int x = 0;
    int net = 0;  // position of the net in the nets order of the pass
};

// A horizontal piece from x0 to x1 on row y.
struct HorizontalPiece {
    int x0 = 0;
    int x1 = 0;
    int y = 0;
    int net = 0;
};

struct OccupancyLists {
    std::vector<VerticalPiece> vertical;
    std::vector<HorizontalPiece> horizontal;

    void clear() {
        vertical.clear();
        horizontal.clear();
    }
};

}  // namespace corvane
