// parameter, localparam and defparam items.
#pragma once

#include <string>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after a token "parameter", "localparam" or one beginning with
// "parameter[" (passed as `keywordToken`). Returns 0 or 1.
int parseParameter(VerilogParseState& state, const std::string& keywordToken);

// Called after the token "defparam". Returns 0 or 1.
int parseDefparam(VerilogParseState& state);

}  // namespace corvane
