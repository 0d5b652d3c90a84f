#include "platform/canvas.h"

#include "platform/text_metrics.h"

namespace corvane {

std::vector<TextCell> textCells(std::string_view utf8) {
    std::vector<TextCell> cells;
    cells.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8Sequence(utf8, pos, codePoint);
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
