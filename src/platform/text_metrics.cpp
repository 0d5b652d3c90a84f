#include "platform/text_metrics.h"

#include <cstdint>
#include <cstdlib>

namespace corvane {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian Width classes W and F, by the blocks that hold them.
constexpr Range kWideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F2FF}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

int columnsOf(char32_t codePoint) {
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return 0;
    return isWideCodePoint(codePoint) ? 2 : 1;
}

bool startsWithJa(const char* value) {
    return value[0] == 'j' && value[1] == 'a' &&
           (value[2] == '\0' || value[2] == '_' || value[2] == '.' || value[2] == '@');
}

}  // namespace

int TextMetrics::columnAdvance(int pixelHeight) {
    if (pixelHeight <= 0) return 0;
    const std::int64_t scaled = static_cast<std::int64_t>(pixelHeight) * 1229;
    return static_cast<int>((scaled + 1160) / 2320);
}

int TextMetrics::columns(std::string_view utf8) {
    int total = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8Sequence(utf8, pos, codePoint);
        if (length == 0) {
            ++total;  // a stray byte
            ++pos;
            continue;
        }
        total += columnsOf(codePoint);
        pos += length;
    }
    return total;
}

TextExtent TextMetrics::extent(std::string_view, int pixelHeight, std::string_view text) const {
    const std::int64_t width =
        static_cast<std::int64_t>(columns(text)) * columnAdvance(pixelHeight);
    const std::int64_t limit = 0x7FFFFFFF;
    return {static_cast<int>(width < limit ? width : limit), pixelHeight > 0 ? pixelHeight : 0};
}

int TextMetrics::width(std::string_view face, int pixelHeight, std::string_view text) const {
    return extent(face, pixelHeight, text).width;
}

bool isWideCodePoint(char32_t codePoint) {
    for (const Range& range : kWideRanges) {
        if (codePoint < range.first) return false;  // the table is sorted
        if (codePoint <= range.last) return true;
    }
    return false;
}

bool isJapaneseLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && value[0] != '\0') return startsWithJa(value);
    }
    return false;
}

std::string fontRuleFace() {
    const bool japanese =
        isJapaneseLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return japanese ? "ＭＳ ゴシック" : "Courier New";
}

// Decodes one well-formed UTF-8 sequence at `pos`; returns its length, or 0
// when the bytes there are not one (overlong forms, surrogates and values
// above U+10FFFF are not well-formed).
std::size_t decodeUtf8Sequence(std::string_view text, std::size_t pos, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
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

}  // namespace corvane
