#include "schematic/canvas_size.h"

#include <algorithm>
#include <cstdint>

#include "schematic/block_access.h"

namespace corvane {

namespace {

// Largest x and y seen, both starting from 0; kept wide so that sums near the
// 32-bit limit do not wrap.
struct Extent {
    std::int64_t x = 0;
    std::int64_t y = 0;

    void addX(std::int64_t value) { x = std::max(x, value); }
    void addY(std::int64_t value) { y = std::max(y, value); }
};

void addBlocksAndRoutes(const Module& module, Extent& extent) {
    forEachBlock(module, [&extent](int, int, const auto& block) {
        extent.addX(static_cast<std::int64_t>(block.x) + block.width / 2);
        extent.addY(static_cast<std::int64_t>(block.y) + block.height);
    });
    for (const auto& [name, net] : module.nets) {
        for (const Segment& segment : net.route) {
            extent.addX(std::max(segment.x0, segment.x1));
            extent.addY(std::max(segment.y0, segment.y1));
        }
    }
}

// ((v + margin) / 16 + 1) * 16, kept within the int range.
int roundCanvas(std::int64_t value, int margin) {
    const std::int64_t size = ((value + margin) / 16 + 1) * 16;
    return static_cast<int>(std::min<std::int64_t>(size, 0x7FFFFFF0));
}

}  // namespace

CanvasSize canvasAfterCleanup(const Module& module) {
    Extent extent;
    for (const Pin& pin : module.pins) {
        extent.addX(pin.x);
        extent.addY(pin.y);
    }
    addBlocksAndRoutes(module, extent);
    return {roundCanvas(extent.x, 128), roundCanvas(extent.y, 64)};
}

CanvasSize canvasAfterFlush(const Module& module, const std::vector<SchematicComment>& comments) {
    Extent extent;
    for (const Pin& pin : module.pins) {
        extent.addX(static_cast<std::int64_t>(pin.x) + pin.width);
        extent.addY(pin.y);
    }
    addBlocksAndRoutes(module, extent);
    for (const SchematicComment& comment : comments) {
        if (comment.kind == kCommentMarker) continue;
        extent.addX(std::max(comment.x0, comment.x1));
        extent.addY(std::max(comment.y0, comment.y1));
    }
    return {roundCanvas(extent.x, 32), roundCanvas(extent.y, 32)};
}

}  // namespace corvane
