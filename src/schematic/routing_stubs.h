// The stubs: the first moves out of a terminal whose wire leaves away from
// the other end of its connection, around the terminal's own block onto a
// free column and row.
#pragma once

#include "schematic/routing_context.h"

namespace corvane {

// Right stub from `terminal` (its wire leaves rightwards) towards row
// `otherRow`: out to the right onto a column of the own net, or a free column
// beyond the widest block, then down below (or up above) the terminal's block
// onto a row no piece uses. Returns the stub's end.
RoutePoint rightStub(RouteContext& context, RoutePoint terminal, Coord otherRow);

// Left stub from `terminal` (its wire leaves leftwards) towards row
// `otherRow`: out to the left onto a column of the own net, or a free column
// beyond the widest block, then towards the other row past the terminal's
// block onto a row no other net uses. Returns the stub's end.
RoutePoint leftStub(RouteContext& context, RoutePoint terminal, Coord otherRow);

}  // namespace corvane
