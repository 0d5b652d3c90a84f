#include "vhdl/vhdl_concurrent.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "database/token_reader.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_process.h"
#include "vhdl/vhdl_regions.h"

namespace corvane {

namespace {

// One concurrent statement as read: its tokens (line markers left out) as
// views into the prepared text, with what is needed to step back to any of
// them, and the tokens glued without blanks.
struct StatementWords {
    struct Word {
        std::string_view text;
        int readNumber;  // reads made in this statement when the word came (0: the first)
        int line;        // current line when the word came
    };
    std::vector<Word> words;
    int reads = 0;                    // tokens read here after the first one, markers included
    std::string compact;              // the words glued
    std::string lower;                // `compact` lower-cased, made by lowerCompact()
    std::vector<std::size_t> starts;  // where each word begins in `compact`

    void clear() {
        words.clear();
        reads = 0;
        compact.clear();
        lower.clear();
        starts.clear();
    }

    void add(std::string_view word, int readIndex, int line) {
        words.push_back({word, readIndex, line});
        starts.push_back(compact.size());
        compact += word;
    }

    // Lower-cases the glued words in one pass; only instances need them so.
    // Eight characters are handled at a time: the capitals among them are
    // found by adding bias constants to their low seven bits (a character
    // with its high bit set is no capital) and get bit 0x20 set.
    void lowerCompact() {
        const std::size_t size = compact.size();
        lower.resize(size);
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHighBits = 0x80 * kOnes;
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, compact.data() + i, 8);
            const std::uint64_t low = word & (0x7f * kOnes);
            const std::uint64_t aboveZ = low + (0x7f - 'Z') * kOnes;  // high bit: > 'Z'
            const std::uint64_t fromA = low + (0x80 - 'A') * kOnes;   // high bit: >= 'A'
            const std::uint64_t capitals = (fromA ^ aboveZ) & ~word & kHighBits;
            word |= capitals >> 2;
            std::memcpy(lower.data() + i, &word, 8);
        }
        for (; i < size; ++i) {
            const char c = compact[i];
            lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        }
    }

    std::string spaced() const {
        std::string text;
        text.reserve(compact.size() + words.size());
        for (const Word& word : words) {
            if (!text.empty()) text.push_back(' ');
            text += word.text;
        }
        return text;
    }
};

bool readStatementWords(VhdlParseState& state, std::string_view firstToken, StatementWords& read) {
    read.add(firstToken, 0, state.currentLine);
    while (!read.words.back().text.ends_with(';')) {
        if (state.exhausted()) return false;
        const std::string_view token = state.nextView();
        ++read.reads;
        if (state.followMarker(token)) continue;
        read.add(token, read.reads, state.currentLine);
    }
    return true;
}

// Whether "process" (any letter case) stands at `pos` as a word of its own:
// it ends where the text or a token ends, or before a character that cannot
// continue a name.
bool isProcessKeywordAt(std::string_view text, std::size_t pos,
                        const std::vector<std::size_t>& starts) {
    static constexpr std::string_view kKeyword = "process";
    if (!startsWithLowerWord(text.substr(pos), kKeyword)) return false;
    const std::size_t end = pos + kKeyword.size();
    return end == text.size() || !isIdentifierChar(text[end]) ||
           std::binary_search(starts.begin(), starts.end(), end);
}

// Position of the "process" keyword in the compact text of a process
// statement ("process ..." or "label: process ..."), or npos.
std::size_t processKeywordAt(std::string_view text, const std::vector<std::size_t>& starts) {
    if (isProcessKeywordAt(text, 0, starts)) return 0;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) return std::string_view::npos;
    for (std::size_t i = 0; i < colon; ++i) {
        if (!isIdentifierChar(text[i])) return std::string_view::npos;
    }
    return isProcessKeywordAt(text, colon + 1, starts) ? colon + 1 : std::string_view::npos;
}

// Steps back to the token that holds the "process" keyword and runs the
// process parser from there.
int restartAsProcess(VhdlParseState& state, const StatementWords& read,
                     const std::vector<std::size_t>& starts, std::size_t keyword) {
    std::size_t word = 0;
    while (word + 1 < starts.size() && starts[word + 1] <= keyword) ++word;
    const int stepsBack = read.reads - read.words[word].readNumber + 1;
    for (int i = 0; i < stepsBack; ++i) state.pushBack();
    state.currentLine = read.words[word].line;
    const std::string_view token = state.nextView();
    const std::size_t offset = keyword - starts[word] + 7;
    return parseProcess(state, offset < token.size() ? token.substr(offset) : std::string_view());
}

// The text without line markers ("%%" and its digits); a text that holds
// none is returned as it is, without a copy.
std::string withoutLineMarkers(std::string text) {
    if (text.find("%%") == std::string::npos) return text;
    return removeLineMarkers(text);
}

// The target of "target <= ...": without blanks and line markers, without a
// statement label, and for "with s select t <= ..." the name after "select".
std::string assignmentTarget(std::string_view head) {
    std::string target = withoutLineMarkers(replaceAll(head, " ", ""));
    if (startsWithLowerWord(target, "with")) {
        const std::size_t select = toLowerAscii(head).rfind(" select ");
        if (select != std::string::npos) {
            return withoutLineMarkers(replaceAll(head.substr(select + 8), " ", ""));
        }
    }
    const std::size_t colon = target.find(':');
    if (colon != std::string::npos) target.erase(0, colon + 1);
    return target;
}

}  // namespace

int addConcurrentAssignment(VhdlParseState& state, std::string_view text, int line) {
    const std::size_t arrow = text.find("<=");
    if (arrow == std::string_view::npos) {
        state.errorAt(line, "Imperfect formula error.\r\n");
        return 1;
    }
    Assign& assign = state.module.assigns.emplace_back();
    assign.displayName = assignmentTarget(text.substr(0, arrow));
    assign.name = toLowerAscii(assign.displayName);
    const std::string_view expression = text.substr(arrow + 2);
    // Markers are removed before the trim: one may stand next to a blank.
    assign.expression = expression.find("%%") == std::string_view::npos
                            ? trimBlanks(expression)
                            : trimBlanks(removeLineMarkers(expression));
    assign.line = line;
    assign.comment = state.commentOf(line);
    return 0;
}

int parseConcurrentStatement(VhdlParseState& state, std::string_view firstToken) {
    const int line = state.currentLine;
    if (parseRegionStatement(state, firstToken)) return 0;
    // The words of one statement at a time, in storage reused from statement
    // to statement (the parsers called below never read another one).
    thread_local StatementWords read;
    read.clear();
    if (!readStatementWords(state, firstToken, read)) {
        state.errorAt(line, "';' not exist.(12)\r\n");
        return 1;
    }
    const std::vector<std::size_t>& starts = read.starts;
    const std::string_view compact(read.compact);
    const std::size_t keyword = processKeywordAt(compact, starts);
    if (keyword != std::string::npos) return restartAsProcess(state, read, starts, keyword);
    if (compact.find("<=") != std::string::npos) {
        std::string spaced = read.spaced();
        spaced.pop_back();  // the final ";"
        return addConcurrentAssignment(state, spaced, line);
    }
    read.lowerCompact();
    return parseInstance(state, compact.substr(0, compact.size() - 1),
                         std::string_view(read.lower).substr(0, compact.size() - 1), starts, line);
}

}  // namespace corvane
