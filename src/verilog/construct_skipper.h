// Skipping one whole Verilog statement or module item that the database does
// not model: a generate construct written without "generate", the body of an
// initial block, an assertion with its action.
#pragma once

#include <string>

#include "verilog/always_token_source.h"

namespace corvane {

enum class SkipEnd {
    kComplete,   // the construct ended; the token after it is next
    kTextEnded,  // the text ended inside the construct
    kEndmodule,  // "endmodule" came first; it is the next token again
};

struct SkipOutcome {
    SkipEnd end = SkipEnd::kComplete;
    bool openedBlock = false;  // a "begin" or "fork" block was met
};

// Skips the construct that starts with `first` (already taken from `source`).
// A construct ends with a ";" outside parentheses, quotes and blocks, or with
// the closer that balances its first block opener ("begin"/"end",
// "case"/"endcase", "fork"/"join", "function"/"endfunction", ...); an "else"
// that follows continues it. A label glued to the closer ("end:name",
// "end: name") is part of it. Block nesting is counted, not recursed, so any
// input ends in one pass.
SkipOutcome skipConstruct(AlwaysTokenSource& source, std::string first);

}  // namespace corvane
