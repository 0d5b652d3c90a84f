// Comments of the schematic window (lines, arrows, rectangles, ellipses and
// text boxes) and the shape helpers they and the tool previews are drawn with.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "schematic/render_context.h"
#include "schematic/schematic_comment.h"

namespace corvane {

// A closed 5 x 5 square outline centred on (x, y) with the current pen.
void drawHandle(Canvas& dc, int x, int y);

// A line from (x0, y0) to (x1, y1) with an open arrowhead 6 pixels long at
// (x1, y1); just the line when the two points are equal.
void drawArrow(Canvas& dc, int x0, int y0, int x1, int y1);

// The points of the ellipse inscribed in the box (x0, y0)-(x1, y1): a closed
// polyline of 37 chords, 10 degrees apart. A box of no height gives the line
// across it.
std::vector<Point> ellipsePoints(int x0, int y0, int x1, int y1);
void drawEllipse(Canvas& dc, int x0, int y0, int x1, int y1);

// Splits `text` at CR LF and wraps each line between words to fit `width`
// pixels in a font of `pixelHeight`; a word wider than the line keeps a line
// of its own.
std::vector<std::string> wrapCommentText(std::string_view text, std::string_view face,
                                         int pixelHeight, int width);

// The comments of one layer: 0 those before the marker record (beneath the
// wiring), 1 those after it (on top). Without a marker every comment is on top.
void drawCommentLayer(const RenderContext& context, const std::vector<SchematicComment>& comments,
                      int layer);

}  // namespace corvane
