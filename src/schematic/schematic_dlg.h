// The schematic window object: the state of one open schematic window and the
// generation of its drawing, free of any windowing system.
//
// The window refers to its module by name only. Every operation finds the
// module in the module list first and does nothing when it is gone, so the
// window never holds a pointer into the database between operations.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "platform/progress_sink.h"
#include "platform/text_metrics.h"
#include "schematic/canvas_size.h"
#include "schematic/occupancy.h"
#include "schematic/pin_labels.h"
#include "schematic/schematic_comment.h"
#include "schematic/schematic_passes.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

class CSchematicDlg;

// What the window asks of its host and of the editing machinery at fixed
// points of its operations. Every hook does nothing by default.
class SchematicWindowHooks {
public:
    virtual ~SchematicWindowHooks() = default;
    // An undo step of the current state (Flush Left-Top).
    virtual void recordUndoStep(CSchematicDlg&) {}
    // The undo history starts again from the current state (after opening).
    virtual void restartUndoHistory(CSchematicDlg&) {}
    // The enabled and checked states of the window's menus.
    virtual void refreshMenuStates(CSchematicDlg&) {}
    // The window title.
    virtual void updateTitle(CSchematicDlg&) {}
    // The canvas size changed; the scroll bars follow scrollExtent().
    virtual void updateScrollRanges(CSchematicDlg&) {}
    virtual void repaint(CSchematicDlg&) {}
};

class CSchematicDlg {
public:
    // A window for module `moduleName` of `modules`; `passes` are the routing
    // and clean-up steps generation runs. The window starts with the opening
    // canvas sizes, the comment marker and tool mode 0.
    CSchematicDlg(ModuleList& modules, const std::string& moduleName,
                  const SchematicPasses& passes);

    CSchematicDlg(const CSchematicDlg&) = delete;
    CSchematicDlg& operator=(const CSchematicDlg&) = delete;

    // Where progress and host requests go; both default to doing nothing.
    // The window does not own them.
    void setProgressSink(ProgressSink& progress) { progress_ = &progress; }
    void setHooks(SchematicWindowHooks& hooks) { hooks_ = &hooks; }

    // The window's module, looked up by name; nullptr when it is gone.
    Module* findModule();
    const Module* findModule() const;
    const std::string& moduleName() const { return moduleName_; }

    // Generation sequence: canvas 800 x 600, layout from scratch, place
    // terminals, every net flagged for routing, route, clean-up with
    // compaction, bus widths, Flush Left-Top.
    void generate();

    // What a window runs when it opens and no schematic file could be read:
    // every net flagged, Generate, junction check, terminal refresh, route,
    // clean-up without compaction, RoutingSharpen 1, 2 and 3, then menu
    // states, clock highlighting with the module's flag, title and a fresh
    // undo history.
    void openWithoutFile();

    // Moves the schematic near the top-left corner, recomputes the canvas from
    // the moved drawing, records an undo step, refreshes menus and repaints.
    void flushLeftTop();

    // Clock highlighting with the module's highlightClock flag.
    void highlightClocks();

    // The canvas size rule that closes route clean-up; called by the clean-up.
    void recomputeCanvasAfterCleanup(const Module& module);

    // Copies every terminal's point from what it refers to (before routing).
    void refreshTerminalPoints();

    // Window state.
    CanvasSize canvasSize() const { return canvas_; }
    void setCanvasSize(CanvasSize size) { canvas_ = size; }
    CanvasSize summaryCanvasSize() const { return summaryCanvas_; }
    void setSummaryCanvasSize(CanvasSize size) { summaryCanvas_ = size; }
    // The scroll extent: the canvas (the summary canvas in summary mode) times
    // the zoom of the current view, truncated.
    CanvasSize scrollExtent(const Module& module) const;

    std::vector<SchematicComment>& comments() { return comments_; }
    const std::vector<SchematicComment>& comments() const { return comments_; }

    const std::string& hotPinName() const { return hotPinName_; }
    int hotPinIo() const { return hotPinIo_; }
    void setHotPin(const std::string& name, int io) { hotPinName_ = name, hotPinIo_ = io; }

    int toolMode() const { return toolMode_; }
    void setToolMode(int mode) { toolMode_ = mode; }

    // The router's occupancy lists and the half width of the widest block.
    OccupancyLists& occupancy() { return occupancy_; }
    int halfWidestBlock() const { return halfWidestBlock_; }
    void setHalfWidestBlock(int half) { halfWidestBlock_ = half; }

    // Geometry of the sensitivity entries of the module's always blocks; refit
    // to the module's shape by every operation of the window.
    SensitivityPlaces& sensitivity() { return sensitivity_; }
    const SensitivityPlaces& sensitivity() const { return sensitivity_; }

    ProgressSink& progress() { return *progress_; }
    const SchematicPasses& passes() const { return *passes_; }
    SchematicTextMeasure textMeasure() const { return SchematicTextMeasure(metrics_, face_); }

private:
    void flagAllNets(Module& module);
    void flushLeftTop(Module& module);

    ModuleList& modules_;
    std::string moduleName_;
    const SchematicPasses* passes_;
    ProgressSink* progress_;
    SchematicWindowHooks* hooks_;
    TextMetrics metrics_;
    std::string face_;

    CanvasSize canvas_ = kOpeningCanvas;
    CanvasSize summaryCanvas_ = kOpeningCanvas;
    std::vector<SchematicComment> comments_;
    std::string hotPinName_;
    int hotPinIo_ = 0;
    int toolMode_ = 0;
    OccupancyLists occupancy_;
    int halfWidestBlock_ = 0;
    SensitivityPlaces sensitivity_;
};

}  // namespace corvane
