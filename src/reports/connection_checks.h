// The connection checks: every read and write of a net becomes a terminal of
// the net and a port of the block that uses it.
#pragma once

#include <string>

#include "console/message_log.h"
#include "database/module_list.h"
#include "database/records.h"

namespace corvane {

// The four Verilog scans in order: assignments, always blocks, children,
// initial blocks. Malformed bit selects write "connection error" lines.
void checkVerilogNet(Module& module, const std::string& netName, MessageLog& log);

// Gives every child connection (and its block port and terminals) the
// direction of the port it connects to in the analysed child module, or 0.
void resolveChildPortDirections(ModuleList& modules);

}  // namespace corvane
