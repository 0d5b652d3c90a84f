// Arbitrary bytes analysed as a VHDL file: the whole file through the VHDL
// front end, the net table and the connection checks, then the child port pass.
#include <unistd.h>

#include "elaboration/connection_checks.h"
#include "support/fuzz_analysis.h"
#include "vhdl/vhdl_module_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = "/tmp/corvane-fuzz-vhdl-" + std::to_string(getpid()) + ".vhd";
    corvane::ModuleList modules = corvane::fuzzing::analyseBytes(
        data, size, path, corvane::FrontEnds{{}, corvane::parseVhdlModule});
    corvane::resolveChildPortDirections(modules);
    return 0;
}
