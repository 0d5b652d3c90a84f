// VHDL processes: the header with its sensitivity list and the body as the
// flat statement stream shared with Verilog always blocks; function bodies,
// which are skipped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "diagnostics/message_log.h"
#include "vhdl/vhdl_parse_state.h"

namespace corvane {

// Called after the "process" keyword; `headerRest` is what followed the
// keyword in its token (for "process(clk)" the text "(clk)"). Appends an
// Always record and reads the body up to "end process". Returns 1 after a
// message; the record keeps the statements read so far.
int parseProcess(VhdlParseState& state, std::string_view headerRest = {});

// The statement splitter for processes ("target <= value").
int addProcessStatement(std::vector<Statement>& statements, std::string_view text, int line,
                        const Module& module, MessageLog& log, const std::string& filePath);

// Called after "function": skips a function body up to its end, or a
// function declaration up to its ";". Returns 1 after a message.
int skipFunction(VhdlParseState& state);

// Called after "procedure": skips a procedure body up to its end, or a
// declaration up to its ";". Returns 1 after a message.
int skipProcedure(VhdlParseState& state);

// Called after "generic" in a package: skips the clause up to its ";".
// Returns 1 when the text ends first.
int skipGenericClause(VhdlParseState& state);

}  // namespace corvane
