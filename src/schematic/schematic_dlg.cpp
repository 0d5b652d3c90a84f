#include "schematic/schematic_dlg.h"

#include "schematic/flush_left_top.h"
#include "schematic/net_attributes.h"
#include "schematic/place_terminals.h"
#include "schematic/placement.h"
#include "schematic/terminal_refresh.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

NullProgressSink gNoProgress;
SchematicWindowHooks gNoHooks;

// length * zoom truncated, kept within 0 and the int range (a zoom read from a
// file may be anything, including not a number).
int scaledLength(int length, double zoom) {
    const double scaled = length * zoom;
    if (!(scaled > 0)) return 0;
    if (scaled >= 2147483647.0) return 2147483647;
    return static_cast<int>(scaled);
}

}  // namespace

CSchematicDlg::CSchematicDlg(ModuleList& modules, const std::string& moduleName,
                             const SchematicPasses& passes)
    : modules_(modules),
      moduleName_(toLowerAscii(moduleName)),
      passes_(&passes),
      progress_(&gNoProgress),
      hooks_(&gNoHooks),
      face_(fontRuleFace()) {
    comments_.push_back(makeMarkerComment());
}

Module* CSchematicDlg::findModule() {
    Module* module = modules_.find(moduleName_);
    if (module) sensitivity_.fit(*module);
    return module;
}

const Module* CSchematicDlg::findModule() const {
    return modules_.find(moduleName_);
}

void CSchematicDlg::flagAllNets(Module& module) {
    for (auto& [name, net] : module.nets) net.needsRouting = 1;
}

void CSchematicDlg::generate() {
    Module* module = findModule();
    if (!module) return;
    canvas_ = kGenerationCanvas;
    layoutFromScratch(*module, sensitivity_, textMeasure(), kArrangementInterval);
    placeTerminals(*module, sensitivity_);
    flagAllNets(*module);
    passes_->route(*this, *module);
    passes_->cleanUp(*this, *module, true);
    applyBusWidths(*module);
    flushLeftTop(*module);
}

void CSchematicDlg::openWithoutFile() {
    Module* module = findModule();
    if (!module) return;
    flagAllNets(*module);
    generate();
    passes_->checkJunctions(*this, *module);
    refreshTerminals(*module, sensitivity_);
    passes_->route(*this, *module);
    passes_->cleanUp(*this, *module, false);
    for (int mode = 1; mode <= 3; ++mode) passes_->routingSharpen(*this, *module, mode);
    hooks_->refreshMenuStates(*this);
    highlightClockNets(*module, module->highlightClock);
    hooks_->updateTitle(*this);
    hooks_->restartUndoHistory(*this);
}

void CSchematicDlg::flushLeftTop() {
    Module* module = findModule();
    if (module) flushLeftTop(*module);
}

void CSchematicDlg::flushLeftTop(Module& module) {
    const FlushOffset offset = flushOffset(module, sensitivity_, comments_);
    shiftSchematic(module, sensitivity_, comments_, offset);
    canvas_ = canvasAfterFlush(module, comments_);
    hooks_->updateScrollRanges(*this);
    hooks_->recordUndoStep(*this);
    hooks_->refreshMenuStates(*this);
    hooks_->repaint(*this);
}

void CSchematicDlg::highlightClocks() {
    Module* module = findModule();
    if (module) highlightClockNets(*module, module->highlightClock);
}

void CSchematicDlg::recomputeCanvasAfterCleanup(const Module& module) {
    canvas_ = canvasAfterCleanup(module);
    hooks_->updateScrollRanges(*this);
}

void CSchematicDlg::refreshTerminalPoints() {
    Module* module = findModule();
    if (module) refreshTerminals(*module, sensitivity_);
}

CanvasSize CSchematicDlg::scrollExtent(const Module& module) const {
    const bool summary = module.summaryMode == 1;
    const CanvasSize size = summary ? summaryCanvas_ : canvas_;
    const double zoom = summary ? module.summaryZoom : module.zoom;
    return {scaledLength(size.width, zoom), scaledLength(size.height, zoom)};
}

}  // namespace corvane
