// Where a clean-up pass looks for the segments of a route that stand in a
// given column or end at a given x: either every segment, as the passes are
// stated, or the few an index lists. The index keys on coordinates the
// RoutingSharpen passes never change (the x of a vertical, the stored x0 and
// x1 of a horizontal, and, within one phase, the one stored row of a vertical
// that phase does not move), and lists candidates in route order, so a pass
// that still tests each candidate fully finds exactly what the full scan finds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "database/records.h"

namespace corvane {

class SegmentLookup {
public:
    enum class Mode { kScanAll, kIndexed };

    SegmentLookup(const std::vector<Segment>& route, Mode mode);

    // Candidates for verticals in column x.
    const std::vector<std::size_t>& verticalsAt(int x) const { return find(verticals_, x); }
    // Candidates for verticals in column x whose stored y0 is y.
    const std::vector<std::size_t>& verticalsFrom(int x, int y) const;
    // Candidates for horizontals whose x0 or x1 is x.
    const std::vector<std::size_t>& horizontalsEndingAt(int x) const { return find(ends_, x); }
    // Candidates for horizontals whose x0 is x.
    const std::vector<std::size_t>& horizontalsStartingAt(int x) const { return find(starts_, x); }
    // Candidates for horizontals whose stored ends are (x0, x1).
    const std::vector<std::size_t>& horizontalsWithEnds(int x0, int x1) const;
    // Candidates for horizontals on row y whose x1 is x.
    const std::vector<std::size_t>& horizontalsEndingOnRow(int x, int y) const;
    // Candidates for verticals whose stored y0 (or y1) is y.
    const std::vector<std::size_t>& verticalsWithY0(int y) const { return find(tops_, y); }
    const std::vector<std::size_t>& verticalsWithY1(int y) const { return find(bottoms_, y); }

    bool scansAll() const { return scanAll_; }

private:
    using Index = std::unordered_map<std::int64_t, std::vector<std::size_t>>;

    const std::vector<std::size_t>& find(const Index& index, std::int64_t key) const;

    bool scanAll_;
    std::vector<std::size_t> all_;
    std::vector<std::size_t> none_;
    Index verticals_, ends_, starts_, pairs_, rowEnds_, tops_, bottoms_, columnTops_;
};

}  // namespace corvane
