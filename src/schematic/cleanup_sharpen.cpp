#include "schematic/cleanup_sharpen.h"

#include <algorithm>

#include "schematic/cleanup_lookup.h"
#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

using Route = std::vector<Segment>;
using Marks = std::vector<char>;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// ---- RoutingSharpen(0) ----

// The segments a loop removal needs besides the two parallel horizontals.
struct LoopParts {
    std::size_t joint = kNone;   // C: vertical at A.x1 from row lo to row hi
    std::size_t branch = kNone;  // D: horizontal starting at A.x1 between the rows
};

bool usable(const Marks& marked, std::size_t i, std::initializer_list<std::size_t> others) {
    if (marked[i]) return false;
    for (std::size_t other : others) {
        if (other == i) return false;
    }
    return true;
}

// The first vertical E at x that spans rows lo to hi and differs from the
// others; kNone when there is none.
std::size_t spanningVertical(const Route& route, const SegmentLookup& lookup, const Marks& marked,
                             int x, int lo, int hi, std::initializer_list<std::size_t> others) {
    for (std::size_t e : lookup.verticalsAt(x)) {
        const Segment& s = route[e];
        if (!usable(marked, e, others) || !isVertical(s) || s.x0 != x) continue;
        if (s.y0 <= lo && s.y1 >= hi) return e;
    }
    return kNone;
}

// Whether deleting the lower horizontal and cutting C back to D's row leaves
// the net connected. What goes is the lower horizontal without its x0 end (E
// spans there) and C below D's row; the upper horizontal, C above D's row, D
// and E stay joined.
bool loopRemovalKeepsConnections(const Route& route, const Marks& marked,
                                 const std::vector<Terminal>& terminals, std::size_t a,
                                 std::size_t b, std::size_t c, std::size_t d, std::size_t e, int lo,
                                 int hi) {
    const bool aLower = route[a].y0 == hi;
    const Segment& lower = route[aLower ? a : b];
    const Segment& upper = route[aLower ? b : a];
    const int x = route[c].x0;
    const int row = route[d].y0;
    return erasingKeepsConnections(
        route, marked, terminals, {{lower, lower.x0, hi}, {Segment{x, row, x, hi, {}}, x, row}},
        {upper, Segment{x, lo, x, row, {}}, route[d], route[e]}, {a, b, c});
}

// The first joint C and branch D (in route order) that, with a spanning
// vertical E at A.x0, close a loop of A and B whose removal cuts nothing off;
// nothing when there is none.
LoopParts findLoop(const Route& route, const SegmentLookup& lookup, const Marks& marked,
                   const std::vector<Terminal>& terminals, std::size_t a, std::size_t b, int lo,
                   int hi) {
    const int x0 = route[a].x0;
    const int x1 = route[a].x1;
    for (std::size_t c : lookup.verticalsFrom(x1, lo)) {
        const Segment& joint = route[c];
        if (!usable(marked, c, {a, b}) || !isVertical(joint) || joint.x0 != x1) continue;
        if (joint.y0 != lo || joint.y1 != hi) continue;
        for (std::size_t d : lookup.horizontalsStartingAt(x1)) {
            const Segment& branch = route[d];
            if (!usable(marked, d, {a, b, c}) || !isHorizontal(branch)) continue;
            if (branch.x0 != x1 || branch.y0 < lo || branch.y0 > hi) continue;
            const std::size_t e = spanningVertical(route, lookup, marked, x0, lo, hi, {a, b, c, d});
            if (e == kNone) continue;
            if (loopRemovalKeepsConnections(route, marked, terminals, a, b, c, d, e, lo, hi)) {
                return {c, d};
            }
        }
    }
    return {};
}

void removeLoops(Net& net, SegmentLookup::Mode mode) {
    Route& route = net.route;
    const SegmentLookup lookup(route, mode);
    Marks marked(route.size(), 0);
    for (std::size_t a = 0; a < route.size(); ++a) {
        if (!isHorizontal(route[a])) continue;
        for (std::size_t b : lookup.horizontalsWithEnds(route[a].x0, route[a].x1)) {
            if (marked[a]) break;
            const Segment& A = route[a];
            const Segment& B = route[b];
            if (b == a || marked[b] || !isHorizontal(B)) continue;
            if (B.y0 == A.y0 || B.x0 != A.x0 || B.x1 != A.x1) continue;
            const int lo = std::min(A.y0, B.y0);
            const int hi = std::max(A.y0, B.y0);
            const LoopParts loop = findLoop(route, lookup, marked, net.terminals, a, b, lo, hi);
            if (loop.joint == kNone) continue;
            marked[A.y0 == hi ? a : b] = 1;
            route[loop.joint].y1 = route[loop.branch].y0;
        }
    }
    eraseMarked(route, marked);
}

