#include "schematic/comment_attach.h"

#include <cmath>
#include <cstdlib>

#include "schematic/block_access.h"
#include "schematic/clamped_int.h"

namespace corvane {

namespace {

constexpr int kNoDistance = 65535;

struct Nearest {
    int kind = -1;
    int index = 0;
    Point centre;
    Point anchor;  // what the summary rectangle is centred from
};

// Moves the rectangle (x0, y0, x1, y1) so its centre lies at `centre`,
// keeping its size and orientation.
void centreOn(int& x0, int& y0, int& x1, int& y1, Point centre) {
    const long long dx = static_cast<long long>(centre.x) - halfSum(x0, x1);
    const long long dy = static_cast<long long>(centre.y) - halfSum(y0, y1);
    x0 = addClamped(x0, dx), x1 = addClamped(x1, dx);
    y0 = addClamped(y0, dy), y1 = addClamped(y1, dy);
}

// The centre of a block's frame: (x, (2y + height) / 2).
Point blockCentre(int x, int y, int height) {
    return {x, clampToInt((2LL * y + height) / 2)};
}

Nearest findNearest(const Module& module, const SchematicComment& c) {
    const long long cx = (static_cast<long long>(c.x0) + c.x1) / 2;
    const long long cy = (static_cast<long long>(c.y0) + c.y1) / 2;
    Nearest nearest;
    int best = kNoDistance;
    auto consider = [&](int kind, int index, Point centre, Point anchor) {
        const double d = std::floor(std::hypot(double(centre.x - cx), double(centre.y - cy)));
        const double reach =
            1.5 * std::hypot(std::abs(2.0 * centre.x) + std::abs(double(c.x0) + c.x1),
                             std::abs(2.0 * centre.y) + std::abs(double(c.y0) + c.y1));
        if (d < reach && d < best) {
            best = static_cast<int>(d);
            nearest = {kind, index, centre, anchor};
        }
    };
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        const Pin& pin = module.pins[i];
        consider(kKindPin, static_cast<int>(i), {pin.x, pin.y}, {pin.x, pin.y});
    }
    forEachBlock(module, [&](int kind, int index, const auto& block) {
        const Point centre = blockCentre(block.x, block.y, block.height);
        consider(kind, index, centre, centre);
    });
    return nearest;
}

}  // namespace

bool objectCentre(const Module& module, int kind, int index, Point& centre) {
    if (kind == kKindPin) {
        const Pin* pin = elementAt(module.pins, index);
        if (pin) centre = {pin->x, pin->y};
        return pin != nullptr;
    }
    bool found = false;
    forEachBlock(module, [&](int k, int i, const auto& block) {
        if (k != kind || i != index) return;
        centre = blockCentre(block.x, block.y, block.height);
        found = true;
    });
    return found;
}

void attachComment(const Module& module, SchematicComment& c, bool offsetsOnly) {
    const Point centre{halfSum(c.x0, c.x1), halfSum(c.y0, c.y1)};
    const Nearest nearest = findNearest(module, c);
    if (nearest.kind < 0) {
        c.scpType = -1;
        c.scpId = 0;
        c.scpIx = c.x0;
        c.scpIy = c.y0;
        c.scpSix = c.sx0;
        c.scpSiy = c.sy0;
    } else {
        c.scpType = nearest.kind;
        c.scpId = nearest.index;
        c.scpIx = differenceClamped(nearest.centre.x, centre.x);
        c.scpIy = differenceClamped(nearest.centre.y, centre.y);
        c.scpSix = differenceClamped(nearest.anchor.x, centre.x);
        c.scpSiy = differenceClamped(nearest.anchor.y, centre.y);
    }
    if (offsetsOnly) return;
    // The summary view centres the rectangle from the object's position: a
    // pin's point, a block's top-centre.
    Point from{0, 0};
    if (nearest.kind == kKindPin) {
        from = nearest.anchor;
    } else if (nearest.kind >= 0) {
        from = {nearest.centre.x, nearest.centre.y};
        forEachBlock(module, [&](int k, int i, const auto& block) {
            if (k == nearest.kind && i == nearest.index) from = {block.x, block.y};
        });
    }
    c.sx0 = c.x0, c.sy0 = c.y0, c.sx1 = c.x1, c.sy1 = c.y1;
    centreOn(c.sx0, c.sy0, c.sx1, c.sy1,
             {differenceClamped(from.x, c.scpSix), differenceClamped(from.y, c.scpSiy)});
}

void followObject(const Module& module, int kind, int index,
                  std::vector<SchematicComment>& comments) {
    Point centre;
    if (!objectCentre(module, kind, index, centre)) return;
    for (SchematicComment& c : comments) {
        if (c.kind == kCommentMarker || c.scpType != kind || c.scpId != index) continue;
        centreOn(c.x0, c.y0, c.x1, c.y1,
                 {differenceClamped(centre.x, c.scpIx), differenceClamped(centre.y, c.scpIy)});
    }
}

}  // namespace corvane
