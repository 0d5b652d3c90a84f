// A double click on a line of the message log: the source position the line
// names is opened in the source viewer when its file can be read.
#pragma once

#include <string_view>

#include "console/controller.h"

namespace corvane {

// Opens the source viewer on the file and line `logLine` names (a diagnostic
// line, the summary's "File path" line or a line naming an analysed file).
// False, with nothing shown, when the line names nothing or its file cannot
// be read.
bool openLogLineSource(CMorvelDlg& controller, std::string_view logLine);

}  // namespace corvane
