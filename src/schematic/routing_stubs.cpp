#include "schematic/routing_stubs.h"

#include <optional>

namespace corvane {

namespace {

// The right stub's column: a vertical of the own net between x and the block
// the ray met (or its far limit f), else the first unused column from just
// beyond the widest block half, short of f.
Coord rightStubColumn(const RouteContext& context, Coord x, Coord f) {
    if (const std::optional<VerticalPiece> own =
            context.occupancy.firstOwnVertical(context.net, x, f)) {
        return own->x;
    }
    const Coord e = trunc8(f) - 8;
    Coord gx = trunc8(x + context.halfWidestBlock) + 16;
    while (gx < e && context.occupancy.columnUsed(gx)) gx += 8;
    return gx;
}

// The left stub's column, mirrored: an own vertical in f <= column < x, else
// the first unused column leftwards from the widest block half, not past f.
Coord leftStubColumn(const RouteContext& context, Coord x, Coord f) {
    if (const std::optional<VerticalPiece> own =
            context.occupancy.firstOwnVertical(context.net, f, x - 1)) {
        return own->x;
    }
    const Coord lo = trunc8(f) + 16;
    Coord mx = trunc8(x - context.halfWidestBlock) - 8;
    while (lo < mx && context.occupancy.columnUsed(mx)) mx -= 8;
    return mx;
}

// The left stub's end row towards a row yo below its start row y: level with
// yo when the column reaches it, else past the bottom b of the terminal's
// block or short of the block the column meets; then, when the block reaches
// below yo, down to the first row no other net uses, otherwise up while other
// nets use the row, not above b's own margin.
Coord leftStubRowDown(const RouteContext& context, Coord x, Coord y, Coord mx, Coord yo) {
    const Coord b = context.probes.blockBottomAt(x + 4, y);
    Coord my = b <= yo ? context.probes.verticalRay(mx, b, yo) : b;
    if (my != yo) my = trunc8(my) + 16;
    if (yo < b) {
        while (my < kRowSearchLimit && context.occupancy.rowUsedByOther(my, context.net)) my += 8;
    } else {
        const Coord v = trunc8(b) + 16;
        while (my > v && context.occupancy.rowUsedByOther(my, context.net)) my -= 8;
    }
    return my;
}

// The same towards a row yo above (or level with) the start row, mirrored
// about the top t of the terminal's block.
Coord leftStubRowUp(const RouteContext& context, Coord x, Coord y, Coord mx, Coord yo) {
    const Coord t = context.probes.blockTopAt(x + 4, y);
    Coord my = yo <= t ? context.probes.verticalRay(mx, t, yo) : t;
    if (my != yo) my = trunc8(my) - 24;
    if (t < yo) {
        while (my > 0 && context.occupancy.rowUsedByOther(my, context.net)) my -= 8;
    } else {
        const Coord v = trunc8(t) - 24;
        while (my < v && context.occupancy.rowUsedByOther(my, context.net)) my += 8;
    }
    return my;
}

}  // namespace

RoutePoint rightStub(RouteContext& context, RoutePoint terminal, Coord otherRow) {
    const Coord x = terminal.x;
    const Coord y = terminal.y;
    const Coord f = context.probes.rightRay(x, y, kRightStubReach).at;
    const Coord gx = rightStubColumn(context, x, f);
    context.addHorizontal(y, x, gx);
    Coord gy = 0;
    if (otherRow > y) {
        gy = trunc8(context.probes.blockBottomAt(x - 4, y)) + 16;
        while (gy < kRowSearchLimit && context.occupancy.rowUsed(gy)) gy += 8;
        context.addVertical(gx, y, gy);
    } else {
        gy = trunc8(context.probes.blockTopAt(x - 4, y)) - 24;
        while (gy > 0 && context.occupancy.rowUsed(gy)) gy -= 8;
        context.addVertical(gx, gy, y);
    }
    return {gx, gy};
}

RoutePoint leftStub(RouteContext& context, RoutePoint terminal, Coord otherRow) {
    const Coord x = terminal.x;
    const Coord y = terminal.y;
    const Coord f = context.probes.leftRay(x, y, 0).at;
    const Coord mx = leftStubColumn(context, x, f);
    context.addHorizontal(y, mx, x);
    if (otherRow > y) {
        const Coord my = leftStubRowDown(context, x, y, mx, otherRow);
        context.addVertical(mx, y, my);
        return {mx, my};
    }
    const Coord my = leftStubRowUp(context, x, y, mx, otherRow);
    context.addVertical(mx, my, y);
    return {mx, my};
}

}  // namespace corvane
