// A canvas that stretches a drawing made in diagram canvas units into a
// target rectangle of another surface, for the printed diagram: the canvas
// width fills the rectangle's width and the height follows in proportion.
#pragma once

#include <memory>

#include "platform/canvas.h"

namespace corvane {

class FittedCanvas final : public Canvas {
public:
    // Maps (0, 0) to the target rectangle's top-left corner and `sourceWidth`
    // units to its width; pens and fonts are scaled alike (at least 1).
    FittedCanvas(Canvas& target, const Rect& targetRect, int sourceWidth);

    void setPen(const Pen& pen) override;
    void setBrush(const Brush& brush) override { target_.setBrush(brush); }
    void setFont(const Font& font) override;
    void setTextColor(Color color) override { target_.setTextColor(color); }
    void setTextBackground(bool opaque, Color background) override {
        target_.setTextBackground(opaque, background);
    }
    // The target's extent in source units, so centring stays right.
    TextSize textExtent(std::string_view text) override;

    void drawLine(Point from, Point to) override { target_.drawLine(map(from), map(to)); }
    void drawPolyline(const std::vector<Point>& points) override;
    void drawPolygon(const std::vector<Point>& points) override;
    void drawRectangle(const Rect& rect) override { target_.drawRectangle(map(rect)); }
    void drawEllipse(const Rect& bounds) override { target_.drawEllipse(map(bounds)); }
    void fillRectangle(const Rect& rect, Color color) override {
        target_.fillRectangle(map(rect), color);
    }
    void drawText(Point origin, std::string_view text) override {
        target_.drawText(map(origin), text);
    }
    void setClipRect(const Rect& rect) override { target_.setClipRect(map(rect)); }
    void clearClip() override { target_.clearClip(); }
    void lighten(const Rect& rect) override { target_.lighten(map(rect)); }
    // A fitted drawing goes straight to its target; it makes no buffers.
    std::unique_ptr<Canvas> createBuffer(int, int) override { return nullptr; }
    void drawBuffer(const Canvas&, Point) override {}

    Point map(Point point) const;
    Rect map(const Rect& rect) const;
    int scaleLength(int length) const;

private:
    int scale(long long value) const;

    Canvas& target_;
    Rect targetRect_;
    long long numerator_;
    long long denominator_;
};

}  // namespace corvane
