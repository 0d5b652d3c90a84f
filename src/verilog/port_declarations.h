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

// A range bound of a wire or reg: the constant expression's value (clamped
// to int) when it can be evaluated with `values`, else "a+b" or "a-b" of
// two decimal values, else the decimal value of the text.
int evaluateBound(std::string_view text, const ParameterValues& values);
int evaluateBound(std::string_view text);
// A range bound of a port: the constant expression's value when it can be
// evaluated, else the decimal value of the text.
int evaluatePortBound(std::string_view text, const ParameterValues& values);

// The range of a port from its bound texts; `evaluated` is false when a
// bound could not be evaluated and holds the decimal value of its text.
struct PortRange {
    int msb = -1;
    int lsb = -1;
    bool evaluated = true;
};
PortRange evaluatePortRange(std::string_view msbText, std::string_view lsbText,
                            const ParameterValues& values);

// Records how pin `pin` got its range: a range that could not be evaluated
// keeps its texts, and every later parameter item evaluates them again
// (a header port may use a parameter the body declares); any other range
// replaces such texts.
void notePinRange(VerilogParseState& state, std::size_t pin, std::string_view msbText,
                  std::string_view lsbText, bool evaluated);
// Evaluates the kept range texts again; the pins whose ranges now evaluate
// take them.
void resolveDeferredPinRanges(VerilogParseState& state);

}  // namespace corvane
