// The feedback of the editing tools, drawn over everything else: the drag
// rectangle and the preview of the shape being drawn, selected and guide
// wires, the outlines of dragged items, and the hand-routing pieces.
#pragma once

#include <vector>

#include "schematic/render_context.h"

namespace corvane {

// One item being dragged: its kind (the object kinds of the window), its
// current top-left corner and size in model units (a signed size for a
// comment, a line or a wire segment: its second point minus its first).
struct DragOutline {
    int kind = -1;
    int x = 0, y = 0;
    int width = 0, height = 0;
};

// The editing state the drawing shows. The window fills it from its tool
// state; the defaults show nothing.
struct SchematicEditView {
    // The rubber rectangle, model units: where the button went down and where
    // the mouse is now. Drawn when the two corners differ.
    int rubberX0 = 0, rubberY0 = 0, rubberX1 = 0, rubberY1 = 0;
    // The items being dragged (only while dragging).
    std::vector<DragOutline> drags;
    // Hand routing: on, with a chain in progress from `lastPoint`; the mouse
    // is at `cursorPoint` (model units).
    bool handRouting = false;
    bool chainInProgress = false;
    Point lastPoint;
    Point cursorPoint;
};

// The point the next hand-routed step goes to: straight down or up from the
// last point when the cursor is at least as far away vertically as
// horizontally, else straight across.
Point handRoutingCandidate(Point last, Point cursor);

void drawEditFeedback(const RenderContext& context, const SchematicEditView& edit, int toolMode);

}  // namespace corvane
