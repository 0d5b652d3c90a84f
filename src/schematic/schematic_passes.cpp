#include "schematic/schematic_passes.h"

#include "schematic/schematic_dlg.h"

namespace corvane {

namespace {

class PlacementOnlyPasses final : public SchematicPasses {
public:
    void route(CSchematicDlg&, Module&) const override {}
    void cleanUp(CSchematicDlg& window, Module& module, bool) const override {
        window.recomputeCanvasAfterCleanup(module);
    }
    void routingSharpen(CSchematicDlg&, Module&, int) const override {}
    void checkJunctions(CSchematicDlg&, Module&) const override {}
};

}  // namespace

const SchematicPasses& placementOnlyPasses() {
    static const PlacementOnlyPasses passes;
    return passes;
}

}  // namespace corvane
