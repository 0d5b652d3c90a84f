// Analysis throughput of the VHDL front end on large generated files: chunk
// preparation, parsing, tokenising, net table and connection checks.
#include <benchmark/benchmark.h>

#include <string>

#include "database/module_list.h"
#include "support/analysis_run.h"
#include "support/vhdl_generator.h"
#include "vhdl/vhdl_module_parser.h"

namespace {

void BM_AnalyseGeneratedVhdl(benchmark::State& state) {
    // The counter is the number of wires of the generated entity.
    corvane::bench::timeAnalysis(
        state, ".vhd", [](std::size_t bytes) { return corvane::bench::generatedVhdl(bytes); },
        corvane::FrontEnds{{}, corvane::parseVhdlModule}, "wires",
        [](const corvane::ModuleList& modules) {
            return modules.empty() ? 0 : modules.begin()->wires.size();
        });
}
BENCHMARK(BM_AnalyseGeneratedVhdl)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
