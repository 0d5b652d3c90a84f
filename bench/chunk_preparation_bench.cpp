// Throughput of the chunk preparation alone (comment removal, line markers,
// token separation) on the generated Verilog and VHDL files.
#include <benchmark/benchmark.h>

#include <string>

#include "database/chunk_preparation.h"
#include "database/source_cache.h"
#include "platform/progress_sink.h"
#include "support/analysis_run.h"
#include "support/verilog_generator.h"
#include "support/vhdl_generator.h"

namespace {

template <class Prepare>
void timePreparation(benchmark::State& state, const std::string& extension,
                     const std::string& text, Prepare prepare) {
    const std::string path = corvane::bench::writeGenerated(text.size(), extension, text);
    corvane::SourceFileCache sources;
    const corvane::SourceText& source = sources.get(path);
    corvane::NullProgressSink progress;
    std::size_t prepared = 0;
    for (auto _ : state) {
        prepared = 0;
        for (int line = 1; line != 0 && line <= source.lineCount();) {
            corvane::Module module;
            line = prepare(module, source, line, progress);
            prepared += module.text.size();
            benchmark::DoNotOptimize(module.text.data());
        }
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["prepared_bytes"] = static_cast<double>(prepared);
}

void BM_PrepareVerilogChunks(benchmark::State& state) {
    timePreparation(state, ".v", corvane::bench::generatedVerilog(2 << 20),
                    corvane::prepareVerilogChunk);
}
BENCHMARK(BM_PrepareVerilogChunks)->Unit(benchmark::kMillisecond);

void BM_PrepareVhdlChunk(benchmark::State& state) {
    timePreparation(state, ".vhd", corvane::bench::generatedVhdl(2 << 20),
                    corvane::prepareVhdlChunk);
}
BENCHMARK(BM_PrepareVhdlChunk)->Unit(benchmark::kMillisecond);

}  // namespace
