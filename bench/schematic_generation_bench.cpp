// Schematic generation of hand-built modules of 50, 200 and 800 blocks with
// nets of 2 to 100 terminals: the whole Generate sequence (placement, routing,
// clean-up with compaction, bus widths, Flush Left-Top), and placement with
// routing alone. Targets: 200 blocks under 1 s, 800 blocks under 10 s.
#include <benchmark/benchmark.h>

#include "database/module_list.h"
#include "schematic/place_terminals.h"
#include "schematic/placement.h"
#include "schematic/routing.h"
#include "schematic/schematic_dlg.h"
#include "support/schematic_module_generator.h"

namespace corvane {
namespace {

using bench::GeneratedModuleBuilder;

void BM_GenerateSchematic(benchmark::State& state) {
    const Module module = GeneratedModuleBuilder(7).build(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ModuleList modules;
        modules.append(module);
        CSchematicDlg window(modules, module.name, standardSchematicPasses());
        window.generate();
        benchmark::DoNotOptimize(window.canvasSize());
    }
}
BENCHMARK(BM_GenerateSchematic)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

void BM_PlaceAndRoute(benchmark::State& state) {
    const Module module = GeneratedModuleBuilder(7).build(static_cast<int>(state.range(0)));
    std::size_t segments = 0;
    for (auto _ : state) {
        ModuleList modules;
        modules.append(module);
        CSchematicDlg window(modules, module.name, placementOnlyPasses());
        Module& placed = *window.findModule();
        layoutFromScratch(placed, window.sensitivity(), window.textMeasure(), kArrangementInterval);
        placeTerminals(placed, window.sensitivity());
        for (auto& [name, net] : placed.nets) net.needsRouting = 1;
        routeSchematic(window, placed);
        segments = 0;
        for (const auto& [name, net] : placed.nets) segments += net.route.size();
    }
    state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(BM_PlaceAndRoute)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
