#include "schematic/schematic_comment.h"

#include <algorithm>
#include <string_view>

namespace corvane {

TextExtent commentTextExtent(const SchematicComment& comment) {
    const TextMetrics metrics;
    TextExtent total;
    std::string_view rest = comment.text;
    while (true) {
        const std::size_t end = rest.find("\r\n");
        const TextExtent line = metrics.extent(comment.face, comment.pt, rest.substr(0, end));
        total.width = std::max(total.width, line.width);
        total.height = static_cast<int>(
            std::min<long long>(static_cast<long long>(total.height) + line.height, 0x7FFFFFFF));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    return total;
}

}  // namespace corvane
