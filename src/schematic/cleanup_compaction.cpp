#include "schematic/cleanup_compaction.h"

#include <algorithm>
#include <cstdint>

#include "schematic/block_access.h"
#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

constexpr std::int64_t kPinMarginX = 256;
constexpr std::int64_t kPinMarginY = 32;
constexpr std::int64_t kBlockMargin = 32;
constexpr std::int64_t kWireMargin = 32;

struct Interval {
    std::int64_t low, high;
};

// A gap to close: everything at or beyond `edge` moves back by `width`.
struct Gap {
    std::int64_t edge, width;
};

// The gaps between the merged intervals, in increasing order of their edges.
std::vector<Gap> gapsBetween(std::vector<Interval> intervals) {
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval& a, const Interval& b) { return a.low < b.low; });
    std::vector<Gap> gaps;
    std::int64_t reach = 0;
    for (std::size_t i = 0; i < intervals.size(); ++i) {
        if (i > 0 && intervals[i].low > reach)
            gaps.push_back({intervals[i].low, intervals[i].low - reach});
        reach = i == 0 ? intervals[i].high : std::max(reach, intervals[i].high);
    }
    return gaps;
}

// How far a coordinate moves back when every gap is closed. Closing the gaps
// one by one from the far end moves a coordinate by the width of every gap
// whose edge is at or before it: what lies beyond a gap stays beyond the
// nearer gaps after moving, since it lands at the end of the interval before.
class Shift {
public:
    explicit Shift(const std::vector<Interval>& intervals) : gaps_(gapsBetween(intervals)) {
        std::int64_t total = 0;
        for (const Gap& gap : gaps_) {
            total += gap.width;
            totals_.push_back(total);
        }
    }

    std::int64_t of(std::int64_t v) const {
        const auto after =
            std::upper_bound(gaps_.begin(), gaps_.end(), v,
                             [](std::int64_t value, const Gap& g) { return value < g.edge; });
        const std::size_t count = static_cast<std::size_t>(after - gaps_.begin());
        return count == 0 ? 0 : totals_[count - 1];
    }

    // `v` moved back by its shift, kept within the int range.
    int moved(int v) const { return clamp(v - of(v)); }
    int movedBy(int v, std::int64_t shift) const { return clamp(v - shift); }

    bool empty() const { return gaps_.empty(); }

private:
    static int clamp(std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    }

    std::vector<Gap> gaps_;
    std::vector<std::int64_t> totals_;
};

// Reads and writes one axis of the model: x for the horizontal step, y for the vertical one.
struct Axis {
    bool vertical;

    int& of(Pin& p) const { return vertical ? p.y : p.x; }
    int& of(LabelBox& b) const { return vertical ? b.y : b.x; }
    int& of(Terminal& t) const { return vertical ? t.y : t.x; }
    int& start(Segment& s) const { return vertical ? s.y0 : s.x0; }
    int& end(Segment& s) const { return vertical ? s.y1 : s.x1; }
    // A segment across the axis (a vertical for x) gives an interval.
    bool across(const Segment& s) const { return vertical ? isHorizontal(s) : isVertical(s); }
};

template <typename Block>
Interval blockInterval(const Block& block, const Axis& axis) {
    if (axis.vertical) {
        return {static_cast<std::int64_t>(block.y) - kBlockMargin,
                static_cast<std::int64_t>(block.y) + block.height + kBlockMargin};
    }
    const std::int64_t half = block.width / 2;
    return {block.x - half - kBlockMargin, block.x + half + kBlockMargin};
}

std::vector<Interval> occupied(Module& module, const Axis& axis) {
    std::vector<Interval> intervals;
    const std::int64_t pinMargin = axis.vertical ? kPinMarginY : kPinMarginX;
    for (Pin& pin : module.pins) {
        const std::int64_t v = axis.of(pin);
        intervals.push_back({v - pinMargin, v + pinMargin});
    }
    forEachBlock(module,
                 [&](int, int, auto& block) { intervals.push_back(blockInterval(block, axis)); });
    for (auto& [name, net] : module.nets) {
        for (Segment& s : net.route) {
            if (!axis.across(s)) continue;
            const std::int64_t v = axis.start(s);
            intervals.push_back({v - kWireMargin, v + kWireMargin});
        }
    }
    return intervals;
}

// A block moves by the shift of its leading edge (left, or top), and its
// ports and sensitivity entries with it. Unplaced duplicate ports (width 0)
// keep the (0, 0) that reads as "not placed".
void moveBlocks(Module& module, SensitivityPlaces& sensitivity, const Axis& axis,
                const Shift& shift) {
    forEachBlock(module, [&](int kind, int index, auto& block) {
        const std::int64_t lead = blockInterval(block, axis).low + kBlockMargin;
        const std::int64_t by = shift.of(lead);
        if (by == 0) return;
        int& position = axis.vertical ? block.y : block.x;
        position = shift.movedBy(position, by);
        for (Pin& port : block.ports) {
            if (port.width != 0) axis.of(port) = shift.movedBy(axis.of(port), by);
        }
        if (kind != kKindAlways) return;
        for (LabelBox& entry : sensitivity.entriesOf(index)) {
            axis.of(entry) = shift.movedBy(axis.of(entry), by);
        }
    });
}

// Each segment end moves by its own shift: both ends of a segment beyond a
// gap move, and a segment reaching across a gap shrinks.
void moveNets(Module& module, const Axis& axis, const Shift& shift) {
    for (auto& [name, net] : module.nets) {
        for (Terminal& t : net.terminals) axis.of(t) = shift.moved(axis.of(t));
        for (Segment& s : net.route) {
            axis.start(s) = shift.moved(axis.start(s));
            axis.end(s) = shift.moved(axis.end(s));
        }
    }
}

void compactAxis(Module& module, SensitivityPlaces& sensitivity, const Axis& axis) {
    const Shift shift(occupied(module, axis));
    if (shift.empty()) return;
    for (Pin& pin : module.pins) axis.of(pin) = shift.moved(axis.of(pin));
    moveBlocks(module, sensitivity, axis, shift);
    moveNets(module, axis, shift);
}

}  // namespace

void compactSchematic(Module& module, SensitivityPlaces& sensitivity) {
    compactAxis(module, sensitivity, Axis{false});
    compactAxis(module, sensitivity, Axis{true});
}

}  // namespace corvane
