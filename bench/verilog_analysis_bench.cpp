// Analysis throughput of the Verilog front end on large generated files:
// chunk preparation, parsing, tokenising, net table and connection checks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "console/message_log.h"
#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "platform/progress_sink.h"
#include "support/verilog_generator.h"
#include "verilog/verilog_module_parser.h"

namespace {

std::string writeGenerated(std::size_t bytes) {
    const std::string path = "/tmp/corvane-bench-" + std::to_string(getpid()) + "-" +
                             std::to_string(bytes) + ".v";
    std::ofstream(path, std::ios::binary) << corvane::bench::generatedVerilog(bytes);
    return path;
}

// Analyses every module of the file, as the driver does.
std::size_t analyseWholeFile(const std::string& path) {
    corvane::MessageLog log;
    corvane::NullProgressSink progress;
    corvane::SourceFileCache sources;
    corvane::AnalysisContext context{log, progress, sources,
                                     corvane::FrontEnds{corvane::parseVerilogModule, {}}};
    corvane::ModuleList modules;
    int line = 1;
    while (line != 0) line = corvane::prepareAndParse(modules.append(), path, line, context);
    modules.removeLast();
    return modules.size();
}

void BM_AnalyseGeneratedVerilog(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::string path = writeGenerated(bytes);
    // One analysis before timing: the first run of a process also pays for
    // the kernel handing it fresh memory pages, which the 2 MB case spreads
    // over its many iterations and the single iteration of the 20 MB case
    // would pay in full. Timed runs then show the analysis cost at both sizes.
    std::size_t modules = analyseWholeFile(path);
    for (auto _ : state) modules = analyseWholeFile(path);
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["modules"] = static_cast<double>(modules);
}
BENCHMARK(BM_AnalyseGeneratedVerilog)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
