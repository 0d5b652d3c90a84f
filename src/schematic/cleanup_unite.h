// UniteDoubleRoute: merges doubled pieces of a net that lie on one line.
#pragma once

#include "database/records.h"

namespace corvane {

// Horizontal phase: of two horizontals on one row whose ranges overlap or
// touch, the earlier one in the route takes the union and the later one is
// erased. Vertical phase: of two verticals in one column with ranges [pl, ph]
// (the earlier one, P) and [ql, qh] (the later one, Q), P takes the union when
// ph >= ql and qh + 16 >= pl; so a gap of up to 16 is bridged when Q lies
// above P but not when Q lies below. A merged piece keeps its direction.
void uniteDoubleRoute(Module& module);

// The same over one route.
void uniteDoubleRoute(std::vector<Segment>& route);

}  // namespace corvane
