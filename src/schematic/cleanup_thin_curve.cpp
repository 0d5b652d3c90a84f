#include "schematic/cleanup_thin_curve.h"

#include <cstdint>
#include <cstdlib>

#include "schematic/cleanup_hit_test.h"
#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

using Route = std::vector<Segment>;

constexpr int kRowFoldDistance = 16;      // rows this close fold into one
constexpr int kColumnFoldDistance = 272;  // columns this close fold into one

// Where the scan of a net goes on after a fold: the new position of the piece
// that was kept, and whether it is still there (a zero-length one is erased).
struct FoldResult {
    std::size_t kept = 0;
    bool keptSurvives = true;
};

// Erases the marked segments and every zero-length one; returns where the
// segment at `kept` ends up (or the next survivor when it is erased itself).
FoldResult eraseFolded(Route& route, std::vector<char>& marked, std::size_t kept) {
    for (std::size_t i = 0; i < route.size(); ++i) {
        if (isPoint(route[i])) marked[i] = 1;
    }
    FoldResult result;
    result.keptSurvives = !marked[kept];
    for (std::size_t i = 0; i < kept; ++i) result.kept += marked[i] ? 0 : 1;
    eraseMarked(route, marked);
    return result;
}

// Counts rounds against the limit the way the literal loop does, and reports
// progress only when its value changes.
class Rounds {
public:
    Rounds(int limit, ProgressSink* progress) : limit_(limit), progress_(progress) {}

    // Whether another round may run; starts it when so.
    bool start() {
        if (rounds_ >= limit_) return false;
        ++rounds_;
        report();
        return true;
    }
    int count() const { return rounds_; }

private:
    void report() {
        if (!progress_) return;
        const int percent = static_cast<int>(static_cast<std::int64_t>(rounds_ - 1) * 100 / limit_);
        if (percent == lastPercent_) return;
        progress_->setProgress(percent);
        lastPercent_ = percent;
    }

    int limit_;
    ProgressSink* progress_;
    int rounds_ = 0;
    int lastPercent_ = -1;
};

// ---- DeleteThinCurve_Horz ----

// A piece that can fold or take a fold: a horizontal (or, below, a vertical)
// of some length. A zero-length point is no parallel piece: folding one would
// drag the verticals that end on it away from the horizontals that end there
// too, and the fold deletes every point anyway.
bool rowPiece(const Segment& s) {
    return isHorizontal(s) && !isPoint(s);
}
bool columnPiece(const Segment& s) {
    return isVertical(s) && !isPoint(s);
}

bool freeEnds(const Segment& s, const TerminalPoints& terminals) {
    return !terminals.contains(s.x0, s.y0) && !terminals.contains(s.x1, s.y1);
}

// Whether horizontal Q folds into horizontal P.
bool rowFolds(const Segment& P, const Segment& Q, const TerminalPoints& terminals) {
    if (!rowPiece(Q) || Q.y0 == P.y0) return false;
    if (std::llabs(static_cast<std::int64_t>(P.y0) - Q.y0) > kRowFoldDistance) return false;
    if (lowX(Q) < lowX(P) || highX(Q) > highX(P)) return false;
    return freeEnds(Q, terminals);
}

// Whether what meets Q still meets the net once Q is folded onto row yp. The
// verticals that end on Q's row move with the fold, but a terminal inside Q,
// another horizontal of Q's row that meets it (such as one going on from an
// end of Q), or a vertical that crosses Q without reaching row yp would be
// left hanging where Q was.
bool foldKeepsConnections(const Route& route, const std::vector<Terminal>& terminals, std::size_t q,
                          int yp) {
    const Segment& Q = route[q];
    const int yq = Q.y0;
    const int left = lowX(Q);
    const int right = highX(Q);
    for (const Terminal& t : terminals) {
        if (t.y == yq && left < t.x && t.x < right) return false;
    }
    for (std::size_t i = 0; i < route.size(); ++i) {
        const Segment& s = route[i];
        if (i == q || isPoint(s)) continue;  // points go with the fold
        if (isHorizontal(s)) {
            if (s.y0 == yq && lowX(s) <= right && highX(s) >= left) return false;
            continue;
        }
        if (!isVertical(s) || s.x0 < left || s.x0 > right) continue;
        if (lowY(s) > yq || highY(s) < yq || s.y0 == yq || s.y1 == yq) continue;
        if (lowY(s) > yp || highY(s) < yp) return false;
    }
    return true;
}

