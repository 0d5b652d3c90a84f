#include "schematic/route_cleanup.h"

#include "schematic/cleanup_compaction.h"
#include "schematic/cleanup_cut.h"
#include "schematic/cleanup_glove.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/cleanup_sharpen.h"
#include "schematic/cleanup_thin_curve.h"
#include "schematic/cleanup_unite.h"

namespace corvane {

namespace {

void sharpen0(SchematicLayoutContext& layout) {
    routingSharpen0(layout.module, layout.progress);
}
void sharpen1(SchematicLayoutContext& layout) {
    routingSharpen1(layout.module);
}
void sharpen2(SchematicLayoutContext& layout) {
    routingSharpen2(layout.module);
}
void sharpen3(SchematicLayoutContext& layout) {
    routingSharpen3(layout.module, layout.progress);
}
void thinRows(SchematicLayoutContext& layout) {
    deleteThinCurveHorz(layout.module);
}
void thinColumns(SchematicLayoutContext& layout) {
    deleteThinCurveVert(layout.module, layout.comments, layout.progress);
}
void unite(SchematicLayoutContext& layout) {
    uniteDoubleRoute(layout.module);
}
void uniteThenSharpen3(SchematicLayoutContext& layout) {
    uniteDoubleRoute(layout.module);
    routingSharpen3(layout.module, layout.progress);
}
void cutSuite(SchematicLayoutContext& layout) {
    routingCutSuite(layout.module);
}
void cutSimple(SchematicLayoutContext& layout) {
    cutSimpleSuite(layout.module, layout.progress);
}
void compaction(SchematicLayoutContext& layout) {
    compactSchematic(layout.module, layout.sensitivity);
}
void glove(SchematicLayoutContext& layout) {
    deleteEachGloveRouteHorz(layout.module);
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

void cleanUpRoutes(SchematicLayoutContext& layout, bool compaction) {
    Module& module = layout.module;
    ProgressSink& progress = layout.progress;
    for (const CleanupPass& pass : cleanupPasses()) {
        if (pass.compactionOnly && !compaction) continue;
        if (pass.progressText) progress.showProgressFile(pass.progressText);
        pass.run(layout);
    }
    progress.hideProgress();
    rebuildJunctions(module);
    layout.canvas = canvasAfterCleanup(module);
}

void routingSharpen(SchematicLayoutContext& layout, int mode) {
    Module& module = layout.module;
    switch (mode) {
        case 0:
            routingSharpen0(module, layout.progress);
            break;
        case 1:
            routingSharpen1(module);
            break;
        case 2:
            routingSharpen2(module);
            break;
        case 3:
            routingSharpen3(module, layout.progress);
            break;
        default:
            break;
    }
}

}  // namespace corvane
