// Continuous assignments ("assign a = b, c = d;") and the single pieces that
// net declaration assignments ("wire w = a & b;") share with them.
#pragma once

#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after the token "assign". Returns 0 or 1.
int parseContinuousAssign(VerilogParseState& state);

// One "target = expression" piece at the current line: appends an Assign, or
// writes "Imperfect formula error." when there is no "=". Returns 0 or 1.
int addAssignPiece(VerilogParseState& state, std::string_view piece);

}  // namespace corvane
