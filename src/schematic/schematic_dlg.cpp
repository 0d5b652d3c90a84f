#include "schematic/schematic_dlg.h"

#include <algorithm>

#include "schematic/block_access.h"
#include "schematic/flush_left_top.h"
#include "schematic/net_attributes.h"
#include "schematic/place_terminals.h"
#include "schematic/placement.h"
#include "schematic/schematic_renderer.h"
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
    routeFlaggedNets(*module);
    cleanUpRoutes(*module, true);
    applyBusWidths(*module);
    flushLeftTop(*module);
}

void CSchematicDlg::openWithoutFile() {
    Module* module = findModule();
    if (!module) return;
    flagAllNets(*module);
    generate();
    checkJunctions(*module);
    refreshTerminals(*module, sensitivity_);
    routeFlaggedNets(*module);
    cleanUpRoutes(*module, false);
    for (int mode = 1; mode <= 3; ++mode) routingSharpen(*module, mode);
    hooks_->refreshMenuStates(*this);
    highlightClockNets(*module, module->highlightClock);
    hooks_->updateTitle(*this);
    resetUndoHistory();
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
    recordUndoStep();
    hooks_->refreshMenuStates(*this);
    hooks_->repaint(*this);
}

void CSchematicDlg::highlightClocks() {
    Module* module = findModule();
    if (module) highlightClockNets(*module, module->highlightClock);
}

SchematicLayoutContext CSchematicDlg::layoutContext(Module& module) {
    return {module, comments_, sensitivity_, occupancy_, halfWidestBlock_, canvas_, *progress_};
}

void CSchematicDlg::routeFlaggedNets(Module& module) {
    SchematicLayoutContext layout = layoutContext(module);
    passes_->route(layout);
}

void CSchematicDlg::cleanUpRoutes(Module& module, bool compaction) {
    SchematicLayoutContext layout = layoutContext(module);
    passes_->cleanUp(layout, compaction);
    hooks_->updateScrollRanges(*this);
}

void CSchematicDlg::routingSharpen(Module& module, int mode) {
    SchematicLayoutContext layout = layoutContext(module);
    passes_->routingSharpen(layout, mode);
}

void CSchematicDlg::checkJunctions(Module& module) {
    SchematicLayoutContext layout = layoutContext(module);
    passes_->checkJunctions(layout);
}

void CSchematicDlg::refreshTerminalPoints() {
    Module* module = findModule();
    if (module) refreshTerminals(*module, sensitivity_);
}

void CSchematicDlg::recordUndoStep() {
    const Module* module = findModule();
    if (!module) return;
    undo_.record(takeSnapshot(*module, sensitivity_, canvas_, comments_));
    hooks_->recordUndoStep(*this);
}

void CSchematicDlg::resetUndoHistory() {
    undo_.clear();
    const Module* module = findModule();
    if (module) undo_.record(takeSnapshot(*module, sensitivity_, canvas_, comments_));
}

void CSchematicDlg::undo() {
    Module* module = findModule();
    if (!module) return;
    const SchematicSnapshot* snapshot = undo_.undo();
    if (!snapshot) return;
    restoreSnapshot(*snapshot, *module, sensitivity_, canvas_, comments_);
    afterRestore();
}

void CSchematicDlg::redo() {
    Module* module = findModule();
    if (!module) return;
    const SchematicSnapshot* snapshot = undo_.redo();
    if (!snapshot) return;
    restoreSnapshot(*snapshot, *module, sensitivity_, canvas_, comments_);
    afterRestore();
}

void CSchematicDlg::afterRestore() {
    clearSelection();
    hooks_->updateScrollRanges(*this);
    clampScroll();
    hooks_->refreshMenuStates(*this);
    repaint();
}

void CSchematicDlg::clearSelection() {
    selection_.clear();
    drags_.clear();
    rubber_ = {};
}

void CSchematicDlg::markModified() {
    modified_ = true;
    hooks_->markProjectModified(*this);
}

double CSchematicDlg::zoom() const {
    const Module* module = findModule();
    if (!module) return 1.0;
    return module->summaryMode == 1 ? module->summaryZoom : module->zoom;
}

SchematicMenuState CSchematicDlg::menuState() const {
    SchematicMenuState state;
    state.canUndo = undo_.canUndo();
    state.canRedo = undo_.canRedo();
    state.toolMode = toolMode_;
    if (const Module* module = findModule()) {
        state.gridVisible = module->gridVisible == 1;
        state.gridSnap = module->gridSnap == 1;
        state.gridSize = module->gridSize;
        state.highlightClock = module->highlightClock != 0;
    }
    return state;
}

