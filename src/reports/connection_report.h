// Reports of where signals are used: every net of one module, or one net
// followed down through the instances it connects to.
#pragma once

#include <string>

#include "database/module_list.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Every net of `moduleName` (the current target module) with its terminals;
// nothing when the name is empty or names no analysed module.
void writeConnectionReport(const ModuleList& modules, const std::string& moduleName,
                           MessageLog& log);

// The trace of `netName` from `moduleName` (the current target module) down
// through the hierarchy, then the clock check. Nothing when the target is
// empty or not analysed. The caller appends the console prompt afterwards.
void writeNetReport(const ModuleList& modules, const std::string& moduleName,
                    const std::string& netName, MessageLog& log);

}  // namespace corvane
