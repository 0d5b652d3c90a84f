// Analysis throughput of the Verilog front end on large generated files:
// chunk preparation, parsing, tokenising, net table and connection checks.
#include <benchmark/benchmark.h>

#include <string>

#include "database/module_list.h"
#include "support/analysis_run.h"
#include "support/verilog_generator.h"
#include "verilog/verilog_module_parser.h"

namespace {

void BM_AnalyseGeneratedVerilog(benchmark::State& state) {
    // The counter is the number of modules analysed.
    corvane::bench::timeAnalysis(
        state, ".v", [](std::size_t bytes) { return corvane::bench::generatedVerilog(bytes); },
        corvane::FrontEnds{corvane::parseVerilogModule, {}}, "modules",
        [](const corvane::ModuleList& modules) { return modules.size(); });
}
BENCHMARK(BM_AnalyseGeneratedVerilog)->Arg(2)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
