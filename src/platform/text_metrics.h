// Deterministic text measurement for everything whose layout depends on text size.
//
// Layout must not depend on the fonts a machine has, so every text is measured
// with one monospace metric compatible with Courier New: for a font of cell
// height h pixels each column advances round(h * 1229 / 2320) pixels (8 for 16,
// 6 for 12) and a line is h pixels high. East Asian wide and full-width code
// points take two columns. The face is accepted for the interface's sake; the
// metric is the same for every face.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

struct TextExtent {
    int width = 0;
    int height = 0;
};

class TextMetrics {
public:
    // Pixels one column advances in a font of cell height `pixelHeight` (0 when not positive).
    static int columnAdvance(int pixelHeight);

    // Columns a UTF-8 text takes on one line: wide and full-width code points 2,
    // control characters 0, every other code point 1. A byte that does not start
    // a well-formed sequence counts as one column on its own.
    static int columns(std::string_view utf8);

    // Extent of `text` drawn on one line in `face` at `pixelHeight`.
    TextExtent extent(std::string_view face, int pixelHeight, std::string_view text) const;

    // Width in pixels of `text` on one line.
    int width(std::string_view face, int pixelHeight, std::string_view text) const;
};

// Whether a code point is East Asian wide or full-width (two columns).
bool isWideCodePoint(char32_t codePoint);

// The face of the font rule: "ＭＳ ゴシック" when the locale's language is
// Japanese, else "Courier New".
std::string fontRuleFace();

// The same rule on given values of LC_ALL, LC_MESSAGES and LANG (the first
// non-empty one decides; nullptr counts as empty).
bool isJapaneseLocale(const char* lcAll, const char* lcMessages, const char* lang);

// Length of the well-formed UTF-8 sequence at `pos` with its value in
// `codePoint`, or 0 when the bytes there are not one (overlong forms,
// surrogates and values above U+10FFFF are not well-formed).
std::size_t decodeUtf8Sequence(std::string_view text, std::size_t pos, char32_t& codePoint);

}  // namespace corvane