// The first pair (P at or after `from`, Q anywhere) that folds. `heldBack`
// tells whether a pair with P before the one found would have folded but for
// a piece it would leave hanging: a later fold may change that.
bool findRowFold(const Net& net, const TerminalPoints& terminals, std::size_t from, std::size_t& p,
                 std::size_t& q, bool& heldBack) {
    const Route& route = net.route;
    heldBack = false;
    for (p = from; p < route.size(); ++p) {
        const Segment& P = route[p];
        if (!rowPiece(P) || !freeEnds(P, terminals)) continue;
        bool pHeldBack = false;
        for (q = 0; q < route.size(); ++q) {
            if (q == p || !rowFolds(P, route[q], terminals)) continue;
            if (foldKeepsConnections(route, net.terminals, q, P.y0)) return true;
            pHeldBack = true;
        }
        heldBack = heldBack || pHeldBack;
    }
    return false;
}

FoldResult foldRows(Route& route, std::size_t p, std::size_t q) {
    const int yp = route[p].y0;
    const int yq = route[q].y0;
    const int left = lowX(route[q]);
    const int right = highX(route[q]);
    for (Segment& s : route) {
        if (!isVertical(s) || s.x0 < left || s.x0 > right) continue;
        if (s.y0 == yq) s.y0 = yp;
        if (s.y1 == yq) s.y1 = yp;
    }
    std::vector<char> marked(route.size(), 0);
    marked[q] = 1;
    return eraseFolded(route, marked, p);
}

// ---- DeleteThinCurve_Vert ----

template <typename Hit>
bool columnFolds(const Route& route, std::size_t q, std::size_t r, const Hit& hit) {
    const Segment& Q = route[q];
    const Segment& R = route[r];
    if (q == r || !columnPiece(Q) || !columnPiece(R) || R.x0 <= Q.x0) return false;
    if (static_cast<std::int64_t>(R.x0) - Q.x0 > kColumnFoldDistance) return false;
    if (lowY(R) > highY(Q) || highY(R) < lowY(Q)) return false;
    return hit(Q.x0, lowY(R)) && hit(Q.x0, highY(R));
}

// The first pair (Q at or after `from`, R anywhere) that folds.
template <typename Hit>
bool findColumnFold(const Route& route, const Hit& hit, std::size_t from, std::size_t& q,
                    std::size_t& r) {
    for (q = from; q < route.size(); ++q) {
        if (!columnPiece(route[q])) continue;
        for (r = 0; r < route.size(); ++r) {
            if (columnFolds(route, q, r, hit)) return true;
        }
    }
    return false;
}

FoldResult foldColumns(Net& net, const TerminalPoints& terminals, std::size_t q, std::size_t r) {
    Route& route = net.route;
    const int qx = route[q].x0;
    const int rx = route[r].x0;
    const int rl = lowY(route[r]);
    const int rh = highY(route[r]);
    std::vector<int> rows;  // rows of the terminals on R's column within its range
    for (const Terminal& t : net.terminals) {
        if (t.x == rx && rl <= t.y && t.y <= rh) rows.push_back(t.y);
    }
    for (std::size_t h = 0; h < route.size(); ++h) {
        Segment& s = route[h];
        if (h == r || !isHorizontal(s) || s.y0 < rl || s.y0 > rh) continue;
        if (terminals.contains(rx, s.y0)) continue;
        if (s.x0 == rx) s.x0 = qx;
        if (s.x1 == rx) s.x1 = qx;
    }
    Segment& Q = route[q];
    widen(Q.y0, Q.y1, std::min(lowY(Q), rl), std::max(highY(Q), rh));
    std::vector<char> marked(route.size(), 0);
    marked[r] = 1;
    const FoldResult result = eraseFolded(route, marked, q);
    for (int row : rows) route.push_back(Segment{qx, row, rx, row, {}});
    return result;
}

