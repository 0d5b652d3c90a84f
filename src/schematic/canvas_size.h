// Canvas sizes computed from the extent of a schematic.
#pragma once

#include <vector>

#include "database/records.h"
#include "schematic/schematic_comment.h"

namespace corvane {

struct CanvasSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

inline constexpr CanvasSize kOpeningCanvas{816, 608};     // when a window opens
inline constexpr CanvasSize kGenerationCanvas{800, 600};  // before a schematic is generated

// The size after route clean-up: X is the largest module pin x, block right
// edge and segment end x; Y the largest module pin y, block bottom and segment
// end y (both from 0); the canvas is ((X + 128) / 16 + 1) * 16 by
// ((Y + 64) / 16 + 1) * 16. Comments do not count.
CanvasSize canvasAfterCleanup(const Module& module);

// The size after Flush Left-Top: as above but with module pin x + label width
// and the comment corners (but the marker's) counted, and 32 added in both directions.
CanvasSize canvasAfterFlush(const Module& module, const std::vector<SchematicComment>& comments);

}  // namespace corvane
