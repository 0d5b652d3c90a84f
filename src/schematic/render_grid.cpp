#include "schematic/render_grid.h"

#include <algorithm>

namespace corvane {

void drawCanvasFill(const RenderContext& context, int width, int height) {
    // The canvas origin on the surface, and its far corner.
    const long long left = -static_cast<long long>(context.scrollX());
    const long long top = -static_cast<long long>(context.scrollY());
    context.dc().fillRectangle(
        {RenderContext::clampedSum(left, 0), RenderContext::clampedSum(top, 0),
         RenderContext::clampedSum(width, left), RenderContext::clampedSum(height, top)},
        kColorWhite);
}

namespace {

// The first multiple of `step` at or after `from` (both at least 0).
long long firstMultiple(long long from, long long step) {
    return from <= 0 ? 0 : (from + step - 1) / step * step;
}

}  // namespace

void drawGrid(const RenderContext& context, int width, int height, int gridSize) {
    const int step = context.scaled(gridSize);
    if (step <= 0) return;
    Canvas& dc = context.dc();
    dc.setPen(dottedPen(0, kColorGrid));
    const long long scrollX = context.scrollX();
    const long long scrollY = context.scrollY();
    const int left = RenderContext::clampedSum(0, -scrollX);
    const int top = RenderContext::clampedSum(0, -scrollY);
    const int right = RenderContext::clampedSum(width, -scrollX);
    const int bottom = RenderContext::clampedSum(height, -scrollY);
    const Rect& visible = context.visible();
    // The line on the canvas edge always; the others while inside the canvas,
    // skipping those outside the visible part of the surface.
    dc.drawLine({left, top}, {right, top});
    for (long long offset = firstMultiple(std::max<long long>(visible.top + scrollY, 1), step);
         offset < height && offset - scrollY <= visible.bottom; offset += step) {
        const int y = RenderContext::clampedSum(offset, -scrollY);
        dc.drawLine({left, y}, {right, y});
    }
    dc.drawLine({left, top}, {left, bottom});
    for (long long offset = firstMultiple(std::max<long long>(visible.left + scrollX, 1), step);
         offset < width && offset - scrollX <= visible.right; offset += step) {
        const int x = RenderContext::clampedSum(offset, -scrollX);
        dc.drawLine({x, top}, {x, bottom});
    }
}

}  // namespace corvane
