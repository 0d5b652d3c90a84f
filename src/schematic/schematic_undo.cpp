#include "schematic/schematic_undo.h"

#include "schematic/block_access.h"

namespace corvane {

namespace {

std::vector<Point> portPoints(const std::vector<Pin>& ports) {
    std::vector<Point> points;
    points.reserve(ports.size());
    for (const Pin& port : ports) points.push_back({port.x, port.y});
    return points;
}

void restorePorts(std::vector<Pin>& ports, const std::vector<Point>& points) {
    for (std::size_t i = 0; i < ports.size() && i < points.size(); ++i) {
        ports[i].x = points[i].x;
        ports[i].y = points[i].y;
    }
}

}  // namespace

SchematicSnapshot takeSnapshot(const Module& module, const SensitivityPlaces& sensitivity,
                               CanvasSize canvas, const std::vector<SchematicComment>& comments) {
    SchematicSnapshot snapshot;
    for (const Pin& pin : module.pins) snapshot.pins.push_back({pin.x, pin.y});
    snapshot.canvas = canvas;
    forEachBlock(module, [&](int, int, const auto& block) {
        snapshot.blocks.push_back({{block.x, block.y}, portPoints(block.ports)});
    });
    for (std::size_t i = 0; i < module.alwaysBlocks.size(); ++i) {
        snapshot.sensitivity.push_back(sensitivity.entriesOf(static_cast<int>(i)));
    }
    for (const auto& [name, net] : module.nets) {
        SchematicSnapshot::NetShape& shape = snapshot.nets[name];
        for (const Terminal& t : net.terminals) shape.terminals.push_back({t.x, t.y});
        shape.route = net.route;
        shape.touch = net.touch;
    }
    snapshot.comments = comments;
    return snapshot;
}

void restoreSnapshot(const SchematicSnapshot& snapshot, Module& module,
                     SensitivityPlaces& sensitivity, CanvasSize& canvas,
                     std::vector<SchematicComment>& comments) {
    for (std::size_t i = 0; i < module.pins.size() && i < snapshot.pins.size(); ++i) {
        module.pins[i].x = snapshot.pins[i].x;
        module.pins[i].y = snapshot.pins[i].y;
    }
    canvas = snapshot.canvas;
    std::size_t next = 0;
    forEachBlock(module, [&](int, int, auto& block) {
        if (next >= snapshot.blocks.size()) return;
        const SchematicSnapshot::BlockPlace& place = snapshot.blocks[next++];
        block.x = place.place.x;
        block.y = place.place.y;
        restorePorts(block.ports, place.ports);
    });
    sensitivity.fit(module);
    for (std::size_t i = 0; i < snapshot.sensitivity.size(); ++i) {
        std::vector<LabelBox>& boxes = sensitivity.entriesOf(static_cast<int>(i));
        for (std::size_t e = 0; e < boxes.size() && e < snapshot.sensitivity[i].size(); ++e) {
            boxes[e] = snapshot.sensitivity[i][e];
        }
    }
    for (auto& [name, net] : module.nets) {
        const auto found = snapshot.nets.find(name);
        if (found == snapshot.nets.end()) continue;
        const SchematicSnapshot::NetShape& shape = found->second;
        for (std::size_t t = 0; t < net.terminals.size() && t < shape.terminals.size(); ++t) {
            net.terminals[t].x = shape.terminals[t].x;
            net.terminals[t].y = shape.terminals[t].y;
        }
        net.route = shape.route;
        net.touch = shape.touch;
    }
    comments = snapshot.comments;
}

void UndoHistory::record(SchematicSnapshot snapshot) {
    if (!snapshots_.empty()) snapshots_.resize(static_cast<std::size_t>(position_) + 1);
    snapshots_.push_back(std::move(snapshot));
    position_ = static_cast<int>(snapshots_.size()) - 1;
    if (snapshots_.size() > kLimit) {
        snapshots_.erase(snapshots_.begin());
        --position_;
    }
}

const SchematicSnapshot* UndoHistory::undo() {
    if (!canUndo()) return nullptr;
    return &snapshots_[static_cast<std::size_t>(--position_)];
}

const SchematicSnapshot* UndoHistory::redo() {
    if (!canRedo()) return nullptr;
    return &snapshots_[static_cast<std::size_t>(++position_)];
}

}  // namespace corvane
