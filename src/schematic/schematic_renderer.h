// Drawing of a schematic window: the double-buffering wrapper that chooses
// zoom, scroll and frame for the screen, a clipboard copy, a metafile export
// or a printed page, and the drawing pass itself in its fixed order: canvas,
// grid, lower comments, wires, junction dots, pins, blocks, upper comments,
// clipboard copy, editing feedback.
#pragma once

#include <string_view>

#include "platform/canvas.h"
#include "schematic/canvas_size.h"
#include "schematic/render_context.h"
#include "schematic/render_feedback.h"

namespace corvane {

class CSchematicDlg;

// The window state of one paint besides what CSchematicDlg holds.
struct SchematicViewState {
    int scrollX = 0;  // scroll bar positions, screen pixels
    int scrollY = 0;
    int copyRequested = 0;  // 1: this paint puts the drawing on the clipboard
    int exportMode = 0;     // 1: a metafile export is drawing
    SchematicEditView edit;
};

inline constexpr std::string_view kBackgroundBitmapError =
    "OnDrawSchematic : background bitmap image error.";

// What the wrapper chose for one paint.
struct PaintSetup {
    bool direct = false;  // straight onto the target (print, export) or through a buffer
    double zoom = 1.0;
    int scrollX = 0;
    int scrollY = 0;
    Rect frame;     // where the drawing goes on the target
    int width = 0;  // canvas size times the zoom
    int height = 0;
};

// A copy (not while printing) or an export draws the whole canvas at zoom 1
// without scroll into a frame of the canvas's size; otherwise the module's
// zoom, the scroll position and `frame`. Printing and exports draw straight
// onto the target, printing with `printOffset` in place of the scroll.
PaintSetup choosePaintSetup(double moduleZoom, CanvasSize canvas, const SchematicViewState& view,
                            const Rect& frame, int print, Point printOffset);

class SchematicRenderer {
public:
    SchematicRenderer(const CSchematicDlg& window, const SchematicViewState& view,
                      SchematicPaintHost& host);

    // The double-buffering wrapper: draws the schematic onto `target` within
    // `frame` (client coordinates of the drawing frame). On screen the
    // drawing goes through a buffer of the frame's size filled grey; when
    // no buffer can be made the message box says so and the drawing goes
    // straight onto the target, clipped to the frame.
    void paint(Canvas& target, const Rect& frame, int print, Point printOffset = {}) const;

    // One drawing pass; `width` and `height` are the canvas size times the zoom.
    // Draws nothing when the window's module is gone.
    void drawSchematic(Canvas& dc, int width, int height, double zoom, int scrollX, int scrollY,
                       int print) const;

    // The comments of `layer`: 0 beneath the wiring, 1 on top.
    void drawComments(Canvas& dc, double zoom, int scrollX, int scrollY, int layer) const;

private:
    void drawSetup(Canvas& dc, const PaintSetup& setup, int print) const;
    // The drawing pass, with `visible` the part of `dc` that is seen.
    void drawPass(Canvas& dc, int width, int height, double zoom, int scrollX, int scrollY,
                  int print, const Rect& visible) const;

    const CSchematicDlg& window_;
    const SchematicViewState& view_;
    SchematicPaintHost& host_;
};

}  // namespace corvane
