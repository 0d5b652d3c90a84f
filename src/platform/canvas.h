// The drawing surface every picture of the system is drawn onto: the screen,
// images, PDF, SVG, Enhanced Metafiles, printers, and a recorder for tests.
//
// Coordinates are device units (pixels of the surface); colours are
// 0x00BBGGRR. The current pen, brush and font stay selected until replaced,
// as drawing code expects from a device context.
#pragma once

#include <cstdint>
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

    virtual void drawLine(Point from, Point to) = 0;
    virtual void drawPolyline(const std::vector<Point>& points) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void drawPolygon(const std::vector<Point>& points) = 0;
    virtual void drawRectangle(const Rect& rect) = 0;
    virtual void drawEllipse(const Rect& bounds) = 0;
    // Fills without an outline.
    virtual void fillRectangle(const Rect& rect, Color color) = 0;
    // Text with its top-left corner at `origin`.
    virtual void drawText(Point origin, std::string_view text) = 0;

    // Restricts drawing to `rect` until clearClip().
    virtual void setClipRect(const Rect& rect) = 0;
    virtual void clearClip() = 0;

    // Lightens every pixel of `rect` towards white by `amount` (0..255), for
    // highlighted areas; surfaces without pixels may draw a translucent fill.
    virtual void lighten(const Rect& rect, int amount) = 0;
};

}  // namespace corvane
