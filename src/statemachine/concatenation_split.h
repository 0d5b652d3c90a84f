// Splitting a Verilog assignment to a concatenation, "{a, b[1:0]} <= ...",
// into one assignment per element of the left-hand side, bit by bit.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/records.h"

namespace corvane {

// At most this many bit texts are expanded from a right-hand side; the rest
// of a wider value is dropped, so a huge declared range or literal width
// cannot exhaust memory.
inline constexpr int kMaxConcatenationBits = 4096;

// One element of a token list read as a concatenation: a name and an
// optional range (msb and lsb -1 when unset).
struct ConcatenationItem {
    std::string name;
    int msb = -1;
    int lsb = -1;
};

using AssignmentPairs = std::vector<std::pair<std::string, std::string>>;

// The declared ranges of a module's names as written, looked up among its
// regs, then wires, then pins; the first declaration of a name counts.
class DeclarationRanges {
public:
    explicit DeclarationRanges(const Module& module);
    // The declaration of `name`: its range, or -1, -1 when it has none;
    // nothing when the name is not declared.
    std::optional<ConcatenationItem> find(const std::string& name) const;

private:
    std::unordered_map<std::string, ConcatenationItem> ranges_;
};

// The elements of a left-hand or right-hand token list.
std::vector<ConcatenationItem> concatenationItems(const std::vector<FormulaToken>& tokens);

// The bit texts of the right-hand items, most significant first: "1" and "0"
// for literal bits, name + "[" + i + "]" for bits of ranges, plain names.
std::vector<std::string> concatenationBits(const std::vector<ConcatenationItem>& items,
                                           const DeclarationRanges& declarations);

// The assignment pairs (target text, value text) of an assignment whose
// left-hand side is a concatenation. A left-hand element that receives fewer
// bits than its width gets the value of the bits it did receive; one that
// receives none gets an empty value.
AssignmentPairs splitConcatenation(const Statement& statement,
                                   const DeclarationRanges& declarations);

}  // namespace corvane
