#include "vhdl/vhdl_tokenizer.h"

#include <algorithm>
#include <array>
#include <string>

#include "database/text_helpers.h"
#include "database/vhdl_operator_table.h"

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

    // The longest operator at `pos` of the lower-cased text, or -1.
    int longestAt(std::string_view lower, std::size_t pos) const {
        for (int index : byFirstChar[static_cast<unsigned char>(lower[pos])]) {
            if (lower.substr(pos).starts_with(patterns[static_cast<std::size_t>(index)]))
                return index;
        }
        return -1;
    }
};

const VhdlOperatorIndex& operatorIndex() {
    static const VhdlOperatorIndex index;
    return index;
}

std::string withoutBlanks(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ') compact.push_back(c);
    }
    return compact;
}

// Collects the cuts of one text and turns them into tokens.
class TokenWriter {
public:
    TokenWriter(const GenericTable& generics, int line, std::vector<FormulaToken>& tokens)
        : generics_(generics), line_(line), tokens_(tokens) {}

    void operand(std::string_view written) {
        FormulaToken token;
        token.displayText = generics_.substitute(written);
        token.text = toLowerAscii(token.displayText);
        token.op = -1;
        token.strength = 0;
        token.line = line_;
        tokens_.push_back(std::move(token));
    }

    void op(int index, std::string_view written) {
        const OperatorEntry& entry = kVhdlOperators[static_cast<std::size_t>(index)];
        FormulaToken token;
        token.text = toLowerAscii(written);
        token.displayText = std::string(written);
        token.op = index;
        token.line = line_;
        if (index < kVhdlFirstBracket) {
            token.strength = entry.priority + bracketWeight_;
        } else {
            token.strength = -1;
            bracketWeight_ += entry.priority;
        }
        tokens_.push_back(std::move(token));
    }

private:
    const GenericTable& generics_;
    int line_;
    std::vector<FormulaToken>& tokens_;
    int bracketWeight_ = 0;
};

}  // namespace

void tokenizeVhdl(const GenericTable& generics, std::string_view text, int line,
                  std::vector<FormulaToken>& tokens) {
    const std::string compact = withoutBlanks(text);
    const std::string lower = toLowerAscii(compact);
    const VhdlOperatorIndex& index = operatorIndex();
    TokenWriter writer(generics, line, tokens);
    const std::string_view written(compact);
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
        if (pos > operandStart) writer.operand(written.substr(operandStart, pos - operandStart));
        writer.op(found, written.substr(pos, length));
        pos += length;
        operandStart = pos;
    }
    if (operandStart < written.size()) writer.operand(written.substr(operandStart));
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
    TokenWriter writer(generics, line, tokens);
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
            writer.operand(std::string_view(compact).substr(start, bestPos - start));
        writer.op(best, std::string_view(compact).substr(bestPos, length));
        start = bestPos + length;
    }
    if (start < compact.size()) writer.operand(std::string_view(compact).substr(start));
}

}  // namespace corvane
