#include "schematic/render_comments.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "platform/text_metrics.h"

namespace corvane {

namespace {

// Whether comment `index` belongs to `layer` with the marker at `marker`
// (-1 when there is none).
bool inLayer(int index, int marker, int layer) {
    if (marker < 0) return layer == 1;
    return layer == 0 ? index < marker : index > marker;
}

int findMarker(const std::vector<SchematicComment>& comments) {
    for (std::size_t i = 0; i < comments.size(); ++i) {
        if (comments[i].kind == kCommentMarker) return static_cast<int>(i);
    }
    return -1;
}

void drawHandles(Canvas& dc, const std::vector<Point>& points) {
    for (const Point& point : points) drawHandle(dc, point.x, point.y);
}

void drawCommentText(const RenderContext& context, const SchematicComment& comment, Point p0,
                     Point p1, Color color) {
    Canvas& dc = context.dc();
    const int height = std::max(1, context.scaled(comment.pt));
    Font font;
    font.face = comment.face;
    font.pixelHeight = height;
    dc.setFont(font);
    dc.setTextColor(color);
    dc.setTextBackground(false, kColorWhite);
    const int left = std::min(p0.x, p1.x);
    const int right = std::max(p0.x, p1.x);
    int y = std::min(p0.y, p1.y);
    const long long width = static_cast<long long>(right) - left;
    for (const std::string& line :
         wrapCommentText(comment.text, comment.face, height, static_cast<int>(width))) {
        dc.drawText({left, y}, line);
        y = RenderContext::clampedSum(y, height);
    }
}

void drawComment(const RenderContext& context, const SchematicComment& comment, int index) {
    Canvas& dc = context.dc();
    const bool selected = context.selected(comment.kind, std::to_string(index));
    const Color color = selected ? kColorSelection : static_cast<Color>(comment.color);
    dc.setPen(selected ? solidPen(2, kColorSelection)
                       : solidPen(std::max(0, context.scaled(comment.pt)), color));
    dc.setBrush(nullBrush());
    const Point p0 = context.map(comment.x0, comment.y0);
    const Point p1 = context.map(comment.x1, comment.y1);
    switch (comment.kind) {
        case kCommentLine:
            dc.drawLine(p0, p1);
            if (selected) drawHandles(dc, {p0, p1});
            break;
        case kCommentArrow:
            drawArrow(dc, p0.x, p0.y, p1.x, p1.y);
            if (selected) drawHandles(dc, {p0, p1});
            break;
        case kCommentRect:
            dc.drawPolyline({p0, {p1.x, p0.y}, p1, {p0.x, p1.y}, p0});
            if (selected) drawHandles(dc, {p0, {p1.x, p0.y}, p1, {p0.x, p1.y}});
            break;
        case kCommentEllipse: {
            drawEllipse(dc, p0.x, p0.y, p1.x, p1.y);
            const int midX = static_cast<int>((static_cast<long long>(p0.x) + p1.x) / 2);
            const int midY = static_cast<int>((static_cast<long long>(p0.y) + p1.y) / 2);
            if (selected) drawHandles(dc, {{p0.x, midY}, {midX, p0.y}, {p1.x, midY}, {midX, p1.y}});
            break;
        }
        case kCommentText:
            drawCommentText(context, comment, p0, p1, color);
            break;
        default:
            break;
    }
}

}  // namespace

void drawHandle(Canvas& dc, int x, int y) {
    const int x0 = offsetBy(x, -2), x1 = offsetBy(x, 2);
    const int y0 = offsetBy(y, -2), y1 = offsetBy(y, 2);
    dc.drawPolyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
}

void drawArrow(Canvas& dc, int x0, int y0, int x1, int y1) {
    dc.drawLine({x0, y0}, {x1, y1});
    if (x0 == x1 && y0 == y1) return;
    const double dx = static_cast<double>(x0) - x1;
    const double dy = static_cast<double>(y0) - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double gx = 6 * dx / length;
    const double gy = 6 * dy / length;
    const double hx = std::floor(gx / 2);
    const double hy = std::floor(gy / 2);
    const auto at = [](double base, double offset) {
        return RenderContext::clampedSum(static_cast<long long>(base + offset), 0);
    };
    dc.drawLine({x1, y1}, {at(x1, gx - hy), at(y1, gy + hx)});
    dc.drawLine({x1, y1}, {at(x1, gx + hy), at(y1, gy - hx)});
}

std::vector<Point> ellipsePoints(int x0, int y0, int x1, int y1) {
    const long long cx = (static_cast<long long>(x0) + x1) >> 1;
    const long long cy = (static_cast<long long>(y0) + y1) >> 1;
    const long long height = std::llabs(static_cast<long long>(y0) - y1);
    if (height == 0) return {{x0, y0}, {x1, y1}};
    const long long ry = height / 2;
    const double ratio = static_cast<double>(std::llabs(static_cast<long long>(x0) - x1)) / height;
    const auto clamped = [](double v) {
        return static_cast<int>(
            std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
    };
    const auto point = [&](double x, double y) { return Point{clamped(x), clamped(y)}; };
    std::vector<Point> points;
    points.reserve(38);
    points.push_back(point(cx + std::trunc(ratio * ry), static_cast<double>(cy)));
    for (int degrees = 10; degrees <= 370; degrees += 10) {
        const double a = degrees * std::numbers::pi / 180.0;
        points.push_back(
            point(cx + std::floor(std::cos(a) * ry * ratio), cy + std::floor(std::sin(a) * ry)));
    }
    return points;
}

void drawEllipse(Canvas& dc, int x0, int y0, int x1, int y1) {
    dc.drawPolyline(ellipsePoints(x0, y0, x1, y1));
}

std::vector<std::string> wrapCommentText(std::string_view text, std::string_view, int pixelHeight,
                                         int width) {
    // The metric is additive by columns, so a line's width is kept as a column count.
    const long long advance = TextMetrics::columnAdvance(pixelHeight);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        const std::string_view paragraph = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::string line;
        long long lineColumns = 0;
        std::size_t pos = 0;
        while (pos <= paragraph.size()) {
            std::size_t wordEnd = paragraph.find(' ', pos);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const std::string_view word = paragraph.substr(pos, wordEnd - pos);
            const long long wordColumns = TextMetrics::columns(word);
            if (pos == 0) {
                line = word;
                lineColumns = wordColumns;
            } else if ((lineColumns + 1 + wordColumns) * advance > width && !line.empty()) {
                lines.push_back(std::move(line));
                line = word;
                lineColumns = wordColumns;
            } else {
                line.append(" ").append(word);
                lineColumns += 1 + wordColumns;
            }
            pos = wordEnd + 1;
        }
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return lines;
}

void drawCommentLayer(const RenderContext& context, const std::vector<SchematicComment>& comments,
                      int layer) {
    const int marker = findMarker(comments);
    for (std::size_t i = 0; i < comments.size(); ++i) {
        const int index = static_cast<int>(i);
        if (index == marker || !inLayer(index, marker, layer)) continue;
        drawComment(context, comments[i], index);
    }
}

}  // namespace corvane
