#include "viewers/fold_regions.h"

#include <algorithm>

#include "viewers/word_match.h"

namespace corvane {

// The scan nests one level per "begin" line; it keeps its open levels on a
// stack instead of recursing, so deeply nested text cannot exhaust the
// call stack. Each level remembers the line its scan started at.
std::vector<FoldRegion> buildFoldRegions(const std::vector<std::string_view>& lines) {
    std::vector<FoldRegion> regions;
    const int count = static_cast<int>(lines.size());
    const int lastLine = std::max(count - 1, 0);
    auto record = [&regions](int scanStart, int endLine) {
        FoldRegion region;
        region.startLine = scanStart > 0 ? scanStart - 1 : 0;
        region.endLine = endLine;
        regions.push_back(std::move(region));
    };

    std::vector<int> open{0};
    std::size_t outermost = 0;  // the index of the outermost scan's own record
    for (int line = 0; !open.empty(); ++line) {
        if (line >= count) {
            while (!open.empty()) {
                record(open.back(), lastLine);
                open.pop_back();
            }
            outermost = regions.size() - 1;
            break;
        }
        const bool opens = containsWholeWord(lines[line], "begin");
        const bool closes = containsWholeWord(lines[line], "end");
        if (opens && !closes) {
            open.push_back(line + 1);
        } else if (closes && !opens) {
            record(open.back(), line);
            open.pop_back();
            outermost = regions.size() - 1;
        }
    }
    regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(outermost));
    std::stable_sort(regions.begin(), regions.end(),
                     [](const FoldRegion& a, const FoldRegion& b) { return a.startLine < b.startLine; });
    return regions;
}

}  // namespace corvane
