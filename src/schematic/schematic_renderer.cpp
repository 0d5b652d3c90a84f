#include "schematic/schematic_renderer.h"

#include <climits>

#include "schematic/render_blocks.h"
#include "schematic/render_comments.h"
#include "schematic/render_grid.h"
#include "schematic/render_nets.h"
#include "schematic/render_pins.h"
#include "schematic/schematic_dlg.h"

namespace corvane {

namespace {

int scaledSize(int length, double zoom) {
    const int scaled = scaleCoordinate(length, zoom);
    return scaled > 0 ? scaled : 0;
}

}  // namespace

PaintSetup choosePaintSetup(double moduleZoom, CanvasSize canvas, const SchematicViewState& view,
                            const Rect& frame, int print, Point printOffset) {
    PaintSetup setup;
    if ((view.copyRequested != 0 && print == 0) || view.exportMode != 0) {
        setup.zoom = 1.0;
        setup.frame = {0, 0, canvas.width, canvas.height};
    } else {
        setup.zoom = moduleZoom;
        setup.scrollX = view.scrollX;
        setup.scrollY = view.scrollY;
        setup.frame = frame;
    }
    setup.width = scaledSize(canvas.width, setup.zoom);
    setup.height = scaledSize(canvas.height, setup.zoom);
    if (print == 1) {
        setup.direct = true;
        setup.zoom = moduleZoom;
        setup.scrollX = printOffset.x;
        setup.scrollY = printOffset.y;
        setup.width = scaledSize(canvas.width, moduleZoom);
        setup.height = scaledSize(canvas.height, moduleZoom);
    } else if (view.exportMode != 0) {
        setup.direct = true;
        setup.scrollX = 0;
        setup.scrollY = 0;
    }
    return setup;
}

SchematicRenderer::SchematicRenderer(const CSchematicDlg& window, const SchematicViewState& view,
                                     SchematicPaintHost& host)
    : window_(window), view_(view), host_(host) {}

void SchematicRenderer::paint(Canvas& target, const Rect& frame, int print,
                              Point printOffset) const {
    const Module* module = window_.findModule();
    if (module == nullptr) return;
    const PaintSetup setup =
        choosePaintSetup(module->zoom, window_.canvasSize(), view_, frame, print, printOffset);
    drawSetup(target, setup, print);
}

void SchematicRenderer::drawSetup(Canvas& target, const PaintSetup& setup, int print) const {
    if (setup.direct) {
        drawSchematic(target, setup.width, setup.height, setup.zoom, setup.scrollX, setup.scrollY,
                      print);
        return;
    }
    const Rect& frame = setup.frame;
    const Rect local{0, 0, frame.width(), frame.height()};
    if (std::unique_ptr<Canvas> buffer = target.createBuffer(local.right, local.bottom)) {
        buffer->fillRectangle(local, kColorBackground);
        buffer->setTextBackground(false, kColorBackground);
        drawPass(*buffer, setup.width, setup.height, setup.zoom, setup.scrollX, setup.scrollY,
                 print, local);
        target.drawBuffer(*buffer, {frame.left, frame.top});
        return;
    }
    // Without a buffer the same picture goes straight into the frame.
    host_.showMessage(kBackgroundBitmapError);
    target.setClipRect(frame);
    target.fillRectangle(frame, kColorBackground);
    target.setTextBackground(false, kColorBackground);
    drawPass(target, setup.width, setup.height, setup.zoom,
             RenderContext::clampedSum(setup.scrollX, -static_cast<long long>(frame.left)),
             RenderContext::clampedSum(setup.scrollY, -static_cast<long long>(frame.top)), print,
             frame);
    target.clearClip();
}

void SchematicRenderer::drawSchematic(Canvas& dc, int width, int height, double zoom, int scrollX,
                                      int scrollY, int print) const {
    drawPass(dc, width, height, zoom, scrollX, scrollY, print,
             {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
}

void SchematicRenderer::drawPass(Canvas& dc, int width, int height, double zoom, int scrollX,
                                 int scrollY, int print, const Rect& visible) const {
    const Module* module = window_.findModule();
    if (module == nullptr) return;
    RenderContext context(dc, *module, host_, zoom, scrollX, scrollY, view_.copyRequested == 0,
                          window_.textMeasure().face());
    context.setVisible(visible);
    drawCanvasFill(context, width, height);
    if (module->gridVisible != 0 && view_.exportMode == 0 && print == 0) {
        drawGrid(context, width, height, module->gridSize);
    }
    drawCommentLayer(context, window_.comments(), 0);
    drawNetWires(context, window_.hotPinName());
    drawJunctionDots(context, window_.hotPinName());
    drawModulePins(context);
    drawAssignBlocks(context);
    drawAlwaysBlocks(context, window_.sensitivity());
    const CanvasSize canvas = window_.canvasSize();
    const CanvasSize needed = drawInstanceBlocks(context, canvas);
    if (needed.width > canvas.width || needed.height > canvas.height) {
        host_.requestCanvasSize(needed);
    }
    drawInitialBlocks(context);
    drawCommentLayer(context, window_.comments(), 1);
    if (view_.copyRequested == 1) host_.copyToClipboard(dc, canvas);
    drawEditFeedback(context, view_.edit, window_.toolMode());
}

void SchematicRenderer::drawComments(Canvas& dc, double zoom, int scrollX, int scrollY,
                                     int layer) const {
    const Module* module = window_.findModule();
    if (module == nullptr) return;
    const RenderContext context(dc, *module, host_, zoom, scrollX, scrollY,
                                view_.copyRequested == 0, window_.textMeasure().face());
    drawCommentLayer(context, window_.comments(), layer);
}

}  // namespace corvane
