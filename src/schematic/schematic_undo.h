// The undo history of a schematic window: snapshots of everything an edit
// can move, at most 16 of them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/canvas_size.h"
#include "schematic/schematic_comment.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

struct SchematicSnapshot {
    struct BlockPlace {
        Point place;
        std::vector<Point> ports;
    };
    struct NetShape {
        std::vector<Point> terminals;
        std::vector<Segment> route;
        std::map<int, int> touch;
    };
    std::vector<Point> pins;
    CanvasSize canvas;
    std::vector<BlockPlace> blocks;  // every block in the order of forEachBlock
    std::vector<std::vector<LabelBox>> sensitivity;
    std::map<std::string, NetShape> nets;
    std::vector<SchematicComment> comments;
};

SchematicSnapshot takeSnapshot(const Module& module, const SensitivityPlaces& sensitivity,
                               CanvasSize canvas, const std::vector<SchematicComment>& comments);

// Writes a snapshot back. Objects the module no longer has are skipped, so a
// snapshot taken before the module changed restores what still fits.
void restoreSnapshot(const SchematicSnapshot& snapshot, Module& module,
                     SensitivityPlaces& sensitivity, CanvasSize& canvas,
                     std::vector<SchematicComment>& comments);

class UndoHistory {
public:
    static constexpr std::size_t kLimit = 16;

    // Drops the snapshots after the current one, appends `snapshot` and makes
    // it current; the oldest goes when more than kLimit are held.
    void record(SchematicSnapshot snapshot);
    void clear() { snapshots_.clear(), position_ = 0; }
    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < static_cast<int>(snapshots_.size()); }
    // The snapshot to restore, or nullptr when there is none.
    const SchematicSnapshot* undo();
    const SchematicSnapshot* redo();
    int position() const { return position_; }
    std::size_t size() const { return snapshots_.size(); }

private:
    std::vector<SchematicSnapshot> snapshots_;
    int position_ = 0;
};

}  // namespace corvane