void clearRoutingFlags(Module& module) {
    for (auto& [name, net] : module.nets) net.needsRouting = 0;
}

// ---- RoutingSharpen(1) ----

// Merges every later piece on the same line into the earlier one when their
// ranges overlap or touch. `same` tells whether two pieces lie on one line,
// `low` and `high` read a piece's range ends, `set` writes a range.
template <typename Same, typename Low, typename High, typename Set>
void mergeCollinear(Route& route, Marks& marked, Same same, Low low, High high, Set set) {
    for (std::size_t s = 0; s < route.size(); ++s) {
        if (marked[s]) continue;
        for (std::size_t p = s + 1; p < route.size(); ++p) {
            if (marked[p] || !same(route[s], route[p])) continue;
            if (low(route[p]) > high(route[s]) || high(route[p]) < low(route[s])) continue;
            const int from = std::min(low(route[s]), low(route[p]));
            const int to = std::max(high(route[s]), high(route[p]));
            set(route[s], from, to);
            marked[p] = 1;
        }
    }
}

bool sameRow(const Segment& a, const Segment& b) {
    return isHorizontal(a) && isHorizontal(b) && a.y0 == b.y0;
}

bool sameColumn(const Segment& a, const Segment& b) {
    return isVertical(a) && isVertical(b) && a.x0 == b.x0;
}

void mergeOverlaps(Route& route) {
    Marks marked(route.size(), 0);
    mergeCollinear(route, marked, sameRow, lowX, highX, [](Segment& s, int from, int to) {
        s.x0 = from;
        s.x1 = to;
    });
    mergeCollinear(route, marked, sameColumn, lowY, highY, [](Segment& s, int from, int to) {
        s.y0 = from;
        s.y1 = to;
    });
    eraseMarked(route, marked);
}

// ---- RoutingSharpen(2) ----

// For two parallel pieces P, Q on different lines with stored ends (p0, p1)
// and (q0, q1): with a shared start, the one ending first is made to start
// where the other ends; otherwise, with a shared end, the one starting first
// is made to end where the other starts.
void trimSharedEnd(int& p0, int& p1, int& q0, int& q1) {
    if (p0 == q0 && p1 != q1) {
        if (p1 < q1) {
            p0 = q1;
        } else {
            q0 = p1;
        }
    } else if (p1 == q1 && p0 != q0) {
        if (p0 < q0) {
            p1 = q0;
        } else {
            q1 = p0;
        }
    }
}

void trimSharedEnds(Route& route) {
    for (std::size_t p = 0; p < route.size(); ++p) {
        for (std::size_t q = p + 1; q < route.size(); ++q) {
            Segment& P = route[p];
            Segment& Q = route[q];
            if (isHorizontal(P) && isHorizontal(Q) && P.y0 != Q.y0) {
                trimSharedEnd(P.x0, P.x1, Q.x0, Q.x1);
            }
        }
    }
    for (std::size_t p = 0; p < route.size(); ++p) {
        for (std::size_t q = p + 1; q < route.size(); ++q) {
            Segment& P = route[p];
            Segment& Q = route[q];
            if (isVertical(P) && isVertical(Q) && P.x0 != Q.x0) {
                trimSharedEnd(P.y0, P.y1, Q.y0, Q.y1);
            }
        }
    }
}

// ---- RoutingSharpen(3) ----

// Which side of the longer horizontal C the detour Q lies on.
enum class DetourSide { kAbove, kBelow };

