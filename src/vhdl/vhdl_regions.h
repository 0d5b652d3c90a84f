// Concurrent statements of an architecture that hold other statements or
// that the database does not model: generate and block statements, whose
// declarations and statements are read as the architecture's own, the
// alternatives of a generate, and concurrent assertions, which are skipped.
#pragma once

#include <string_view>

#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Called with the first token of a concurrent statement. When the statement
// is a generate or block header, an alternative of a generate ("elsif ...
// generate", "else generate", "when ... =>") or an assertion, reads it
// (opening a region for a header) and returns true; otherwise leaves the
// read position as it was and returns false.
bool parseRegionStatement(VhdlParseState& state, std::string_view firstToken);

// Skips tokens up to the one that ends the statement with ";" outside a
// string literal. Returns false when the text ends first.
bool skipStatement(VhdlParseState& state, std::string_view firstToken);

}  // namespace corvane
