// Moving one segment of a routed net across its direction while the net
// stays connected.
#pragma once

#include "database/records.h"

namespace corvane {

// Moves segment `index` of `net` by `offset` across its direction (the
// offset along it is ignored). Neighbours that meet an old end at right
// angles are stretched or shortened to the new end; where anything else met
// an old end (a collinear piece, a terminal) a connecting piece joins the old
// end to the new one. Junctions on the old segment move with it. Returns
// false, changing nothing, when there is no such segment or it does not move.
bool moveWireSegment(Net& net, int index, int offset);

}  // namespace corvane
