#include "schematic/wire_drag.h"

#include <algorithm>
#include <set>
#include <utility>

#include "schematic/clamped_int.h"
#include "schematic/cleanup_junctions.h"

namespace corvane {

namespace {

bool isVertical(const Segment& s) {
    return s.x0 == s.x1;
}

bool onSegment(const Segment& s, int x, int y) {
    return std::min(s.x0, s.x1) <= x && x <= std::max(s.x0, s.x1) && std::min(s.y0, s.y1) <= y &&
           y <= std::max(s.y0, s.y1);
}

// Where an axis-parallel piece crosses the moved segment's line inside both,
// for a piece that runs across it.
bool crossing(const Segment& moved, const Segment& piece, std::pair<int, int>& at) {
    if (isVertical(moved) == isVertical(piece)) return false;
    at = isVertical(moved) ? std::pair{moved.x0, piece.y0} : std::pair{piece.x0, moved.y0};
    return onSegment(moved, at.first, at.second) && onSegment(piece, at.first, at.second);
}

}  // namespace

bool moveWireSegment(Net& net, int index, int offset) {
    if (index < 0 || static_cast<std::size_t>(index) >= net.route.size() || offset == 0) {
        return false;
    }
    const std::size_t moved = static_cast<std::size_t>(index);
    const Segment old = net.route[moved];
    const int dx = isVertical(old) ? offset : 0;
    const int dy = isVertical(old) ? 0 : offset;
    // Points of the old segment something else is connected at; each gets a
    // connecting piece unless a neighbour could simply be stretched there.
    std::set<std::pair<int, int>> joins;
    for (std::size_t i = 0; i < net.route.size(); ++i) {
        if (i == moved) continue;
        Segment& s = net.route[i];
        // Pieces running across the moved segment stretch with it.
        const bool across = s.x0 != s.x1 || s.y0 != s.y1 ? isVertical(s) != isVertical(old) : false;
        bool endOn = false;
        for (int end = 0; end < 2; ++end) {
            int& ex = end == 0 ? s.x0 : s.x1;
            int& ey = end == 0 ? s.y0 : s.y1;
            if (!onSegment(old, ex, ey)) continue;
            endOn = true;
            if (across) {
                ex = addClamped(ex, dx), ey = addClamped(ey, dy);
            } else {
                joins.insert({ex, ey});
            }
        }
        std::pair<int, int> at;
        if (!endOn && crossing(old, s, at)) joins.insert(at);
    }
    for (const Terminal& t : net.terminals) {
        if (onSegment(old, t.x, t.y)) joins.insert({t.x, t.y});
    }
    Segment& s = net.route[moved];
    s.x0 = addClamped(s.x0, dx), s.x1 = addClamped(s.x1, dx);
    s.y0 = addClamped(s.y0, dy), s.y1 = addClamped(s.y1, dy);
    for (const auto& [x, y] : joins) {
        net.route.push_back({x, y, addClamped(x, dx), addClamped(y, dy), {}});
    }
    std::map<int, int> touch;
    for (const auto& [key, count] : net.touch) {
        int x = 0, y = 0;
        junctionPoint(key, x, y);
        const bool moves = onSegment(old, x, y);
        touch[moves ? junctionKey(addClamped(x, dx), addClamped(y, dy)) : key] += count;
    }
    net.touch = std::move(touch);
    return true;
}

}  // namespace corvane
