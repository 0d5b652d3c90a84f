// The routing pass: draws every flagged net as horizontal and vertical wire
// segments between its terminals.
#pragma once

#include "database/records.h"
#include "schematic/layout_context.h"

namespace corvane {

class CSchematicDlg;

// Routes every net of the context's module whose needsRouting is not 0: such
// a net loses its route and junctions and is routed again as a chain of its
// placed terminals in vector order. Works with the context's occupancy lists
// and half widest block, and reports through its progress. Leaves
// needsRouting as it is; the clean-up clears it.
void routeSchematic(SchematicLayoutContext& context);

// The same with the layout context of `window`, when `module` is the
// window's module; a module that is not the window's is left alone.
void routeSchematic(CSchematicDlg& window, Module& module);

}  // namespace corvane
