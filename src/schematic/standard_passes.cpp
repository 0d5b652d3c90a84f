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
    void route(CSchematicDlg& window, Module& module) const override {
        routeSchematic(window, module);
    }
    void cleanUp(CSchematicDlg& window, Module& module, bool compaction) const override {
        cleanUpRoutes(window, module, compaction);
    }
    void routingSharpen(CSchematicDlg& window, Module& module, int mode) const override {
        corvane::routingSharpen(window, module, mode);
    }
    void checkJunctions(CSchematicDlg&, Module& module) const override {
        corvane::checkJunctions(module);
    }
};

}  // namespace

const SchematicPasses& standardSchematicPasses() {
    static const StandardPasses passes;
    return passes;
}

}  // namespace corvane
