#include "schematic/canvas_size.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::ModuleBuilder;

// One pin with a wide label, one block and one segment, each the extreme in one direction.
Module extentModule() {
    ModuleBuilder b("top");
    b.pin("o", 1);
    b.assign("q");
    b.wire("w");
    Module module = b.module;
    module.pins[0].x = 1000;
    module.pins[0].y = 100;
    module.pins[0].width = 300;
    Assign& block = module.assigns[0];
    block.x = 900;
    block.y = 200;
    block.width = 160;
    block.height = 64;
    module.nets["w"].route.push_back({100, 50, 950, 50, ""});
    return module;
}

TEST(CanvasSize, AfterCleanup) {
    // X = max(1000, 900 + 80, 950) = 1000, Y = max(100, 264, 50) = 264.
    EXPECT_EQ(canvasAfterCleanup(extentModule()), (CanvasSize{1136, 336}));
    EXPECT_EQ(canvasAfterCleanup(Module{}), (CanvasSize{144, 80}));
}

TEST(CanvasSize, AfterFlushCountsLabelWidthsAndComments) {
    const Module module = extentModule();
    // X = 1000 + 300, Y = 264: ((1300 + 32) / 16 + 1) * 16, ((264 + 32) / 16 + 1) * 16.
    EXPECT_EQ(canvasAfterFlush(module, {}), (CanvasSize{1344, 304}));
    SchematicComment comment;
    comment.x0 = 2000;
    comment.y1 = 900;
    EXPECT_EQ(canvasAfterFlush(module, {comment}), (CanvasSize{2048, 944}));
    // Comments never enlarge the canvas after clean-up.
    EXPECT_EQ(canvasAfterCleanup(module), (CanvasSize{1136, 336}));
}

}  // namespace
}  // namespace corvane
