#include "statemachine/fitted_canvas.h"

#include <algorithm>

namespace corvane {

namespace {

int clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -(1LL << 30), 1LL << 30));
}

}  // namespace

FittedCanvas::FittedCanvas(Canvas& target, const Rect& targetRect, int sourceWidth)
    : target_(target),
      targetRect_(targetRect),
      numerator_(std::max(targetRect.width(), 0)),
      denominator_(std::max(sourceWidth, 1)) {}

int FittedCanvas::scale(long long value) const {
    return clampToInt(value * numerator_ / denominator_);
}

Point FittedCanvas::map(Point point) const {
    return {clampToInt(targetRect_.left + static_cast<long long>(scale(point.x))),
            clampToInt(targetRect_.top + static_cast<long long>(scale(point.y)))};
}

Rect FittedCanvas::map(const Rect& rect) const {
    const Point topLeft = map(Point{rect.left, rect.top});
    const Point bottomRight = map(Point{rect.right, rect.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int FittedCanvas::scaleLength(int length) const {
    return std::max(scale(length), 1);
}

void FittedCanvas::setPen(const Pen& pen) {
    Pen scaledPen = pen;
    scaledPen.width = scaleLength(pen.width);
    target_.setPen(scaledPen);
}

void FittedCanvas::setFont(const Font& font) {
    Font scaledFont = font;
    scaledFont.pixelHeight = scaleLength(font.pixelHeight);
    target_.setFont(scaledFont);
}

TextSize FittedCanvas::textExtent(std::string_view text) {
    const TextSize extent = target_.textExtent(text);
    if (numerator_ == 0) return extent;
    return {clampToInt(extent.width * denominator_ / numerator_),
            clampToInt(extent.height * denominator_ / numerator_)};
}

void FittedCanvas::drawPolyline(const std::vector<Point>& points) {
    std::vector<Point> mapped;
    mapped.reserve(points.size());
    for (Point point : points) mapped.push_back(map(point));
    target_.drawPolyline(mapped);
}

void FittedCanvas::drawPolygon(const std::vector<Point>& points) {
    std::vector<Point> mapped;
    mapped.reserve(points.size());
    for (Point point : points) mapped.push_back(map(point));
    target_.drawPolygon(mapped);
}

}  // namespace corvane
