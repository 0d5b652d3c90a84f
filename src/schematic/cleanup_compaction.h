// Compaction: closes the empty columns and rows of a generated schematic.
#pragma once

#include "database/records.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

// Horizontal step: the x-intervals of module pins (x +- 256), blocks (their
// edges +- 32) and vertical segments (x +- 32) are merged, and every gap
// between neighbouring intervals is closed, from right to left, by moving
// everything at or right of the gap left by its width: pins, blocks with
// their ports and sensitivity entries, terminals and segment ends (a
// horizontal that crosses the gap shrinks). Vertical step: the same with the
// y-intervals of pins (y +- 32), blocks (top - 32 to bottom + 32) and
// horizontal segments (y +- 32), closed from the bottom up. Junction keys and
// comments stay where they are.
void compactSchematic(Module& module, SensitivityPlaces& sensitivity);

}  // namespace corvane
