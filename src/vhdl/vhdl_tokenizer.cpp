#include "vhdl/vhdl_tokenizer.h"

#include <algorithm>
#include <array>
#include <string>

#include "database/vhdl_operator_table.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

constexpr std::size_t kOperatorCount = kVhdlOperators.size();

// The searched form of every operator ("$and$" for "and") and, per first
// character, the operators that begin with it, longest first.
struct VhdlOperatorIndex {
    std::array<std::string, kOperatorCount> patterns;
    std::array<std::vector<int>, 256> byFirstChar;

    VhdlOperatorIndex() {
        for (std::size_t i = 0; i < kOperatorCount; ++i) {
            patterns[i] = markedOperatorText(kVhdlOperators[i].text);
            byFirstChar[static_cast<unsigned char>(patterns[i][0])].push_back(static_cast<int>(i));
        }
        for (auto& list : byFirstChar) {
            std::stable_sort(list.begin(), list.end(), [this](int a, int b) {
                return patterns[static_cast<std::size_t>(a)].size() >
                       patterns[static_cast<std::size_t>(b)].size();
            });
        }
    }

    // The longest operator at `pos` of the lower-cased text, or -1. The
    // patterns are a few characters long, compared in place.
    int longestAt(std::string_view lower, std::size_t pos) const {
        for (int index : byFirstChar[static_cast<unsigned char>(lower[pos])]) {
            const std::string& pattern = patterns[static_cast<std::size_t>(index)];
            if (pattern.size() > lower.size() - pos) continue;
            std::size_t i = 1;  // the first character is the one indexed
            while (i < pattern.size() && lower[pos + i] == pattern[i]) ++i;
            if (i == pattern.size()) return index;
        }
        return -1;
    }
};

// Built before main from the constant operator table, so that every
// tokenization reaches it without the guard of a function-local static.
const VhdlOperatorIndex kOperatorIndex;

const VhdlOperatorIndex& operatorIndex() {
    return kOperatorIndex;
}

std::string withoutBlanks(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ') compact.push_back(c);
    }
    return compact;
}

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

constexpr unsigned kBlank = 1;
constexpr unsigned kCapital = 2;

// Which characters are blanks or capitals, so that a text is classified with
// one lookup per character.
constexpr std::array<unsigned char, 256> kCharKinds = [] {
    std::array<unsigned char, 256> kinds{};
    kinds[' '] = kBlank;
    for (int c = 'A'; c <= 'Z'; ++c) kinds[static_cast<std::size_t>(c)] = kCapital;
    return kinds;
}();

// The text without blanks, as written and lower-cased. The copies are made
// only when needed, in buffers reused from call to call: a text without
// blanks is its own written form, and one without capitals too its own
// lower-cased form.
struct CompactText {
    std::string writtenCopy;
    std::string lowerCopy;
    std::string_view written;
    std::string_view lower;

    void assign(std::string_view text) {
        unsigned found = 0;
        for (char c : text) found |= kCharKinds[static_cast<unsigned char>(c)];
        const bool blanks = (found & kBlank) != 0;
        const bool capitals = (found & kCapital) != 0;
        if (blanks) {
            writtenCopy.resize(text.size());
            std::size_t kept = 0;
            for (char c : text) {
                if (c != ' ') writtenCopy[kept++] = c;
            }
            writtenCopy.resize(kept);
            written = writtenCopy;
        } else {
            written = text;
        }
        if (capitals) {
            lowerCopy.resize(written.size());
            for (std::size_t i = 0; i < written.size(); ++i) lowerCopy[i] = lowerAscii(written[i]);
            lower = lowerCopy;
        } else {
            lower = written;
        }
    }
};

// Collects the cuts of one text and turns them into tokens.
class TokenWriter {
public:
    // `plain` substitutes every operand the straightforward way; otherwise an
    // operand holding no generic name is taken as it stands.
    TokenWriter(const GenericTable& generics, int line, std::vector<FormulaToken>& tokens,
                bool plain)
        : generics_(generics), line_(line), tokens_(tokens), plain_(plain) {}

    // An operand as written and lower-cased (the same characters). The
    // token strings are built from the pieces directly, not assigned over
    // the defaults.
    void operand(std::string_view written, std::string_view lower) {
        if (plain_ || generics_.occursIn(lower)) {
            std::string display = generics_.substitute(written);
            std::string text = toLowerAscii(display);
            tokens_.push_back({std::move(text), std::move(display), -1, 0, line_});
        } else {
            tokens_.push_back({std::string(lower), std::string(written), -1, 0, line_});
        }
    }

