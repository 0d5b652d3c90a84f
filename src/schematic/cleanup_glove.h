// DeleteEachGloveRoute_Horz: removes interlocking horizontals.
#pragma once

#include "database/records.h"

namespace corvane {

// Two horizontals A and B (B later in the route) on different rows that
// overlap like interlocking fingers (A starts first and B ends last, or the
// other way round), each joined to the other's row by the vertical next to it
// in the route: A is cut back to B's near end and A's vertical is erased.
void deleteEachGloveRouteHorz(Module& module);

// The same over one route.
void deleteEachGloveRouteHorz(std::vector<Segment>& route);

}  // namespace corvane
