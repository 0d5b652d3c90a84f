#include "schematic/schematic_undo.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

SchematicSnapshot snapshotWithCanvasWidth(int width) {
    SchematicSnapshot snapshot;
    snapshot.canvas = {width, 100};
    return snapshot;
}

TEST(UndoHistory, OnlyTheLastSixteenStatesCanBeReached) {
    UndoHistory history;
    for (int edit = 1; edit <= 20; ++edit) history.record(snapshotWithCanvasWidth(edit));
    EXPECT_EQ(history.size(), 16u);
    EXPECT_FALSE(history.canRedo());
    int reached = 20;
    while (const SchematicSnapshot* s = history.undo()) reached = s->canvas.width;
    EXPECT_EQ(reached, 5);
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.redo()->canvas.width, 6);
}

TEST(UndoHistory, RecordingAfterAnUndoDropsTheRedoStates) {
    UndoHistory history;
    for (int edit = 1; edit <= 3; ++edit) history.record(snapshotWithCanvasWidth(edit));
    history.undo();
    history.undo();
    history.record(snapshotWithCanvasWidth(9));
    EXPECT_EQ(history.size(), 2u);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo()->canvas.width, 1);
    EXPECT_EQ(history.undo(), nullptr);
}

TEST(Snapshot, RestoresPlacesRoutesAndCommentsOfWhatStillExists) {
    testing::ModuleBuilder b("top");
    b.pin("a", 0);
    const int always = b.always({"clk"}, 7);
    b.use("a", kKindAlways, always, testing::kRead);
    Module module = b.module;
    SensitivityPlaces places;
    places.fit(module);
    module.pins[0].x = 10;
    module.alwaysBlocks[0].x = 50;
    module.alwaysBlocks[0].ports[0].x = 20;
    places.entriesOf(0)[0].x = 30;
    module.nets["a"].route = {{10, 0, 20, 0, {}}};
    module.nets["a"].touch = {{5, 2}};
    std::vector<SchematicComment> comments{makeMarkerComment()};
    CanvasSize canvas{400, 300};
    const SchematicSnapshot before = takeSnapshot(module, places, canvas, comments);

    module.pins[0].x = 99;
    module.alwaysBlocks[0].x = 99;
    module.alwaysBlocks[0].ports[0].x = 99;
    places.entriesOf(0)[0].x = 99;
    module.nets["a"].route.clear();
    module.nets["a"].touch.clear();
    module.nets["new"];  // a net the snapshot does not know keeps its shape
    comments.push_back(SchematicComment{});
    canvas = {1, 1};
    restoreSnapshot(before, module, places, canvas, comments);

    EXPECT_EQ(module.pins[0].x, 10);
    EXPECT_EQ(module.alwaysBlocks[0].x, 50);
    EXPECT_EQ(module.alwaysBlocks[0].ports[0].x, 20);
    EXPECT_EQ(places.entriesOf(0)[0].x, 30);
    EXPECT_EQ(module.nets["a"].route.size(), 1u);
    EXPECT_EQ(module.nets["a"].touch.at(5), 2);
    EXPECT_EQ(comments.size(), 1u);
    EXPECT_EQ(canvas, (CanvasSize{400, 300}));

    // A module that lost its pin and block since still takes the rest.
    module.pins.clear();
    module.alwaysBlocks.clear();
    restoreSnapshot(before, module, places, canvas, comments);
    EXPECT_EQ(module.nets["a"].route.size(), 1u);
}

}  // namespace
}  // namespace corvane
