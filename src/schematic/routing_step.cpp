#include "schematic/routing_step.h"

#include <optional>

#include "schematic/routing_choice.h"

namespace corvane {

namespace {

// The current point of a route step and the target it heads for.
struct StepState {
    Coord x = 0;
    Coord y = 0;
    Coord tx = 0;
    Coord ty = 0;
};

// Join on a vertical: the first vertical of the own net in a column
// x < column <= px that covers row y takes the route over. The new point moves
// 8 along that vertical, upwards when there is room above, else downwards.
std::optional<RoutePoint> joinOnVertical(RouteContext& context, const StepState& s, Coord px) {
    const std::optional<VerticalPiece> own =
        context.occupancy.firstOwnVerticalAcross(context.net, s.x + 1, px, s.y);
    if (!own) return std::nullopt;
    context.addHorizontal(s.y, s.x, own->x);
    Coord y = s.y;
    if (s.y - own->y0 > 16) {
        y = s.y - 8;
    } else if (own->y1 - s.y > 16) {
        y = s.y + 8;
    }
    return RoutePoint{own->x, y};
}

// Join on a horizontal: the first horizontal of the own net on a row
// lo <= row <= hi that covers the current column. A horizontal the current
// point already reaches through the route leads only back to where this
// connection started; it is passed over unless the pair's far end is reached
// as well, so that the route goes on towards the target.
std::optional<HorizontalPiece> joinOnHorizontal(RouteContext& context, const StepState& s, Coord lo,
                                                Coord hi) {
    bool traced = false;  // the groups are looked at when the first candidate turns up
    int start = -1;
    bool farReached = false;
    const HorizontalFilter leadsOn = [&](const HorizontalPiece& piece) {
        if (!traced) {
            traced = true;
            context.reach.catchUp(context.route);
            start = context.reach.groupAt({s.x, s.y});
            farReached = start >= 0 && context.reach.groupAt(context.farEnd) == start;
        }
        return start < 0 || farReached || !context.reach.meets(start, piece);
    };
    return context.occupancy.firstOwnHorizontalAcross(context.net, lo, hi, s.x, leadsOn);
}

// A move downwards from the current point; true when the connection is done.
bool moveDown(RouteContext& context, StepState& s, const RayHit& ray, bool join) {
    const Coord limit = ray.bottom != 0 && ray.bottom > s.ty ? ray.bottom : s.ty;
    const Coord m = context.probes.verticalRay(s.x, s.y, limit);
    if (join) {
        const std::optional<HorizontalPiece> own = joinOnHorizontal(context, s, s.y + 1, m);
        if (own) {
            context.addVertical(s.x, s.y, own->y);
            return true;
        }
    }
    if (m == s.ty && s.x == s.tx) {
        context.addVertical(s.x, s.y, s.ty);
        return true;
    }
    const Coord e = endRowDown(context.occupancy, s.x, s.y, m, s.ty);
    context.addVertical(s.x, s.y, e);
    s.y = e;
    return false;
}

// A move upwards (or along the row, when level with the target); true when done.
bool moveUp(RouteContext& context, StepState& s, const RayHit& ray, bool join) {
    const bool stopped = ray.top != 0;
    const Coord limit = stopped ? ray.top : s.ty;
    const Coord m = context.probes.verticalRay(s.x, s.y, limit);
    if (join) {
        const std::optional<HorizontalPiece> own = joinOnHorizontal(context, s, m, s.y - 1);
        if (own) {
            context.addVertical(s.x, own->y, s.y);
            return true;
        }
    }
    if (m == s.ty && s.x == s.tx) {
        context.addVertical(s.x, s.ty, s.y);
        return true;
    }
    const Coord e = endRowUp(context.occupancy, s.x, s.y, m, s.ty, stopped);
    context.addVertical(s.x, e, s.y);
    s.y = e;
    return false;
}

}  // namespace

RoutePoint routeStep(RouteContext& context, RoutePoint from, RoutePoint target, bool forceJog,
                     bool join) {
    StepState s{from.x, from.y, target.x, target.y};
    // A forced jog holds for the first column this step chooses: the route
    // then turns at least once, through the middle, even when it could run
    // straight to the target.
    bool jog = forceJog;
    while (context.takeStep()) {
        const RoutePoint start{s.x, s.y};
        const bool jogging = jog;
        const RayHit ray = context.probes.rightRay(s.x, s.y, s.tx);
        const Coord px = ray.at;
        if (join) {
            if (const std::optional<RoutePoint> joined = joinOnVertical(context, s, px)) {
                return *joined;
            }
        }
        if (!jog && px == s.tx && s.y == s.ty) {
            context.addHorizontal(s.y, s.x, s.tx);
            return kRouteDone;
        }
        const Coord column = chooseColumn(context.occupancy, s.x, s.y, px, s.tx, jog);
        jog = false;
        context.addHorizontal(s.y, s.x, column);
        s.x = column;
        const bool done =
            s.y < s.ty ? moveDown(context, s, ray, join) : moveUp(context, s, ray, join);
        if (done) return kRouteDone;
        // A round that ends where it began laid only two zero-length pieces
        // there, which no later question sees (every search looks strictly
        // beside the current column and row); every later round would repeat
        // it, so the connection ends here.
        if (!jogging && s.x == start.x && s.y == start.y) return kRouteDone;
    }
    return kRouteDone;
}

}  // namespace corvane
