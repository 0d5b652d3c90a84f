#include "schematic/cleanup_glove.h"

#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

using Route = std::vector<Segment>;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The segment next to the one at `i` in the route, seen from its end at x:
// the one before it when that one starts at x, else the one after it; the
// second segment for the first one and the one before for the last one.
std::size_t neighbour(const Route& route, std::size_t i, int x) {
    const std::size_t last = route.size() - 1;
    if (i == 0) return last >= 1 ? 1 : kNone;
    if (i == last) return i - 1;
    return route[i - 1].x0 == x ? i - 1 : i + 1;
}

// Whether the segment at v is an unerased vertical running between rows ya and yb.
bool joinsRows(const Route& route, const std::vector<char>& marked, std::size_t v, int ya, int yb) {
    if (v == kNone || marked[v] || !isVertical(route[v])) return false;
    const Segment& s = route[v];
    return (s.y0 == ya && s.y1 == yb) || (s.y0 == yb && s.y1 == ya);
}

bool interlocked(const Route& route, const std::vector<char>& marked, std::size_t v1,
                 std::size_t v2, int ya, int yb) {
    return v1 != v2 && joinsRows(route, marked, v1, ya, yb) && joinsRows(route, marked, v2, ya, yb);
}

// Moves the end of `s` that holds `from` to `to`.
void moveEnd(Segment& s, int from, int to) {
    if (s.x0 == from) {
        s.x0 = to;
    } else {
        s.x1 = to;
    }
}

// Whether cutting A's end at `cut` back to `to` and erasing V1 (at x `cut`,
// from A's row to B's) leaves the net connected: V2 must stand at `to`, where
// A then ends, and nothing else may hang on V1 or on the cut-off part of A.
// V1's end on B's row lies inside B, which stays.
bool cutKeepsConnections(const Route& route, const std::vector<char>& marked,
                         const std::vector<Terminal>& terminals, std::size_t a, std::size_t b,
                         std::size_t v1, std::size_t v2, int cut, int to) {
    if (route[v1].x0 != cut || route[v2].x0 != to) return false;
    const int ya = route[a].y0;
    const int yb = route[b].y0;
    const int far = cut == highX(route[a]) ? lowX(route[a]) : highX(route[a]);
    return erasingKeepsConnections(
        route, marked, terminals,
        {{Segment{to, ya, cut, ya, {}}, to, ya}, {Segment{cut, ya, cut, yb, {}}, cut, yb}},
        {Segment{far, ya, to, ya, {}}, route[b], route[v2]}, {a, v1});
}

void ungloveFrom(Route& route, std::vector<char>& marked, const std::vector<Terminal>& terminals,
                 std::size_t i) {
    for (std::size_t j = i + 1; j < route.size(); ++j) {
        if (marked[i]) return;
        const Segment& A = route[i];
        const Segment& B = route[j];
        if (marked[j] || !isHorizontal(A) || !isHorizontal(B) || A.y0 == B.y0) continue;
        const int al = lowX(A), ah = highX(A), bl = lowX(B), bh = highX(B);
        int cut = 0, to = 0;
        if (al < bl && bl < ah && ah < bh) {
            cut = ah, to = bl;
        } else if (bl < al && al < bh && bh < ah) {
            cut = al, to = bh;
        } else {
            continue;
        }
        const std::size_t v1 = neighbour(route, i, cut);
        const std::size_t v2 = neighbour(route, j, to);
        if (!interlocked(route, marked, v1, v2, A.y0, B.y0)) continue;
        if (!cutKeepsConnections(route, marked, terminals, i, j, v1, v2, cut, to)) continue;
        moveEnd(route[i], cut, to);
        marked[v1] = 1;
    }
}

}  // namespace

void deleteEachGloveRouteHorz(Route& route, const std::vector<Terminal>& terminals) {
    std::vector<char> marked(route.size(), 0);
    for (std::size_t i = 0; i < route.size(); ++i) {
        if (!marked[i]) ungloveFrom(route, marked, terminals, i);
    }
    eraseMarked(route, marked);
}

void deleteEachGloveRouteHorz(Module& module) {
    for (auto& [name, net] : module.nets) deleteEachGloveRouteHorz(net.route, net.terminals);
}

}  // namespace corvane
