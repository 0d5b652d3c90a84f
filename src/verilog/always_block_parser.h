// Always blocks: the event list and the flat statement stream of the body.
#pragma once

#include <string>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Called with the token beginning with "always" that the module loop has just
// read; reads the header and the body from the state's token reader. Appends
// an Always record once the header is read (it stays, with what was read,
// when the body fails). Returns 0 on success, 1 on error, -1 when
// "endmodule" was met inside the block. Leaves state.currentLine at the line
// the block ended on.
int parseAlways(VerilogParseState& state, const std::string& keywordToken);

}  // namespace corvane
