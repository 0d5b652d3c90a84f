// The schematic window object: the state of one open schematic window, the
// generation of its drawing and every editing action, free of any windowing
// system. A desktop front end hosts it: it forwards mouse, wheel, key, size,
// scroll and menu events in drawing-area coordinates, turns the menus (data)
// into its own widgets and hands it a canvas to paint on.
//
// The window refers to its module by name only. Every operation finds the
// module in the module list first and does nothing when it is gone, so the
// window never holds a pointer into the database between operations.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "database/module_list.h"
#include "platform/canvas.h"
#include "platform/progress_sink.h"
#include "platform/text_metrics.h"
#include "platform/ui_host.h"
#include "schematic/canvas_size.h"
#include "schematic/hand_routing.h"
#include "schematic/occupancy.h"
#include "schematic/pin_labels.h"
#include "schematic/render_context.h"
#include "schematic/schematic_comment.h"
#include "schematic/schematic_menus.h"
#include "schematic/schematic_passes.h"
#include "schematic/schematic_selection.h"
#include "schematic/schematic_undo.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

class CSchematicDlg;

// What the text entry dialog edits: a text comment's text, face, font
// height and colour.
struct CommentTextEntry {
    std::string text;
    std::string face;
    int pt = 16;
    int color = 0;
};

// What the line style dialog edits; colour 0xFFFFFF is "&Disappear".
struct LineStyleChoice {
    int pt = 1;
    int color = 0;
};

struct SchematicModifiers {
    bool shift = false;
    bool control = false;
};

enum class SchematicKey { kEscape, kEnd, kLeft, kRight, kUp, kDown, kDelete, kC, kOther };

// One item being dragged. x, y is its current top-left corner (a wire
// segment: its first end) in model units, dx, dy its offset from the point
// where the drag began, width and height its size (signed for comments and
// segments). `index` is the position in its vector; a wire entry's name is
// net position * 65536 + segment index.
struct DragEntry {
    int kind = -1;
    std::string name;
    int index = 0;
    int x = 0, y = 0;
    int dx = 0, dy = 0;
    int width = 0, height = 0;
    int startX = 0, startY = 0;
};

// The rubber rectangle in model units: where the button went down, where the mouse is.
struct RubberRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// What the window tells and asks its host at fixed points of its
// operations. Every hook does nothing by default.
class SchematicWindowHooks {
public:
    virtual ~SchematicWindowHooks() = default;
    // The window recorded an undo step (the Undo and Redo entries may change).
    virtual void recordUndoStep(CSchematicDlg&) {}
    // The undo history started again from the current state (after opening).
    virtual void restartUndoHistory(CSchematicDlg&) {}
    // The enabled and checked states of the window's menus.
    virtual void refreshMenuStates(CSchematicDlg&) {}
    // The window title.
    virtual void updateTitle(CSchematicDlg&) {}
    // The canvas size changed; the scroll bars follow scrollExtent().
    virtual void updateScrollRanges(CSchematicDlg&) {}
    virtual void repaint(CSchematicDlg&) {}
    // The project file records the window's edits and must be saved again.
    virtual void markProjectModified(CSchematicDlg&) {}
    // The mouse is captured while a button is held for a drag.
    virtual void setCapture(bool /*captured*/) {}
    // The text entry dialog, its top-left corner at `at` (drawing-area
    // coordinates); the edited values on OK.
    virtual std::optional<CommentTextEntry> editCommentText(const CommentTextEntry& /*preset*/,
                                                            Point /*at*/) {
        return std::nullopt;
    }
    // "Configure Line Style" preset with `preset`; the choice on OK.
    virtual std::optional<LineStyleChoice> chooseLineStyle(const LineStyleChoice& /*preset*/) {
        return std::nullopt;
    }
    // Shows a context menu at `at` (drawing-area coordinates); the host sends
    // the chosen command back through onCommand.
    virtual void showContextMenu(const std::vector<SchematicMenuItem>& /*menu*/, Point /*at*/) {}
    // The bitmap copy of the drawing onto the clipboard.
    virtual void copyBitmap(CSchematicDlg&) {}
    // File > Export > EMF...: the save dialog and the picture file.
    virtual void exportPicture(CSchematicDlg&) {}
    // File > Print...: the print dialog and the printed pages.
    virtual void print(CSchematicDlg&) {}
    // The truth table of assign block `assignIndex` of `module`.
    virtual void openTruthTable(const std::string& /*module*/, int /*assignIndex*/) {}
    // The window asked to close itself (after its close question said so).
    virtual void closeWindow(CSchematicDlg&) {}
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
    SchematicWindowHooks& hooks() { return *hooks_; }
    // Message boxes, file dialogs and document windows; without one those
    // commands do nothing.
    void setUi(UiHost& ui) { ui_ = &ui; }
    // The default comment style's line point size and colour, for new figures.
    void setDefaultLineStyle(LineStyleChoice style) { defaultLine_ = style; }

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

    // What the routing and clean-up passes work on: `module` (the window's)
    // with the window's comments, sensitivity places, occupancy, canvas and
    // progress.
    SchematicLayoutContext layoutContext(Module& module);
    // The passes over the window's module; the clean-up's new canvas size
    // reaches the scroll ranges.
    void routeFlaggedNets(Module& module);
    void cleanUpRoutes(Module& module, bool compaction);
    void routingSharpen(Module& module, int mode);
    void checkJunctions(Module& module);

