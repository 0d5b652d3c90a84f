// What the routing and clean-up passes work on: the module, the comments,
// the sensitivity places, the router's occupancy lists, the canvas size the
// clean-up recomputes and where progress goes. A schematic window lends its
// own; the passes never see the window itself.
#pragma once

#include <vector>

#include "database/records.h"
#include "platform/progress_sink.h"
#include "schematic/canvas_size.h"
#include "schematic/occupancy.h"
#include "schematic/schematic_comment.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

struct SchematicLayoutContext {
    Module& module;
    std::vector<SchematicComment>& comments;
    SensitivityPlaces& sensitivity;
    OccupancyLists& occupancy;
    int& halfWidestBlock;  // half the width of the widest block, set by routing
    CanvasSize& canvas;
    ProgressSink& progress;
};

}  // namespace corvane
