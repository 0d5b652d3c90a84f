// The RoutingSharpen passes: loop removal, merging of collinear pieces,
// trimming of pieces that share an end column, and detour removal.
#pragma once

#include "database/records.h"
#include "platform/progress_sink.h"

namespace corvane {

// RoutingSharpen(0), in the nets still flagged for routing: of two horizontals
// with the same stored ends on different rows, joined by a vertical at their
// x1 end from which a branch leaves between the rows, and spanned by a
// vertical at their x0 end, the lower one is deleted and the joining vertical
// ends at the branch. A loop stays when a terminal or another piece of the net
// hangs on what would go. Reports 25 and 75; clears every net's needsRouting.
void routingSharpen0(Module& module, ProgressSink& progress);

// RoutingSharpen(1), in the flagged nets: overlapping or touching collinear
// pieces become one, written from the smaller to the larger coordinate.
// Clears every net's needsRouting.
void routingSharpen1(Module& module);

// RoutingSharpen(2), in the flagged nets: of two parallel pieces on different
// lines that share one stored end, the shorter one is made to start (or end)
// where the longer one ends (or starts). Deletes nothing.
void routingSharpen2(Module& module);

// RoutingSharpen(3), in every net: a horizontal that lies above (or below) a
// longer one, between a vertical at its x0 end that spans both rows and a
// vertical at its x1 end that joins it to the longer one, is a detour: it is
// deleted and the joining vertical is shortened to the nearest branch, or
// deleted when there is none. A detour stays when a terminal or another piece
// of the net hangs on what would go (such as a branch leaving Q's x1 end on
// its row). Reports 25, 50 and 75, then hides the progress.
void routingSharpen3(Module& module, ProgressSink& progress);

// RoutingSharpen(0) and (3) scanning the whole route for every candidate, as
// the passes are stated. The versions above look candidates up by column,
// with the same results; these are kept to check that.
void routingSharpen0Direct(Module& module, ProgressSink& progress);
void routingSharpen3Direct(Module& module, ProgressSink& progress);

}  // namespace corvane
