#include "schematic/comment_attach.h"

#include <gtest/gtest.h>

#include "schematic_test_support.h"

namespace corvane {
namespace {

class AttachFixture : public ::testing::Test {
protected:
    AttachFixture() {
        testing::ModuleBuilder b("top");
        b.pin("a", 0);
        b.assign("y");
        module = b.module;
        module.pins[0].x = 100, module.pins[0].y = 100;
        Assign& block = module.assigns[0];
        block.x = 400, block.y = 200, block.width = 60, block.height = 40;  // centre (400, 220)
    }

    static SchematicComment figure(int x0, int y0, int x1, int y1) {
        SchematicComment c;
        c.kind = kCommentRect;
        c.x0 = x0, c.y0 = y0, c.x1 = x1, c.y1 = y1;
        return c;
    }

    Module module;
};

TEST_F(AttachFixture, AttachesToTheNearestObjectAndCentresTheSummaryRectangle) {
    SchematicComment c = figure(380, 150, 420, 170);  // centre (400, 160)
    attachComment(module, c);
    EXPECT_EQ(c.scpType, kKindAssign);
    EXPECT_EQ(c.scpId, 0);
    EXPECT_EQ(c.scpIx, 0);
    EXPECT_EQ(c.scpIy, 60);
    EXPECT_EQ(c.scpSix, 0);
    EXPECT_EQ(c.scpSiy, 60);
    // Centred on (block x - six, block y - siy) = (400, 140), orientation kept.
    EXPECT_EQ(c.sx0, 380);
    EXPECT_EQ(c.sy0, 130);
    EXPECT_EQ(c.sx1, 420);
    EXPECT_EQ(c.sy1, 150);

    SchematicComment nearPin = figure(130, 90, 110, 80);  // drawn right to left
    attachComment(module, nearPin);
    EXPECT_EQ(nearPin.scpType, kKindPin);
    EXPECT_EQ(nearPin.sx0, 130);  // centred on the pin's own offset: unchanged
    EXPECT_EQ(nearPin.sx1, 110);
}

TEST_F(AttachFixture, WithoutObjectsTheCommentKeepsItsCornerAsOffset) {
    Module empty;
    SchematicComment c = figure(10, 20, 30, 40);
    c.sx0 = 7, c.sy0 = 8;
    attachComment(empty, c);
    EXPECT_EQ(c.scpType, -1);
    EXPECT_EQ(c.scpId, 0);
    EXPECT_EQ(c.scpIx, 10);
    EXPECT_EQ(c.scpIy, 20);
    EXPECT_EQ(c.scpSix, 7);
    EXPECT_EQ(c.scpSiy, 8);
}

TEST_F(AttachFixture, AShiftMoveKeepsTheSummaryRectangle) {
    SchematicComment c = figure(380, 150, 420, 170);
    c.sx0 = 1, c.sy0 = 2, c.sx1 = 3, c.sy1 = 4;
    attachComment(module, c, true);
    EXPECT_EQ(c.scpType, kKindAssign);
    EXPECT_EQ((std::vector<int>{c.sx0, c.sy0, c.sx1, c.sy1}), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(AttachFixture, AttachedCommentsFollowTheirObject) {
    std::vector<SchematicComment> comments{makeMarkerComment(), figure(420, 150, 380, 170),
                                           figure(100, 50, 120, 60)};
    for (SchematicComment& c : comments) {
        if (c.kind != kCommentMarker) attachComment(module, c);
    }
    module.assigns[0].x += 32;
    module.assigns[0].y += 16;
    followObject(module, kKindAssign, 0, comments);
    EXPECT_EQ(comments[1].x0, 452);  // right to left kept
    EXPECT_EQ(comments[1].x1, 412);
    EXPECT_EQ(comments[1].y0, 166);
    EXPECT_EQ(comments[2].x0, 100);                  // attached to the pin: stays
    followObject(module, kKindAssign, 5, comments);  // no such block: nothing happens
}

}  // namespace
}  // namespace corvane