// The row the joining vertical R keeps at its far end once the detour on
// row yq is gone: the nearest row (strictly between yc and yq) of another
// horizontal ending at column x, or yc when there is none.
int nearestBranchRow(const Route& route, const SegmentLookup& lookup, const Marks& marked,
                     std::size_t q, int x, int yc, int yq) {
    int best = yc;
    for (std::size_t h : lookup.horizontalsEndingAt(x)) {
        const Segment& s = route[h];
        if (h == q || marked[h] || !isHorizontal(s) || (s.x0 != x && s.x1 != x)) continue;
        const int row = s.y0;
        if (yq < yc && yq < row && row < yc && (best == yc || row < best)) best = row;
        if (yq > yc && yc < row && row < yq && (best == yc || row > best)) best = row;
    }
    return best;
}

// Whether the vertical P at Q.x0 spans the rows of Q and C on the given side.
bool spansDetour(const Segment& p, int yc, int yq, DetourSide side) {
    if (side == DetourSide::kAbove) return p.y0 < yq && p.y1 >= yc;
    return p.y0 <= yc && p.y1 > yq;
}

// The pieces of one detour test: the longer horizontal C and the detour Q.
struct Detour {
    std::size_t c, q;
    DetourSide side;
};

bool hasDetourSpan(const Route& route, const SegmentLookup& lookup, const Marks& marked,
                   const Detour& d, std::size_t r) {
    const int x = route[d.q].x0;
    for (std::size_t p : lookup.verticalsAt(x)) {
        const Segment& s = route[p];
        if (p == d.c || p == d.q || p == r || marked[p] || !isVertical(s) || s.x0 != x) continue;
        if (spansDetour(s, route[d.c].y0, route[d.q].y0, d.side)) return true;
    }
    return false;
}

// Whether removing detour Q, and R from Q's row to the row `keep` it keeps,
// leaves the net connected. What goes is Q without its x0 end (P still
// crosses there) and that part of R without its kept end; a terminal there,
// a horizontal going on from Q's x1 end, a vertical ending on Q or a piece
// crossing R would otherwise be cut off. C and the rest of R stay.
bool keepsConnections(const Route& route, const Marks& marked,
                      const std::vector<Terminal>& terminals, const Detour& d, std::size_t r,
                      int keep) {
    const Segment& Q = route[d.q];
    const int x = Q.x1;
    const int yq = Q.y0;
    return erasingKeepsConnections(route, marked, terminals,
                                   {{Q, Q.x0, yq}, {Segment{x, yq, x, keep, {}}, x, keep}},
                                   {route[d.c], Segment{x, keep, x, route[d.c].y0, {}}}, {d.q, r});
}

// Removes detour Q of C when a joining vertical R and a spanning vertical P
// exist and nothing else hangs on Q or on the part of R that goes. True when R
// was shortened rather than erased: its moved end may make it join another
// detour of C.
bool removeDetour(Route& route, const SegmentLookup& lookup, Marks& marked,
                  const std::vector<Terminal>& terminals, const Detour& d) {
    const int yc = route[d.c].y0;
    const int yq = route[d.q].y0;
    const int x = route[d.q].x1;
    for (std::size_t r : lookup.verticalsAt(x)) {
        Segment& R = route[r];
        if (r == d.c || r == d.q || marked[r] || !isVertical(R) || R.x0 != x) continue;
        const bool joins =
            d.side == DetourSide::kAbove ? R.y0 == yq && R.y1 == yc : R.y0 == yc && R.y1 == yq;
        if (!joins || !hasDetourSpan(route, lookup, marked, d, r)) continue;
        const int keep = nearestBranchRow(route, lookup, marked, d.q, x, yc, yq);
        if (!keepsConnections(route, marked, terminals, d, r, keep)) continue;
        marked[d.q] = 1;
        if (keep == yc) {
            marked[r] = 1;
            return false;
        }
        (d.side == DetourSide::kAbove ? R.y0 : R.y1) = keep;
        return true;
    }
    return false;
}

