// The trimming passes: RoutingCutSuite pulls dangling ends back to the last
// point that holds them, CutSimpleSuite deletes segments hanging free.
#pragma once

#include "database/records.h"
#include "platform/progress_sink.h"

namespace corvane {

// RoutingCutSuite: an end of a horizontal that meets no terminal and no other
// segment of the net (ending there, or crossing it as a vertical) and lies
// on no pin or block of the net moves inwards to the outermost support point
// on the segment: an end of another segment of the net that reaches the row,
// or a terminal of the net on it. Then the same for verticals. Repeats until
// a round changes nothing.
void routingCutSuite(Module& module);

// CutSimpleSuite: a segment with an end that lies on no pin or block of the
// net and that no other segment of the net touches is deleted. Reports
// 100 * net number / nets per net and hides the progress at the end.
void cutSimpleSuite(Module& module, ProgressSink& progress);

}  // namespace corvane