// The column pass as stated: after every fold the scan starts again from the
// first segment of the first net.
template <typename Hit>
int foldColumnsLiterally(Module& module, const Hit& hit, Rounds& rounds) {
    while (rounds.start()) {
        bool changed = false;
        for (auto& [name, net] : module.nets) {
            std::size_t q = 0, r = 0;
            if (!findColumnFold(net.route, hit, 0, q, r)) continue;
            foldColumns(net, TerminalPoints(net), q, r);
            changed = true;
            break;
        }
        if (!changed) break;
    }
    return rounds.count();
}

// The first vertical before `widened` that folds into it (the piece the last
// fold widened is the only vertical that changed, so nothing else before it
// can fold).
template <typename Hit>
bool findFoldIntoWidened(const Route& route, const Hit& hit, std::size_t widened, std::size_t& q) {
    for (q = 0; q < widened; ++q) {
        if (columnFolds(route, q, widened, hit)) return true;
    }
    return false;
}

// The column pass over one net, resuming where a literal rescan would first
// find something. Returns false when the round limit stopped it.
template <typename Hit>
bool foldNetColumns(Net& net, const Hit& hit, Rounds& rounds) {
    const TerminalPoints terminals(net);
    std::size_t from = 0;
    bool widenedSurvives = false;
    for (;;) {
        std::size_t q = 0, r = 0;
        if (widenedSurvives && findFoldIntoWidened(net.route, hit, from, q)) {
            r = from;
        } else if (!findColumnFold(net.route, hit, from, q, r)) {
            return true;
        }
        if (!rounds.start()) return false;
        const FoldResult result = foldColumns(net, terminals, q, r);
        from = result.kept;
        widenedSurvives = result.keptSurvives;
    }
}

}  // namespace

int deleteThinCurveHorzDirect(Module& module, int roundLimit) {
    Rounds rounds(roundLimit, nullptr);
    while (rounds.start()) {
        bool changed = false;
        for (auto& [name, net] : module.nets) {
            std::size_t p = 0, q = 0;
            bool heldBack = false;
            if (!findRowFold(net, TerminalPoints(net), 0, p, q, heldBack)) continue;
            foldRows(net.route, p, q);
            changed = true;
            break;
        }
        if (!changed) break;
    }
    return rounds.count();
}

// A fold changes only horizontals' presence (never their ends) and verticals,
// so pieces before the kept P still find nothing, unless one was held back
// for what it would leave hanging: each net resumes at P, or at its start
// when a pair before P was held back.
int deleteThinCurveHorz(Module& module, int roundLimit) {
    Rounds rounds(roundLimit, nullptr);
    for (auto& [name, net] : module.nets) {
        const TerminalPoints terminals(net);
        std::size_t from = 0, p = 0, q = 0;
        bool heldBack = false;
        while (findRowFold(net, terminals, from, p, q, heldBack)) {
            if (!rounds.start()) return rounds.count();
            const std::size_t kept = foldRows(net.route, p, q).kept;
            from = heldBack ? 0 : kept;
        }
    }
    rounds.start();  // the last round, which finds nothing
    return rounds.count();
}

int deleteThinCurveVertDirect(Module& module, const std::vector<SchematicComment>& comments,
                              ProgressSink& progress, int roundLimit) {
    Rounds rounds(roundLimit, &progress);
    const auto hit = [&](int x, int y) { return hitsOnlyWiresDirect(module, comments, x, y); };
    foldColumnsLiterally(module, hit, rounds);
    progress.setProgress(0);
    return rounds.count();
}

// Without comments the hit test depends on pins and blocks alone, which the
// pass never moves, so nets fold independently and each resumes where a
// rescan would find its next fold. With comments a moved wire can change the
// hit test anywhere, so the literal rescan runs.
int deleteThinCurveVert(Module& module, const std::vector<SchematicComment>& comments,
                        ProgressSink& progress, int roundLimit) {
    Rounds rounds(roundLimit, &progress);
    const CleanupHitTest index(module, comments);
    const auto hit = [&index](int x, int y) { return index.hitsOnlyWires(x, y); };
    if (index.dependsOnWires()) {
        foldColumnsLiterally(module, hit, rounds);
    } else {
        bool finished = true;
        for (auto& [name, net] : module.nets) {
            if (!foldNetColumns(net, hit, rounds)) {
                finished = false;
                break;
            }
        }
        if (finished) rounds.start();  // the last round, which finds nothing
    }
    progress.setProgress(0);
    return rounds.count();
}

}  // namespace corvane
