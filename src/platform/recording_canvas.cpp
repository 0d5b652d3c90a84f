#include "platform/recording_canvas.h"

#include <utility>

namespace corvane {

namespace {

Point shifted(Point point, Point by) {
    return {point.x + by.x, point.y + by.y};
}

Rect shifted(Rect rect, Point by) {
    return {rect.left + by.x, rect.top + by.y, rect.right + by.x, rect.bottom + by.y};
}

// Appends the drawing calls of `calls` to `out`, moved by `offset`.
void flatten(const std::vector<CanvasCall>& calls, Point offset, std::vector<CanvasCall>& out) {
    for (const CanvasCall& call : calls) {
        if (call.op == CanvasOp::kBuffer) {
            const Point at = call.points.empty() ? Point{} : call.points.front();
            flatten(call.buffer, shifted(at, offset), out);
            continue;
        }
        if (call.op < CanvasOp::kLine) continue;
        CanvasCall moved = call;
        for (Point& point : moved.points) point = shifted(point, offset);
        moved.rect = shifted(moved.rect, offset);
        out.push_back(std::move(moved));
    }
}

}  // namespace

void RecordingCanvas::record(CanvasOp op, std::vector<Point> points, Rect rect, Color color,
                             std::string text) {
    CanvasCall call;
    call.op = op;
    call.points = std::move(points);
    call.rect = rect;
    call.color = color;
    call.text = std::move(text);
    call.state = state_;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::setPen(const Pen& pen) {
    state_.pen = pen;
    record(CanvasOp::kSetPen);
}

void RecordingCanvas::setBrush(const Brush& brush) {
    state_.brush = brush;
    record(CanvasOp::kSetBrush);
}

void RecordingCanvas::setFont(const Font& font) {
    state_.font = font;
    record(CanvasOp::kSetFont);
}

void RecordingCanvas::setTextColor(Color color) {
    state_.textColor = color;
    record(CanvasOp::kSetTextColor);
}

void RecordingCanvas::setTextBackground(bool opaque, Color background) {
    state_.opaqueText = opaque;
    state_.textBackground = background;
    record(CanvasOp::kSetTextBackground);
}

TextSize RecordingCanvas::textExtent(std::string_view text) {
    const TextExtent extent = metrics_.extent(state_.font.face, state_.font.pixelHeight, text);
    return {extent.width, extent.height};
}

void RecordingCanvas::drawLine(Point from, Point to) {
    record(CanvasOp::kLine, {from, to});
}

void RecordingCanvas::drawPolyline(const std::vector<Point>& points) {
    record(CanvasOp::kPolyline, points);
}

void RecordingCanvas::drawPolygon(const std::vector<Point>& points) {
    record(CanvasOp::kPolygon, points);
}

void RecordingCanvas::drawRectangle(const Rect& rect) {
    record(CanvasOp::kRectangle, {}, rect);
}

void RecordingCanvas::drawEllipse(const Rect& bounds) {
    record(CanvasOp::kEllipse, {}, bounds);
}

void RecordingCanvas::fillRectangle(const Rect& rect, Color color) {
    record(CanvasOp::kFill, {}, rect, color);
}

void RecordingCanvas::drawText(Point origin, std::string_view text) {
    record(CanvasOp::kText, {origin}, {}, 0, std::string(text));
}

void RecordingCanvas::setClipRect(const Rect& rect) {
    record(CanvasOp::kClip, {}, rect);
}

void RecordingCanvas::clearClip() {
    record(CanvasOp::kClearClip);
}

void RecordingCanvas::lighten(const Rect& rect) {
    record(CanvasOp::kLighten, {}, rect);
}

std::unique_ptr<Canvas> RecordingCanvas::createBuffer(int width, int height) {
    if (!buffersAvailable_ || width < 0 || height < 0) return nullptr;
    return std::make_unique<RecordingCanvas>(width, height);
}

void RecordingCanvas::drawBuffer(const Canvas& buffer, Point at) {
    const auto* recorded = dynamic_cast<const RecordingCanvas*>(&buffer);
    if (recorded == nullptr) return;
    record(CanvasOp::kBuffer, {at}, {0, 0, recorded->width(), recorded->height()});
    calls_.back().buffer = recorded->calls();
}

std::vector<CanvasCall> RecordingCanvas::drawing() const {
    std::vector<CanvasCall> out;
    flatten(calls_, {}, out);
    return out;
}

std::vector<CanvasCall> callsOf(const std::vector<CanvasCall>& calls, CanvasOp op) {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : calls) {
        if (call.op == op) out.push_back(call);
    }
    return out;
}

std::vector<CanvasCall> textCalls(const std::vector<CanvasCall>& calls, std::string_view text) {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : calls) {
        if (call.op == CanvasOp::kText && call.text == text) out.push_back(call);
    }
    return out;
}

}  // namespace corvane
