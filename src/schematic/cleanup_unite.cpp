#include "schematic/cleanup_unite.h"

#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

void uniteRows(std::vector<Segment>& route) {
    std::vector<char> marked(route.size(), 0);
    for (std::size_t p = 0; p < route.size(); ++p) {
        Segment& P = route[p];
        if (marked[p] || !isHorizontal(P)) continue;
        for (std::size_t q = p + 1; q < route.size(); ++q) {
            const Segment& Q = route[q];
            if (marked[q] || !isHorizontal(Q) || Q.y0 != P.y0) continue;
            if (lowX(Q) > highX(P) || highX(Q) < lowX(P)) continue;
            widen(P.x0, P.x1, std::min(lowX(P), lowX(Q)), std::max(highX(P), highX(Q)));
            marked[q] = 1;
        }
    }
    eraseMarked(route, marked);
}

// The largest gap between an upper piece Q and the piece P below it that the
// vertical phase closes.
constexpr int kColumnBridge = 16;

void uniteColumns(std::vector<Segment>& route) {
    std::vector<char> marked(route.size(), 0);
    for (std::size_t p = 0; p < route.size(); ++p) {
        Segment& P = route[p];
        if (marked[p] || !isVertical(P)) continue;
        for (std::size_t q = p + 1; q < route.size(); ++q) {
            const Segment& Q = route[q];
            if (marked[q] || !isVertical(Q) || Q.x0 != P.x0) continue;
            const int pl = lowY(P), ph = highY(P), ql = lowY(Q), qh = highY(Q);
            if (ph < ql || static_cast<long long>(qh) + kColumnBridge < pl) continue;
            widen(P.y0, P.y1, std::min(pl, ql), std::max(ph, qh));
            marked[q] = 1;
        }
    }
    eraseMarked(route, marked);
}

}  // namespace

void uniteDoubleRoute(std::vector<Segment>& route) {
    uniteRows(route);
    uniteColumns(route);
}

void uniteDoubleRoute(Module& module) {
    for (auto& [name, net] : module.nets) uniteDoubleRoute(net.route);
}

}  // namespace corvane
