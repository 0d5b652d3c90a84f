// The VHDL front end wired to the connection checks.
#include "database/net_table.h"
#include "elaboration/connection_checks.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {

int parseVhdlModule(Module& module, const std::string& filePath, AnalysisContext& context) {
    return parseVhdlText(module, filePath, context,
                         [](Module& parsed, const std::string& path, MessageLog& log) {
                             // The index is built once the token lists are complete.
                             VhdlNetChecker checker(parsed);
                             checker.buildNetTable(parsed, path, log);
                         });
}

}  // namespace corvane
