#include "verilog/verilog_tokenizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "verilog/verilog_operator_table.h"

namespace corvane {

namespace {

// For every first character, the indices of the operators that begin with it,
// longest first, so that the first one matching at a position is the longest.
struct OperatorsByFirstChar {
    std::array<std::array<std::int8_t, 4>, 256> candidates{};
    std::array<std::uint8_t, 256> counts{};

    OperatorsByFirstChar() {
        for (std::size_t i = 0; i < kVerilogOperators.size(); ++i) {
            const auto first = static_cast<unsigned char>(kVerilogOperators[i].text[0]);
            auto& list = candidates[first];
            std::size_t at = counts[first]++;
            // Insertion keeps the list ordered by length, longest first.
            while (at > 0 && kVerilogOperators[static_cast<std::size_t>(list[at - 1])].text.size() <
                                 kVerilogOperators[i].text.size()) {
                list[at] = list[at - 1];
                --at;
            }
            list[at] = static_cast<std::int8_t>(i);
        }
    }

    // Index of the longest operator starting at `pos`, or -1.
    int longestAt(std::string_view text, std::size_t pos) const {
        const auto first = static_cast<unsigned char>(text[pos]);
        for (std::size_t k = 0; k < counts[first]; ++k) {
            const int index = candidates[first][k];
            if (text.substr(pos).starts_with(
                    kVerilogOperators[static_cast<std::size_t>(index)].text)) {
                return index;
            }
        }
        return -1;
    }
};

const OperatorsByFirstChar& operatorsByFirstChar() {
    static const OperatorsByFirstChar table;
    return table;
}

void appendOperand(std::string_view text, int line, std::vector<FormulaToken>& tokens) {
    FormulaToken& token = tokens.emplace_back();
    token.displayText.assign(text);
    token.text.assign(text);
    for (char& c : token.text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    token.op = -1;
    token.strength = 0;
    token.line = line;
}

// Operators get their priority plus the running bracket weight; brackets and
// the comma get -1 and move the running weight by their own number.
void appendOperator(int index, int line, int& bracketWeight, std::vector<FormulaToken>& tokens) {
    const OperatorEntry& entry = kVerilogOperators[static_cast<std::size_t>(index)];
    FormulaToken& token = tokens.emplace_back();
    token.text.assign(entry.text);
    token.displayText.assign(entry.text);
    token.op = index;
    token.line = line;
    if (index < kVerilogFirstBracket) {
        token.strength = entry.priority + bracketWeight;
    } else {
        token.strength = -1;
        bracketWeight += entry.priority;
    }
}

// Walks the blank-free text once, calling onOperand(start, end) for every
// operand and onOperator(index) for every operator. The first position where
// any operator matches is the earliest occurrence over the table, and the
// longest operator there is the one that wins at equal positions.
template <typename OnOperand, typename OnOperator>
void scanExpression(std::string_view text, OnOperand onOperand, OnOperator onOperator) {
    const OperatorsByFirstChar& table = operatorsByFirstChar();
    std::size_t operandStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const int index = table.longestAt(text, pos);
        if (index < 0) {
            ++pos;
            continue;
        }
        if (pos > operandStart) onOperand(operandStart, pos);
        onOperator(index);
        pos += kVerilogOperators[static_cast<std::size_t>(index)].text.size();
        operandStart = pos;
    }
    if (operandStart < text.size()) onOperand(operandStart, text.size());
}

}  // namespace

void tokenizeVerilog(std::string_view text, int line, std::vector<FormulaToken>& tokens) {
    std::string compact;
    if (text.find(' ') != std::string_view::npos) {
        compact.reserve(text.size());
        for (char c : text) {
            if (c != ' ') compact.push_back(c);
        }
        text = compact;
    }
    // A counting pass first, so that a fresh vector is allocated once at its
    // final size; a vector that already holds tokens keeps growing
    // geometrically, as repeated appends to it would.
    std::size_t count = 0;
    scanExpression(
        text, [&](std::size_t, std::size_t) { ++count; }, [&](int) { ++count; });
    const std::size_t needed = tokens.size() + count;
    if (needed > tokens.capacity()) tokens.reserve(std::max(needed, 2 * tokens.capacity()));
    int bracketWeight = 0;
    scanExpression(
        text,
        [&](std::size_t begin, std::size_t end) {
            appendOperand(text.substr(begin, end - begin), line, tokens);
        },
        [&](int index) { appendOperator(index, line, bracketWeight, tokens); });
}

}  // namespace corvane
