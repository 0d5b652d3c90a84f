// The selection of a schematic window and rectangle selection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/schematic_comment.h"

namespace corvane {

// One selected item: its object kind, its selection name (see the hit test)
// and its position in its vector (a wire: the net's position in the map).
struct SelectionEntry {
    int kind = -1;
    std::string name;
    int index = 0;
    bool operator==(const SelectionEntry&) const = default;
};

using SchematicSelection = std::vector<SelectionEntry>;

bool isSelected(const SchematicSelection& selection, int kind, std::string_view name);

// Every object overlapping the rectangle spanned by `a` and `b` (strictly),
// in the order pins, blocks, wires (within 2 across a segment), comments.
// A rectangle of no size selects comments by the hit rules of one comment; a
// real one only comments lying wholly inside it.
SchematicSelection selectInRectangle(const Module& module,
                                     const std::vector<SchematicComment>& comments, Point a,
                                     Point b);

}  // namespace corvane