std::vector<SchematicMenuItem> CSchematicDlg::contextMenu() const {
    const Module* module = findModule();
    if (!module || selection_.empty()) return {};
    int kind = selection_.front().kind;
    for (const SelectionEntry& entry : selection_) {
        if (entry.kind == kKindWire) kind = kKindWire;
    }
    bool viewParameter = false;
    if (kind == kKindChild) {
        const Child* child = elementAt(module->children, selection_.front().index);
        viewParameter = child && child->viewParam == 1;
    }
    return schematicContextMenu(kind, viewParameter);
}

namespace {

// The drawing asks the window what is selected; everything else goes to the
// host's own paint host when it has one.
class WindowPaintHost final : public SchematicPaintHost {
public:
    WindowPaintHost(const SchematicSelection& selection, SchematicPaintHost* outer)
        : selection_(selection), outer_(outer) {}
    bool isSelected(int kind, std::string_view name) const override {
        return corvane::isSelected(selection_, kind, name);
    }
    std::optional<Color> netViewColor(std::string_view module,
                                      std::string_view pin) const override {
        return outer_ ? outer_->netViewColor(module, pin) : std::nullopt;
    }
    void requestCanvasSize(CanvasSize size) override {
        if (outer_) outer_->requestCanvasSize(size);
    }
    void copyToClipboard(Canvas& drawing, CanvasSize size) override {
        if (outer_) outer_->copyToClipboard(drawing, size);
    }
    void showMessage(std::string_view text) override {
        if (outer_) outer_->showMessage(text);
    }

private:
    const SchematicSelection& selection_;
    SchematicPaintHost* outer_;
};

}  // namespace

void CSchematicDlg::paint(Canvas& target, const Rect& frame, SchematicPaintHost* host) const {
    SchematicViewState view;
    view.scrollX = scrollX_;
    view.scrollY = scrollY_;
    view.edit.rubberX0 = rubber_.x0;
    view.edit.rubberY0 = rubber_.y0;
    view.edit.rubberX1 = rubber_.x1;
    view.edit.rubberY1 = rubber_.y1;
    if (dragging_) {
        for (const DragEntry& e : drags_)
            view.edit.drags.push_back({e.kind, e.x, e.y, e.width, e.height});
    }
    handRouting_.fillView(view.edit);
    WindowPaintHost paintHost(selection_, host);
    SchematicRenderer(*this, view, paintHost).paint(target, frame, 0);
}

void CSchematicDlg::onAreaSize(int width, int height) {
    areaWidth_ = width;
    areaHeight_ = height;
}

Point CSchematicDlg::modelPoint(Point area) const {
    const double z = zoom();
    if (!(z > 0)) return {0, 0};
    auto model = [z](long long v) {
        const double scaled = static_cast<double>(v) / z;
        if (scaled >= 2147483647.0) return 2147483647;
        if (scaled <= -2147483647.0) return -2147483647;
        return static_cast<int>(scaled);
    };
    return {model(static_cast<long long>(area.x) + scrollX_),
            model(static_cast<long long>(area.y) + scrollY_)};
}

Point CSchematicDlg::snapped(Point model) const {
    const Module* module = findModule();
    if (!module || module->gridSnap != 1 || module->gridSize <= 0) return model;
    const int g = module->gridSize;
    auto snap = [g](int v) {
        const long long n = (static_cast<long long>(v) + g / 2) / g;
        return static_cast<int>(std::clamp<long long>(n * g, -2147483647LL, 2147483647LL));
    };
    return {snap(model.x), snap(model.y)};
}

void CSchematicDlg::setZoom(double zoom) {
    Module* module = findModule();
    if (!module) return;
    (module->summaryMode == 1 ? module->summaryZoom : module->zoom) = zoom;
    hooks_->updateScrollRanges(*this);
    clampScroll();
    repaint();
}

void CSchematicDlg::clampScroll() {
    const Module* module = findModule();
    if (!module) return;
    const CanvasSize extent = scrollExtent(*module);
    scrollX_ = std::clamp(scrollX_, 0, extent.width);
    scrollY_ = std::clamp(scrollY_, 0, extent.height);
}

void CSchematicDlg::scrollBy(int dx, int dy) {
    scrollX_ = static_cast<int>(
        std::clamp<long long>(static_cast<long long>(scrollX_) + dx, 0, 2147483647));
    scrollY_ = static_cast<int>(
        std::clamp<long long>(static_cast<long long>(scrollY_) + dy, 0, 2147483647));
    clampScroll();
}

void CSchematicDlg::onScroll(bool horizontal, int position) {
    (horizontal ? scrollX_ : scrollY_) = position;
    clampScroll();
    repaint();
}

CanvasSize CSchematicDlg::scrollExtent(const Module& module) const {
    const bool summary = module.summaryMode == 1;
    const CanvasSize size = summary ? summaryCanvas_ : canvas_;
    const double zoom = summary ? module.summaryZoom : module.zoom;
    return {scaledLength(size.width, zoom), scaledLength(size.height, zoom)};
}

}  // namespace corvane
