// Arbitrary bytes analysed as a Verilog file: every chunk through the front
// end, the net table and the connection checks, then the child port pass.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "console/message_log.h"
#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "platform/progress_sink.h"
#include "reports/connection_checks.h"
#include "verilog/verilog_module_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = "/tmp/corvane-fuzz-verilog-" + std::to_string(getpid()) + ".v";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    corvane::MessageLog log;
    corvane::NullProgressSink progress;
    corvane::SourceFileCache sources;
    corvane::AnalysisContext context{log, progress, sources,
                                     corvane::FrontEnds{corvane::parseVerilogModule, {}}};
    corvane::ModuleList modules;
    int line = 1;
    while (line != 0) {
        const int next = corvane::prepareAndParse(modules.append(), path, line, context);
        if (next != 0 && next <= line) __builtin_trap();  // chunks must move forward
        line = next;
    }
    modules.removeLast();
    corvane::resolveChildPortDirections(modules);
    std::remove(path.c_str());
    return 0;
}
