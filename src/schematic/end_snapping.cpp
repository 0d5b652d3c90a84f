#include "schematic/end_snapping.h"

#include <cstdint>
#include <cstdlib>

#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

int touchingSegments(const Net& net, int x, int y) {
    int count = 0;
    for (const Segment& s : net.route) {
        if (touches(s, x, y)) ++count;
    }
    return count;
}

// The x of the terminal on row y nearest to x; false when none is on the row.
bool nearestTerminalX(const Net& net, int x, int y, int& nearest) {
    bool found = false;
    std::int64_t best = 0;
    for (const Terminal& t : net.terminals) {
        if (t.y != y) continue;
        const std::int64_t distance = std::llabs(static_cast<std::int64_t>(t.x) - x);
        if (found && distance >= best) continue;
        found = true;
        best = distance;
        nearest = t.x;
    }
    return found;
}

void snapEnd(const Net& net, int& x, int y) {
    if (touchingSegments(net, x, y) != 1) return;
    int nearest = 0;
    if (nearestTerminalX(net, x, y, nearest)) x = nearest;
}

}  // namespace

void snapRouteEnds(Module& module) {
    for (auto& [name, net] : module.nets) {
        for (std::size_t i = 0; i < net.route.size(); ++i) {
            if (!isHorizontal(net.route[i])) continue;
            const int y = net.route[i].y0;
            // Each end is judged on the route as it stands, with earlier moves applied.
            int x0 = net.route[i].x0;
            snapEnd(net, x0, y);
            net.route[i].x0 = x0;
            int x1 = net.route[i].x1;
            snapEnd(net, x1, y);
            net.route[i].x1 = x1;
        }
    }
}

}  // namespace corvane
