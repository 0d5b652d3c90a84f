// What every part of the schematic drawing shares: the colours, the window
// queries the drawing depends on, and the mapping of model coordinates to
// the surface at the zoom and scroll position of one drawing pass.
#pragma once

#include <climits>
#include <optional>
#include <string>
#include <string_view>

#include "database/records.h"
#include "platform/canvas.h"
#include "platform/text_metrics.h"
#include "schematic/canvas_size.h"

namespace corvane {

// Colours of the schematic drawing (0x00BBGGRR).
inline constexpr Color kColorBackground = 0x7F8285;  // outside the canvas
inline constexpr Color kColorWhite = 0xFFFFFF;       // canvas, block bodies, pin symbols
inline constexpr Color kColorBlack = 0x000000;
inline constexpr Color kColorGrid = 0xC0C0C0;
inline constexpr Color kColorDarkGrey = 0x404040;   // junctions, initial block frame
inline constexpr Color kColorSelection = 0x0000FF;  // red
inline constexpr Color kColorHotNet = 0xFF0000;     // blue
inline constexpr Color kColorGuide = 0xA0FFA0;      // hand-routing guide lines
inline constexpr Color kColorGreen = 0x008000;      // pin comments, parameter box
inline constexpr Color kColorAlwaysBand = 0xFFB0A0;
inline constexpr Color kColorAlwaysFrame = 0xAF0000;
inline constexpr Color kColorSensitivity = 0x0000A0;
inline constexpr Color kColorInstanceBand = 0x80FFFF;
inline constexpr Color kColorInstanceFrame = 0x008080;
inline constexpr Color kColorInitialFill = 0xE0E0E0;
inline constexpr Color kColorSelectedFill = 0xCCCCFF;  // pink
inline constexpr Color kColorDragRect = 0xFF7000;      // azure

// A net whose colour is white has been hidden by the user and is not drawn.
inline constexpr int kHiddenNetColor = 0xFFFFFF;
// Route x values above this are guide lines stored as x + 65536.
inline constexpr int kGuideLineThreshold = 32768;
inline constexpr int kGuideLineOffset = 65536;
// The text of a hand-routing guide line segment.
inline constexpr std::string_view kGuideSegmentText = "temp-route";

inline Pen selectionPen() {
    return solidPen(3, kColorSelection);
}

// What the drawing asks of the window it draws: the selection, the net
// views, and the requests a drawing pass hands back. Every answer defaults to
// nothing selected, no net view and requests ignored.
class SchematicPaintHost {
public:
    virtual ~SchematicPaintHost() = default;

    // Whether the object of `kind` whose selection name is `name` is in the
    // selection. Names: a pin's or assign's `name`, an instance's instance
    // name, the decimal line of an always or initial block, the decimal
    // position of a net in the module's net map or of a comment in the
    // window's comment list.
    virtual bool isSelected(int /*kind*/, std::string_view /*name*/) const { return false; }
    // The line colour of the first visible net view that traces pin
    // `pinName` of module `moduleName`; none when no view does.
    virtual std::optional<Color> netViewColor(std::string_view /*moduleName*/,
                                              std::string_view /*pinName*/) const {
        return std::nullopt;
    }
    // The instance parameter boxes need a canvas of `size`: the window keeps
    // it as its requested canvas size and starts the growth timer.
    virtual void requestCanvasSize(CanvasSize /*size*/) {}
    // A drawing pass asked for by a copy has drawn the whole canvas of
    // `size` into `drawing`; the window puts it on the clipboard and clears
    // its copy request.
    virtual void copyToClipboard(Canvas& /*drawing*/, CanvasSize /*size*/) {}
    // A message box without a caption of its own.
    virtual void showMessage(std::string_view /*text*/) {}
};

// trunc(value * zoom), kept within the int range (a zoom read from a file
// may be anything, not a number included, which maps to 0).
int scaleCoordinate(int value, double zoom);

// The schematic font height at `zoom`: max(1, trunc(16 * zoom)).
int schematicFontHeight(double zoom);

// One drawing pass: the surface, the module, the zoom and scroll position,
// and whether selected objects show as selected.
class RenderContext {
public:
    RenderContext(Canvas& canvas, const Module& module, const SchematicPaintHost& host, double zoom,
                  int scrollX, int scrollY, bool showSelection, std::string face);

    Canvas& dc() const { return dc_; }
    const Module& module() const { return module_; }
    double zoom() const { return zoom_; }
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }

    // Model coordinate to surface coordinate: trunc(v * zoom) - scroll.
    int sx(int v) const { return clampedSum(scaled(v), -static_cast<long long>(scrollX_)); }
    int sy(int v) const { return clampedSum(scaled(v), -static_cast<long long>(scrollY_)); }
    Point map(int x, int y) const { return {sx(x), sy(y)}; }
    // A model length in surface pixels: trunc(length * zoom).
    int scaled(int length) const { return scaleCoordinate(length, zoom_); }

    // Whether an object is drawn as selected: in the selection, and the pass
    // is not a clipboard copy.
    bool selected(int kind, std::string_view name) const;
    std::optional<Color> netViewColor(std::string_view pinName) const;

    // The schematic font at this zoom, normal or bold.
    Font schematicFont(bool bold = false) const;
    // Width of `text` in the schematic font at this zoom.
    int textWidth(std::string_view text) const;
    // Width of `text` in a font of `pixelHeight`.
    int textWidth(std::string_view text, int pixelHeight) const;
    const std::string& face() const { return face_; }

    // Writes `text` centred on model x `centreX` (trunc(x * zoom) - width / 2
    // - scrollX) with its top at surface y `top`.
    void drawCentredText(int centreX, int top, std::string_view text) const;

    static int clampedSum(long long a, long long b);

    // The part of the surface worth drawing (a buffer's or frame's area);
    // drawing that repeats across the canvas, the grid, keeps to it.
    void setVisible(const Rect& visible) { visible_ = visible; }
    const Rect& visible() const { return visible_; }

private:
    Canvas& dc_;
    const Module& module_;
    const SchematicPaintHost& host_;
    double zoom_;
    int scrollX_;
    int scrollY_;
    bool showSelection_;
    std::string face_;
    TextMetrics metrics_;
    Rect visible_{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
};

// v + by in model or surface units, kept within the int range.
inline int offsetBy(int v, long long by) {
    return RenderContext::clampedSum(v, by);
}

// The label of a module pin or block port as drawn: `displayName` with its
// range by the label rule ("%s[%d]", "%s[%d:%d]").
std::string drawnPinLabel(const Pin& pin);

}  // namespace corvane
