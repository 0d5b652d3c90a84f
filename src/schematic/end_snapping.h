// End snapping: pulls the loose ends of horizontal route segments back onto
// the block ports they belong to, after a schematic file is loaded into
// blocks whose widths may have changed since the file was written.
#pragma once

#include "database/records.h"

namespace corvane {

// For every net and every horizontal segment of its route, each end point that
// no other segment of the net touches (as an end point or by passing through
// it) moves along its row onto the x of the nearest terminal of the net on the
// same row; the first of equally near terminals wins. An end with no terminal
// on its row stays.
void snapRouteEnds(Module& module);

}  // namespace corvane
