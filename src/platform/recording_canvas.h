// A canvas that keeps every call as data instead of drawing, so tests can ask
// what was drawn, where, and with which pen, brush, font and text colour.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/text_metrics.h"

namespace corvane {

// Everything a drawing call depends on besides its own arguments.
struct CanvasState {
    Pen pen;
    Brush brush;
    Font font;
    Color textColor = 0;
    bool opaqueText = false;
    Color textBackground = 0xffffff;
    bool operator==(const CanvasState&) const = default;
};

enum class CanvasOp {
    kSetPen,
    kSetBrush,
    kSetFont,
    kSetTextColor,
    kSetTextBackground,
    kLine,
    kPolyline,
    kPolygon,
    kRectangle,
    kEllipse,
    kFill,
    kText,
    kClip,
    kClearClip,
    kLighten,
    kBuffer,
};

struct CanvasCall {
    CanvasOp op = CanvasOp::kLine;
    std::vector<Point> points;  // line: from, to; polyline and polygon: the points; buffer: at
    Rect rect;                  // rectangle, ellipse, fill, clip, lighten; buffer: its size
    Color color = 0;            // fill colour
    std::string text;           // text
    CanvasState state;          // the state the call was drawn with (after a setter: the new one)
    std::vector<CanvasCall> buffer;  // the calls drawn into a copied buffer
};

class RecordingCanvas final : public Canvas {
public:
    RecordingCanvas() = default;
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override;
    void setFont(const Font& font) override;
    void setTextColor(Color color) override;
    void setTextBackground(bool opaque, Color background) override;
    TextSize textExtent(std::string_view text) override;

    void drawLine(Point from, Point to) override;
    void drawPolyline(const std::vector<Point>& points) override;
    void drawPolygon(const std::vector<Point>& points) override;
    void drawRectangle(const Rect& rect) override;
    void drawEllipse(const Rect& bounds) override;
    void fillRectangle(const Rect& rect, Color color) override;
    void drawText(Point origin, std::string_view text) override;
    void setClipRect(const Rect& rect) override;
    void clearClip() override;
    void lighten(const Rect& rect) override;
    std::unique_ptr<Canvas> createBuffer(int width, int height) override;
    void drawBuffer(const Canvas& buffer, Point at) override;

    // Whether createBuffer() makes buffers (true) or fails (false).
    void setBuffersAvailable(bool available) { buffersAvailable_ = available; }

    const std::vector<CanvasCall>& calls() const { return calls_; }
    const CanvasState& state() const { return state_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The drawing calls (no setters) in order, with the calls of copied
    // buffers in their place, shifted by where each buffer went.
    std::vector<CanvasCall> drawing() const;

private:
    void record(CanvasOp op, std::vector<Point> points = {}, Rect rect = {}, Color color = 0,
                std::string text = {});

    int width_ = 0;
    int height_ = 0;
    bool buffersAvailable_ = true;
    CanvasState state_;
    std::vector<CanvasCall> calls_;
    TextMetrics metrics_;
};

// The calls of `calls` with operation `op`.
std::vector<CanvasCall> callsOf(const std::vector<CanvasCall>& calls, CanvasOp op);

// The text calls whose text is exactly `text`.
std::vector<CanvasCall> textCalls(const std::vector<CanvasCall>& calls, std::string_view text);

}  // namespace corvane
