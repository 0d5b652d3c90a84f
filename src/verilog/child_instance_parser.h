// Child instances with their parameter overrides and port connections, and
// parameter, localparam and defparam items.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called with the first token of a module item that is no keyword: the name of
// the instantiated module. Returns true on failure.
bool parseChildInstance(VerilogParseState& state, const std::string& moduleNameToken);

struct ParsedConnection {
    std::string port;    // formal port name as written; empty when positional
    std::string signal;  // actual signal text as written
};

// One piece of a connection list; nullopt when it cannot be read.
std::optional<ParsedConnection> parseConnection(VerilogParseState& state, std::string_view piece);

}  // namespace corvane
