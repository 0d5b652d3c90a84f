// Initial blocks: recorded with their line, body skipped.
#pragma once

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after the token "initial". Returns 0 or 1.
int parseInitial(VerilogParseState& state);

}  // namespace corvane
