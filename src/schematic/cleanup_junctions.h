// The junction dots of every net: rebuilt from the route after the clean-up,
// and checked after loading and generation.
#pragma once

#include "database/records.h"

namespace corvane {

// The junction key of (x, y): x + y * 65536, formed wide and kept modulo 2^32.
int junctionKey(int x, int y);

// The point of a junction key: x in the low 16 bits and y in the high 16 bits,
// both read as 0 to 65535, the extent of a canvas.
void junctionPoint(int key, int& x, int& y);

// Empties every net's junctions and records, with count 2 per detection, the
// points where a horizontal ends on or crosses the interior of a vertical of
// the net, and where a vertical ends on the interior of a horizontal.
void rebuildJunctions(Module& module);

// The junction check over one net: see checkJunctions in route_cleanup.h.
void checkNetJunctions(Net& net);

}  // namespace corvane
