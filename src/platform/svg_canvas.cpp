#include "platform/svg_canvas.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace corvane {

namespace {

// Courier New's cell: an ascent of 1705 and a descent of 615 font units
// over an em of 2048, so the baseline lies 1705/2320 down the cell.
constexpr long long kAscentUnits = 1705;
constexpr long long kCellUnits = 2320;
constexpr long long kEmUnits = 2048;

// A value given in halves of a pixel, as "12" or "12.5".
std::string halves(long long twice) {
    std::string text = std::to_string(twice / 2);
    if (twice % 2 != 0) {
        if (twice < 0 && twice / 2 == 0) text = "-0";
        text += ".5";
    }
    return text;
}

std::string number(long long value) {
    return std::to_string(value);
}

// A value given in hundredths of a pixel, with two decimals when needed.
std::string hundredths(long long value) {
    const bool negative = value < 0;
    const long long magnitude = negative ? -value : value;
    std::string text = (negative ? "-" : "") + std::to_string(magnitude / 100);
    const long long fraction = magnitude % 100;
    if (fraction != 0) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02lld", fraction);
        text += ".";
        text += digits;
        if (text.back() == '0') text.pop_back();
    }
    return text;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Whether XML 1.0 allows the character in a document.
bool allowedInXml(char32_t c) {
    if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
    return c != 0xFFFE && c != 0xFFFF;
}

void appendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&':
            out += "&amp;";
            return;
        case '<':
            out += "&lt;";
            return;
        case '>':
            out += "&gt;";
            return;
        case '"':
            out += "&quot;";
            return;
        case '\'':
            out += "&#39;";
            return;
        default:
            appendUtf8(out, allowedInXml(c) ? c : char32_t{0xFFFD});
    }
}

// Points of a pen of odd width sit on pixel centres, as a one-pixel line of
// a device context covers the pixels right of and below its coordinates.
long long strokeTwice(int v, const Pen& pen) {
    const bool centred = pen.style != PenStyle::Null && std::max(pen.width, 1) % 2 == 1;
    return 2LL * v + (centred ? 1 : 0);
}

std::string pointList(const std::vector<Point>& points, const Pen& pen) {
    std::string text;
    for (const Point& p : points) {
        if (!text.empty()) text += ' ';
        text += halves(strokeTwice(p.x, pen)) + "," + halves(strokeTwice(p.y, pen));
    }
    return text;
}

Rect normalised(const Rect& rect) {
    return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

std::string rectGeometry(const Rect& rect) {
    const Rect r = normalised(rect);
    return "x=\"" + number(r.left) + "\" y=\"" + number(r.top) + "\" width=\"" +
           number(static_cast<long long>(r.right) - r.left) + "\" height=\"" +
           number(static_cast<long long>(r.bottom) - r.top) + "\"";
}

}  // namespace

std::string escapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8Sequence(text, pos, codePoint);
        if (length == 0) {
            codePoint = 0xFFFD;
            length = 1;
        }
        appendEscaped(out, codePoint);
        pos += length;
    }
    return out;
}

std::string svgColor(Color color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xff, (color >> 8) & 0xff,
                  (color >> 16) & 0xff);
    return text;
}

SvgCanvas::SvgCanvas(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {}

void SvgCanvas::setIdPrefix(std::string prefix) {
    idPrefix_ = std::move(prefix);
}

void SvgCanvas::setTextBackground(bool opaque, Color background) {
    opaqueText_ = opaque;
    textBackground_ = background;
}

TextSize SvgCanvas::textExtent(std::string_view text) {
    const TextExtent extent = metrics_.extent(font_.face, font_.pixelHeight, text);
    return {extent.width, extent.height};
}

std::string SvgCanvas::strokeAttributes() const {
    if (pen_.style == PenStyle::Null) return "stroke=\"none\"";
    const int width = std::max(pen_.width, 1);
    std::string text = "stroke=\"" + svgColor(pen_.color) + "\"";
    if (width != 1) text += " stroke-width=\"" + number(width) + "\"";
    if (pen_.style == PenStyle::Dot) {
        text += " stroke-dasharray=\"" + number(width) + " " + number(2LL * width) + "\"";
    } else if (width >= 2) {
        text += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    } else {
        text += " stroke-linecap=\"square\"";
    }
    return text;
}

std::string SvgCanvas::fillAttribute(const Brush& brush) const {
    if (brush.style == BrushStyle::Null) return "fill=\"none\"";
    return "fill=\"" + svgColor(brush.color) + "\"";
}

void SvgCanvas::appendShape(std::string_view name, const std::string& geometry, bool filled) {
    body_ += "<";
    body_ += name;
    body_ += " " + geometry + " " + (filled ? fillAttribute(brush_) : "fill=\"none\"") + " " +
             strokeAttributes() + "/>\n";
}

void SvgCanvas::drawLine(Point from, Point to) {
    if (pen_.style == PenStyle::Null) return;
    appendShape("line",
                "x1=\"" + halves(strokeTwice(from.x, pen_)) + "\" y1=\"" +
                    halves(strokeTwice(from.y, pen_)) + "\" x2=\"" +
                    halves(strokeTwice(to.x, pen_)) + "\" y2=\"" + halves(strokeTwice(to.y, pen_)) +
                    "\"",
                false);
}

void SvgCanvas::drawPolyline(const std::vector<Point>& points) {
    if (points.size() < 2 || pen_.style == PenStyle::Null) return;
    appendShape("polyline", "points=\"" + pointList(points, pen_) + "\"", false);
}

void SvgCanvas::drawPolygon(const std::vector<Point>& points) {
    if (points.size() < 2) return;
    appendShape("polygon", "points=\"" + pointList(points, pen_) + "\" fill-rule=\"evenodd\"",
                true);
}

void SvgCanvas::drawRectangle(const Rect& rect) {
    drawPolygon({{rect.left, rect.top},
                 {rect.right, rect.top},
                 {rect.right, rect.bottom},
                 {rect.left, rect.bottom}});
}

void SvgCanvas::drawEllipse(const Rect& bounds) {
    const Rect r = normalised(bounds);
    const long long centreX = static_cast<long long>(r.left) + r.right;
    const long long centreY = static_cast<long long>(r.top) + r.bottom;
    appendShape("ellipse",
                "cx=\"" + halves(centreX) + "\" cy=\"" + halves(centreY) + "\" rx=\"" +
                    halves(static_cast<long long>(r.right) - r.left) + "\" ry=\"" +
                    halves(static_cast<long long>(r.bottom) - r.top) + "\"",
                true);
}

void SvgCanvas::fillRectangle(const Rect& rect, Color color) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    body_ += "<rect " + rectGeometry(rect) + " fill=\"" + svgColor(color) + "\"/>\n";
}

