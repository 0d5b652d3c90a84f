// Layout from scratch: the first position of every block and module pin of a
// schematic drawn anew, in a column layout driven by how the blocks connect to
// the module's ports.
#pragma once

#include "database/records.h"
#include "schematic/pin_labels.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

// The arrangement interval generation always uses.
inline constexpr int kArrangementInterval = 128;

// Sizes and places all blocks and module pins. Blocks are stacked kind by kind
// (assigns, always blocks, instances, initial blocks) in the column of their
// level, each next block of a column `interval` * 32 below the previous one's
// bottom; inputs stand on the left at x 180, outputs and inouts on the right,
// 64 apart from y 64.
void layoutFromScratch(Module& module, SensitivityPlaces& sensitivity,
                       const SchematicTextMeasure& measure, int interval);

}  // namespace corvane
