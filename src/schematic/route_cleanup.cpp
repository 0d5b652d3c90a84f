#include "schematic/route_cleanup.h"

#include "schematic/cleanup_compaction.h"
#include "schematic/cleanup_cut.h"
#include "schematic/cleanup_glove.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/cleanup_sharpen.h"
#include "schematic/cleanup_thin_curve.h"
#include "schematic/cleanup_unite.h"
#include "schematic/schematic_dlg.h"

namespace corvane {

namespace {

void sharpen0(CSchematicDlg& window, Module& module) {
    routingSharpen0(module, window.progress());
}
void sharpen1(CSchematicDlg&, Module& module) {
    routingSharpen1(module);
}
void sharpen2(CSchematicDlg&, Module& module) {
    routingSharpen2(module);
}
void sharpen3(CSchematicDlg& window, Module& module) {
    routingSharpen3(module, window.progress());
}
void thinRows(CSchematicDlg&, Module& module) {
    deleteThinCurveHorz(module);
}
void thinColumns(CSchematicDlg& window, Module& module) {
    deleteThinCurveVert(module, window.comments(), window.progress());
}
void unite(CSchematicDlg&, Module& module) {
    uniteDoubleRoute(module);
}
void uniteThenSharpen3(CSchematicDlg& window, Module& module) {
    uniteDoubleRoute(module);
    routingSharpen3(module, window.progress());
}
void cutSuite(CSchematicDlg&, Module& module) {
    routingCutSuite(module);
}
void cutSimple(CSchematicDlg& window, Module& module) {
    cutSimpleSuite(module, window.progress());
}
void compaction(CSchematicDlg& window, Module& module) {
    compactSchematic(module, window.sensitivity());
}
void glove(CSchematicDlg&, Module& module) {
    deleteEachGloveRouteHorz(module);
}

constexpr CleanupPass kPasses[] = {
    {"RoutingSharpen(0)", "Z:\\dummy\\RoutingSharpen(0)...", false, sharpen0},
    {"RoutingSharpen(1)", "Z:\\dummy\\RoutingSharpen(1)...", false, sharpen1},
    {"RoutingSharpen(2)", "Z:\\dummy\\RoutingSharpen(2)...", false, sharpen2},
    {"RoutingSharpen(3)", "Z:\\dummy\\RoutingSharpen(3)...", false, sharpen3},
    {"DeleteThinCurve_Horz", "Z:\\dummy\\DeleteThinCurve_Horz...", false, thinRows},
    {"UniteDoubleRoute", "Z:\\dummy\\UniteDoubleRoute(Horz)...", false, unite},
    {"DeleteThinCurve_Vert", "Z:\\dummy\\DeleteThinCurve_Vert...", false, thinColumns},
    {"UniteDoubleRoute", "Z:\\dummy\\UniteDoubleRoute(Vert)...", false, unite},
    {"RoutingCutSuite", "Z:\\dummy\\RoutingCutSuite...", false, cutSuite},
    {"CutSimpleSuite", "Z:\\dummy\\CutSimpleSuite...", false, cutSimple},
    {"RoutingCutSuite", "Z:\\dummy\\RoutingCutSuite(2)...", false, cutSuite},
    {"UniteDoubleRoute, RoutingSharpen(3)", "Z:\\dummy\\UniteDoubleRoute(3)...", false,
     uniteThenSharpen3},
    {"Compaction", nullptr, true, compaction},
    {"DeleteEachGloveRoute_Horz", "Z:\\dummy\\DeleteEachGloveRoute_Horz...", false, glove},
};

}  // namespace

std::span<const CleanupPass> cleanupPasses() {
    return kPasses;
}

void cleanUpRoutes(CSchematicDlg& window, Module& module, bool compaction) {
    ProgressSink& progress = window.progress();
    for (const CleanupPass& pass : cleanupPasses()) {
        if (pass.compactionOnly && !compaction) continue;
        if (pass.progressText) progress.showProgressFile(pass.progressText);
        pass.run(window, module);
    }
    progress.hideProgress();
    rebuildJunctions(module);
    window.recomputeCanvasAfterCleanup(module);
}

void routingSharpen(CSchematicDlg& window, Module& module, int mode) {
    switch (mode) {
        case 0:
            routingSharpen0(module, window.progress());
            break;
        case 1:
            routingSharpen1(module);
            break;
        case 2:
            routingSharpen2(module);
            break;
        case 3:
            routingSharpen3(module, window.progress());
            break;
        default:
            break;
    }
}

}  // namespace corvane
