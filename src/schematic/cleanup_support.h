// Shared tests of the route clean-up passes: segment shapes, points on
// segments, terminals and the net's own pins and blocks, and the erasing of
// segments a pass has marked for deletion.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "database/records.h"

namespace corvane {

// The text of a hand-routing guide segment; the wire count leaves such segments out.
inline constexpr std::string_view kTempRouteText = "temp-route";

// A horizontal segment has y0 = y1, a vertical one x0 = x1; a segment with
// both is a zero-length point and counts as either (only the DeleteThinCurve
// passes leave points out of what they fold).
inline bool isHorizontal(const Segment& s) {
    return s.y0 == s.y1;
}
inline bool isVertical(const Segment& s) {
    return s.x0 == s.x1;
}
inline bool isPoint(const Segment& s) {
    return s.x0 == s.x1 && s.y0 == s.y1;
}

inline int lowX(const Segment& s) {
    return std::min(s.x0, s.x1);
}
inline int highX(const Segment& s) {
    return std::max(s.x0, s.x1);
}
inline int lowY(const Segment& s) {
    return std::min(s.y0, s.y1);
}
inline int highY(const Segment& s) {
    return std::max(s.y0, s.y1);
}

// Whether one of the segment's two end points is (x, y).
inline bool endsAt(const Segment& s, int x, int y) {
    return (s.x0 == x && s.y0 == y) || (s.x1 == x && s.y1 == y);
}

// Whether (x, y) lies strictly inside a horizontal or vertical segment.
inline bool passesStrictlyThrough(const Segment& s, int x, int y) {
    if (isHorizontal(s) && s.y0 == y && lowX(s) < x && x < highX(s)) return true;
    return isVertical(s) && s.x0 == x && lowY(s) < y && y < highY(s);
}

// Whether the segment ends at (x, y) or passes through it.
inline bool touches(const Segment& s, int x, int y) {
    return endsAt(s, x, y) || passesStrictlyThrough(s, x, y);
}

// Writes the range [from, to] into the stored ends (a, b), keeping the
// direction: the end that held the smaller value takes `from`.
inline void widen(int& a, int& b, int from, int to) {
    if (a <= b) {
        a = from;
        b = to;
    } else {
        a = to;
        b = from;
    }
}

// Whether some terminal of the net stands exactly at (x, y).
bool hasTerminalAt(const Net& net, int x, int y);

// The points of a net's terminals, for repeated "terminal at" questions
// while a pass leaves the terminals alone.
class TerminalPoints {
public:
    explicit TerminalPoints(const Net& net);

    bool contains(int x, int y) const { return points_.count(key(x, y)) != 0; }

private:
    static std::int64_t key(int x, int y) {
        return static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::uint32_t>(x))
                                             << 32 |
                                         static_cast<std::uint32_t>(y));
    }
    std::unordered_set<std::int64_t> points_;
};

// Wire count at (x, y): the net's segments that end at or pass through the
// point, leaving out hand-routing guides.
int wireCount(const Net& net, int x, int y);

// The rectangles of the module pins and blocks a net has terminals on, for the
// "own object" test: a pin symbol is x +- (width/2 + 16) by y +- height/2, a
// block its rectangle grown by 3 on every side. Bounds are inclusive.
class OwnObjects {
public:
    OwnObjects(const Module& module, const Net& net);

    bool contains(int x, int y) const;

private:
    struct Box {
        std::int64_t left, top, right, bottom;
    };
    std::vector<Box> boxes_;
};

// A piece of wire a pass erases: the segment without its end (openX,
// openY), which a wire that stays still covers.
struct ErasedPiece {
    Segment wire;
    int openX, openY;
};

// Whether erasing the pieces `erased` of the segments `changed` leaves the
// net connected, given that the `kept` wires stay joined to each other: no
// terminal lies on what goes, and every other segment not marked in `marked`
// that meets it also meets a kept wire (wires of a net that share a point are
// joined). Anything else could hang on the erased wire alone.
bool erasingKeepsConnections(const std::vector<Segment>& route, const std::vector<char>& marked,
                             const std::vector<Terminal>& terminals,
                             std::initializer_list<ErasedPiece> erased,
                             std::initializer_list<Segment> kept,
                             std::initializer_list<std::size_t> changed);

// Erases the segments whose flag is set, keeping the order of the others.
void eraseMarked(std::vector<Segment>& route, const std::vector<char>& marked);

}  // namespace corvane
