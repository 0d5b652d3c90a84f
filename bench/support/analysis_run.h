// The timed analysis of a large generated source file, shared by the
// front-end throughput benchmarks.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "console/message_log.h"
#include "database/chunk_preparation.h"
#include "database/module_list.h"
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

// Analyses every module of the file, as the driver does, and returns what
// `count` reads from the module list, so that a parse that stops early shows
// in the counters.
template <class Count>
double analyseWholeFile(const std::string& path, const FrontEnds& frontEnds, Count count) {
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    AnalysisContext context{log, progress, sources, frontEnds};
    ModuleList modules;
    int line = 1;
    while (line != 0) line = prepareAndParse(modules.append(), path, line, context);
    modules.removeLast();
    return static_cast<double>(count(modules));
}

// Times the analysis of a file of state.range(0) MiB made by `generate`, and
// reports the bytes per second and `counter` (what `count` reads from the
// module list).
template <class Generate, class Count>
void timeAnalysis(benchmark::State& state, const std::string& extension, Generate generate,
                  const FrontEnds& frontEnds, const char* counter, Count count) {
    const auto bytes = static_cast<std::size_t>(state.range(0)) << 20;
    const std::string path = writeGenerated(bytes, extension, generate(bytes));
    // One analysis before timing: the first run of a process also pays for
    // the kernel handing it fresh memory pages, which the 2 MB case spreads
    // over its many iterations and the single iteration of the 20 MB case
    // would pay in full. Timed runs then show the analysis cost at both sizes.
    double found = analyseWholeFile(path, frontEnds, count);
    for (auto _ : state) found = analyseWholeFile(path, frontEnds, count);
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters[counter] = found;
}

}  // namespace corvane::bench
