// Splitting a VHDL expression text into operand and operator tokens.
#pragma once

#include <string_view>
#include <vector>

#include "database/records.h"
#include "vhdl/vhdl_bounds.h"

namespace corvane {

// Removes every blank, then cuts the text at the operators of the VHDL table
// (the word operators in their "$word$" form, letter case ignored), taking at
// each point the earliest operator and the longer one at equal positions.
// Operands get the generics substituted (text lower-cased, displayText as
// written) and strength 0; operators below the first bracket entry get their
// priority plus the running bracket weight; the entries from the first
// bracket on get -1 and move the running weight by their number. Operator
// tokens carry the operator as found ("$and$", "'event", "<=").
void tokenizeVhdl(const Module& module, std::string_view text, int line,
                  std::vector<FormulaToken>& tokens);
void tokenizeVhdl(const GenericTable& generics, std::string_view text, int line,
                  std::vector<FormulaToken>& tokens);

// The same tokens found the plain way: for every cut, every operator is
// searched in the rest of the text. Kept as the reference the single-scan
// version is tested against.
void tokenizeVhdlByEarliestSearch(const GenericTable& generics, std::string_view text, int line,
                                  std::vector<FormulaToken>& tokens);

}  // namespace corvane
