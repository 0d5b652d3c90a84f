// The source viewer on a generated 50,000-line Verilog file: loading (line
// table and fold regions), colouring in the viewer's steps, and folding.
//
// Colouring runs on a timer in slices of at most 100 ms; a slice ends after
// the step that reaches the budget, so the longest step (max_step_us) is
// what a slice can overshoot by, and max_slice_ms is the longest the window
// spends colouring without answering.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "platform/silent_ui_host.h"
#include "viewers/editor_dlg.h"

namespace corvane {
namespace {

constexpr int kLines = 50000;

// Modules of 50 lines: ports, comments of both kinds, and always blocks
// with nested begin ... end regions.
std::string generatedSource() {
    std::string text;
    int line = 0;
    for (int module = 0; line < kLines; ++module) {
        const std::string n = std::to_string(module);
        const std::string lines[] = {
            "// module " + n + ": a generated register bank",
            "module bank" + n + "(clk, rst_n, d, q);",
            "input clk;      // clock",
            "input rst_n;    // reset, active low",
            "input [7:0] d;  /* data in */",
            "output [7:0] q;",
            "reg [7:0] q;",
            "reg [7:0] r_a, r_b;",
            "wire w = d[0] & rst_n;",
        };
        for (const std::string& l : lines) text += l + "\r\n";
        line += 9;
        for (int block = 0; block < 4 && line < kLines; ++block, line += 10) {
            text += "always @(posedge clk or negedge rst_n) begin\r\n"
                    "    if (!rst_n) begin\r\n"
                    "        q <= 8'h00;  // clear\r\n"
                    "        r_a <= 8'h00;\r\n"
                    "    end else begin\r\n"
                    "        /* load the bank\r\n"
                    "           from d */\r\n"
                    "        q <= d;\r\n"
                    "    end\r\n"
                    "end\r\n";
        }
        text += "endmodule\r\n";
        ++line;
    }
    return text;
}

std::vector<KeywordEntry> keywords() {
    std::vector<KeywordEntry> list;
    for (const char* word : {"module", "endmodule", "input", "output", "inout", "wire", "reg",
                             "always", "posedge", "negedge", "if", "else", "begin", "end",
                             "assign", "case", "endcase", "parameter", "localparam", "//", "/*"}) {
        list.push_back({word, static_cast<int>(std::string(word).size()), 0xff0000});
    }
    return list;
}

struct Fixture {
    Fixture() { settings.verilogWords = keywords(); }
    const std::string source = generatedSource();
    ModuleList modules;
    Settings settings;
    SilentUiHost ui;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_LoadText(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        CEditorDlg viewer(f.modules, f.settings, f.ui, "bank.v");
        viewer.setText(f.source);
        benchmark::DoNotOptimize(viewer.foldRegions().size());
    }
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_LoadText)->Unit(benchmark::kMillisecond);

// Colours a fresh viewer to the end, one `advance` call at a time (set-up not
// timed); the number of calls and the longest one in microseconds.
template <typename Advance>
std::pair<long, double> colourTimed(benchmark::State& state, Advance advance) {
    using Clock = std::chrono::steady_clock;
    Fixture& f = fixture();
    state.PauseTiming();
    CEditorDlg viewer(f.modules, f.settings, f.ui, "bank.v");
    viewer.setText(f.source);
    state.ResumeTiming();
    long calls = 0;
    double longestUs = 0;
    while (!viewer.colouringFinished()) {
        const auto start = Clock::now();
        advance(viewer);
        const std::chrono::duration<double, std::micro> took = Clock::now() - start;
        longestUs = std::max(longestUs, took.count());
        ++calls;
    }
    return {calls, longestUs};
}

// The whole colouring, step by step, timing every step.
void BM_ColouringSteps(benchmark::State& state) {
    double maxStepUs = 0;
    long steps = 0;
    for (auto _ : state) {
        const auto [calls, longestUs] =
            colourTimed(state, [](CEditorDlg& viewer) { viewer.colouringStep(); });
        steps = calls;
        maxStepUs = std::max(maxStepUs, longestUs);
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["max_step_us"] = maxStepUs;
}
BENCHMARK(BM_ColouringSteps)->Unit(benchmark::kMillisecond);

// The colouring as the window runs it: slices with a 100 ms budget.
void BM_ColouringSlices(benchmark::State& state) {
    double maxSliceMs = 0;
    long slices = 0;
    for (auto _ : state) {
        const auto [calls, longestUs] =
            colourTimed(state, [](CEditorDlg& viewer) { viewer.colouringSlice(100'000); });
        slices = calls;
        maxSliceMs = std::max(maxSliceMs, longestUs / 1000);
    }
    state.counters["slices"] = static_cast<double>(slices);
    state.counters["max_slice_ms"] = maxSliceMs;
}
BENCHMARK(BM_ColouringSlices)->Unit(benchmark::kMillisecond);

// Collapsing and expanding one always block in the middle of the file,
// then the first block of the file (its lines move the whole text).
void BM_FoldAndUnfold(benchmark::State& state) {
    Fixture& f = fixture();
    CEditorDlg viewer(f.modules, f.settings, f.ui, "bank.v");
    viewer.setText(f.source);
    const std::vector<GutterMarker> markers = viewer.gutterMarkers();
    const int line = state.range(0) == 0 ? markers[markers.size() / 2].controlLine
                                         : markers.front().controlLine;
    for (auto _ : state) {
        viewer.toggleFold(line);
        viewer.toggleFold(line);
    }
    state.counters["regions"] = static_cast<double>(viewer.foldRegions().size());
}
BENCHMARK(BM_FoldAndUnfold)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
