// A readable, deterministic text dump of a schematic's geometry, for debugging
// and as the expected result of tests: canvas, module pins, blocks with their
// ports and sensitivity entries, and every net's terminals, segments and junctions.
#pragma once

#include <string>

#include "database/records.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

class CSchematicDlg;

// One line per item, each ending in "\n".
std::string dumpGeometry(const Module& module, const SensitivityPlaces& sensitivity);

// The window's canvas sizes and comments, then the geometry of its module
// (only the window lines when the module is gone).
std::string dumpGeometry(const CSchematicDlg& window);

}  // namespace corvane
