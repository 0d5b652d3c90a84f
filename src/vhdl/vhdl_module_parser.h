// The VHDL front end: fills one Module from the prepared text of a VHDL file
// with the next design unit: an entity with its architecture, or a package.
// It stops before the unit of the next module and hands the rest of the text
// on to the next call (see vhdl_unit_sequence.h).
#pragma once

#include <functional>
#include <string>

#include "database/analysis_context.h"
#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Builds the net table of a parsed module, with the connection checks the
// caller wires in.
using VhdlNetBuilder =
    std::function<void(Module& module, const std::string& filePath, MessageLog& log)>;

// Reads the design units of the text, then completes the module: tokenises
// the expressions, reports ports without a direction (which fails the parse)
// and runs `buildNets`. Returns 0 on success, 1 on failure.
int parseVhdlText(Module& module, const std::string& filePath, AnalysisContext& context,
                  const VhdlNetBuilder& buildNets);

// parseVhdlText with the net table built by the VHDL connection checks; the
// front end the analysis driver runs for VHDL files.
int parseVhdlModule(Module& module, const std::string& filePath, AnalysisContext& context);

// The net table without connection checks: one net per port, register and
// wire name.
void buildVhdlNetsWithoutChecks(Module& module, const std::string& filePath, MessageLog& log);

}  // namespace corvane
