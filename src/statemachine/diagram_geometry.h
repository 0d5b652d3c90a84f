// The geometry of the diagram's arrows, in canvas coordinates: straight
// arrows between two states, offset to the right of their direction of
// travel so that opposite transitions get two parallel arrows, and loops
// for transitions that stay in their state.
#pragma once

#include <optional>
#include <vector>

#include "platform/canvas.h"

namespace corvane {

// The radius of a state's circle.
inline constexpr int kStateRadius = 50;

struct ArrowHead {
    Point tip;
    Point left;
    Point right;
};

struct ArrowGeometry {
    std::vector<Point> lines;  // pairs of points: one stroke per pair
    ArrowHead head;
    Point anchor;      // where the label belongs
    int quadrant = 0;  // the label's side when it is not placed yet
};

// The two strokes of a head at the end of the line from `from` to `to`.
ArrowHead arrowHead(Point from, Point to);

// The arrow from the state at `p` to the one at `q`; none when the two
// centres coincide.
std::optional<ArrowGeometry> stateArrow(Point p, Point q);

// The loop of a transition of the state at `p` back to itself, pointing
// away from the canvas centre `centre`; none when the state sits on it.
std::optional<ArrowGeometry> selfLoop(Point p, Point centre);

}  // namespace corvane
