#include "schematic/routing_pair.h"

#include "schematic/routing_step_loop.h"
#include "schematic/routing_stubs.h"
#include "schematic/terminal_refresh.h"

namespace corvane {

namespace {

RoutePoint pointOf(const Terminal& terminal) {
    return {terminal.x, terminal.y};
}

// Any side but 1 counts as leaving leftwards.
bool leavesRight(const Terminal& terminal) {
    return terminal.side == kSideRight;
}

}  // namespace

void routePair(RouteContext& context, const Terminal& a, const Terminal& b) {
    context.stepsLeft = kMaxStepsPerConnection;
    const bool swapped = a.x > b.x;
    const Terminal& left = swapped ? b : a;
    const Terminal& right = swapped ? a : b;
    const RoutePoint l = pointOf(left);
    const RoutePoint r = pointOf(right);
    const bool join = swapped;
    context.farEnd = r;

    if (leavesRight(left) && !leavesRight(right)) {
        // Facing each other: the usual case.
        stepLoop(context, l, r, true, join);
    } else if (leavesRight(left)) {
        // Both face right: R's wire goes out and around its block first.
        const RoutePoint p = rightStub(context, r, l.y);
        if (p.x != 0) stepLoop(context, l, p, false, join);
    } else if (leavesRight(right)) {
        // Facing away from each other: a stub at each end, then between the stubs.
        const RoutePoint p = rightStub(context, r, l.y);
        if (p.x == 0) return;
        const RoutePoint q = leftStub(context, l, p.y);
        if (q.x != 0) stepLoop(context, q, p, false, join);
    } else {
        // Both face left: L's wire goes out and around its block first.
        const RoutePoint q = leftStub(context, l, r.y);
        if (q.x != 0) stepLoop(context, q, r, true, join);
    }
}

}  // namespace corvane
