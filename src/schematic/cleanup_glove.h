// DeleteEachGloveRoute_Horz: removes interlocking horizontals.
#pragma once

#include "database/records.h"

namespace corvane {

// Two horizontals A and B (B later in the route) on different rows that
// overlap like interlocking fingers (A starts first and B ends last, or the
// other way round), each joined to the other's row by the vertical next to it
// in the route: A is cut back to B's near end and A's vertical is erased.
// The pair stays when that would leave something hanging: when the verticals
// do not stand at the two ends concerned, or a terminal or another piece of
// the net meets A's vertical or the part of A that goes.
void deleteEachGloveRouteHorz(Module& module);

// The same over one route with the net's terminals.
void deleteEachGloveRouteHorz(std::vector<Segment>& route,
                              const std::vector<Terminal>& terminals = {});

}  // namespace corvane
