// Keyword colouring of the source viewer, one chunk of about two lines at a
// time, as colour ranges over the text. Entries are applied in list order,
// so a later entry paints over an earlier one.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/canvas.h"
#include "project/settings_file.h"

namespace corvane {

// Which comment marks a keyword list knows: "//" and "/*" for Verilog, "--"
// for VHDL. In the other language those words are matched as plain words.
enum class KeywordLanguage { kVerilog, kVhdl };

struct ColourRange {
    std::size_t start = 0;
    std::size_t end = 0;  // one past the last coloured character
    Color color = 0;
    bool operator==(const ColourRange&) const = default;
};

struct ColouringChunk {
    std::size_t start = 0;
    std::size_t end = 0;
};

// The chunk a colouring step at `position` covers: from the nearest line
// feed at or before `position` (or the text start) to the second line feed
// after it (or the text end).
ColouringChunk colouringChunk(std::string_view text, std::size_t position);

// Finds the end of block comments, remembering the last answer so that a
// run of steps over one text does not search the same stretch again.
class CommentEndFinder {
public:
    // The position just past the first "*/" at or after `from`, or npos.
    std::size_t endAfter(std::string_view text, std::size_t from);
    // The text changed: forget what was found.
    void reset() { searchedFrom_ = kNone; }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t searchedFrom_ = kNone;  // the answer holds for every start in [searchedFrom_, found_]
    std::size_t found_ = 0;             // position of the "*/", npos for none
};

// The ranges the entries give to the occurrences starting inside `chunk`,
// in the order they are painted: "//" and "--" to the end of the line with
// its line feed; "/*" through the next "*/" (possibly beyond the chunk) or
// to the chunk's end; any other word where it stands as a whole word.
std::vector<ColourRange> colourChunk(std::string_view text, ColouringChunk chunk,
                                     const std::vector<KeywordEntry>& entries,
                                     KeywordLanguage language, CommentEndFinder& commentEnds);

}  // namespace corvane
