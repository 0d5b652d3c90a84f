// Arbitrary text through the text printer's wrapping and pagination: no
// crash, no hang, and every piece of a wrapped line comes from the line (its
// characters in order once the continuation indents are left out).
#include <cstdint>
#include <string>
#include <vector>

#include "reports/text_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int width = data[0];  // 0 to 255 pixels: narrower than some characters
    const bool indent = (data[1] & 1) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    // Widths from the bytes themselves: zero-width and wide characters both occur.
    const corvane::TextMeasure measure = [](std::string_view piece) {
        int total = 0;
        for (unsigned char c : piece) total += c % 9;
        return total;
    };
    std::vector<int> lineCounts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        const std::vector<std::string> pieces =
            corvane::wrapTextLine(line, width, indent, measure);
        if (pieces.empty()) __builtin_trap();
        lineCounts.push_back(static_cast<int>(pieces.size()));
        if (!indent) {
            std::string joined;
            for (const std::string& piece : pieces) joined += piece;
            if (joined != line) __builtin_trap();
        }
        start = end + 1;
    }
    const std::vector<std::size_t> pages =
        corvane::paginateLines(lineCounts, 1 + data[1] / 2, data[0]);
    if (pages.empty() || pages.front() != 0) __builtin_trap();
    return 0;
}
