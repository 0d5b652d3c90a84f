// The part of the schematic window's hit test that the clean-up asks: does a
// point hit a pin, a block or a comment, or nothing but wires?
//
// The window's hit test tries, in order, module pins, blocks, wires and
// comments, and the first match wins; so a comment only counts at a point no
// wire passes. Pins and blocks do not move while a clean-up pass runs, so they
// are indexed once per pass; wires are read from the module at each question.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "database/records.h"
#include "schematic/schematic_comment.h"

namespace corvane {

class CleanupHitTest {
public:
    // Keeps a reference to `module`, whose wires it reads at each question,
    // and a copy of the comments.
    CleanupHitTest(const Module& module, const std::vector<SchematicComment>& comments);
    CleanupHitTest(const Module&& module, const std::vector<SchematicComment>& comments) = delete;

    // True when the hit test at (x, y) finds a wire or nothing: no pin symbol,
    // block (grown by 3), comment or comment handle.
    bool hitsOnlyWires(int x, int y) const;

    // Whether the answer depends on wires: only when a comment can be hit.
    bool dependsOnWires() const { return hasComments_; }

private:
    struct Box {
        std::int64_t left, top, right, bottom;
    };

    void add(const Box& box);
    bool hitsPinOrBlock(int x, int y) const;

    const Module& module_;
    std::vector<SchematicComment> comments_;
    bool hasComments_ = false;
    std::vector<Box> boxes_;
    std::unordered_map<std::int64_t, std::vector<std::uint32_t>> cells_;
    std::vector<std::uint32_t> oversized_;  // boxes that span too many cells to index
};

// The same question answered by scanning every pin and block, without the index.
bool hitsOnlyWiresDirect(const Module& module, const std::vector<SchematicComment>& comments, int x,
                         int y);

// The wire test of the hit test: some segment of some net, other than a
// hand-routing guide, passes within 3 of (x, y) across its direction.
bool hitsWire(const Module& module, int x, int y);

// The comment part of the hit test: true when a comment or one of its handles
// is hit, false when nothing is (including a corner of a shape that has no
// handle there, which ends the hit test with nothing hit).
bool hitsComment(const std::vector<SchematicComment>& comments, int x, int y);

}  // namespace corvane
