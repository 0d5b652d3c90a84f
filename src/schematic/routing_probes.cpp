#include "schematic/routing_probes.h"

#include <algorithm>
#include <utility>

#include "schematic/block_access.h"

namespace corvane {

std::vector<BlockRect> blockRects(const Module& module) {
    std::vector<BlockRect> rects;
    rects.reserve(blockCount(module));
    forEachBlock(module, [&](int, int, const auto& block) {
        const Coord half = block.width / 2;
        rects.push_back({Coord{block.x} - half, Coord{block.y}, Coord{block.x} + half,
                         Coord{block.y} + block.height});
    });
    return rects;
}

int halfWidestBlockOf(const Module& module) {
    int widest = 0;
    forEachBlock(module,
                 [&](int, int, const auto& block) { widest = std::max(widest, block.width); });
    return widest / 2;
}

BlockProbes::BlockProbes(std::vector<BlockRect> blocks) : blocks_(std::move(blocks)) {}

RayHit BlockProbes::rightRay(Coord x, Coord y, Coord limit) const {
    RayHit hit{limit, 0, 0};
    for (const BlockRect& b : blocks_) {
        if (b.top < y && y < b.bottom && x < b.left && b.left < hit.at) {
            hit = {b.left, b.top, b.bottom};
        }
    }
    return hit;
}

RayHit BlockProbes::leftRay(Coord x, Coord y, Coord limit) const {
    RayHit hit{limit, 0, 0};
    for (const BlockRect& b : blocks_) {
        if (b.top < y && y < b.bottom && b.right < x && hit.at < b.right) {
            hit = {b.right, b.top, b.bottom};
        }
    }
    return hit;
}

Coord BlockProbes::verticalRay(Coord x, Coord y, Coord limit) const {
    Coord nearest = limit;
    const bool upwards = limit < y;
    for (const BlockRect& b : blocks_) {
        if (!(b.left < x && x < b.right)) continue;
        if (upwards && nearest < b.bottom && b.bottom < y) nearest = b.bottom;
        if (!upwards && y < b.top && b.top < nearest) nearest = b.top;
    }
    return nearest;
}

const BlockRect* BlockProbes::firstContaining(Coord x, Coord y) const {
    for (const BlockRect& b : blocks_) {
        if (b.left <= x && x <= b.right && b.top <= y && y <= b.bottom) return &b;
    }
    return nullptr;
}

Coord BlockProbes::blockBottomAt(Coord x, Coord y) const {
    const BlockRect* block = firstContaining(x, y);
    return block ? block->bottom : y;
}

Coord BlockProbes::blockTopAt(Coord x, Coord y) const {
    const BlockRect* block = firstContaining(x, y);
    return block ? block->top : y;
}

}  // namespace corvane