    // Copies every terminal's point from what it refers to (before routing).
    void refreshTerminalPoints();

    // Undo history: a snapshot of the current state becomes the newest step;
    // resetting starts the history again from the current state.
    void recordUndoStep();
    void resetUndoHistory();
    const UndoHistory& undoHistory() const { return undo_; }
    void undo();
    void redo();

    // Drawing-area size in pixels (for "View All" and scrolling at the edges).
    void onAreaSize(int width, int height);
    // Model point of a drawing-area point, unsnapped and snapped to the grid.
    Point modelPoint(Point area) const;
    Point snapped(Point model) const;

    // Mouse, wheel and keys; points are drawing-area coordinates.
    void onLeftButtonDown(Point area, SchematicModifiers modifiers = {});
    void onMouseMove(Point area, SchematicModifiers modifiers = {});
    void onLeftButtonUp(Point area, SchematicModifiers modifiers = {});
    void onLeftDoubleClick(Point area, SchematicModifiers modifiers = {});
    void onRightButtonUp(Point area, Point screen = {});
    // One wheel notch: delta > 0 is a turn away from the user.
    void onMouseWheel(int delta, SchematicModifiers modifiers = {});
    void onKey(SchematicKey key);
    // A scroll bar's new position (clamped to the scroll range).
    void onScroll(bool horizontal, int position);
    // A menu, context menu or tool bar command.
    void onCommand(SchematicCommand command);
    // The close box: the close question; true when the window may close.
    bool onClose();

    // The menus as they stand.
    SchematicMenuState menuState() const;
    std::vector<SchematicMenuItem> menuBar() const { return schematicMenuBar(menuState()); }
    std::vector<SchematicToolButton> toolBar() const { return schematicToolBar(menuState()); }
    // The context menu the current selection would show (empty: none).
    std::vector<SchematicMenuItem> contextMenu() const;

    // Paints the view (zoom, scroll, editing feedback) into `frame` of
    // `target`; `host` answers the net views and takes the clipboard copy.
    void paint(Canvas& target, const Rect& frame, SchematicPaintHost* host = nullptr) const;

    // Window state.
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    void markModified();
    const SchematicSelection& selection() const { return selection_; }
    void setSelection(SchematicSelection selection) { selection_ = std::move(selection); }
    void clearSelection();
    const RubberRect& rubber() const { return rubber_; }
    const std::vector<DragEntry>& drags() const { return drags_; }
    bool buttonDown() const { return buttonDown_; }
    bool dragging() const { return dragging_; }
    Point scrollPosition() const { return {scrollX_, scrollY_}; }
    Point popupPoint() const { return popupPoint_; }
    // The zoom of the current view.
    double zoom() const;

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

    // Hand routing of one net (started by "Start &Hand Routing").
    const HandRouting& handRouting() const { return handRouting_; }

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
    void repaint() { hooks_->repaint(*this); }
    void setZoom(double zoom);
    void scrollBy(int dx, int dy);
    void clampScroll();
    void selectRubber(const Module& module);
    // Mouse helpers (schematic_dlg_input.cpp).
    void startSelectDrag(Module& module, Point down);
    void addDragEntry(const Module& module, int kind, int index, const std::string& name,
                      Point click);
    void followMouse(Point mouse);
    void finishDrag(Module& module, SchematicModifiers modifiers);
    void createFigure(Module& module);
    void createTextComment(Module& module, Point area);
    // Hand routing (hand_routing_dlg.cpp).
    void startHandRouting(Module& module);
    void handRoutingLeftDown(Module& module, Point area);
    void handRoutingRightUp(Module& module, Point area);
    void handRoutingKey(Module& module, SchematicKey key);
    void afterHandRouting(HandRouting::Outcome outcome);
    // Commands (schematic_dlg_commands.cpp).
    void deleteSelection();
    void changeLinestyle(Module& module);
    void editText(Module& module);
    void moveCommentsInDepth(SchematicCommand command);
    void moveMarker(SchematicCommand command);
    void selectAll(Module& module);
    void initialize();
    void viewParameter(Module& module);
    void openMotherSchematic(const Module& module);
    void openSelected(const Module& module, SchematicCommand command);
    void openDocument(const DocumentRequest& request);
    void openSourceAt(const Module& module, int line);
    void doubleClickSelection(Module& module);
    void fileCommand(SchematicCommand command);
    void afterComments(const std::vector<int>& newIndexOfOld);
    void afterRestore();

    ModuleList& modules_;
    std::string moduleName_;
    const SchematicPasses* passes_;
    ProgressSink* progress_;
    SchematicWindowHooks* hooks_;
    UiHost* ui_ = nullptr;
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

    // Editing state.
    bool modified_ = false;
    SchematicSelection selection_;
    RubberRect rubber_;
    bool buttonDown_ = false;
    bool dragging_ = false;
    std::vector<DragEntry> drags_;
    UndoHistory undo_;
    Point popupPoint_;
    Point lastMouse_;  // the last drawing-area point of the mouse
    LineStyleChoice defaultLine_;
    int scrollX_ = 0;
    int scrollY_ = 0;
    int areaWidth_ = 0;
    int areaHeight_ = 0;
    HandRouting handRouting_;
};

}  // namespace corvane
