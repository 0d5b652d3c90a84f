// The schematic window's editing costs on generated modules: dragging one
// block of a 200-block module with the mouse (the re-route of its nets, the
// clean-up without compaction and the undo snapshot), target under 50 ms;
// and one paint of a 1200 x 900 drawing area over an 800-block schematic at
// zoom 1, target under 30 ms. Painting goes onto the recording canvas, so
// the figure is the drawing pass itself without a windowing system.
#include <benchmark/benchmark.h>

#include "database/module_list.h"
#include "platform/recording_canvas.h"
#include "schematic/schematic_dlg.h"
#include "support/schematic_module_generator.h"

namespace corvane {
namespace {

using bench::GeneratedModuleBuilder;

struct OpenWindow {
    explicit OpenWindow(int blocks) {
        modules.append(GeneratedModuleBuilder(7).build(blocks));
        window = std::make_unique<CSchematicDlg>(modules, modules.back().name,
                                                 standardSchematicPasses());
        window->openWithoutFile();
        window->findModule()->zoom = 1;
    }
    ModuleList modules;
    std::unique_ptr<CSchematicDlg> window;
};

void BM_DragOneBlock(benchmark::State& state) {
    OpenWindow open(static_cast<int>(state.range(0)));
    CSchematicDlg& window = *open.window;
    const Module& module = *window.findModule();
    // Pressed in the middle of the first instance (or assign).
    const bool children = !module.children.empty();
    const int x = children ? module.children[0].x : module.assigns[0].x;
    const int y = (children ? module.children[0].y + module.children[0].height / 2
                            : module.assigns[0].y + module.assigns[0].height / 2);
    int moved = 0;
    for (auto _ : state) {
        window.onLeftButtonDown({x, y});
        window.onMouseMove({x + 16, y + 16});
        window.onMouseMove({x + 32, y + 32});
        window.onLeftButtonUp({x + 32, y + 32});
        state.PauseTiming();
        moved += window.modified() ? 1 : 0;
        window.setModified(false);
        window.undo();
        state.ResumeTiming();
    }
    // Every timed drag re-routed and marked the window modified.
    state.counters["finished_drags"] = moved;
}
BENCHMARK(BM_DragOneBlock)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_PaintWindow(benchmark::State& state) {
    OpenWindow open(static_cast<int>(state.range(0)));
    const Rect frame{0, 0, 1200, 900};
    for (auto _ : state) {
        RecordingCanvas canvas;
        open.window->paint(canvas, frame);
        benchmark::DoNotOptimize(canvas.calls().data());
    }
}
BENCHMARK(BM_PaintWindow)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
