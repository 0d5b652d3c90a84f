// Route pair: connects two terminals of a net, choosing by the sides their
// wires leave towards between a direct route and routes that start with stubs.
#pragma once

#include "database/records.h"
#include "schematic/routing_context.h"

namespace corvane {

// Connects `a` and `b` (in chain order). L is the one with the smaller x (a
// when both are equal), R the other; every step loop of the pair joins the
// net's own pieces only when a lies right of b. Refills the context's step
// budget: each pair is one connection.
void routePair(RouteContext& context, const Terminal& a, const Terminal& b);

}  // namespace corvane
