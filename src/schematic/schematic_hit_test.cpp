#include "schematic/schematic_hit_test.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "schematic/block_access.h"

namespace corvane {

namespace {

constexpr int kPinReach = 16;     // pin symbols are hit this far beyond their width
constexpr int kBlockMargin = 3;   // blocks are hit this far outside their frame
constexpr int kPortReach = 2;     // a port is the connection point within this
constexpr int kWireReach = 4;     // wires: a difference below this
constexpr int kCommentReach = 3;  // comments: a difference of at most this
constexpr std::string_view kGuideText = "temp-route";

// Coordinates read from a file may be anything, so differences and sums are
// taken wide.
long long gap(int a, int b) {
    return std::llabs(static_cast<long long>(a) - b);
}

int midpoint(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

bool near(Point p, int x, int y) {
    return gap(p.x, x) <= kCommentReach && gap(p.y, y) <= kCommentReach;
}

bool pinHit(const Pin& pin, Point p) {
    return gap(p.x, pin.x) <= pin.width / 2 + kPinReach && gap(p.y, pin.y) <= pin.height / 2;
}

template <typename Block>
bool blockHit(const Block& block, Point p) {
    const long long x = block.x, y = block.y, half = block.width / 2;
    return x - half - kBlockMargin <= p.x && p.x <= x + half + kBlockMargin &&
           y - kBlockMargin <= p.y && p.y <= y + block.height + kBlockMargin;
}

bool portNear(int x, int y, Point p) {
    return x != 0 && gap(x, p.x) <= kPortReach && gap(y, p.y) <= kPortReach;
}

// The first sensitivity entry (always blocks) or block port near `p`.
bool connectionOf(const Module& module, const SensitivityPlaces& sensitivity, int kind, int index,
                  Point p, Point& out) {
    if (kind == kKindAlways) {
        for (const LabelBox& box : sensitivity.entriesOf(index)) {
            if (portNear(box.x, box.y, p)) return out = {box.x, box.y}, true;
        }
    }
    const std::vector<Pin>* ports = blockPortsOf(module, kind, index);
    if (!ports) return false;
    for (const Pin& port : *ports) {
        if (portNear(port.x, port.y, p)) return out = {port.x, port.y}, true;
    }
    return false;
}

bool segmentHit(const Segment& s, Point p) {
    if (s.x0 == s.x1) {
        return gap(p.x, s.x0) < kWireReach && std::min(s.y0, s.y1) <= p.y &&
               p.y <= std::max(s.y0, s.y1);
    }
    if (s.y0 == s.y1) {
        return gap(p.y, s.y0) < kWireReach && std::min(s.x0, s.x1) <= p.x &&
               p.x <= std::max(s.x0, s.x1);
    }
    return false;
}

double distanceToSegment(const SchematicComment& c, Point p) {
    const double x0 = c.x0, y0 = c.y0;
    const double dx = c.x1 - x0, dy = c.y1 - y0;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - x0) * dx + (p.y - y0) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (x0 + t * dx), p.y - (y0 + t * dy));
}

bool bodyHit(const SchematicComment& c, Point p) {
    const int left = std::min(c.x0, c.x1), right = std::max(c.x0, c.x1);
    const int top = std::min(c.y0, c.y1), bottom = std::max(c.y0, c.y1);
    // Figures are reached within the tolerance of their outline, so a flat
    // line or rectangle can be hit at all.
    const int reach = c.kind == kCommentText ? 0 : kCommentReach;
    if (p.x < static_cast<long long>(left) - reach || p.x > static_cast<long long>(right) + reach ||
        p.y < static_cast<long long>(top) - reach || p.y > static_cast<long long>(bottom) + reach) {
        return false;
    }
    switch (c.kind) {
        case kCommentLine:
        case kCommentArrow:
            return distanceToSegment(c, p) <= kCommentReach;
        case kCommentRect:
            return gap(p.x, left) <= kCommentReach || gap(p.x, right) <= kCommentReach ||
                   gap(p.y, top) <= kCommentReach || gap(p.y, bottom) <= kCommentReach;
        case kCommentEllipse: {
            const double w = static_cast<double>(right) - left;
            const double h = static_cast<double>(bottom) - top;
            const double midX = midpoint(c.x0, c.x1), midY = midpoint(c.y0, c.y1);
            if (h == 0) return std::abs(p.y - midY) <= kCommentReach;
            const double d = std::hypot(std::abs(midX - p.x), std::abs(midY - p.y) * w / h);
            return std::abs(d - w / 2) <= kCommentReach;
        }
        case kCommentText:
            return true;
        default:
            return false;
    }
}

int cornerHandle(int kind, int lineHandle, int arrowHandle, int rectHandle) {
    switch (kind) {
        case kCommentLine:
            return lineHandle;
        case kCommentArrow:
            return arrowHandle;
        case kCommentRect:
            return rectHandle;
        default:
            return kHitBlockedCorner;
    }
}

}  // namespace

