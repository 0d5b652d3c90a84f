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
// Wire, reg and integer declarations after their keyword. The names are split
// at the commas outside brackets and each declarator is treated on its own:
// an array range replaces that declarator's range, a wire's initial value
// becomes a continuous assignment, a reg's or integer's is dropped. Records
// carry the line the declaration starts on; the current line moves past it.
int parseWireDeclaration(VerilogParseState& state, const std::string& rangeText);
int parseRegDeclaration(VerilogParseState& state, const std::string& rangeText);
int parseIntegerDeclaration(VerilogParseState& state);

// Gives the pin `name` (compared lower-cased) its direction and range, and the
// comment of `line` if there is one. Returns 0 when found, 1 otherwise.
int findPinAndDeclare(Module& module, std::string_view name, int direction, int msb, int lsb, int line);

// "a+b" or "a-b" of two decimal values, else the decimal value of the text.
int evaluateBound(std::string_view text);

}  // namespace corvane
