// Declarations of an architecture's declarative part or of a package:
// signals and constants (wires; a constant also an assign of its value),
// record and array types, and components.
#pragma once

#include <string_view>

#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Each is called after its keyword, reads the declaration up to its ";" (a
// record or a component up to its end) and returns 0, or 1 when the
// declaration was reported and dropped. Messages go to the keyword's line.
int parseSignalDeclaration(VhdlParseState& state);
int parseConstantDeclaration(VhdlParseState& state);
int parseTypeDeclaration(VhdlParseState& state);
int parseComponentDeclaration(VhdlParseState& state);

// The range of a declared type (lower-cased, blank-free, an initial value
// cut off): a vector type with its range, a scalar type (-1, -1), a record or
// array type of the module, or any other name (-1, -1). False when a vector
// type name has no readable range.
bool resolveDeclaredType(VhdlParseState& state, std::string_view type, int& msb, int& lsb);

}  // namespace corvane