// The detours of C worth testing, in route order. A full scan tests every
// segment. With the index, only horizontals whose x1 end and row meet the far
// end of a vertical that stands on C's row can have a joining vertical R.
std::vector<std::size_t> detourCandidates(const Route& route, const SegmentLookup& lookup,
                                          const Marks& marked, std::size_t c, DetourSide side) {
    const int yc = route[c].y0;
    std::vector<std::size_t> candidates;
    if (lookup.scansAll()) {
        for (std::size_t q = 0; q < route.size(); ++q) candidates.push_back(q);
        return candidates;
    }
    const bool above = side == DetourSide::kAbove;
    for (std::size_t r : above ? lookup.verticalsWithY1(yc) : lookup.verticalsWithY0(yc)) {
        const Segment& R = route[r];
        if (marked[r] || !isVertical(R) || (above ? R.y1 : R.y0) != yc) continue;
        const std::vector<std::size_t>& found =
            lookup.horizontalsEndingOnRow(R.x0, above ? R.y0 : R.y1);
        candidates.insert(candidates.end(), found.begin(), found.end());
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    return candidates;
}

void removeDetoursOf(Route& route, const SegmentLookup& lookup, Marks& marked,
                     const std::vector<Terminal>& terminals, std::size_t c, DetourSide side) {
    std::vector<std::size_t> candidates = detourCandidates(route, lookup, marked, c, side);
    std::size_t next = 0;
    while (next < candidates.size()) {
        const std::size_t q = candidates[next++];
        if (marked[c]) return;
        const Segment& C = route[c];
        const Segment& Q = route[q];
        if (q == c || marked[q] || !isHorizontal(Q)) continue;
        const bool onSide = side == DetourSide::kAbove ? Q.y0 < C.y0 : Q.y0 > C.y0;
        if (!onSide || Q.x0 < C.x0 || Q.x1 > C.x1) continue;
        if (!removeDetour(route, lookup, marked, terminals, {c, q, side})) continue;
        // A vertical moved: look again at the candidates after q.
        candidates = detourCandidates(route, lookup, marked, c, side);
        next = static_cast<std::size_t>(std::upper_bound(candidates.begin(), candidates.end(), q) -
                                        candidates.begin());
    }
}

// Each phase indexes the route afresh: the one stored row of a vertical it
// keys on is the one the phase never moves.
void removeDetours(Net& net, Marks& marked, DetourSide side, SegmentLookup::Mode mode) {
    Route& route = net.route;
    const SegmentLookup lookup(route, mode);
    for (std::size_t c = 0; c < route.size(); ++c) {
        if (!marked[c] && isHorizontal(route[c]))
            removeDetoursOf(route, lookup, marked, net.terminals, c, side);
    }
}

void sharpen0(Module& module, ProgressSink& progress, SegmentLookup::Mode mode) {
    progress.setProgress(25);
    for (auto& [name, net] : module.nets) {
        if (net.needsRouting != 0) removeLoops(net, mode);
    }
    progress.setProgress(75);
    clearRoutingFlags(module);
}

void sharpen3(Module& module, ProgressSink& progress, SegmentLookup::Mode mode) {
    progress.setProgress(25);
    std::vector<Marks> marks;
    marks.reserve(module.nets.size());
    for (auto& [name, net] : module.nets) {
        marks.emplace_back(net.route.size(), 0);
        removeDetours(net, marks.back(), DetourSide::kAbove, mode);
    }
    progress.setProgress(50);
    std::size_t n = 0;
    for (auto& [name, net] : module.nets) removeDetours(net, marks[n++], DetourSide::kBelow, mode);
    progress.setProgress(75);
    n = 0;
    for (auto& [name, net] : module.nets) eraseMarked(net.route, marks[n++]);
    progress.hideProgress();
}

}  // namespace

void routingSharpen0(Module& module, ProgressSink& progress) {
    sharpen0(module, progress, SegmentLookup::Mode::kIndexed);
}

void routingSharpen0Direct(Module& module, ProgressSink& progress) {
    sharpen0(module, progress, SegmentLookup::Mode::kScanAll);
}

void routingSharpen1(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (net.needsRouting != 0) mergeOverlaps(net.route);
    }
    clearRoutingFlags(module);
}

void routingSharpen2(Module& module) {
    for (auto& [name, net] : module.nets) {
        if (net.needsRouting != 0) trimSharedEnds(net.route);
    }
}

void routingSharpen3(Module& module, ProgressSink& progress) {
    sharpen3(module, progress, SegmentLookup::Mode::kIndexed);
}

void routingSharpen3Direct(Module& module, ProgressSink& progress) {
    sharpen3(module, progress, SegmentLookup::Mode::kScanAll);
}

}  // namespace corvane
