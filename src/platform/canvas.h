// The drawing surface every picture of the system is drawn onto: the screen,
// images, PDF, SVG, Enhanced Metafiles, printers, and a recorder for tests.
//
// Coordinates are device units (pixels of the surface); colours are
// 0x00BBGGRR. The current pen, brush and font stay selected until replaced,
// as drawing code expects from a device context.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

using Color = std::uint32_t;  // 0x00BBGGRR

inline constexpr Color rgb(int red, int green, int blue) {
    return static_cast<Color>((red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16));
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

enum class PenStyle { Solid, Dot, Null };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Color color = 0;
    bool operator==(const Pen&) const = default;
};

enum class BrushStyle { Solid, Null };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = 0xffffff;
    bool operator==(const Brush&) const = default;
};

struct Font {
    std::string face = "Courier New";
    int pixelHeight = 16;  // cell height in device units
    int weight = 400;      // 400 normal, 700 bold
    bool italic = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

// One character of a text as drawn: its code point (U+FFFD for a byte that
// does not start a well-formed UTF-8 sequence) and the metric's columns for it.
struct TextCell {
    char32_t codePoint = 0;
    int columns = 0;
    bool operator==(const TextCell&) const = default;
};

// The characters of a UTF-8 text, split as the text metric counts them.
std::vector<TextCell> textCells(std::string_view utf8);

struct TextSize {
    int width = 0;
    int height = 0;
    bool operator==(const TextSize&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    virtual void setFont(const Font& font) = 0;
    // Text colour and whether text is drawn on an opaque background box.
    virtual void setTextColor(Color color) = 0;
    virtual void setTextBackground(bool opaque, Color background) = 0;

    // Extent of `text` (UTF-8) in the current font, by the deterministic
    // text metric every layout uses.
    virtual TextSize textExtent(std::string_view text) = 0;

    // Pen width 0 is the thinnest line the surface draws (one pixel).
    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawPolyline(const std::vector<Point>& points) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void drawPolygon(const std::vector<Point>& points) = 0;
    // Outlined with the pen through the four corners, filled with the brush.
    virtual void drawRectangle(const Rect& rect) = 0;
    // Inscribed in `bounds`, outlined with the pen, filled with the brush.
    virtual void drawEllipse(const Rect& bounds) = 0;
    // Fills the pixels from left to right - 1 and top to bottom - 1, without
    // an outline; the pen and brush stay as they were.
    virtual void fillRectangle(const Rect& rect, Color color) = 0;
    // One line of text with its top-left corner at `origin`, every character
    // advancing by the metric's column width; on an opaque background box
    // of the text's extent when setTextBackground asked for one.
    virtual void drawText(Point origin, std::string_view text) = 0;

    // Restricts drawing to `rect` until clearClip().
    virtual void setClipRect(const Rect& rect) = 0;
    virtual void clearClip() = 0;

    // Halves the distance to white of every pixel of `rect`: each colour
    // channel c becomes (c + 255) / 2. Surfaces without pixels draw a white
    // fill of half opacity instead.
    virtual void lighten(const Rect& rect) = 0;

    // An off-screen surface of the same kind, `width` x `height` pixels, for
    // drawing that is copied here in one piece; nullptr when the surface
    // cannot make one (vector surfaces, or no memory).
    virtual std::unique_ptr<Canvas> createBuffer(int width, int height) = 0;
    // Copies a buffer made by createBuffer() with its top-left corner at `at`.
    virtual void drawBuffer(const Canvas& buffer, Point at) = 0;
};

// Shorthands for the pens and brushes drawing code asks for.
inline Pen solidPen(int width, Color color) {
    return Pen{PenStyle::Solid, width, color};
}
inline Pen dottedPen(int width, Color color) {
    return Pen{PenStyle::Dot, width, color};
}
inline Brush solidBrush(Color color) {
    return Brush{BrushStyle::Solid, color};
}
inline Brush nullBrush() {
    return Brush{BrushStyle::Null, 0};
}

}  // namespace corvane
