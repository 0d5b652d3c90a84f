// The reports that walk the instance tree, on the generated 2 MB Verilog
// design: a chain of 1,300 modules, each instantiating the one before twice,
// so the walks meet their depth and node limits.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "diagnostics/message_log.h"
#include "reports/hierarchy_report.h"
#include "reports/net_report.h"
#include "reports/summary_report.h"
#include "support/analysis_run.h"
#include "support/verilog_generator.h"
#include "verilog/verilog_module_parser.h"

namespace {

using corvane::bench::AnalysedFile;

// The analysed design, made once for all the benchmarks of this program.
AnalysedFile& design() {
    static const std::unique_ptr<AnalysedFile> analysed = [] {
        auto result = std::make_unique<AnalysedFile>();
        const std::size_t bytes = std::size_t{2} << 20;
        const std::string path =
            corvane::bench::writeGenerated(bytes, ".v", corvane::bench::generatedVerilog(bytes));
        corvane::bench::analyseWholeFile(path, corvane::FrontEnds{corvane::parseVerilogModule, {}},
                                         *result);
        std::remove(path.c_str());
        return result;
    }();
    return *analysed;
}

// Times `write`, which writes one report of the design into a fresh log.
template <class Write>
void timeReport(benchmark::State& state, Write write) {
    AnalysedFile& analysed = design();
    for (auto _ : state) {
        corvane::MessageLog log;
        write(analysed.modules, log);
    }
}

void BM_ModuleList(benchmark::State& state) {
    timeReport(state, [](corvane::ModuleList& modules, corvane::MessageLog& log) {
        corvane::writeModuleListReport(modules, log);
    });
}
BENCHMARK(BM_ModuleList)->Unit(benchmark::kMillisecond);

void BM_Hierarchy(benchmark::State& state) {
    timeReport(state, [](corvane::ModuleList& modules, corvane::MessageLog& log) {
        corvane::writeHierarchyReport(modules, log);
    });
}
BENCHMARK(BM_Hierarchy)->Unit(benchmark::kMillisecond);

void BM_NetTrace(benchmark::State& state) {
    AnalysedFile& analysed = design();
    const std::string top = "gen" + std::to_string(analysed.modules.size() - 1);
    for (auto _ : state) {
        corvane::MessageLog log;
        corvane::NetUsage usage;
        corvane::traceNet(analysed.modules, top, "clk", 0, usage, log);
    }
}
BENCHMARK(BM_NetTrace)->Unit(benchmark::kMillisecond);

}  // namespace