void SvgCanvas::drawText(Point origin, std::string_view text) {
    std::string content;
    long long columns = 0;
    for (const TextCell& cell : textCells(text)) {
        if (cell.columns <= 0) continue;  // control characters take no room and draw nothing
        appendEscaped(content, cell.codePoint);
        columns += cell.columns;
    }
    if (content.empty()) return;
    const int height = std::max(font_.pixelHeight, 0);
    const long long width = columns * TextMetrics::columnAdvance(height);
    if (opaqueText_) {
        const TextSize size = textExtent(text);
        const auto edge = [](int from, int length) {
            return static_cast<int>(
                std::min<long long>(static_cast<long long>(from) + length, INT_MAX));
        };
        fillRectangle({origin.x, origin.y, edge(origin.x, size.width), edge(origin.y, size.height)},
                      textBackground_);
    }
    const long long baseline =
        100LL * origin.y + (100LL * height * kAscentUnits + kCellUnits / 2) / kCellUnits;
    const long long em = std::max<long long>((height * kEmUnits + kCellUnits / 2) / kCellUnits, 1);
    body_ += "<text x=\"" + number(origin.x) + "\" y=\"" + hundredths(baseline) +
             "\" font-family=\"" + escapeXmlText(font_.face) +
             ", 'Liberation Mono', 'Courier New', monospace\" font-size=\"" + number(em) + "\"";
    if (font_.weight >= 600) body_ += " font-weight=\"bold\"";
    if (font_.italic) body_ += " font-style=\"italic\"";
    if (font_.underline) body_ += " text-decoration=\"underline\"";
    body_ += " fill=\"" + svgColor(textColor_) + "\" textLength=\"" + number(width) +
             "\" lengthAdjust=\"spacingAndGlyphs\">" + content + "</text>\n";
}

void SvgCanvas::openClip() {
    const std::string id = idPrefix_ + "clip" + std::to_string(++clipCount_);
    body_ += "<clipPath id=\"" + id + "\"><rect " + rectGeometry(clip_) + "/></clipPath>\n";
    body_ += "<g clip-path=\"url(#" + id + ")\">\n";
}

void SvgCanvas::closeClip() {
    body_ += "</g>\n";
}

void SvgCanvas::setClipRect(const Rect& rect) {
    if (clipped_) closeClip();
    clip_ = rect;
    clipped_ = true;
    openClip();
}

void SvgCanvas::clearClip() {
    if (clipped_) closeClip();
    clipped_ = false;
}

void SvgCanvas::lighten(const Rect& rect) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    body_ += "<rect " + rectGeometry(rect) + " fill=\"#ffffff\" fill-opacity=\"0.5\"/>\n";
}

void SvgCanvas::beginLink(std::string_view href, std::string_view title) {
    endLink();
    if (clipped_) closeClip();
    body_ += "<a href=\"" + escapeXmlText(href) + "\">";
    if (!title.empty()) body_ += "<title>" + escapeXmlText(title) + "</title>";
    body_ += "\n";
    linkOpen_ = true;
    if (clipped_) openClip();
}

void SvgCanvas::endLink() {
    if (!linkOpen_) return;
    if (clipped_) closeClip();
    body_ += "</a>\n";
    linkOpen_ = false;
    if (clipped_) openClip();
}

void SvgCanvas::addLinkArea(const Rect& rect, std::string_view href, std::string_view title) {
    endLink();
    if (clipped_) closeClip();
    body_ += "<a href=\"" + escapeXmlText(href) + "\">";
    if (!title.empty()) body_ += "<title>" + escapeXmlText(title) + "</title>";
    body_ += "<rect class=\"link-area\" " + rectGeometry(rect) +
             " fill=\"#0060df\" fill-opacity=\"0\"/></a>\n";
    if (clipped_) openClip();
}

std::string SvgCanvas::element(std::string_view title) const {
    std::string text = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(width_) +
                       "\" height=\"" + number(height_) + "\" viewBox=\"0 0 " + number(width_) +
                       " " + number(height_) + "\" xml:space=\"preserve\">\n";
    if (!title.empty()) text += "<title>" + escapeXmlText(title) + "</title>\n";
    text += "<rect x=\"0\" y=\"0\" width=\"" + number(width_) + "\" height=\"" + number(height_) +
            "\" fill=\"#ffffff\"/>\n";
    text += body_;
    if (clipped_) text += "</g>\n";
    if (linkOpen_) text += "</a>\n";
    return text + "</svg>\n";
}

std::string SvgCanvas::document(std::string_view title) const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + element(title);
}

}  // namespace corvane
