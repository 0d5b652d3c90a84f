// The canvas and its grid.
#pragma once

#include "schematic/render_context.h"

namespace corvane {

// Fills the canvas (-scrollX, -scrollY) to (width - scrollX, height - scrollY)
// white; `width` and `height` are the canvas size times the zoom.
void drawCanvasFill(const RenderContext& context, int width, int height);

// Dotted silver lines every trunc(gridSize * zoom) pixels across the canvas,
// the first line of each direction on the canvas edge; nothing when the step
// is 0.
void drawGrid(const RenderContext& context, int width, int height, int gridSize);

}  // namespace corvane
