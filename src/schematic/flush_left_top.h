// Flush Left-Top: moves a finished schematic so that it starts near the
// top-left corner of the canvas.
#pragma once

#include <vector>

#include "database/records.h"
#include "schematic/schematic_comment.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

struct FlushOffset {
    int dx = 0;
    int dy = 0;
    friend bool operator==(const FlushOffset&, const FlushOffset&) = default;
};

// The smallest x and y above 0 (from 65535) over module pins, blocks, block
// ports and sensitivity entries not left of their block's left edge, route
// segment ends and comment corners; dx = ((min x - 256) / 16) * 16 and
// dy = ((min y - 64) / 16) * 16, truncating towards zero. The comment marker
// record is no figure: its corners neither count nor move, so that a second
// Flush Left-Top right after the first moves nothing.
FlushOffset flushOffset(const Module& module, const SensitivityPlaces& sensitivity,
                        const std::vector<SchematicComment>& comments);

// Subtracts the offset from every module pin, block, block port, sensitivity
// entry, route segment and comment corner, and re-keys every junction to its
// moved point. Terminals are not touched. Two things stay: the comment marker,
// and block ports of width 0 (duplicate labels), which are unplaced and keep
// the (0, 0) that the drawing and the router read as "not placed".
void shiftSchematic(Module& module, SensitivityPlaces& sensitivity,
                    std::vector<SchematicComment>& comments, FlushOffset offset);

// A junction key x + y * 65536 moved by the offset.
int shiftedJunctionKey(int key, FlushOffset offset);

}  // namespace corvane
