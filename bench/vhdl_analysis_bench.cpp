// Analysis throughput of the VHDL front end on large generated files: chunk
// preparation, parsing, tokenising, net table and connection checks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "console/message_log.h"
#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "platform/progress_sink.h"
#include "support/vhdl_generator.h"
#include "vhdl/vhdl_module_parser.h"

namespace {

std::string writeGenerated(std::size_t bytes) {
    const std::string path =
        "/tmp/corvane-bench-" + std::to_string(getpid()) + "-" + std::to_string(bytes) + ".vhd";
    std::ofstream(path, std::ios::binary) << corvane::bench::generatedVhdl(bytes);
    return path;
}

// Analyses the file as the driver does; returns the number of wires found,
// so that a parse that stops early shows in the counters.
std::size_t analyseWholeFile(const std::string& path) {
    corvane::MessageLog log;
    corvane::NullProgressSink progress;
    corvane::SourceFileCache sources;
    corvane::AnalysisContext context{log, progress, sources,
                                     corvane::FrontEnds{{}, corvane::parseVhdlModule}};
    corvane::ModuleList modules;
    int line = 1;
    while (line != 0) line = corvane::prepareAndParse(modules.append(), path, line, context);
    modules.removeLast();
    return modules.empty() ? 0 : modules.begin()->wires.size();
}

void BM_AnalyseGeneratedVhdl(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::string path = writeGenerated(bytes);
    // One analysis before timing, so that the single iteration of the 20 MB
    // case does not also pay for the first touch of fresh memory pages.
    std::size_t wires = analyseWholeFile(path);
    for (auto _ : state) wires = analyseWholeFile(path);
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["wires"] = static_cast<double>(wires);
}
BENCHMARK(BM_AnalyseGeneratedVhdl)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
