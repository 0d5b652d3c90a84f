#include "schematic/cleanup_hit_test.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "schematic/block_access.h"
#include "schematic/cleanup_support.h"

namespace corvane {

namespace {

constexpr int kCellShift = 9;  // index cells of 512 x 512
constexpr std::int64_t kMaxCellsPerBox = 256;

template <typename Box>
bool inside(const Box& box, std::int64_t x, std::int64_t y) {
    return box.left <= x && x <= box.right && box.top <= y && y <= box.bottom;
}

std::int64_t cellKey(std::int64_t cx, std::int64_t cy) {
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(cx) << 32) ^
           static_cast<std::int64_t>(static_cast<std::uint32_t>(cy));
}

// Calls visit(box) with the pin symbol box of every module pin and the grown
// rectangle of every block.
template <typename Box, typename Visit>
void forEachObjectBox(const Module& module, Visit&& visit) {
    for (const Pin& pin : module.pins) {
        const std::int64_t dx = pin.width / 2 + 16;
        const std::int64_t dy = pin.height / 2;
        visit(Box{pin.x - dx, pin.y - dy, pin.x + dx, pin.y + dy});
    }
    forEachBlock(module, [&](int, int, const auto& block) {
        const std::int64_t half = block.width / 2;
        const std::int64_t top = block.y;
        visit(Box{block.x - half - 3, top - 3, block.x + half + 3, top + block.height + 3});
    });
}

bool near(std::int64_t ax, std::int64_t ay, std::int64_t px, std::int64_t py) {
    return std::llabs(px - ax) < 4 && std::llabs(py - ay) < 4;
}

enum class CommentAnswer { kNoMatch, kHit, kNothing };

bool isFigure(int kind) {
    return kind == kCommentLine || kind == kCommentArrow || kind == kCommentRect ||
           kind == kCommentEllipse || kind == kCommentText;
}

// Within 3 of the segment from (x0, y0) to (x1, y1).
bool nearSegment(const SchematicComment& c, double px, double py) {
    const double dx = static_cast<double>(c.x1) - c.x0;
    const double dy = static_cast<double>(c.y1) - c.y0;
    const double length2 = dx * dx + dy * dy;
    double t = 0;
    if (length2 > 0) t = ((px - c.x0) * dx + (py - c.y0) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = c.x0 + t * dx - px;
    const double ey = c.y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey) <= 3.0;
}

// The ellipse outline test; an ellipse of no height has no outline here,
// because the distance formula divides by the height.
bool nearEllipse(const SchematicComment& c, std::int64_t px, std::int64_t py) {
    const double w = std::llabs(static_cast<std::int64_t>(c.x1) - c.x0);
    const double h = std::llabs(static_cast<std::int64_t>(c.y1) - c.y0);
    if (h == 0) return false;
    const std::int64_t midX = (static_cast<std::int64_t>(c.x0) + c.x1) / 2;
    const std::int64_t midY = (static_cast<std::int64_t>(c.y0) + c.y1) / 2;
    const double ax = static_cast<double>(std::llabs(midX - px));
    const double ay = static_cast<double>(std::llabs(midY - py)) * w / h;
    return std::fabs(std::sqrt(ax * ax + ay * ay) - w / 2) <= 3.0;
}

CommentAnswer cornerAnswer(const SchematicComment& c, std::int64_t px, std::int64_t py) {
    const bool lineLike = c.kind == kCommentLine || c.kind == kCommentArrow;
    const bool rect = c.kind == kCommentRect;
    const auto handle = [](bool has) {
        return has ? CommentAnswer::kHit : CommentAnswer::kNothing;
    };
    if (near(c.x0, c.y0, px, py) || near(c.x1, c.y1, px, py)) return handle(lineLike || rect);
    if (near(c.x1, c.y0, px, py) || near(c.x0, c.y1, px, py)) return handle(rect);
    return CommentAnswer::kNoMatch;
}

CommentAnswer commentAnswer(const SchematicComment& c, std::int64_t px, std::int64_t py) {
    if (!isFigure(c.kind)) return CommentAnswer::kNoMatch;
    const CommentAnswer corner = cornerAnswer(c, px, py);
    if (corner != CommentAnswer::kNoMatch) return corner;
    const std::int64_t midX = (static_cast<std::int64_t>(c.x0) + c.x1) / 2;
    const std::int64_t midY = (static_cast<std::int64_t>(c.y0) + c.y1) / 2;
    if (c.kind == kCommentEllipse && (near(midX, c.y0, px, py) || near(midX, c.y1, px, py) ||
                                      near(c.x0, midY, px, py) || near(c.x1, midY, px, py))) {
        return CommentAnswer::kHit;
    }
    const bool inBox = std::min(c.x0, c.x1) <= px && px <= std::max(c.x0, c.x1) &&
                       std::min(c.y0, c.y1) <= py && py <= std::max(c.y0, c.y1);
    if (!inBox) return CommentAnswer::kNoMatch;
    bool hit = false;
    switch (c.kind) {
        case kCommentLine:
        case kCommentArrow:
            hit = nearSegment(c, static_cast<double>(px), static_cast<double>(py));
            break;
        case kCommentRect:
            hit = std::llabs(px - c.x0) <= 3 || std::llabs(px - c.x1) <= 3 ||
                  std::llabs(py - c.y0) <= 3 || std::llabs(py - c.y1) <= 3;
            break;
        case kCommentEllipse:
            hit = nearEllipse(c, px, py);
            break;
        default:
            hit = true;  // a text comment anywhere inside its box
    }
    return hit ? CommentAnswer::kHit : CommentAnswer::kNoMatch;
}

bool hasHittableComment(const std::vector<SchematicComment>& comments) {
    for (const SchematicComment& c : comments) {
        if (isFigure(c.kind)) return true;
    }
    return false;
}

// The answer once pins and blocks are known not to be hit.
bool onlyWiresBeyondObjects(const Module& module, const std::vector<SchematicComment>& comments,
                            int x, int y) {
    // Wires come before comments in the hit test, so a comment only counts
    // where no wire passes; the comments are the cheaper question.
    if (!hitsComment(comments, x, y)) return true;
    return hitsWire(module, x, y);
}

}  // namespace

