// The module header with its port list, the port direction declarations of
// the body, and the wire, reg and integer declarations.
#pragma once

#include <string>
#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after the token "module". Returns true on failure.
bool parseModuleHeader(VerilogParseState& state);

// "input", "output", "inout" in the body; `direction` 0, 1, 2; `rangeText` is
// the text glued to the keyword from its "[" on, or "". Returns 0 or 1.
int parsePortDeclaration(VerilogParseState& state, int direction, const std::string& rangeText);
int parseWireDeclaration(VerilogParseState& state, const std::string& rangeText);
int parseRegDeclaration(VerilogParseState& state, const std::string& rangeText);
int parseIntegerDeclaration(VerilogParseState& state);

// Gives the pin `name` (compared lower-cased) its direction and range, and the
// comment of `line` if there is one. Returns 0 when found, 1 otherwise.
int findPinAndDeclare(Module& module, std::string_view name, int direction, int msb, int lsb, int line);

// "a+b" or "a-b" of two decimal values, else the decimal value of the text.
int evaluateBound(std::string_view text);

}  // namespace corvane
