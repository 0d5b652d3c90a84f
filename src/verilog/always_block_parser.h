// Always blocks: the event list and the flat statement stream of the body.
#pragma once

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called after a token beginning with "always" (the token has been read and is
// pushed back or passed on by the caller as the implementation documents).
// Returns 0 on success, 1 on error, -1 when "endmodule" was met inside the
// block. Updates state.currentLine to the line the block ended on.
int parseAlways(VerilogParseState& state, const std::string& keywordToken);

}  // namespace corvane
