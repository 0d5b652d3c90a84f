// One level of the trace of a net through the instance hierarchy.
#pragma once

#include <string>

#include "database/module_list.h"
#include "diagnostics/message_log.h"
#include "reports/clock_detection.h"

namespace corvane {

// Writes the terminals of `netName` in `moduleName` at `depth` tabs, files
// their lines into `usage`, and descends into each instance the net connects
// to. Nothing when the module is not analysed or has no such net. Guard: an
// instance whose module is already on the trace's instance path is listed
// but not entered, and nothing deeper than kMaxInstanceDepth is entered.
void traceNet(const ModuleList& modules, const std::string& moduleName,
              const std::string& netName, int depth, NetUsage& usage, MessageLog& log);

}  // namespace corvane
