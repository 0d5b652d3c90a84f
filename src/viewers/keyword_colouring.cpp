#include "viewers/keyword_colouring.h"

#include <algorithm>

#include "viewers/word_match.h"

namespace corvane {

ColouringChunk colouringChunk(std::string_view text, std::size_t position) {
    ColouringChunk chunk;
    position = std::min(position, text.size());
    const std::size_t before = position == 0 ? std::string_view::npos : text.rfind('\n', position);
    chunk.start = before == std::string_view::npos ? 0 : before;
    const std::size_t first = text.find('\n', position + 1);
    const std::size_t second =
        first == std::string_view::npos ? std::string_view::npos : text.find('\n', first + 1);
    chunk.end = second == std::string_view::npos ? text.size() : second;
    return chunk;
}

std::size_t CommentEndFinder::endAfter(std::string_view text, std::size_t from) {
    const bool known = searchedFrom_ != kNone && from >= searchedFrom_ &&
                       (found_ == std::string_view::npos || from <= found_);
    if (!known) {
        searchedFrom_ = from;
        found_ = text.find("*/", from);
    }
    return found_ == std::string_view::npos ? found_ : found_ + 2;
}

namespace {

// The text up to where an occurrence of `word` starting inside the chunk can
// end, so that searches stop near the chunk instead of at the text's end.
std::string_view searchArea(std::string_view text, ColouringChunk chunk, std::string_view word) {
    return text.substr(0, std::min(text.size(), chunk.end + word.size() - 1));
}

void colourLineComments(std::string_view text, ColouringChunk chunk, std::string_view mark,
                        Color color, std::vector<ColourRange>& out) {
    const std::string_view area = searchArea(text, chunk, mark);
    for (std::size_t at = area.find(mark, chunk.start); at < chunk.end;
         at = area.find(mark, at + 1)) {
        const std::size_t feed = text.find('\n', at);
        const std::size_t end = feed == std::string_view::npos ? text.size() : feed + 1;
        out.push_back({at, end, color});
    }
}

void colourBlockComments(std::string_view text, ColouringChunk chunk, Color color,
                         CommentEndFinder& commentEnds, std::vector<ColourRange>& out) {
    const std::string_view area = searchArea(text, chunk, "/*");
    for (std::size_t at = area.find("/*", chunk.start); at < chunk.end;) {
        const std::size_t close = commentEnds.endAfter(text, at + 2);
        const std::size_t end = close == std::string_view::npos ? chunk.end : close;
        out.push_back({at, end, color});
        if (close == std::string_view::npos) {
            break;
        }
        at = area.find("/*", close);
    }
}

void colourWords(std::string_view text, ColouringChunk chunk, std::string_view word, Color color,
                 std::vector<ColourRange>& out) {
    const std::string_view area = searchArea(text, chunk, word);
    for (std::size_t at = area.find(word, chunk.start); at < chunk.end;
         at = area.find(word, at + 1)) {
        if (isWholeWordAt(text, at, word)) {
            out.push_back({at, at + word.size(), color});
        }
    }
}

}  // namespace

std::vector<ColourRange> colourChunk(std::string_view text, ColouringChunk chunk,
                                     const std::vector<KeywordEntry>& entries,
                                     KeywordLanguage language, CommentEndFinder& commentEnds) {
    std::vector<ColourRange> ranges;
    chunk.end = std::min(chunk.end, text.size());
    for (const KeywordEntry& entry : entries) {
        const std::string_view word = entry.word;
        const Color color = static_cast<Color>(entry.color) & 0xffffff;
        if (word.empty()) {
            continue;
        }
        const bool verilog = language == KeywordLanguage::kVerilog;
        if ((verilog && word == "//") || (!verilog && word == "--")) {
            colourLineComments(text, chunk, word, color, ranges);
        } else if (verilog && word == "/*") {
            colourBlockComments(text, chunk, color, commentEnds, ranges);
        } else {
            colourWords(text, chunk, word, color, ranges);
        }
    }
    return ranges;
}

}  // namespace corvane
