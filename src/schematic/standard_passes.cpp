// The generation sequence's passes bound to the router and the clean-up.
// Kept in a file of its own: a static-library program that never asks for
// these passes does not need the router to link.
#include "schematic/route_cleanup.h"
#include "schematic/routing.h"
#include "schematic/schematic_passes.h"

namespace corvane {

namespace {

class StandardPasses final : public SchematicPasses {
public:
    void route(SchematicLayoutContext& layout) const override { routeSchematic(layout); }
    void cleanUp(SchematicLayoutContext& layout, bool compaction) const override {
        cleanUpRoutes(layout, compaction);
    }
    void routingSharpen(SchematicLayoutContext& layout, int mode) const override {
        corvane::routingSharpen(layout, mode);
    }
    void checkJunctions(SchematicLayoutContext& layout) const override {
        corvane::checkJunctions(layout.module);
    }
};

}  // namespace

const SchematicPasses& standardSchematicPasses() {
    static const StandardPasses passes;
    return passes;
}

}  // namespace corvane
