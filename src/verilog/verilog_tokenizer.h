// Splitting a Verilog expression text into operand and operator tokens.
#pragma once

#include <string_view>
#include <vector>

#include "database/records.h"

namespace corvane {

// Removes every blank, then repeatedly cuts at the earliest operator of the
// table (the longer one at equal positions); appends operands (lower-cased
// text, display text as written) and operators with their strengths to `tokens`.
void tokenizeVerilog(std::string_view text, int line, std::vector<FormulaToken>& tokens);

}  // namespace corvane
