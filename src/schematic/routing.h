// The routing pass: draws every flagged net as horizontal and vertical wire
// segments between its terminals.
#pragma once

#include "database/records.h"

namespace corvane {

class CSchematicDlg;

// Routes every net of `module` (the module of `window`) whose needsRouting is
// not 0: such a net loses its route and junctions and is routed again as a
// chain of its placed terminals in vector order. Works with the window's
// occupancy lists and half widest block, and reports through
// window.progress(). Leaves needsRouting as it is; the clean-up clears it.
void routeSchematic(CSchematicDlg& window, Module& module);

}  // namespace corvane
