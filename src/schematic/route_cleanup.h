// The route clean-up: rewriting passes over every net's route that merge, trim
// and delete segments, optionally compact the drawing, and rebuild the junctions.
#pragma once

#include "database/records.h"

namespace corvane {

class CSchematicDlg;

// The whole clean-up sequence over `module` (the module of `window`), with the
// compaction step when `compaction` is true. Ends by rebuilding every net's
// junctions and calling window.recomputeCanvasAfterCleanup(module).
void cleanUpRoutes(CSchematicDlg& window, Module& module, bool compaction);

// One RoutingSharpen pass alone; `mode` is 0 to 3.
void routingSharpen(CSchematicDlg& window, Module& module, int mode);

// Junction check: drops the junction entries that are plain corners or that
// no segment reaches.
void checkJunctions(Module& module);

}  // namespace corvane
