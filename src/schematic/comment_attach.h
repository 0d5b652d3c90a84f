// Comments attached to the nearest pin or block, and comments following the
// object they are attached to.
#pragma once

#include <vector>

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/schematic_comment.h"

namespace corvane {

// The centre attached comments keep their offset to: (x, y) for a pin, the
// middle of the block's frame (x, (2y + height) / 2) for a block. False when
// there is no object of `kind` at `index`.
bool objectCentre(const Module& module, int kind, int index, Point& centre);

// Attaches `comment` to the nearest pin or block (by centre distance; the
// first of equally near objects wins) and computes its summary rectangle.
// With `offsetsOnly` (a move with Shift held) the summary rectangle keeps its
// values.
void attachComment(const Module& module, SchematicComment& comment, bool offsetsOnly = false);

// Re-centres every comment attached to object `index` of `kind` on the
// object's centre minus the offset kept when it was attached.
void followObject(const Module& module, int kind, int index,
                  std::vector<SchematicComment>& comments);

}  // namespace corvane
