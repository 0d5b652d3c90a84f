// The clean-up's hit test: pins, blocks and comments block a point, wires do not.
#include "schematic/cleanup_hit_test.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

SchematicComment comment(int kind, int x0, int y0, int x1, int y1) {
    SchematicComment c;
    c.kind = kind;
    c.x0 = x0, c.y0 = y0, c.x1 = x1, c.y1 = y1;
    return c;
}

TEST(CleanupHitTest, CommentShapes) {
    struct Case {
        const char* what;
        std::vector<SchematicComment> comments;
        int x, y;
        bool hit;
    };
    const SchematicComment text = comment(kCommentText, 80, 330, 130, 370);
    const SchematicComment rect = comment(kCommentRect, 80, 330, 130, 370);
    const SchematicComment line = comment(kCommentLine, 0, 0, 100, 100);
    const SchematicComment ellipse = comment(kCommentEllipse, 0, 0, 100, 50);
    const Case cases[] = {
        {"inside a text box", {text}, 100, 350, true},
        {"outside a text box", {text}, 100, 380, false},
        {"a text box corner ends the test with nothing hit", {text, rect}, 81, 331, false},
        {"a rectangle corner is a handle", {rect}, 81, 331, true},
        {"on a rectangle edge", {rect}, 82, 350, true},
        {"inside a rectangle, off its edges", {rect}, 105, 350, false},
        {"on a line", {line}, 50, 52, true},
        {"beside a line", {line}, 50, 60, false},
        {"a line end is a handle", {line}, 98, 99, true},
        {"an ellipse handle", {ellipse}, 50, 2, true},
        {"on an ellipse outline", {ellipse}, 85, 43, true},
        {"inside an ellipse", {ellipse}, 50, 25, false},
        {"the marker record is never hit",
         {comment(kCommentMarker, 0, 0, 500, 500)},
         100,
         100,
         false},
    };
    for (const Case& c : cases) EXPECT_EQ(hitsComment(c.comments, c.x, c.y), c.hit) << c.what;
}

TEST(CleanupHitTest, OnlyWiresMeansNoPinNoBlockAndNoCommentWithoutAWire) {
    Module module;
    Pin pin;
    pin.x = 100, pin.y = 100, pin.width = 32, pin.height = 16;  // x 68..132, y 92..108
    module.pins.push_back(pin);
    Child block;
    block.x = 400, block.y = 100, block.width = 100, block.height = 48;  // grown: 347..453, 97..151
    module.children.push_back(block);
    module.nets["w"].route = {Segment{600, 100, 600, 300, {}}};
    const std::vector<SchematicComment> comments = {comment(kCommentText, 550, 150, 700, 250)};
    struct Case {
        const char* what;
        int x, y;
        bool onlyWires;
    };
    const Case cases[] = {
        {"on the pin symbol", 132, 108, false},
        {"beside the pin symbol", 133, 100, true},
        {"on the grown block", 347, 151, false},
        {"beside the block", 346, 120, true},
        {"on a wire over a comment", 603, 200, true},
        {"on a comment, off the wire", 640, 200, false},
    };
    const CleanupHitTest index(module, comments);
    for (const Case& c : cases) {
        EXPECT_EQ(index.hitsOnlyWires(c.x, c.y), c.onlyWires) << c.what;
        EXPECT_EQ(hitsOnlyWiresDirect(module, comments, c.x, c.y), c.onlyWires) << c.what;
    }
    EXPECT_TRUE(index.dependsOnWires());
    EXPECT_FALSE(CleanupHitTest(module, {}).dependsOnWires());
}

}  // namespace
}  // namespace corvane
