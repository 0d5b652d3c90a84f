// Block layout: turns a block's position (x = centre, y = top) into its size
// and the connection points of its ports, and sizes the module's pin labels.
// Used by layout from scratch and when a loaded schematic is re-measured.
#pragma once

#include <vector>

#include "database/records.h"
#include "schematic/pin_labels.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

inline constexpr int kBlockRowPitch = 32;  // distance between two port rows
inline constexpr int kPortHeight = 16;     // height of every port and pin label

// Each sets width, height and the ports' x, y, width, height of one block from
// its x and y. A port whose label repeats an earlier one on the same block
// (by the block kind's rule) gets width 0 and stays unplaced at (0, 0).
void layoutAssign(Assign& block, const SchematicTextMeasure& measure);
// `sensitivity` is resized to the block's entries and receives their boxes;
// `vhdl` picks the title " Process " instead of " Always ". A left-edge port
// named like a sensitivity entry is not drawn, whatever range its label shows.
void layoutAlways(Always& block, std::vector<LabelBox>& sensitivity, bool vhdl,
                  const SchematicTextMeasure& measure);
void layoutChild(Child& block, const SchematicTextMeasure& measure);
void layoutInitial(Initial& block, const SchematicTextMeasure& measure);

// Lays out block `index` of `kind` at its current position; nothing for a
// kind or index that names no block.
void layoutBlock(Module& module, SensitivityPlaces& sensitivity, int kind, int index,
                 const SchematicTextMeasure& measure);

// Lays out every block at its current position.
void layoutAllBlocks(Module& module, SensitivityPlaces& sensitivity,
                     const SchematicTextMeasure& measure);

// Module pin label widths: rounded up to the next multiple of 32 above the
// label width during layout from scratch, the plain label width when a loaded
// schematic is re-measured. Heights are 16 either way.
enum class PinWidthRule { kRounded, kPlain };
void measureModulePins(Module& module, const SchematicTextMeasure& measure, PinWidthRule rule);

// Re-measures a loaded schematic: every block at its stored position, and the
// plain module pin label widths.
void remeasureSchematic(Module& module, SensitivityPlaces& sensitivity,
                        const SchematicTextMeasure& measure);

}  // namespace corvane
