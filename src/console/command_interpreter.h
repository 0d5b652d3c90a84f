// The console's command lines: "analyze,rtl/top.v", "target,top", "summary", ...
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class CMorvelDlg;

// The fields of a command line: the line is trimmed of blanks and tabs, then
// split at every comma; empty fields are dropped and fields are not trimmed.
std::vector<std::string> splitCommandLine(std::string_view line);

// Runs one command line against the controller. Every result is a log line,
// a window request or a change of the module list; a line without fields
// does nothing.
void executeCommandLine(CMorvelDlg& controller, std::string_view line);

}  // namespace corvane
