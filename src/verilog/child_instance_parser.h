// Child instances with their parameter overrides and port connections, and
// parameter, localparam and defparam items.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called with the first token of a module item that is no keyword: the name of
// the instantiated module. Appends one Child (with a generated wire and
// assignment per expression connection). Messages go to the line of the
// item's first token; afterwards the current line is that of the last line
// marker the item held. Returns true on failure.
bool parseChildInstance(VerilogParseState& state, const std::string& moduleNameToken);

struct ParsedConnection {
    std::string port;    // formal port name as written; empty when positional
    std::string signal;  // actual signal text as written
};

// One piece of a connection list (".port(signal)" or a positional signal)
// met at `line`. An expression signal becomes a generated wire
// "_tempwire<line>" driven by a new assignment; a concatenation is reduced to
// its first operand that is no number. nullopt when a named piece has no "("
// or does not end with ")".
std::optional<ParsedConnection> parseConnection(VerilogParseState& state, std::string_view piece,
                                                int line);

}  // namespace corvane
