// Module items the database does not model: functions, tasks, generate
// blocks and generate constructs written without "generate", specify blocks,
// and declarations of kinds it does not record (tri0, tri1, time, real,
// genvar, ...).
#pragma once

#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Skips tokens up to and including `closer` ("endfunction", "endtask",
// "endgenerate"); a token equal to `opener`, when given, opens a nested
// block that needs a closer of its own. When the text ends first, writes
// "\"<closer>\" not exist." at `openLine` and returns 1.
int skipBlockUntil(VerilogParseState& state, std::string_view closer, int openLine,
                   std::string_view opener = {});

// Skips a specify block up to and including "endspecify". An "endmodule"
// met first is left for the module loop; then, or when the text ends first,
// writes "\"endspecify\" not exist." at `openLine` and returns 1.
int skipSpecifyBlock(VerilogParseState& state, int openLine);

// Skips a declaration up to and including the first token that ends with ";"
// (the keyword token itself included).
void skipDeclaration(VerilogParseState& state, std::string_view keywordToken);

// Skips a real, realtime or time declaration like skipDeclaration, keeping
// its names (lower-cased) as variables that procedural code may assign.
void skipVariableDeclaration(VerilogParseState& state, std::string_view keywordToken);

// Whether a module item starting with this token is a generate construct
// written without "generate" ("if", "for", "case", "casex", "casez", a bare
// "begin" block).
bool isGenerateConstruct(std::string_view token);

// Skips the generate construct starting with `keywordToken`,
// with its nested blocks and else branches. An "endmodule" met inside is left
// for the module loop; then, or when the text ends first, writes
// "\"end\" not exist." at `openLine` and returns 1.
int skipGenerateConstruct(VerilogParseState& state, std::string_view keywordToken, int openLine);

}  // namespace corvane
