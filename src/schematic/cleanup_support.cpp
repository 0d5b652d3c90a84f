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

namespace {

// Whether two straight segments share a point.
bool overlaps(const Segment& a, const Segment& b) {
    return std::max(lowX(a), lowX(b)) <= std::min(highX(a), highX(b)) &&
           std::max(lowY(a), lowY(b)) <= std::min(highY(a), highY(b));
}

// Whether s shares a point with the erased piece other than its open end.
bool meets(const Segment& s, const ErasedPiece& piece) {
    const Segment& w = piece.wire;
    const int left = std::max(lowX(s), lowX(w));
    const int right = std::min(highX(s), highX(w));
    const int top = std::max(lowY(s), lowY(w));
    const int bottom = std::min(highY(s), highY(w));
    if (left > right || top > bottom) return false;
    return left != right || top != bottom || left != piece.openX || top != piece.openY;
}

}  // namespace

bool erasingKeepsConnections(const std::vector<Segment>& route, const std::vector<char>& marked,
                             const std::vector<Terminal>& terminals,
                             std::initializer_list<ErasedPiece> erased,
                             std::initializer_list<Segment> kept,
                             std::initializer_list<std::size_t> changed) {
    const auto meetsErased = [&erased](const Segment& s) {
        for (const ErasedPiece& piece : erased) {
            if (meets(s, piece)) return true;
        }
        return false;
    };
    for (const Terminal& t : terminals) {
        if (meetsErased(Segment{t.x, t.y, t.x, t.y, {}})) return false;
    }
    for (std::size_t i = 0; i < route.size(); ++i) {
        if (marked[i] || std::find(changed.begin(), changed.end(), i) != changed.end()) continue;
        if (!meetsErased(route[i])) continue;
        const bool held = std::any_of(kept.begin(), kept.end(),
                                      [&](const Segment& k) { return overlaps(route[i], k); });
        if (!held) return false;
    }
    return true;
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
