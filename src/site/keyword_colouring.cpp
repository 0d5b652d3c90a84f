#include "site/keyword_colouring.h"

#include <algorithm>
#include <initializer_list>

namespace corvane {

namespace {

constexpr int kKeywordBlue = 0xFF0000;  // 0x00BBGGRR
constexpr int kCommentGreen = 0x008000;

bool isWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void paint(std::vector<int>& colours, std::size_t from, std::size_t to, int colour) {
    std::fill(colours.begin() + static_cast<std::ptrdiff_t>(from),
              colours.begin() + static_cast<std::ptrdiff_t>(std::min(to, colours.size())), colour);
}

void paintLineComments(std::string_view text, std::string_view mark, int colour,
                       std::vector<int>& colours) {
    for (std::size_t at = text.find(mark); at != std::string_view::npos;
         at = text.find(mark, at + 1)) {
        const std::size_t feed = text.find('\n', at);
        paint(colours, at, feed == std::string_view::npos ? text.size() : feed + 1, colour);
    }
}

void paintBlockComments(std::string_view text, int colour, std::vector<int>& colours) {
    std::size_t at = text.find("/*");
    while (at != std::string_view::npos) {
        const std::size_t close = text.find("*/", at + 2);
        const std::size_t end = close == std::string_view::npos ? text.size() : close + 2;
        paint(colours, at, end, colour);
        at = text.find("/*", end);
    }
}

void paintWords(std::string_view text, std::string_view word, int colour,
                std::vector<int>& colours) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool wholeBefore = at == 0 || !isWordByte(text[at - 1]);
        const bool wholeAfter = end >= text.size() || !isWordByte(text[end]);
        if (wholeBefore && wholeAfter) paint(colours, at, end, colour);
    }
}

std::vector<KeywordEntry> entries(std::initializer_list<const char*> words, const char* comment,
                                  bool blockComment) {
    std::vector<KeywordEntry> list;
    for (const char* word : words) {
        const std::string text(word);
        list.push_back({text, static_cast<int>(text.size()), kKeywordBlue});
    }
    list.push_back({comment, 2, kCommentGreen});
    if (blockComment) list.push_back({"/*", 2, kCommentGreen});
    return list;
}

}  // namespace

std::vector<int> keywordColours(std::string_view text, const std::vector<KeywordEntry>& entries,
                                bool vhdl) {
    std::vector<int> colours(text.size(), kPlainText);
    for (const KeywordEntry& entry : entries) {
        const int colour = entry.color & 0xFFFFFF;
        if (entry.word.empty()) continue;
        if (entry.word == (vhdl ? "--" : "//")) {
            paintLineComments(text, entry.word, colour, colours);
        } else if (!vhdl && entry.word == "/*") {
            paintBlockComments(text, colour, colours);
        } else {
            paintWords(text, entry.word, colour, colours);
        }
    }
    return colours;
}

std::vector<KeywordEntry> defaultVerilogKeywords() {
    return entries({"always",      "and",         "assign",    "begin",   "case",  "casex",
                    "casez",       "default",     "defparam",  "else",    "end",   "endcase",
                    "endfunction", "endgenerate", "endmodule", "endtask", "for",   "function",
                    "generate",    "genvar",      "if",        "initial", "inout", "input",
                    "integer",     "localparam",  "module",    "negedge", "or",    "output",
                    "parameter",   "posedge",     "reg",       "signed",  "task",  "while",
                    "wire"},
                   "//", true);
}

std::vector<KeywordEntry> defaultVhdlKeywords() {
    return entries(
        {"architecture", "begin",  "case",   "component", "constant", "downto",   "else",
         "elsif",        "end",    "entity", "for",       "function", "generate", "generic",
         "if",           "in",     "inout",  "is",        "library",  "loop",     "map",
         "of",           "others", "out",    "package",   "port",     "process",  "signal",
         "then",         "to",     "type",   "use",       "variable", "when",     "while"},
        "--", false);
}

}  // namespace corvane
