// A canvas that writes SVG text itself, for pictures that go into web pages
// and files without any drawing library.
//
// The output depends only on the drawing calls: integer coordinates, fixed
// number formatting and element order as drawn, so the same drawing gives
// the same bytes. Text keeps the deterministic metric: every line of text is
// stretched to exactly the width the layout measured. Parts of the drawing
// can be wrapped in links, and link areas can be laid over what was drawn.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/text_metrics.h"

namespace corvane {

class SvgCanvas final : public Canvas {
public:
    // A picture of `width` x `height` pixels on a white background.
    SvgCanvas(int width, int height);

    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush& brush) override { brush_ = brush; }
    void setFont(const Font& font) override { font_ = font; }
    void setTextColor(Color color) override { textColor_ = color; }
    void setTextBackground(bool opaque, Color background) override;
    TextSize textExtent(std::string_view text) override;

    void drawLine(Point from, Point to) override;
    void drawPolyline(const std::vector<Point>& points) override;
    void drawPolygon(const std::vector<Point>& points) override;
    void drawRectangle(const Rect& rect) override;
    void drawEllipse(const Rect& bounds) override;
    void fillRectangle(const Rect& rect, Color color) override;
    void drawText(Point origin, std::string_view text) override;
    // A clip replaces the previous one, as on a device context.
    void setClipRect(const Rect& rect) override;
    void clearClip() override;
    // A white fill of half opacity.
    void lighten(const Rect& rect) override;
    std::unique_ptr<Canvas> createBuffer(int, int) override { return nullptr; }
    void drawBuffer(const Canvas&, Point) override {}

    // Prepended to the ids the picture defines (clip paths), so that several
    // pictures can share one HTML page.
    void setIdPrefix(std::string prefix);

    // Everything drawn until endLink() links to `href` (a relative address;
    // `title` is the tooltip, may be empty). Links do not nest: a second
    // beginLink() ends the first.
    void beginLink(std::string_view href, std::string_view title);
    void endLink();
    // An invisible area over `rect` that links to `href`, above everything
    // drawn so far (an open link ends first).
    void addLinkArea(const Rect& rect, std::string_view href, std::string_view title);

    // The whole document: XML declaration, <svg> root with its size and
    // view box, and the elements in drawing order. `title` becomes the
    // picture's <title> (left out when empty).
    std::string document(std::string_view title = {}) const;
    // The <svg> element alone, for putting inline into an HTML page.
    std::string element(std::string_view title = {}) const;

    int width() const { return width_; }
    int height() const { return height_; }

private:
    void openClip();
    void closeClip();
    std::string strokeAttributes() const;
    std::string fillAttribute(const Brush& brush) const;
    void appendShape(std::string_view name, const std::string& geometry, bool filled);

    int width_;
    int height_;
    std::string body_;
    Pen pen_{PenStyle::Solid, 0, 0};
    Brush brush_{BrushStyle::Solid, 0xffffff};
    Font font_;
    Color textColor_ = 0;
    bool opaqueText_ = false;
    Color textBackground_ = 0xffffff;

    bool clipped_ = false;
    Rect clip_;
    int clipCount_ = 0;
    std::string idPrefix_;
    bool linkOpen_ = false;
    TextMetrics metrics_;
};

// `text` with the characters XML gives a meaning (& < > " ') written as
// references, bytes that are not well-formed UTF-8 and characters XML does
// not allow (control characters but tab, line feed and carriage return)
// replaced by U+FFFD. Fit for element text and quoted attribute values.
std::string escapeXmlText(std::string_view text);

// A colour 0x00BBGGRR as "#rrggbb".
std::string svgColor(Color color);

}  // namespace corvane