int hitComment(const SchematicComment& c, Point p) {
    if (!isCommentKind(c.kind)) return kHitNothing;
    if (near(p, c.x0, c.y0)) return cornerHandle(c.kind, 9, 12, 15);
    if (near(p, c.x1, c.y1)) return cornerHandle(c.kind, 10, 13, 17);
    if (near(p, c.x1, c.y0)) return cornerHandle(c.kind, kHitBlockedCorner, kHitBlockedCorner, 16);
    if (near(p, c.x0, c.y1)) return cornerHandle(c.kind, kHitBlockedCorner, kHitBlockedCorner, 18);
    if (c.kind == kCommentEllipse) {
        const int midX = midpoint(c.x0, c.x1), midY = midpoint(c.y0, c.y1);
        if (near(p, midX, c.y0)) return kHandleEllipseTop;
        if (near(p, midX, c.y1)) return kHandleEllipseBottom;
        if (near(p, c.x0, midY)) return kHandleEllipseLeft;
        if (near(p, c.x1, midY)) return kHandleEllipseRight;
    }
    return bodyHit(c, p) ? c.kind : kHitNothing;
}

std::string blockSelectionName(const Module& module, int kind, int index) {
    std::string name;
    forEachBlock(module, [&](int k, int i, const auto& block) {
        if (k != kind || i != index) return;
        using Block = std::decay_t<decltype(block)>;
        if constexpr (std::is_same_v<Block, Assign> || std::is_same_v<Block, Child>) {
            name = block.name;
        } else {
            name = std::to_string(block.line);
        }
    });
    return name;
}

SchematicHit hitTestSchematic(const Module& module, const SensitivityPlaces& sensitivity,
                              const std::vector<SchematicComment>& comments, Point p) {
    SchematicHit hit;
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        if (!pinHit(pin, p)) continue;
        hit.kind = kKindPin;
        hit.index = static_cast<int>(i);
        hit.name = pin.name;
        hit.hasConnection = true;
        hit.connection = {pin.x, pin.y};
        return hit;
    }
    bool found = false;
    forEachBlock(module, [&](int kind, int index, const auto& block) {
        if (found || !blockHit(block, p)) return;
        found = true;
        hit.kind = kind;
        hit.index = index;
        hit.name = blockSelectionName(module, kind, index);
        hit.hasConnection = connectionOf(module, sensitivity, kind, index, p, hit.connection);
    });
    if (found) return hit;
    int netIndex = 0;
    for (const auto& [name, net] : module.nets) {
        for (std::size_t s = 0; s < net.route.size(); ++s) {
            if (net.route[s].text == kGuideText || !segmentHit(net.route[s], p)) continue;
            hit.kind = kKindWire;
            hit.index = netIndex;
            hit.name = std::to_string(netIndex);
            hit.segment = static_cast<int>(s);
            return hit;
        }
        ++netIndex;
    }
    for (std::size_t i = 0; i < comments.size(); ++i) {
        const int kind = hitComment(comments[i], p);
        if (kind == kHitBlockedCorner) return SchematicHit{};
        if (kind == kHitNothing) continue;
        hit.kind = kind;
        hit.index = static_cast<int>(i);
        hit.name = std::to_string(i);
        return hit;
    }
    return hit;
}

}  // namespace corvane
