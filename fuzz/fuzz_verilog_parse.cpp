// Arbitrary bytes analysed as a Verilog file: every chunk through the front
// end, the net table and the connection checks, then the child port pass.
#include <unistd.h>

#include "elaboration/connection_checks.h"
#include "support/fuzz_analysis.h"
#include "verilog/verilog_module_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = "/tmp/corvane-fuzz-verilog-" + std::to_string(getpid()) + ".v";
    corvane::ModuleList modules = corvane::fuzzing::analyseBytes(
        data, size, path, corvane::FrontEnds{corvane::parseVerilogModule, {}});
    corvane::resolveChildPortDirections(modules);
    return 0;
}
