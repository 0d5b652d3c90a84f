// The summary of one module and the list of all analysed modules.
#pragma once

#include <cstdint>
#include <string>

#include "database/module_list.h"
#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Common leading part of the file paths of all modules, cut just after its
// last "/" (empty when it has none: the files lie in the current folder);
// empty for fewer than two modules.
std::string computeRootPath(const ModuleList& modules);

// The path without its first rootPath.size() characters when it is at least
// that long, otherwise the whole path. Only the length of the root is used.
std::string relativePath(const std::string& filePath, const std::string& rootPath);

// Sum of |msb - lsb| + 1 over the module's registers.
std::int64_t registerBits(const Module& module);

// Register bits of the first module named `moduleName` plus, for each of its
// instances in order, the total of the instance's module; 0 for an unknown
// name. An instance whose module is already on its own instance path counts
// nothing (the module was counted once, above it), and the walk stops at a
// fixed depth, so self-instantiating designs give a finite figure.
std::int64_t totalRegisterBits(const ModuleList& modules, const std::string& moduleName);

// The summary text of one module (sizes, instances, source file).
std::string buildSummaryReport(const ModuleList& modules, const Module& module);
void writeSummaryReport(const ModuleList& modules, const Module& module, MessageLog& log);

// Sorts `modules` by name (stable, byte order; the list stays sorted) and
// returns the fixed-width table of all modules. `rootPath` is the root path
// as last computed by the caller (the hierarchy keeps it up to date).
std::string buildModuleListReport(ModuleList& modules, const std::string& rootPath);

// Writes the module list with tabs replaced by four blanks, line by line.
void writeModuleListReport(ModuleList& modules, const std::string& rootPath, MessageLog& log);
// As above with the root path computed from the list as it is now.
void writeModuleListReport(ModuleList& modules, MessageLog& log);

}  // namespace corvane
