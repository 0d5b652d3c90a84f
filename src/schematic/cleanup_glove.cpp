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

void ungloveFrom(Route& route, std::vector<char>& marked, std::size_t i) {
    for (std::size_t j = i + 1; j < route.size(); ++j) {
        if (marked[i]) return;
        const Segment& A = route[i];
        const Segment& B = route[j];
        if (marked[j] || !isHorizontal(A) || !isHorizontal(B) || A.y0 == B.y0) continue;
        const int al = lowX(A), ah = highX(A), bl = lowX(B), bh = highX(B);
        if (al < bl && bl < ah && ah < bh) {
            const std::size_t v1 = neighbour(route, i, ah);
            if (!interlocked(route, marked, v1, neighbour(route, j, bl), A.y0, B.y0)) continue;
            moveEnd(route[i], ah, bl);
            marked[v1] = 1;
        } else if (bl < al && al < bh && bh < ah) {
            const std::size_t v1 = neighbour(route, i, al);
            if (!interlocked(route, marked, v1, neighbour(route, j, bh), A.y0, B.y0)) continue;
            moveEnd(route[i], al, bh);
            marked[v1] = 1;
        }
    }
}

}  // namespace

void deleteEachGloveRouteHorz(Route& route) {
    std::vector<char> marked(route.size(), 0);
    for (std::size_t i = 0; i < route.size(); ++i) {
        if (!marked[i]) ungloveFrom(route, marked, i);
    }
    eraseMarked(route, marked);
}

void deleteEachGloveRouteHorz(Module& module) {
    for (auto& [name, net] : module.nets) deleteEachGloveRouteHorz(net.route);
}

}  // namespace corvane
