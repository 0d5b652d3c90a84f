#include "statemachine/diagram_geometry.h"

#include <cmath>
#include <cstdlib>

namespace corvane {

namespace {

// trunc(value * scale / length) for the small vectors of the diagram.
int scaled(long long value, int scale, double length) {
    return static_cast<int>(static_cast<double>(value) * scale / length);
}

double lengthOf(long long dx, long long dy) {
    return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

int straightQuadrant(Point start, Point end) {
    if (start.x < end.x && end.y >= start.y) return 1;
    if (start.x >= end.x && start.y < end.y) return 0;
    if (end.x < start.x || end.y >= start.y) return 3;
    return 2;
}

int loopQuadrant(Point start, Point tip) {
    if (std::abs(start.x - tip.x) < std::abs(start.y - tip.y)) return tip.y < start.y ? 3 : 1;
    return tip.x < start.x ? 2 : 0;
}

}  // namespace

ArrowHead arrowHead(Point from, Point to) {
    const long long dx = static_cast<long long>(to.x) - from.x;
    const long long dy = static_cast<long long>(to.y) - from.y;
    const double length = lengthOf(dx, dy);
    if (length == 0) return {to, to, to};
    const int e = scaled(dx, 16, length);
    const int f = scaled(dy, 16, length);
    return {to, {to.x - e - f, to.y + e - f}, {to.x + f - e, to.y - f - e}};
}

std::optional<ArrowGeometry> stateArrow(Point p, Point q) {
    const long long cx = static_cast<long long>(q.x) - p.x;
    const long long cy = static_cast<long long>(q.y) - p.y;
    const double distance = lengthOf(cx, cy);
    if (distance == 0) return std::nullopt;
    const Point start{p.x + scaled(cx, kStateRadius, distance),
                      p.y + scaled(cy, kStateRadius, distance)};
    const Point end{q.x + scaled(-cx, kStateRadius, distance),
                    q.y + scaled(-cy, kStateRadius, distance)};
    const long long dx = static_cast<long long>(end.x) - start.x;
    const long long dy = static_cast<long long>(end.y) - start.y;
    const double length = lengthOf(dx, dy);
    if (length == 0) return std::nullopt;
    const int g = scaled(dy, 24, length);
    const int h = scaled(dx, 24, length);
    const Point from{start.x - g, start.y + h};
    const Point to{end.x - g, end.y + h};
    ArrowGeometry arrow;
    arrow.lines = {from, to};
    arrow.head = arrowHead(from, to);
    arrow.anchor = {start.x + static_cast<int>(dx / 3) * 2 - g,
                    start.y + h + static_cast<int>(dy / 3) * 2};
    arrow.quadrant = straightQuadrant(start, end);
    return arrow;
}

std::optional<ArrowGeometry> selfLoop(Point p, Point centre) {
    const long long dx = static_cast<long long>(p.x) - centre.x;
    const long long dy = static_cast<long long>(p.y) - centre.y;
    const long long distance = static_cast<long long>(lengthOf(dx, dy));
    if (distance == 0) return std::nullopt;
    const auto part = [distance](long long value, int scale) {
        return static_cast<int>(value * scale / distance);
    };
    const Point boundary{p.x + part(dx, 50), p.y + part(dy, 50)};
    const Point tip{p.x + part(dx, 100), p.y + part(dy, 100)};
    const Point side{part(dy, 16), part(-dx, 16)};
    const Point start{boundary.x + side.x, boundary.y + side.y};
    const Point back{boundary.x - side.x, boundary.y - side.y};
    ArrowGeometry loop;
    loop.lines = {start, tip, tip, back};
    loop.head = arrowHead(tip, back);
    loop.anchor = tip;
    loop.quadrant = loopQuadrant(start, tip);
    return loop;
}

}  // namespace corvane
