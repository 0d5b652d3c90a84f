// The fold regions of a source text: from a line holding the word "begin"
// to the later line holding the "end" that closes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct FoldRegion {
    bool expanded = true;
    int startLine = 0;  // source lines counted from 0
    int endLine = 0;
    std::vector<std::string> savedLines;  // the lines removed while collapsed
    bool operator==(const FoldRegion&) const = default;
};

// The regions of `lines`, sorted by start line. A line with "begin" but no
// "end" opens a nested region that the next line with "end" but no "begin"
// closes; a line with both changes nothing. An "end" outside every region
// ends the scan, and regions still open at the end of the text run to the
// last line. The whole text's own outermost region is not a fold.
std::vector<FoldRegion> buildFoldRegions(const std::vector<std::string_view>& lines);

}  // namespace corvane
