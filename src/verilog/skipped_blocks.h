// Module items the database does not model: functions, tasks, generate
// blocks, and declarations of kinds it does not record (tri0, tri1, time, real).
#pragma once

#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Skips tokens up to and including `closer` ("endfunction", "endtask",
// "endgenerate"). When the text ends first, writes "\"<closer>\" not exist."
// at `openLine` and returns 1.
int skipBlockUntil(VerilogParseState& state, std::string_view closer, int openLine);

// Skips a declaration up to and including the first token that ends with ";"
// (the keyword token itself included).
void skipDeclaration(VerilogParseState& state, std::string_view keywordToken);

}  // namespace corvane
