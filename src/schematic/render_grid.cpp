#include "schematic/render_grid.h"

namespace corvane {

void drawCanvasFill(const RenderContext& context, int width, int height) {
    const int left = -context.scrollX();
    const int top = -context.scrollY();
    context.dc().fillRectangle({left, top, RenderContext::clampedSum(width, left),
                                RenderContext::clampedSum(height, top)},
                               kColorWhite);
}

void drawGrid(const RenderContext& context, int width, int height, int gridSize) {
    const int step = context.scaled(gridSize);
    if (step <= 0) return;
    Canvas& dc = context.dc();
    dc.setPen(dottedPen(0, kColorGrid));
    const long long scrollX = context.scrollX();
    const long long scrollY = context.scrollY();
    const int left = static_cast<int>(-scrollX);
    const int top = static_cast<int>(-scrollY);
    const int right = RenderContext::clampedSum(width, -scrollX);
    const int bottom = RenderContext::clampedSum(height, -scrollY);
    // Offsets from the canvas edge: the first line always, the others while
    // they stay inside the canvas.
    for (long long offset = 0; offset == 0 || offset < height; offset += step) {
        const int y = RenderContext::clampedSum(offset, -scrollY);
        dc.drawLine({left, y}, {right, y});
    }
    for (long long offset = 0; offset == 0 || offset < width; offset += step) {
        const int x = RenderContext::clampedSum(offset, -scrollX);
        dc.drawLine({x, top}, {x, bottom});
    }
}

}  // namespace corvane
