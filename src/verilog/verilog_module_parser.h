// The Verilog front end: fills one Module from the prepared text of a chunk.
#pragma once

#include <string>

#include "database/analysis_context.h"
#include "database/records.h"

namespace corvane {

// Dispatches the module items to their sub-parsers, then tokenises the
// expressions, reports undeclared ports and builds the net table with the
// connection checks. Returns 0 on success, 1 on failure.
int parseVerilogModule(Module& module, const std::string& filePath, AnalysisContext& context);

}  // namespace corvane
