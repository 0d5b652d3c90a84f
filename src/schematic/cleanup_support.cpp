#include "schematic/cleanup_support.h"

#include "schematic/block_access.h"

namespace corvane {

bool hasTerminalAt(const Net& net, int x, int y) {
    for (const Terminal& t : net.terminals) {
        if (t.x == x && t.y == y) return true;
    }
    return false;
}

TerminalPoints::TerminalPoints(const Net& net) {
    for (const Terminal& t : net.terminals) points_.insert(key(t.x, t.y));
}

int wireCount(const Net& net, int x, int y) {
    int count = 0;
    for (const Segment& s : net.route) {
        if (s.text != kTempRouteText && touches(s, x, y)) ++count;
    }
    return count;
}

namespace {

// The block rectangle of block `index` of `kind`, grown by 3 on every side;
// false when there is no such block.
template <typename Block>
bool grownBlock(const std::vector<Block>& blocks, int index, std::int64_t (&box)[4]) {
    const Block* block = elementAt(blocks, index);
    if (!block) return false;
    const std::int64_t half = block->width / 2;
    box[0] = block->x - half - 3;
    box[1] = static_cast<std::int64_t>(block->y) - 3;
    box[2] = block->x + half + 3;
    box[3] = static_cast<std::int64_t>(block->y) + block->height + 3;
    return true;
}

bool grownBlockOf(const Module& module, int kind, int index, std::int64_t (&box)[4]) {
    switch (kind) {
        case kKindAssign:
            return grownBlock(module.assigns, index, box);
        case kKindAlways:
            return grownBlock(module.alwaysBlocks, index, box);
        case kKindChild:
            return grownBlock(module.children, index, box);
        case kKindInitial:
            return grownBlock(module.initialBlocks, index, box);
        default:
            return false;
    }
}

}  // namespace

OwnObjects::OwnObjects(const Module& module, const Net& net) {
    for (const Terminal& t : net.terminals) {
        if (t.kind == kKindPin) {
            const Pin* pin = elementAt(module.pins, t.index);
            if (!pin) continue;
            const std::int64_t dx = pin->width / 2 + 16;
            const std::int64_t dy = pin->height / 2;
            boxes_.push_back({pin->x - dx, pin->y - dy, pin->x + dx, pin->y + dy});
            continue;
        }
        std::int64_t box[4];
        if (grownBlockOf(module, t.kind, t.index, box)) {
            boxes_.push_back({box[0], box[1], box[2], box[3]});
        }
    }
}

bool OwnObjects::contains(int x, int y) const {
    for (const Box& box : boxes_) {
        if (box.left <= x && x <= box.right && box.top <= y && y <= box.bottom) return true;
    }
    return false;
}

void eraseMarked(std::vector<Segment>& route, const std::vector<char>& marked) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < route.size(); ++i) {
        if (marked[i]) continue;
        if (kept != i) route[kept] = std::move(route[i]);
        ++kept;
    }
    route.resize(kept);
}

}  // namespace corvane
