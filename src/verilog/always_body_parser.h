// The body of an always block: the flat statement stream of assignments and
// control markers ("if", "elif", "else", "case", "when", "for", "begin", "end").
#pragma once

#include <cstddef>

#include "verilog/verilog_parse_state.h"

namespace corvane {

enum class AlwaysBodyForm {
    kBlock,       // "always ... begin ... end"
    kSingleIf,    // "always ... if (c) ...", without begin-end around it
    kSingleCase,  // "always ... case (e) ... endcase"
    kSingleFor,   // "always ... for (...) begin ... end"
};

// Reads the body into the statements of `module.alwaysBlocks[blockIndex]`.
// A single if or case body ends with its construct; a module item word met
// where a statement should start also ends it and is left for the module
// parser. Returns 0 on success, 1 after writing an error, -1 when "endmodule"
// or "endmodul" was met.
int parseAlwaysBody(VerilogParseState& state, std::size_t blockIndex, AlwaysBodyForm form);

}  // namespace corvane
