// Label texts of pins, block ports and sensitivity entries, and their
// measurement in the schematic font.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "database/records.h"
#include "platform/text_metrics.h"

namespace corvane {

// Height in pixels of the schematic font at zoom 1.
inline constexpr int kSchematicFontHeight = 16;
// Widest label the layout works with (131072 columns).
inline constexpr int kMaxLabelWidth = 1 << 20;

// "name[msb:lsb]" when msb and lsb differ, "name" when msb is -1, else "name[msb]".
std::string pinLabel(const Pin& pin);

// Measures texts in the schematic font: 16 pixels high, normal weight, the face
// of the font rule.
class SchematicTextMeasure {
public:
    explicit SchematicTextMeasure(const TextMetrics& metrics, std::string face = fontRuleFace())
        : metrics_(metrics), face_(std::move(face)) {}

    // Width in pixels, at most kMaxLabelWidth so that block sizes stay far
    // from the int limits whatever a source file holds.
    int width(std::string_view text) const {
        const int measured = metrics_.width(face_, kSchematicFontHeight, text);
        return measured < kMaxLabelWidth ? measured : kMaxLabelWidth;
    }
    const std::string& face() const { return face_; }

private:
    const TextMetrics& metrics_;
    std::string face_;
};

// (v / 32 + 1) * 32: the next multiple of 32 strictly above v.
inline int round32(int v) {
    return (v / 32 + 1) * 32;
}

}  // namespace corvane
