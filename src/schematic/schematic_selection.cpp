#include "schematic/schematic_selection.h"

#include <algorithm>

#include "schematic/block_access.h"
#include "schematic/schematic_hit_test.h"

namespace corvane {

namespace {

constexpr int kWireWidening = 2;

// Extents are taken wide: coordinates read from a file may be anything.
struct Box {
    long long left, top, right, bottom;
    bool overlaps(long long l, long long t, long long r, long long b) const {
        return l < right && r > left && t < bottom && b > top;
    }
};

// A click (a box of no size) overlaps an extent that contains it.
bool overlapsOrContains(const Box& box, long long l, long long t, long long r, long long b) {
    if (box.left == box.right && box.top == box.bottom) {
        return l <= box.left && box.left <= r && t <= box.top && box.top <= b && (l < r || t < b);
    }
    return box.overlaps(l, t, r, b);
}

bool segmentReaches(const Segment& s, const Box& box) {
    const long long l = std::min(s.x0, s.x1), r = std::max(s.x0, s.x1);
    const long long t = std::min(s.y0, s.y1), b = std::max(s.y0, s.y1);
    if (l == r) {
        return overlapsOrContains(box, l - kWireWidening, t, r + kWireWidening, b);
    }
    return overlapsOrContains(box, l, t - kWireWidening, r, b + kWireWidening);
}

bool commentSelected(const SchematicComment& c, const Box& box) {
    if (!isCommentKind(c.kind)) return false;
    if (box.left == box.right && box.top == box.bottom) {
        return hitComment(c, {static_cast<int>(box.left), static_cast<int>(box.top)}) >= 0;
    }
    return box.left <= std::min(c.x0, c.x1) && std::max(c.x0, c.x1) <= box.right &&
           box.top <= std::min(c.y0, c.y1) && std::max(c.y0, c.y1) <= box.bottom;
}

}  // namespace

bool isSelected(const SchematicSelection& selection, int kind, std::string_view name) {
    return std::any_of(selection.begin(), selection.end(),
                       [&](const SelectionEntry& e) { return e.kind == kind && e.name == name; });
}

SchematicSelection selectInRectangle(const Module& module,
                                     const std::vector<SchematicComment>& comments, Point a,
                                     Point b) {
    const Box box{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    SchematicSelection selection;
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        const long long x = pin.x, y = pin.y;
        if (overlapsOrContains(box, x - pin.width / 2, y - pin.height / 2, x + pin.width / 2,
                               y + pin.height / 2)) {
            selection.push_back({kKindPin, pin.name, static_cast<int>(i)});
        }
    }
    forEachBlock(module, [&](int kind, int index, const auto& block) {
        const long long x = block.x, y = block.y;
        if (overlapsOrContains(box, x - block.width / 2, y, x + block.width / 2,
                               y + block.height)) {
            selection.push_back({kind, blockSelectionName(module, kind, index), index});
        }
    });
    int netIndex = 0;
    for (const auto& [name, net] : module.nets) {
        const bool reached = std::any_of(net.route.begin(), net.route.end(),
                                         [&](const Segment& s) { return segmentReaches(s, box); });
        if (reached) selection.push_back({kKindWire, std::to_string(netIndex), netIndex});
        ++netIndex;
    }
    for (std::size_t i = 0; i < comments.size(); ++i) {
        if (commentSelected(comments[i], box)) {
            selection.push_back({comments[i].kind, std::to_string(i), static_cast<int>(i)});
        }
    }
    return selection;
}

}  // namespace corvane