bool hitsWire(const Module& module, int x, int y) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            if (s.text == kTempRouteText) continue;
            const bool across = isVertical(s) &&
                                std::llabs(static_cast<std::int64_t>(x) - s.x0) < 4 &&
                                lowY(s) <= y && y <= highY(s);
            const bool along = isHorizontal(s) &&
                               std::llabs(static_cast<std::int64_t>(y) - s.y0) < 4 &&
                               lowX(s) <= x && x <= highX(s);
            if (across || along) return true;
        }
    }
    return false;
}

bool hitsComment(const std::vector<SchematicComment>& comments, int x, int y) {
    for (const SchematicComment& c : comments) {
        const CommentAnswer answer = commentAnswer(c, x, y);
        if (answer == CommentAnswer::kHit) return true;
        if (answer == CommentAnswer::kNothing) return false;
    }
    return false;
}

bool hitsOnlyWiresDirect(const Module& module, const std::vector<SchematicComment>& comments, int x,
                         int y) {
    struct Box {
        std::int64_t left, top, right, bottom;
    };
    bool hit = false;
    forEachObjectBox<Box>(module, [&](const Box& box) { hit = hit || inside(box, x, y); });
    return !hit && onlyWiresBeyondObjects(module, comments, x, y);
}

CleanupHitTest::CleanupHitTest(const Module& module, const std::vector<SchematicComment>& comments)
    : module_(module), comments_(comments), hasComments_(hasHittableComment(comments)) {
    forEachObjectBox<Box>(module, [this](const Box& box) { add(box); });
}

void CleanupHitTest::add(const Box& box) {
    const auto index = static_cast<std::uint32_t>(boxes_.size());
    boxes_.push_back(box);
    const std::int64_t cx0 = box.left >> kCellShift, cx1 = box.right >> kCellShift;
    const std::int64_t cy0 = box.top >> kCellShift, cy1 = box.bottom >> kCellShift;
    if (cx1 < cx0 || cy1 < cy0) return;  // an empty box holds no point
    if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > kMaxCellsPerBox) {
        oversized_.push_back(index);
        return;
    }
    for (std::int64_t cx = cx0; cx <= cx1; ++cx) {
        for (std::int64_t cy = cy0; cy <= cy1; ++cy) cells_[cellKey(cx, cy)].push_back(index);
    }
}

bool CleanupHitTest::hitsPinOrBlock(int x, int y) const {
    for (std::uint32_t i : oversized_) {
        if (inside(boxes_[i], x, y)) return true;
    }
    const auto cell = cells_.find(cellKey(x >> kCellShift, y >> kCellShift));
    if (cell == cells_.end()) return false;
    for (std::uint32_t i : cell->second) {
        if (inside(boxes_[i], x, y)) return true;
    }
    return false;
}

bool CleanupHitTest::hitsOnlyWires(int x, int y) const {
    return !hitsPinOrBlock(x, y) && onlyWiresBeyondObjects(module_, comments_, x, y);
}

}  // namespace corvane
