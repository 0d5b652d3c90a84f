// The I/O table: the ports of chosen modules as comma-separated lines.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"

namespace corvane {

// `text` as one CSV field: unchanged unless it holds a comma, a double quote
// or a line break, which would shift the columns; then it is put in double
// quotes with every inner double quote doubled (RFC 4180).
std::string csvField(const std::string& text);

// The CSV text: one block per name that names an analysed module, in the
// given order; names of modules that are gone are skipped. Module names, pin
// names and comments are quoted only where `csvField` must.
std::string buildIoTable(const ModuleList& modules, const std::vector<std::string>& moduleNames);

// Writes the CSV text to `outputPath` through a temporary file in the same
// folder that is renamed over the target; false when the file cannot be
// written (the target is then left as it was).
bool writeIoTable(const ModuleList& modules, const std::vector<std::string>& moduleNames,
                  const std::string& outputPath);

}  // namespace corvane
