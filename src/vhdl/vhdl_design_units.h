// The frame of a VHDL file: skipped clauses, the architecture and package
// headers, skipped package bodies, and the end of a design unit.
#pragma once

#include <string>
#include <string_view>

#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Skips tokens up to and including the first one that ends with ";"; when the
// text ends first, writes `message` and returns 1.
int skipToSemicolon(VhdlParseState& state, std::string_view message);

// Called after "architecture": reads its name and skips up to its "is".
// Returns 1 after "Syntax error.(20)" or "architecture \"is\" Not found.".
int parseArchitectureHeader(VhdlParseState& state);

// Records the start of an architecture of `entity` (as written): names a
// module that has no entity yet, and drops the records of an architecture
// of the same entity read before.
void beginArchitecture(VhdlParseState& state, const std::string& entity);

// Called after "configuration": skips the declaration up to its end.
void skipConfiguration(VhdlParseState& state);

// Called after "context": skips a context reference or declaration.
void skipContext(VhdlParseState& state);

// Called after "package": reads the package name and its "is" (a package
// instantiation "is new ..." is read whole and completes the unit), or skips
// a whole package body; the unit becomes the package. Returns 1 after
// "Syntax error.(29)".
int parsePackageHeader(VhdlParseState& state);

// Called on the end marker at the top level. `semicolonFollows` is set when
// the marker came glued to its ";" ("end;"), which then stands for the next
// token. Completes the current unit when the end closes it; inside a
// generate or block statement, closes that statement.
void parseEndOfUnit(VhdlParseState& state, bool semicolonFollows);

}  // namespace corvane
