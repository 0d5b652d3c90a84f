// The router's probes: rays and point tests against the block rectangles.
// Module pin symbols are not obstacles; only the four kinds of blocks are.
#pragma once

#include <vector>

#include "database/records.h"
#include "schematic/routing_geometry.h"

namespace corvane {

// A block from x - width/2 to x + width/2 and from y to y + height.
struct BlockRect {
    Coord left = 0;
    Coord top = 0;
    Coord right = 0;
    Coord bottom = 0;
};

// Where a horizontal ray stopped, with the top and bottom of the block that
// stopped it; top and bottom are 0 when the ray reached its limit.
struct RayHit {
    Coord at = 0;
    Coord top = 0;
    Coord bottom = 0;
};

// The block rectangles in probe order: assigns, always blocks, children,
// initial blocks, each in vector order.
std::vector<BlockRect> blockRects(const Module& module);

// Half of the largest block width (0 without blocks).
int halfWidestBlockOf(const Module& module);

// Every probe visits the blocks in order and keeps the nearest hit; a later
// block replaces it only when strictly nearer, so ties go to the first block.
class BlockProbes {
public:
    explicit BlockProbes(std::vector<BlockRect> blocks);

    // Among blocks with top < y < bottom, the smallest left edge l with
    // x < l < limit; else the limit.
    RayHit rightRay(Coord x, Coord y, Coord limit) const;
    // Among blocks with top < y < bottom, the largest right edge r with
    // limit < r < x; else the limit.
    RayHit leftRay(Coord x, Coord y, Coord limit) const;
    // Among blocks with left < x < right: upwards (limit < y) the largest
    // bottom b with limit < b < y, downwards the smallest top t with
    // y < t < limit; else the limit.
    Coord verticalRay(Coord x, Coord y, Coord limit) const;
    // The bottom (top) of the first block containing (x, y), edges included;
    // y when there is none.
    Coord blockBottomAt(Coord x, Coord y) const;
    Coord blockTopAt(Coord x, Coord y) const;

    const std::vector<BlockRect>& blocks() const { return blocks_; }

private:
    const BlockRect* firstContaining(Coord x, Coord y) const;

    std::vector<BlockRect> blocks_;
};

}  // namespace corvane
