#include "platform/canvas.h"

#include "platform/text_metrics.h"

namespace corvane {

namespace {

// The length of the well-formed UTF-8 sequence at `pos` and its value, or 0.
std::size_t decodeSequence(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

}  // namespace

std::vector<TextCell> textCells(std::string_view utf8) {
    std::vector<TextCell> cells;
    cells.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        std::size_t length = decodeSequence(utf8, pos, codePoint);
        if (length == 0) {
            codePoint = 0xFFFD;
            length = 1;
        }
        // The metric decides the columns, so drawing and measuring agree.
        cells.push_back({codePoint, TextMetrics::columns(utf8.substr(pos, length))});
        pos += length;
    }
    return cells;
}

}  // namespace corvane
