// The step loop: route steps from a start point until the target is reached.
#pragma once

#include "schematic/routing_context.h"

namespace corvane {

// Runs the route step from `start`, and again from every point it returns
// whose x is not 0, with the same target and flags. Ends when the step
// budget of the connection is spent.
void stepLoop(RouteContext& context, RoutePoint start, RoutePoint target, bool forceJog, bool join);

}  // namespace corvane
