// The route step: from the current point, a horizontal ray towards the
// target, a horizontal piece to the chosen column, a vertical piece towards
// the target's row, and again, until the target is reached.
#pragma once

#include "schematic/routing_context.h"

namespace corvane {

// Routes from `from` towards `target` and returns kRouteDone when the
// connection is finished, or the point on one of the net's own verticals
// where it joined it (join on) so the step loop carries on from there.
// `forceJog` makes the first vertical move of the step run through a column
// near the middle even when the target is in reach. With `join` on the route
// ends on a horizontal of its own net that a vertical move reaches, unless
// that horizontal leads only back to where the connection started. Stops
// early, returning kRouteDone, when the connection's step budget is spent.
RoutePoint routeStep(RouteContext& context, RoutePoint from, RoutePoint target, bool forceJog,
                     bool join);

}  // namespace corvane
