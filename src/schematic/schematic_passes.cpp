#include "schematic/schematic_passes.h"

namespace corvane {

namespace {

class PlacementOnlyPasses final : public SchematicPasses {
public:
    void route(SchematicLayoutContext&) const override {}
    void cleanUp(SchematicLayoutContext& layout, bool) const override {
        layout.canvas = canvasAfterCleanup(layout.module);
    }
    void routingSharpen(SchematicLayoutContext&, int) const override {}
    void checkJunctions(SchematicLayoutContext&) const override {}
};

}  // namespace

const SchematicPasses& placementOnlyPasses() {
    static const PlacementOnlyPasses passes;
    return passes;
}

}  // namespace corvane
