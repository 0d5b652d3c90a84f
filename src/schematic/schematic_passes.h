// The routing and clean-up steps the generation sequence calls, behind one
// interface so that placement runs (and is tested) on its own, and so the
// window object does not tie every program that uses it to the router.
#pragma once

#include "schematic/layout_context.h"

namespace corvane {

class SchematicPasses {
public:
    virtual ~SchematicPasses() = default;

    // The routing pass over the flagged nets.
    virtual void route(SchematicLayoutContext& layout) const = 0;
    // The clean-up sequence, with or without compaction; recomputes the canvas size.
    virtual void cleanUp(SchematicLayoutContext& layout, bool compaction) const = 0;
    // One RoutingSharpen pass (mode 0 to 3).
    virtual void routingSharpen(SchematicLayoutContext& layout, int mode) const = 0;
    // The junction check.
    virtual void checkJunctions(SchematicLayoutContext& layout) const = 0;
};

// Placement alone: routing and the passes do nothing, and the clean-up only
// recomputes the canvas size as a clean-up would.
const SchematicPasses& placementOnlyPasses();

// The router and the clean-up passes of routing.h and route_cleanup.h.
// Defined in standard_passes.cpp, so only programs that use it link the router.
const SchematicPasses& standardSchematicPasses();

}  // namespace corvane
