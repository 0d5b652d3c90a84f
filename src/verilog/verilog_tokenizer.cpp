#include "verilog/verilog_tokenizer.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "database/verilog_operator_table.h"

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

    // Index of the longest operator starting at `pos`, or -1. Operators are a
    // few characters long, compared in place.
    int longestAt(std::string_view text, std::size_t pos) const {
        const auto first = static_cast<unsigned char>(text[pos]);
        for (std::size_t k = 0; k < counts[first]; ++k) {
            const int index = candidates[first][k];
            const std::string_view op = kVerilogOperators[static_cast<std::size_t>(index)].text;
            if (op.size() > text.size() - pos) continue;
            std::size_t i = 1;  // the first character is the one indexed
            while (i < op.size() && text[pos + i] == op[i]) ++i;
            if (i == op.size()) return index;
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

// One piece of a scanned expression: an operand [begin, end) or an operator.
struct Piece {
    std::size_t begin;
    std::size_t end;
    int op;  // operator index, or -1 for an operand
};

// Walks the blank-free text once, listing every operand and operator in
// `pieces`. The first position where any operator matches is the earliest
// occurrence over the table, and the longest operator there is the one that
// wins at equal positions.
void scanExpression(std::string_view text, std::vector<Piece>& pieces) {
    const OperatorsByFirstChar& table = operatorsByFirstChar();
    std::size_t operandStart = 0;
    std::size_t pos = 0;
    const auto operand = [&](std::size_t begin, std::size_t end) {
        pieces.push_back({begin, end, -1});
    };
    while (pos < text.size()) {
        const int index = table.longestAt(text, pos);
        if (index < 0) {
            ++pos;
            continue;
        }
        if (pos > operandStart) operand(operandStart, pos);
        pieces.push_back({0, 0, index});
        pos += kVerilogOperators[static_cast<std::size_t>(index)].text.size();
        operandStart = pos;
    }
    if (operandStart < text.size()) operand(operandStart, text.size());
}

constexpr std::size_t kKeptScratchPieces = 4096;

// Working storage kept between expressions: the blank-free text and its pieces.
struct TokenizerScratch {
    std::string compact;
    std::vector<Piece> pieces;
};

TokenizerScratch& scratch() {
    thread_local TokenizerScratch storage;
    return storage;
}

}  // namespace

void tokenizeVerilog(std::string_view text, int line, std::vector<FormulaToken>& tokens) {
    TokenizerScratch& work = scratch();
    if (text.find(' ') != std::string_view::npos) {
        work.compact.clear();
        for (char c : text) {
            if (c != ' ') work.compact.push_back(c);
        }
        text = work.compact;
    }
    // Scanned once into the pieces, so that a fresh vector is allocated once
    // at its final size; a vector that already holds tokens keeps growing
    // geometrically, as repeated appends to it would.
    work.pieces.clear();
    scanExpression(text, work.pieces);
    const std::size_t needed = tokens.size() + work.pieces.size();
    if (needed > tokens.capacity()) tokens.reserve(std::max(needed, 2 * tokens.capacity()));
    int bracketWeight = 0;
    for (const Piece& piece : work.pieces) {
        if (piece.op < 0) {
            appendOperand(text.substr(piece.begin, piece.end - piece.begin), line, tokens);
        } else {
            appendOperator(piece.op, line, bracketWeight, tokens);
        }
    }
    // A huge expression does not keep its working storage alive for the rest of the run.
    if (work.pieces.capacity() > kKeptScratchPieces) {
        std::vector<Piece>().swap(work.pieces);
        std::string().swap(work.compact);
    }
}

}  // namespace corvane
