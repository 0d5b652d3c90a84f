// The routing pass with a choice of how the occupancy lists are searched;
// both choices give the same routes, the indexed one faster on large modules.
#pragma once

#include "database/records.h"
#include "schematic/routing_occupancy.h"

namespace corvane {

class CSchematicDlg;

void routeSchematic(CSchematicDlg& window, Module& module, OccupancyIndexing indexing);

}  // namespace corvane
