#include "schematic/cleanup_junctions.h"

#include <cstdint>

#include "schematic/cleanup_support.h"
#include "schematic/route_cleanup.h"

namespace corvane {

namespace {

void addJunction(Net& net, int x, int y) {
    auto [at, added] = net.touch.try_emplace(junctionKey(x, y), 2);
    if (!added) at->second += 2;
}

// A horizontal P ending on, or crossing, the interior of vertical R.
void junctionsOnVertical(Net& net, const Segment& r) {
    const int x = r.x0;
    for (const Segment& p : net.route) {
        if (!isHorizontal(p) || p.x0 == p.x1) continue;
        const int row = p.y0;
        if (row <= lowY(r) || row >= highY(r)) continue;
        if (lowX(p) == x || highX(p) == x || (lowX(p) < x && x < highX(p))) {
            addJunction(net, x, row);
        }
    }
}

// A vertical Q ending on the interior of horizontal R.
void junctionsOnHorizontal(Net& net, const Segment& r) {
    const int row = r.y0;
    for (const Segment& q : net.route) {
        if (!isVertical(q)) continue;
        const int x = q.x0;
        if (x <= lowX(r) || x >= highX(r)) continue;
        if (lowY(q) == row || highY(q) == row) addJunction(net, x, row);
    }
}

}  // namespace

int junctionKey(int x, int y) {
    const std::int64_t key = static_cast<std::int64_t>(x) + static_cast<std::int64_t>(y) * 65536;
    return static_cast<int>(static_cast<std::uint32_t>(key));
}

void junctionPoint(int key, int& x, int& y) {
    const auto bits = static_cast<std::uint32_t>(key);
    x = static_cast<int>(bits & 0xFFFFu);
    y = static_cast<int>(bits >> 16);
}

void rebuildJunctions(Module& module) {
    for (auto& [name, net] : module.nets) {
        net.touch.clear();
        for (const Segment& r : net.route) {
            if (isVertical(r) && r.x0 != 0) junctionsOnVertical(net, r);
        }
        for (const Segment& r : net.route) {
            if (isHorizontal(r) && r.y0 != 0) junctionsOnHorizontal(net, r);
        }
    }
}

void checkNetJunctions(Net& net) {
    for (auto at = net.touch.begin(); at != net.touch.end();) {
        int x = 0, y = 0;
        junctionPoint(at->first, x, y);
        int ends = 0, through = 0;
        for (const Segment& s : net.route) {
            if (endsAt(s, x, y)) ++ends;
            if (passesStrictlyThrough(s, x, y)) ++through;
        }
        const bool drop = ends >= 2 || (ends == 0 && through < 2);
        at = drop ? net.touch.erase(at) : std::next(at);
    }
}

void checkJunctions(Module& module) {
    for (auto& [name, net] : module.nets) checkNetJunctions(net);
}

}  // namespace corvane
