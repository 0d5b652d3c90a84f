// A canvas that writes an Enhanced Metafile (through libUEMF), which office
// and drawing programs open as a vector picture.
//
// Pens, brushes and fonts are created when a drawing call first needs them,
// selected, and deleted once another one has replaced them; finishing the
// picture selects the stock objects back and deletes what is left. The
// header's bounds hold every point the records name; its frame, by which
// readers size the picture, is the pixels drawn.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "platform/text_metrics.h"

namespace corvane {

// The description the schematic exports carry: application, NUL, title, two NULs.
inline constexpr std::u16string_view kSchematicEmfDescription{u"Corvane\0Schematic\0\0", 19};

class EmfCanvas final : public Canvas {
public:
    explicit EmfCanvas(std::u16string_view description = kSchematicEmfDescription);
    ~EmfCanvas() override;
    EmfCanvas(const EmfCanvas&) = delete;
    EmfCanvas& operator=(const EmfCanvas&) = delete;

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
    void setClipRect(const Rect& rect) override;
    void clearClip() override;
    // A white fill of half opacity (an alpha blend of one white pixel).
    void lighten(const Rect& rect) override;
    std::unique_ptr<Canvas> createBuffer(int, int) override { return nullptr; }
    void drawBuffer(const Canvas&, Point) override {}

    // Ends the picture and returns the whole file: header, records, end
    // record. Drawing after this is ignored.
    const std::string& finish();
    // finish(), written to `path` through a temporary file and a rename.
    bool save(const std::string& path);

    // Bounds of what has been drawn so far (inclusive; empty: right < left):
    // every point the records name, for the header's bounds.
    Rect bounds() const { return bounds_; }

private:
    struct Handles;

    void append(char* record);
    void include(int x, int y, int margin);
    void includeRecordPoint(int x, int y);
    void includePoints(const std::vector<Point>& points);
    void preparePen();
    void prepareBrush(const Brush& brush);
    void prepareFont();
    void prepareText();
    void selectStockObjects();
    void forgetSelections();

    std::u16string description_;
    std::unique_ptr<Handles> handles_;
    std::string body_;  // every record after the header
    std::string file_;
    std::uint32_t records_ = 0;
    bool finished_ = false;
    bool clipped_ = false;
    Rect bounds_{0, 0, -1, -1};
    // The pixels the drawing covers (inclusive), for the header's frame: a
    // rectangle's record names a corner one or two pixels beyond them.
    Rect covered_{0, 0, -1, -1};

    Pen pen_{PenStyle::Solid, 0, 0};
    Brush brush_{BrushStyle::Solid, 0xffffff};
    Font font_;
    Color textColor_ = 0;
    bool opaqueText_ = false;
    Color textBackground_ = 0xffffff;

    // What the metafile's device context holds now.
    std::uint32_t penObject_ = 0;  // 0: none created
    Pen penValue_;
    bool penSelected_ = false;
    std::uint32_t brushObject_ = 0;
    Brush brushValue_;
    bool brushSelected_ = false;
    std::uint32_t fontObject_ = 0;
    Font fontValue_;
    bool fontSelected_ = false;
    bool textStateKnown_ = false;
    Color emittedTextColor_ = 0;
    bool emittedOpaque_ = false;
    Color emittedBackground_ = 0;

    TextMetrics metrics_;
};

}  // namespace corvane
