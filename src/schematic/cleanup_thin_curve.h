// The DeleteThinCurve passes: fold close parallel pieces of a net into one.
//
// Both passes repeat a scan over every net until a scan changes nothing,
// starting again from the first net after every change. Instead of a time
// limit they stop after a fixed number of rounds (a round is one scan, ending
// at its first change or finding none), so the same input always gives the
// same drawing. Every round that changes something deletes a segment (a
// horizontal in the row pass, a vertical in the column pass) and adds no
// segment of that direction, so a pass needs at most one round more than the
// module has segments; kThinCurveRoundLimit lies far above the segment count
// of any real schematic and only guards against what should never happen.
//
// The pieces that fold, and those they fold into, have a length: zero-length
// points are never folded (each fold deletes them).
#pragma once

#include <vector>

#include "database/records.h"
#include "platform/progress_sink.h"
#include "schematic/schematic_comment.h"

namespace corvane {

inline constexpr int kThinCurveRoundLimit = 1000000;

// DeleteThinCurve_Horz: a horizontal Q within 16 rows of another horizontal P
// of the net, inside P's x-range, neither touching a terminal at an end, is
// folded into P: the verticals standing on Q are extended to P's row, Q is
// deleted, and so is every zero-length segment of the net. Q does not fold
// when something else would hang where it was: a terminal inside it, another
// horizontal of its row that meets it, or a vertical crossing it that does not
// reach P's row. Returns the number of rounds run.
int deleteThinCurveHorz(Module& module, int roundLimit = kThinCurveRoundLimit);

// DeleteThinCurve_Vert: a vertical R at most 272 right of a vertical Q of the
// net, overlapping it in y, with both of R's end rows free of pins, blocks and
// comments at Q's column, is folded into Q: the horizontals that end on R
// without a terminal there end on Q instead, Q takes the union of both ranges,
// R and every zero-length segment are deleted, and each terminal on R's
// column within its range gets a new horizontal from Q. `comments` are the
// window's comments for the hit test. Reports progress as rounds * 100 /
// roundLimit, and 0 at the end. Returns the number of rounds run.
int deleteThinCurveVert(Module& module, const std::vector<SchematicComment>& comments,
                        ProgressSink& progress, int roundLimit = kThinCurveRoundLimit);

// The passes exactly as stated: every round rescans from the first segment of
// the first net, and the hit test scans every pin and block. The versions
// above skip what cannot have changed and index pins and blocks, with the same
// results; these are kept to check that.
int deleteThinCurveHorzDirect(Module& module, int roundLimit = kThinCurveRoundLimit);
int deleteThinCurveVertDirect(Module& module, const std::vector<SchematicComment>& comments,
                              ProgressSink& progress, int roundLimit = kThinCurveRoundLimit);

}  // namespace corvane
