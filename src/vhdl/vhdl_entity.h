// The entity declaration: the module's name, its generics and its ports.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "vhdl/vhdl_bounds.h"
#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Called after the token "entity": reads the declaration up to its end and
// ";", names the module and fills `generics` and `pins`. A malformed generic
// or port declaration is reported and left out. Returns 1 (after "entity end
// Not found.") when the text ends before the end of the entity, else 0.
int parseEntityDeclaration(VhdlParseState& state);

// Adds the pins of one port declaration "names : mode type" at `line`.
// Returns 1 when the mode is not inout, in, out or buffer (nothing is added).
int parsePortClause(Module& module, std::string_view declaration, int line,
                    const GenericTable& generics);
int parsePortClause(Module& module, std::string_view declaration, int line);

// One declaration of a glued clause, without its line markers, with the line
// on which its text starts.
struct GluedPiece {
    std::string text;
    int line = 0;
};

// Splits a glued clause (line markers kept as ",%%<n>," fields) at every ";".
std::vector<GluedPiece> splitGluedClause(std::string_view text, int startLine);

// The line of the last ",%%<n>," field before `pos`, or `defaultLine`.
int gluedLineAt(std::string_view text, std::size_t pos, int defaultLine);

}  // namespace corvane
