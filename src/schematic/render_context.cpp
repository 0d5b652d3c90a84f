#include "schematic/render_context.h"

#include <climits>
#include <cmath>
#include <utility>

namespace corvane {

int scaleCoordinate(int value, double zoom) {
    const double scaled = static_cast<double>(value) * zoom;
    if (std::isnan(scaled)) return 0;
    if (scaled >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (scaled <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(scaled);
}

int schematicFontHeight(double zoom) {
    const int height = scaleCoordinate(16, zoom);
    return height > 1 ? height : 1;
}

RenderContext::RenderContext(Canvas& canvas, const Module& module, const SchematicPaintHost& host,
                             double zoom, int scrollX, int scrollY, bool showSelection,
                             std::string face)
    : dc_(canvas),
      module_(module),
      host_(host),
      zoom_(zoom),
      scrollX_(scrollX),
      scrollY_(scrollY),
      showSelection_(showSelection),
      face_(std::move(face)) {}

int RenderContext::clampedSum(long long a, long long b) {
    const long long sum = a + b;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

bool RenderContext::selected(int kind, std::string_view name) const {
    return showSelection_ && host_.isSelected(kind, name);
}

std::optional<Color> RenderContext::netViewColor(std::string_view pinName) const {
    return host_.netViewColor(module_.name, pinName);
}

Font RenderContext::schematicFont(bool bold) const {
    Font font;
    font.face = face_;
    font.pixelHeight = schematicFontHeight(zoom_);
    font.weight = bold ? 700 : 400;
    return font;
}

int RenderContext::textWidth(std::string_view text) const {
    return textWidth(text, schematicFontHeight(zoom_));
}

int RenderContext::textWidth(std::string_view text, int pixelHeight) const {
    return metrics_.width(face_, pixelHeight, text);
}

void RenderContext::drawCentredText(int centreX, int top, std::string_view text) const {
    const long long left = static_cast<long long>(scaled(centreX)) - textWidth(text) / 2;
    dc_.drawText({clampedSum(left, -static_cast<long long>(scrollX_)), top}, text);
}

std::string drawnPinLabel(const Pin& pin) {
    if (pin.msb != pin.lsb) {
        return pin.displayName + "[" + std::to_string(pin.msb) + ":" + std::to_string(pin.lsb) +
               "]";
    }
    if (pin.msb == -1) return pin.displayName;
    return pin.displayName + "[" + std::to_string(pin.msb) + "]";
}

}  // namespace corvane