    void op(int index, std::string_view written, std::string_view lower) {
        const OperatorEntry& entry = kVhdlOperators[static_cast<std::size_t>(index)];
        int strength = -1;
        if (index < kVhdlFirstBracket) {
            strength = entry.priority + bracketWeight_;
        } else {
            bracketWeight_ += entry.priority;
        }
        tokens_.push_back({std::string(lower), std::string(written), index, strength, line_});
    }

private:
    const GenericTable& generics_;
    int line_;
    std::vector<FormulaToken>& tokens_;
    bool plain_;
    int bracketWeight_ = 0;
};

// Where one text is cut: an operand (operator -1) or an operator.
struct Cut {
    std::size_t start;
    std::size_t length;
    int op;
};

}  // namespace

void tokenizeVhdl(const GenericTable& generics, std::string_view text, int line,
                  std::vector<FormulaToken>& tokens) {
    thread_local CompactText compact;
    thread_local std::vector<Cut> cuts;
    compact.assign(text);
    cuts.clear();
    const std::string_view lower = compact.lower;
    const VhdlOperatorIndex& index = operatorIndex();
    std::size_t operandStart = 0;
    std::size_t pos = 0;
    // The first position where any operator matches is the earliest
    // occurrence over the table; the longest one there wins.
    while (pos < lower.size()) {
        const int found = index.longestAt(lower, pos);
        if (found < 0) {
            ++pos;
            continue;
        }
        const std::size_t length = index.patterns[static_cast<std::size_t>(found)].size();
        if (pos > operandStart) cuts.push_back({operandStart, pos - operandStart, -1});
        cuts.push_back({pos, length, found});
        pos += length;
        operandStart = pos;
    }
    if (operandStart < lower.size())
        cuts.push_back({operandStart, lower.size() - operandStart, -1});
    // The tokens of a fresh list are stored once, without regrowth.
    if (tokens.empty()) tokens.reserve(cuts.size());
    TokenWriter writer(generics, line, tokens, false);
    const std::string_view written = compact.written;
    for (const Cut& cut : cuts) {
        const std::string_view piece = written.substr(cut.start, cut.length);
        const std::string_view lowerPiece = lower.substr(cut.start, cut.length);
        if (cut.op < 0) {
            writer.operand(piece, lowerPiece);
        } else {
            writer.op(cut.op, piece, lowerPiece);
        }
    }
}

void tokenizeVhdl(const Module& module, std::string_view text, int line,
                  std::vector<FormulaToken>& tokens) {
    const GenericTable generics(module.generics);
    tokenizeVhdl(generics, text, line, tokens);
}

void tokenizeVhdlByEarliestSearch(const GenericTable& generics, std::string_view text, int line,
                                  std::vector<FormulaToken>& tokens) {
    const std::string compact = withoutBlanks(text);
    const std::string lower = toLowerAscii(compact);
    const VhdlOperatorIndex& index = operatorIndex();
    TokenWriter writer(generics, line, tokens, true);
    const std::string_view written(compact);
    const std::string_view lowered(lower);
    std::size_t start = 0;
    while (true) {
        std::size_t bestPos = std::string::npos;
        int best = -1;
        for (std::size_t i = 0; i < kOperatorCount; ++i) {
            const std::size_t at = lower.find(index.patterns[i], start);
            if (at == std::string::npos) continue;
            const bool longerHere =
                at == bestPos &&
                index.patterns[i].size() > index.patterns[static_cast<std::size_t>(best)].size();
            if (at < bestPos || longerHere) {
                bestPos = at;
                best = static_cast<int>(i);
            }
        }
        if (best < 0) break;
        const std::size_t length = index.patterns[static_cast<std::size_t>(best)].size();
        if (bestPos > start)
            writer.operand(written.substr(start, bestPos - start),
                           lowered.substr(start, bestPos - start));
        writer.op(best, written.substr(bestPos, length), lowered.substr(bestPos, length));
        start = bestPos + length;
    }
    if (start < compact.size()) writer.operand(written.substr(start), lowered.substr(start));
}

}  // namespace corvane
