#include "schematic/routing.h"

#include <vector>

#include "schematic/routing_pair.h"
#include "schematic/routing_pass.h"
#include "schematic/schematic_dlg.h"
#include "schematic/terminal_refresh.h"

namespace corvane {

namespace {

// The terminals that take part in routing: those that refer to something
// drawn and stand at a position (x and y above 0), in vector order.
std::vector<Terminal> placedTerminals(const Module& module, const SensitivityPlaces& sensitivity,
                                      const Net& net) {
    std::vector<Terminal> placed;
    for (const Terminal& terminal : net.terminals) {
        if (terminal.x > 0 && terminal.y > 0 && refersToDrawable(module, sensitivity, terminal)) {
            placed.push_back(terminal);
        }
    }
    return placed;
}

// Draws one flagged net as a chain of its placed terminals in vector order.
void routeNet(RouteContext& context, const Module& module, const SensitivityPlaces& sensitivity,
              Net& net) {
    faceAlwaysWritesRight(net);
    const std::vector<Terminal> chain = placedTerminals(module, sensitivity, net);
    for (std::size_t i = 1; i < chain.size(); ++i) routePair(context, chain[i - 1], chain[i]);
}

void clearFlaggedRoutes(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (net.needsRouting == 0) continue;
        net.route.clear();
        net.touch.clear();
    }
}

}  // namespace

void routeSchematic(CSchematicDlg& window, Module& module) {
    // The window finds its module by name (and refits its sensitivity table);
    // a module that is no longer the window's is left alone.
    if (window.findModule() != &module) return;
    SchematicLayoutContext context = window.layoutContext(module);
    routeSchematic(context, OccupancyIndexing::kIndexed);
}

void routeSchematic(SchematicLayoutContext& layout) {
    routeSchematic(layout, OccupancyIndexing::kIndexed);
}

void routeSchematic(SchematicLayoutContext& layout, OccupancyIndexing indexing) {
    Module& module = layout.module;
    const SensitivityPlaces& sensitivity = layout.sensitivity;
    clearFlaggedRoutes(module);

    OccupancyLists& lists = layout.occupancy;
    lists.clear();
    layout.halfWidestBlock = halfWidestBlockOf(module);
    ProgressSink& progress = layout.progress;
    progress.showProgressFile("Z:\\dummy\\Routing...");

    const BlockProbes probes(blockRects(module));
    const std::unique_ptr<OccupancyQueries> occupancy = makeOccupancyQueries(lists, indexing);
    const long long netCount = static_cast<long long>(module.nets.size());
    long long number = 0;
    for (auto& [name, net] : module.nets) {
        progress.setProgress(static_cast<int>(100 * number / netCount));
        if (net.needsRouting != 0) {
            RouteContext context{probes, *occupancy, net.route, static_cast<int>(number),
                                 layout.halfWidestBlock};
            routeNet(context, module, sensitivity, net);
        }
        ++number;
    }

    lists.clear();
    progress.hideProgress();
}

}  // namespace corvane
