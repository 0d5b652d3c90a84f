// Splitting "target <= value" or "target = value" into a Statement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Appends one Statement for `text` at `line` (targets and values lower-cased,
// display fields as written, line markers removed, the comment of the line
// from `module.lineComments`). When the text holds neither "<=" nor "=",
// writes the error prefix (filePath, line) and `missingOperatorMessage` and
// returns 1; else 0. Shared with the VHDL process parser, which passes its
// own message.
int addStatement(std::vector<Statement>& statements, std::string_view text, int line,
                 const Module& module, MessageLog& log, const std::string& filePath,
                 std::string_view missingOperatorMessage = "Imperfect formula error in always block.\r\n");

}  // namespace corvane
