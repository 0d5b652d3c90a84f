#include "schematic/flush_left_top.h"

#include <cstdint>
#include <map>

#include "schematic/block_access.h"

namespace corvane {

namespace {

constexpr int kStartMinimum = 65535;

struct Minimum {
    int x = kStartMinimum;
    int y = kStartMinimum;

    void add(int px, int py) {
        if (px > 0 && px < x) x = px;
        if (py > 0 && py < y) y = py;
    }
};

// Subtracts without wrapping: the result saturates at the int limits.
int minus(int value, int offset) {
    const std::int64_t result = static_cast<std::int64_t>(value) - offset;
    if (result > INT32_MAX) return INT32_MAX;
    if (result < INT32_MIN) return INT32_MIN;
    return static_cast<int>(result);
}

template <typename Item>
void shift(Item& item, FlushOffset offset) {
    item.x = minus(item.x, offset.dx);
    item.y = minus(item.y, offset.dy);
}

void shiftNets(Module& module, FlushOffset offset) {
    for (auto& [name, net] : module.nets) {
        for (Segment& segment : net.route) {
            segment.x0 = minus(segment.x0, offset.dx);
            segment.x1 = minus(segment.x1, offset.dx);
            segment.y0 = minus(segment.y0, offset.dy);
            segment.y1 = minus(segment.y1, offset.dy);
        }
        std::map<int, int> moved;
        for (const auto& [key, count] : net.touch) moved[shiftedJunctionKey(key, offset)] = count;
        net.touch = std::move(moved);
    }
}

}  // namespace

FlushOffset flushOffset(const Module& module, const SensitivityPlaces& sensitivity,
                        const std::vector<SchematicComment>& comments) {
    Minimum minimum;
    for (const Pin& pin : module.pins) minimum.add(pin.x, pin.y);
    forEachBlock(module, [&](int kind, int index, const auto& block) {
        minimum.add(block.x, block.y);
        const std::int64_t leftEdge = static_cast<std::int64_t>(block.x) - block.width / 2;
        for (const Pin& port : block.ports) {
            if (port.x >= leftEdge) minimum.add(port.x, port.y);
        }
        if (kind != kKindAlways) return;
        for (const LabelBox& entry : sensitivity.entriesOf(index)) {
            if (entry.x >= leftEdge) minimum.add(entry.x, entry.y);
        }
    });
    for (const auto& [name, net] : module.nets) {
        for (const Segment& segment : net.route) {
            minimum.add(segment.x0, segment.y0);
            minimum.add(segment.x1, segment.y1);
        }
    }
    for (const SchematicComment& comment : comments) {
        if (comment.kind == kCommentMarker) continue;
        minimum.add(comment.x0, comment.y0);
        minimum.add(comment.x1, comment.y1);
    }
    return {((minimum.x - 256) / 16) * 16, ((minimum.y - 64) / 16) * 16};
}

int shiftedJunctionKey(int key, FlushOffset offset) {
    // The key is linear in x and y, so moving the point moves the key by
    // dx + dy * 65536; the sum is formed wide and stored modulo 2^32.
    const std::int64_t moved =
        static_cast<std::int64_t>(key) - offset.dx - static_cast<std::int64_t>(offset.dy) * 65536;
    return static_cast<int>(static_cast<std::uint32_t>(moved));
}

void shiftSchematic(Module& module, SensitivityPlaces& sensitivity,
                    std::vector<SchematicComment>& comments, FlushOffset offset) {
    for (Pin& pin : module.pins) shift(pin, offset);
    forEachBlock(module, [&](int kind, int index, auto& block) {
        shift(block, offset);
        for (Pin& port : block.ports) {
            if (port.width != 0) shift(port, offset);  // an unplaced duplicate stays at (0, 0)
        }
        if (kind != kKindAlways) return;
        for (LabelBox& entry : sensitivity.entriesOf(index)) shift(entry, offset);
    });
    shiftNets(module, offset);
    for (SchematicComment& comment : comments) {
        if (comment.kind == kCommentMarker) continue;
        comment.x0 = minus(comment.x0, offset.dx);
        comment.x1 = minus(comment.x1, offset.dx);
        comment.y0 = minus(comment.y0, offset.dy);
        comment.y1 = minus(comment.y1, offset.dy);
    }
}

}  // namespace corvane
