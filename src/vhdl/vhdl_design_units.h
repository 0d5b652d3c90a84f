// The frame of a VHDL file: skipped clauses, the architecture and package
// headers, skipped package bodies, and the end of a design unit.
#pragma once

#include <string_view>

#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Skips tokens up to and including the first one that ends with ";"; when the
// text ends first, writes `message` and returns 1.
int skipToSemicolon(VhdlParseState& state, std::string_view message);

// Called after "architecture": reads its name and skips up to its "is".
// Returns 1 after "Syntax error.(20)" or "architecture \"is\" Not found.".
int parseArchitectureHeader(VhdlParseState& state);

// Called after "package": reads the package name and its "is", or skips a
// whole package body. Returns 1 after "Syntax error.(29)".
int parsePackageHeader(VhdlParseState& state);

// Called on the end marker at the top level. `semicolonFollows` is set when
// the marker came glued to its ";" ("end;"), which then stands for the next
// token. Ends the reading of the text when the end closes the current unit.
void parseEndOfUnit(VhdlParseState& state, bool semicolonFollows);

}  // namespace corvane
