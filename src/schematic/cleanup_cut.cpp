#include "schematic/cleanup_cut.h"

#include <optional>

#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

using Route = std::vector<Segment>;

struct Spot {
    int x = 0;
    int y = 0;
};

// The verticals are trimmed by the row rules on the route seen with x and y
// swapped: a vertical becomes a horizontal and a crossing horizontal a
// crossing vertical.
void transpose(Route& route) {
    for (Segment& s : route) {
        std::swap(s.x0, s.y0);
        std::swap(s.x1, s.y1);
    }
}

std::vector<Spot> terminalSpots(const Net& net, bool transposed) {
    std::vector<Spot> spots;
    spots.reserve(net.terminals.size());
    for (const Terminal& t : net.terminals) {
        spots.push_back(transposed ? Spot{t.y, t.x} : Spot{t.x, t.y});
    }
    return spots;
}

// Whether the end (x, y) of horizontal `i` meets a terminal, another segment
// ending there, or a vertical passing through it.
bool connected(const Route& route, std::size_t i, const std::vector<Spot>& terminals, int x,
               int y) {
    for (const Spot& t : terminals) {
        if (t.x == x && t.y == y) return true;
    }
    for (std::size_t j = 0; j < route.size(); ++j) {
        const Segment& s = route[j];
        if (j == i) continue;
        if (endsAt(s, x, y)) return true;
        if (isVertical(s) && s.x0 == x && lowY(s) < y && y < highY(s)) return true;
    }
    return false;
}

// The smallest and largest support point of horizontal `i` from lo to hi on row y.
struct Supports {
    std::optional<int> low, high;

    void add(int x) {
        if (!low || x < *low) low = x;
        if (!high || x > *high) high = x;
    }
};

Supports supportsOf(const Route& route, std::size_t i, const std::vector<Spot>& terminals, int lo,
                    int hi, int y) {
    Supports supports;
    for (std::size_t j = 0; j < route.size(); ++j) {
        const Segment& s = route[j];
        if (j == i) continue;
        const bool reachesRow = s.y0 == y || s.y1 == y || (lowY(s) < y && y < highY(s));
        if (!reachesRow) continue;
        if (lo < s.x0 && s.x0 < hi) supports.add(s.x0);
        if (lo < s.x1 && s.x1 < hi) supports.add(s.x1);
    }
    for (const Spot& t : terminals) {
        if (t.y == y && lo <= t.x && t.x <= hi) supports.add(t.x);
    }
    return supports;
}

// Trims both ends of horizontal `i`; true when an end moved.
template <typename OwnAt>
bool trimRow(Route& route, std::size_t i, const std::vector<Spot>& terminals, OwnAt ownAt) {
    Segment& s = route[i];
    const int y = s.y0;
    const int lo = lowX(s);
    const int hi = highX(s);
    const bool loFree = !connected(route, i, terminals, lo, y) && !ownAt(lo, y);
    const bool hiFree = !connected(route, i, terminals, hi, y) && !ownAt(hi, y);
    if (!loFree && !hiFree) return false;
    const Supports supports = supportsOf(route, i, terminals, lo, hi, y);
    if (!supports.low) return false;
    int& loField = s.x0 <= s.x1 ? s.x0 : s.x1;
    int& hiField = s.x0 <= s.x1 ? s.x1 : s.x0;
    // Both ends are judged before either moves.
    if (loFree) loField = *supports.low;
    if (hiFree) hiField = *supports.high;
    return true;
}

template <typename OwnAt>
bool trimRows(Route& route, const std::vector<Spot>& terminals, OwnAt ownAt) {
    bool changed = false;
    for (std::size_t i = 0; i < route.size(); ++i) {
        const Segment& s = route[i];
        if (isHorizontal(s) && lowX(s) < highX(s))
            changed = trimRow(route, i, terminals, ownAt) || changed;
    }
    return changed;
}

// One round over one net: horizontals, then verticals.
bool trimNetOnce(Net& net, const OwnObjects& own, const std::vector<Spot>& rowTerminals,
                 const std::vector<Spot>& columnTerminals) {
    bool changed =
        trimRows(net.route, rowTerminals, [&own](int x, int y) { return own.contains(x, y); });
    transpose(net.route);
    changed =
        trimRows(net.route, columnTerminals, [&own](int x, int y) { return own.contains(y, x); }) ||
        changed;
    transpose(net.route);
    return changed;
}

bool deadEnd(const Net& net, const OwnObjects& own, int x, int y) {
    return !own.contains(x, y) && wireCount(net, x, y) < 2;
}

}  // namespace

// A round changes every net on its own, so repeating each net until its own
// round changes nothing gives what repeating whole rounds gives.
void routingCutSuite(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (net.route.empty()) continue;
        const OwnObjects own(module, net);
        const std::vector<Spot> rowTerminals = terminalSpots(net, false);
        const std::vector<Spot> columnTerminals = terminalSpots(net, true);
        while (trimNetOnce(net, own, rowTerminals, columnTerminals)) {
        }
    }
}

void cutSimpleSuite(Module& module, ProgressSink& progress) {
    const std::size_t count = module.nets.size();
    std::size_t n = 0;
    for (auto& [name, net] : module.nets) {
        progress.setProgress(static_cast<int>(100 * n++ / count));
        if (net.route.empty()) continue;
        const OwnObjects own(module, net);
        std::size_t i = 0;
        while (i < net.route.size()) {
            const Segment& s = net.route[i];
            if (deadEnd(net, own, s.x0, s.y0) || deadEnd(net, own, s.x1, s.y1)) {
                net.route.erase(net.route.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
    progress.hideProgress();
}

}  // namespace corvane
