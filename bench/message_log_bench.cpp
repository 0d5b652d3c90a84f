// Appending to a full message log: each append trims whole lines from the
// front, and the cost must stay proportional to the appended text.
#include <benchmark/benchmark.h>

#include <string>

#include "diagnostics/message_log.h"

namespace {

void BM_AppendMillionLinesToFullLog(benchmark::State& state) {
    const std::string line = std::string(58, 'x') + "\r\n";  // 60 characters
    for (auto _ : state) {
        corvane::MessageLog log;
        while (log.size() + line.size() <= corvane::MessageLog::kCapacity) log.appendLog(line);
        for (int i = 0; i < 1'000'000; ++i) log.appendLog(line);
        benchmark::DoNotOptimize(log.size());
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_AppendMillionLinesToFullLog)->Unit(benchmark::kMillisecond);

}  // namespace
