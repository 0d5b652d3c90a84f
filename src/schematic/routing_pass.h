// The routing pass with a choice of how the occupancy lists are searched;
// both choices give the same routes, the indexed one faster on large modules.
#pragma once

#include "database/records.h"
#include "schematic/layout_context.h"
#include "schematic/routing_occupancy.h"

namespace corvane {

void routeSchematic(SchematicLayoutContext& context, OccupancyIndexing indexing);

}  // namespace corvane
