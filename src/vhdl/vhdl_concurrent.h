// The statement part of an architecture: concurrent signal assignments,
// labelled processes, and component or entity instances.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Called with the first token of a concurrent statement; reads the statement
// up to its ";" and hands it to the assignment, process or instance parser.
// Returns 1 after a message.
int parseConcurrentStatement(VhdlParseState& state, std::string_view firstToken);

// Appends the Assign of "target <= expression" (line markers removed; the
// target without blanks, a label or a "with ... select" head; the expression
// trimmed, as written). Returns 1 after "Imperfect formula error." when the
// text has no "<=".
int addConcurrentAssignment(VhdlParseState& state, std::string_view text, int line);

// A component or entity instance "label:name generic map(...) port map(...)"
// glued without blanks (no final ";"), with its lower-cased form.
// `wordStarts` holds the positions in the text where the statement's tokens
// began. Returns 1 after a message.
int parseInstance(VhdlParseState& state, std::string_view text, std::string_view lower,
                  const std::vector<std::size_t>& wordStarts, int line);

}  // namespace corvane
