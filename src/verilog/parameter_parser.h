// parameter, localparam and defparam items.
#pragma once

#include <string>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after a token "parameter", "localparam" or one beginning with
// "parameter[" (passed as `keywordToken`). A single "NAME = value" sets the
// module's `parameters` entry of NAME (as written), so that later tokens equal
// to NAME read as the value. Messages go to the line of the keyword; afterwards
// the current line is that of the last line marker read. Returns 0 or 1.
int parseParameter(VerilogParseState& state, const std::string& keywordToken);

// Called after the token "defparam": skips the item up to its ";", storing
// nothing. Returns 0 or 1.
int parseDefparam(VerilogParseState& state);

}  // namespace corvane
