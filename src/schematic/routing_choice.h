// Column and row choices of the route step: where the next vertical move
// runs, and the row a vertical move ends on.
#pragma once

#include "schematic/routing_geometry.h"
#include "schematic/routing_occupancy.h"

namespace corvane {

// The column of the next vertical move from (x, y), where the right ray
// stopped at px on its way to column tx. Without a forced jog and with the
// ray reaching tx, the move runs at tx. Otherwise it runs near the middle
// h = trunc8((x + g) / 2) with g = trunc8(px) - 8: the first of h, h - 8,
// h + 8, h - 16, ... that no vertical piece covers at row y, or px when the
// candidates leave the range strictly between x and g first.
Coord chooseColumn(const OccupancyQueries& occupancy, Coord x, Coord y, Coord px, Coord tx,
                   bool forceJog);

// The row a downward move from row y in column x ends on, when the vertical
// ray stopped at m on its way to row ty: ty when it got there; else
// o = trunc8(m) - 24 when that is not below y; else m when one of the rows
// o, o - 8, ... below y has no horizontal piece across column x, o when all have.
Coord endRowDown(const OccupancyQueries& occupancy, Coord x, Coord y, Coord m, Coord ty);

// The row an upward (or level) move from row y ends on: m when the right ray
// was stopped by a block or the ray got to ty; else o = trunc8(m) + 16 when
// that is not above y; else m when one of the rows o, o + 8, ... above y has
// no horizontal piece across column x, o when all have.
Coord endRowUp(const OccupancyQueries& occupancy, Coord x, Coord y, Coord m, Coord ty,
               bool stoppedByBlock);

}  // namespace corvane
