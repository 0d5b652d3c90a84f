#include "schematic/cleanup_lookup.h"

#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

std::int64_t pairKey(int x0, int x1) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(static_cast<std::uint32_t>(x0))
                                         << 32 |
                                     static_cast<std::uint32_t>(x1));
}

}  // namespace

SegmentLookup::SegmentLookup(const std::vector<Segment>& route, Mode mode)
    : scanAll_(mode == Mode::kScanAll) {
    if (scanAll_) {
        all_.resize(route.size());
        for (std::size_t i = 0; i < route.size(); ++i) all_[i] = i;
        return;
    }
    for (std::size_t i = 0; i < route.size(); ++i) {
        const Segment& s = route[i];
        if (isVertical(s)) {
            verticals_[s.x0].push_back(i);
            tops_[s.y0].push_back(i);
            columnTops_[pairKey(s.x0, s.y0)].push_back(i);
            bottoms_[s.y1].push_back(i);
        }
        if (!isHorizontal(s)) continue;
        ends_[s.x0].push_back(i);
        if (s.x1 != s.x0) ends_[s.x1].push_back(i);
        starts_[s.x0].push_back(i);
        pairs_[pairKey(s.x0, s.x1)].push_back(i);
        rowEnds_[pairKey(s.x1, s.y0)].push_back(i);
    }
}

const std::vector<std::size_t>& SegmentLookup::horizontalsWithEnds(int x0, int x1) const {
    return find(pairs_, pairKey(x0, x1));
}

const std::vector<std::size_t>& SegmentLookup::verticalsFrom(int x, int y) const {
    return find(columnTops_, pairKey(x, y));
}

const std::vector<std::size_t>& SegmentLookup::horizontalsEndingOnRow(int x, int y) const {
    return find(rowEnds_, pairKey(x, y));
}

const std::vector<std::size_t>& SegmentLookup::find(const Index& index, std::int64_t key) const {
    if (scanAll_) return all_;
    const auto at = index.find(key);
    return at == index.end() ? none_ : at->second;
}

}  // namespace corvane
