// The timed analysis of a large generated source file, shared by the
// front-end throughput benchmarks.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "database/chunk_preparation.h"
#include "database/module_list.h"
#include "diagnostics/message_log.h"
#include "elaboration/connection_checks.h"
#include "platform/progress_sink.h"

namespace corvane::bench {

// Writes `text` to a file of this process in /tmp, named after its size, and
// returns the path.
inline std::string writeGenerated(std::size_t bytes, const std::string& extension,
                                  const std::string& text) {
    const std::string path =
        "/tmp/corvane-bench-" + std::to_string(getpid()) + "-" + std::to_string(bytes) + extension;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// What one analysis leaves: the module list and the source cache, as the
// driver keeps them for the reports and viewers after the analysis.
struct AnalysedFile {
    MessageLog log;
    SourceFileCache sources;
    ModuleList modules;
};

// Analyses every module of the file into `result`.
inline void analyseModules(const std::string& path, const FrontEnds& frontEnds,
                           AnalysedFile& result) {
    NullProgressSink progress;
    AnalysisContext context{result.log, progress, result.sources, frontEnds};
    int line = 1;
    while (line != 0) line = prepareAndParse(result.modules.append(), path, line, context);
    result.modules.removeLast();
}

// Analyses the file as the driver does: every module, then the child port
// direction pass it runs after a batch of files.
inline void analyseWholeFile(const std::string& path, const FrontEnds& frontEnds,
                             AnalysedFile& result) {
    analyseModules(path, frontEnds, result);
    resolveChildPortDirections(result.modules);
}

// Times the analysis of the modules of a file of state.range(0) MiB made by
// `generate`, and reports the bytes per second and `counter` (what `count`
// reads from the module list). The child port direction pass the driver
// runs after a batch of files is timed apart and reported as pass_ms; the
// analysed database outlives the analysis in the program, so releasing it is
// timed apart too and reported as release_ms (both per analysis).
template <class Generate, class Count>
void timeAnalysis(benchmark::State& state, const std::string& extension, Generate generate,
                  const FrontEnds& frontEnds, const char* counter, Count count) {
    using Clock = std::chrono::steady_clock;
    const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::string path = writeGenerated(bytes, extension, generate(bytes));
    // One analysis before timing: the first run of a process also pays for
    // the kernel handing it fresh memory pages, which the 2 MB case spreads
    // over its many iterations and the single iteration of the 20 MB case
    // would pay in full. Timed runs then show the analysis cost at both sizes.
    auto result = std::make_unique<AnalysedFile>();
    analyseWholeFile(path, frontEnds, *result);
    double found = 0;
    Clock::duration released{};
    Clock::duration passed{};
    for (auto _ : state) {
        state.PauseTiming();
        const auto releaseStart = Clock::now();
        result = std::make_unique<AnalysedFile>();
        released += Clock::now() - releaseStart;
        state.ResumeTiming();
        analyseModules(path, frontEnds, *result);
        state.PauseTiming();
        const auto passStart = Clock::now();
        resolveChildPortDirections(result->modules);
        passed += Clock::now() - passStart;
        state.ResumeTiming();
    }
    found = static_cast<double>(count(result->modules));
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters[counter] = found;
    const auto perAnalysis = [&state](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    };
    state.counters["pass_ms"] = perAnalysis(passed);
    state.counters["release_ms"] = perAnalysis(released);
}

}  // namespace corvane::bench
