// Throughput of the Verilog expression tokenizer on the kinds of expressions
// assignments and always-block statements hold.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "database/records.h"
#include "verilog/verilog_tokenizer.h"

namespace {

const std::vector<std::string>& sampleExpressions() {
    static const std::vector<std::string> samples = {
        "a + b",
        "(a[7] & b[7]) | sel",
        "sel ? sum : diff",
        "(state == STOP) && (count == 4'd15)",
        "y ^ {4'b0, count}",
        "count + 1",
        "{data_in[6:0], data_in[7]} !== expected_value << 2",
        "~(enable_a || enable_b) & ready_flag",
        "mem[address + 8'h10] >= threshold_level",
        "next_state",
    };
    return samples;
}

void BM_TokenizeVerilogExpressions(benchmark::State& state) {
    const std::vector<std::string>& samples = sampleExpressions();
    std::size_t bytesPerRound = 0;
    for (const std::string& text : samples) bytesPerRound += text.size();
    std::vector<corvane::FormulaToken> tokens;
    for (auto _ : state) {
        for (const std::string& text : samples) {
            tokens.clear();
            corvane::tokenizeVerilog(text, 1, tokens);
            benchmark::DoNotOptimize(tokens.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytesPerRound));
}
BENCHMARK(BM_TokenizeVerilogExpressions);

// One long expression: the cost per byte must not grow with the length.
void BM_TokenizeLongExpression(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < state.range(0); ++i) text += "(sig_" + std::to_string(i) + " & mask) | ";
    text += "last";
    std::vector<corvane::FormulaToken> tokens;
    for (auto _ : state) {
        tokens.clear();
        corvane::tokenizeVerilog(text, 1, tokens);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TokenizeLongExpression)->Arg(100)->Arg(10000);

}  // namespace
