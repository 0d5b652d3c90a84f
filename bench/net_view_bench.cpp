// The net view on a generated hierarchy: a net that reaches every level of
// a tree of instances (fan-out 4, depth 6: 5,461 ports), traced and laid
// out as buildNetView does it, and drawn onto a recording canvas.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/recording_canvas.h"
#include "platform/silent_ui_host.h"
#include "viewers/gui_net_dlg.h"

namespace corvane {
namespace {

constexpr int kDepth = 6;
constexpr int kFanOut = 4;

// Module level<k> has port n (an input below the top, an output at the
// top) and kFanOut instances of level<k+1> connected to it.
ModuleList generatedHierarchy() {
    ModuleList modules;
    for (int level = 0; level <= kDepth; ++level) {
        Module& module = modules.append();
        module.name = "level" + std::to_string(level);
        Pin pin;
        pin.name = "n";
        pin.direction = level == 0 ? 1 : 0;
        module.pins.push_back(pin);
        Net& net = module.nets["n"];
        net.terminals.push_back(Terminal{0, 0, -1, pin.direction});
        if (level == kDepth) continue;
        for (int k = 0; k < kFanOut; ++k) {
            Child child;
            child.moduleName = "level" + std::to_string(level + 1);
            child.name = "u" + std::to_string(k);
            child.connections.push_back({"n", "n", "n", "n", 0});
            module.children.push_back(child);
            net.terminals.push_back(Terminal{5, k});
        }
    }
    return modules;
}

void BM_BuildNetView(benchmark::State& state) {
    const ModuleList modules = generatedHierarchy();
    SilentUiHost ui;
    NetViewHooks hooks;
    CGuiNetDlg view(modules, ui, hooks, "level0", "n");
    for (auto _ : state) {
        view.buildNetView();
        benchmark::DoNotOptimize(view.layout().right.size());
    }
    state.counters["boxes"] =
        static_cast<double>(view.layout().left.size() + view.layout().right.size());
}
BENCHMARK(BM_BuildNetView)->Unit(benchmark::kMillisecond);

void BM_DrawNetView(benchmark::State& state) {
    const ModuleList modules = generatedHierarchy();
    SilentUiHost ui;
    NetViewHooks hooks;
    CGuiNetDlg view(modules, ui, hooks, "level0", "n");
    view.buildNetView();
    for (auto _ : state) {
        RecordingCanvas canvas;
        view.draw(canvas, 1.0, 0, 0, {0, 0});
        benchmark::DoNotOptimize(canvas.calls().size());
    }
}
BENCHMARK(BM_DrawNetView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
