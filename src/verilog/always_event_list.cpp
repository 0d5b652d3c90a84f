#include "verilog/always_event_list.h"

#include <array>

#include "text/text_helpers.h"

namespace corvane {

namespace {

bool isIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The words that separate the entries of an event list, with the edge that
// follows each of them.
struct EventWord {
    std::string_view text;
    int edge;
};
constexpr std::array<EventWord, 3> kEventWords = {{
    {"posedge", 0},
    {"negedge", 1},
    {kEventOrSeparator, -1},
}};

void appendEntry(std::string_view text, int edge, std::vector<Sensitivity>& entries) {
    Sensitivity entry;
    entry.name = toLowerAscii(text);
    entry.displayName = std::string(text);
    entry.edge = edge;
    entries.push_back(std::move(entry));
}

}  // namespace

std::string reduceAlwaysHeader(std::string_view header, bool blockForm) {
    std::string text = replaceAll(header, " or ", "\tor\t");
    std::size_t start = std::min<std::size_t>(6, text.size());
    // "always_ff", "always_comb", "always_latch": the suffix belongs to the keyword.
    if (start < text.size() && text[start] == '_') {
        while (start < text.size() && isIdentifierChar(text[start])) ++start;
    }
    std::string reduced;
    reduced.reserve(text.size() - start);
    for (std::size_t i = start; i < text.size(); ++i) {
        if (text[i] != ' ') reduced.push_back(text[i]);
    }
    if (blockForm && reduced.size() >= 5 &&
        toLowerAscii(std::string_view(reduced).substr(reduced.size() - 5)) == "begin") {
        reduced.resize(reduced.size() - 5);
    }
    return reduced;
}

void parseEventList(std::string_view events, std::vector<Sensitivity>& entries) {
    int edge = -1;
    std::size_t pos = 0;
    // Next occurrence of each word at or after `pos`, found again only once
    // `pos` has passed it, so the list is scanned a bounded number of times.
    std::array<std::size_t, kEventWords.size()> nextAt{};
    for (std::size_t w = 0; w < kEventWords.size(); ++w)
        nextAt[w] = events.find(kEventWords[w].text);
    while (pos < events.size()) {
        std::size_t best = std::string_view::npos;
        std::size_t bestWord = 0;
        for (std::size_t w = 0; w < kEventWords.size(); ++w) {
            if (nextAt[w] != std::string_view::npos && nextAt[w] < pos) {
                nextAt[w] = events.find(kEventWords[w].text, pos);
            }
            if (nextAt[w] < best) {
                best = nextAt[w];
                bestWord = w;
            }
        }
        if (best == std::string_view::npos) {
            appendEntry(events.substr(pos), edge, entries);
            return;
        }
        if (best > pos) appendEntry(events.substr(pos, best - pos), edge, entries);
        edge = kEventWords[bestWord].edge;
        pos = best + kEventWords[bestWord].text.size();
    }
}

void parseBlockEventList(std::string_view reduced, std::vector<Sensitivity>& entries) {
    if (reduced.starts_with('@')) reduced.remove_prefix(1);
    if (reduced.starts_with('(')) {
        reduced.remove_prefix(1);
        if (reduced.ends_with(')')) reduced.remove_suffix(1);
    }
    parseEventList(reduced, entries);
}

std::string_view splitSingleStatementHeader(std::string_view reduced, std::string_view& events) {
    if (reduced.starts_with('@')) reduced.remove_prefix(1);
    events = {};
    if (reduced.starts_with('*')) {
        events = reduced.substr(0, 1);
        return reduced.substr(1);
    }
    if (!reduced.starts_with('(')) return reduced;
    // The list ends at the ")" that balances its "(", so a statement such as
    // "y=(a|b);" keeps its own parentheses.
    long depth = 0;
    for (std::size_t i = 0; i < reduced.size(); ++i) {
        if (reduced[i] == '(') ++depth;
        if (reduced[i] == ')' && --depth == 0) {
            events = reduced.substr(1, i - 1);
            return reduced.substr(i + 1);
        }
    }
    events = reduced.substr(1);
    return {};
}

}  // namespace corvane
