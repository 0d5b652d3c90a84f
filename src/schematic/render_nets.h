// Nets: their wires, their junction dots, and the pen each is drawn with.
#pragma once

#include <string>

#include "schematic/render_context.h"

namespace corvane {

// How a net is drawn; the first that applies wins.
enum class NetLook {
    kHidden,     // colour 0xFFFFFF: nothing is drawn
    kHot,        // a terminal on the window's hot pin: blue
    kSelected,   // the selection pen
    kNetViewed,  // traced by a net view: its colour
    kOwn,        // the net's lineWidth and color
};

struct NetStyle {
    NetLook look = NetLook::kOwn;
    Pen wire;  // first pass
    Pen dot;   // junction dots
};

// The look of the net at `position` in the module's net map.
NetStyle netStyle(const RenderContext& context, const std::string& hotPinName, int position,
                  const Net& net);

// A route segment as drawn: its x values with the guide-line offset taken
// off, and whether it is a guide line. Nothing for a segment with an x of 0.
struct DrawnSegment {
    Point from;
    Point to;
    bool guide = false;
};
std::optional<DrawnSegment> drawnSegment(const Segment& segment);

// First pass: every route segment of every visible net; guide lines dotted
// light green, 2 pixels wide.
void drawNetWires(const RenderContext& context, const std::string& hotPinName);

// Second pass: a dot at every junction point counted more than once.
void drawJunctionDots(const RenderContext& context, const std::string& hotPinName);

// Editing feedback: the segments of selected nets again with the selection
// pen, and of the others only the hand-routing guide lines, solid.
void drawNetFeedback(const RenderContext& context);

}  // namespace corvane
