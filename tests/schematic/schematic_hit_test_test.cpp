#include "schematic/schematic_hit_test.h"

#include <gtest/gtest.h>

#include "schematic/schematic_selection.h"
#include "schematic_test_support.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

// Nets "a" and "w" (position 1). A pin at (100, 100) 40 x 16, an assign 60 x 40 at x 200 (top 80)
// with a port at (170, 90), an instance, a vertical and a horizontal wire, and a text comment over
// empty canvas.
class HitFixture : public ::testing::Test {
protected:
    HitFixture() {
        testing::ModuleBuilder b("top");
        b.pin("a", 0);
        const int assign = b.assign("y");
        b.use("a", kKindAssign, assign, testing::kRead);
        b.child("sub", "u_sub");
        b.wire("w");
        module = b.module;
        Pin& pin = module.pins[0];
        pin.x = 100, pin.y = 100, pin.width = 40, pin.height = 16;
        Assign& block = module.assigns[0];
        block.x = 200, block.y = 80, block.width = 60, block.height = 40;
        block.ports[0].x = 170, block.ports[0].y = 90;
        Child& child = module.children[0];
        child.x = 400, child.y = 300, child.width = 80, child.height = 60;
        using testing::seg;
        module.nets["w"].route = {seg(300, 0, 300, 200), seg(500, 50, 600, 50),
                                  seg(700, 0, 700, 100, "temp-route")};
        SchematicComment text;
        text.kind = kCommentText;
        text.x0 = 600, text.y0 = 400, text.x1 = 680, text.y1 = 440;
        comments.push_back(makeMarkerComment());
        comments.push_back(text);
    }

    SchematicHit hit(int x, int y) const {
        return hitTestSchematic(module, places, comments, {x, y});
    }

    Module module;
    SensitivityPlaces places;
    std::vector<SchematicComment> comments;
};

TEST_F(HitFixture, ObjectsAreHitWithinTheirTolerances) {
    struct Case {
        Point at;
        int kind;
        std::string name;
    };
    const Case cases[] = {
        {{100 - 20 - 16, 100}, kKindPin, "a"},  // pin reach: half width + 16
        {{100 - 20 - 17, 100}, kHitNothing, ""},
        {{100, 108}, kKindPin, "a"},
        {{100, 109}, kHitNothing, ""},
        {{170 - 3, 100}, kKindAssign, "y"},  // block frame + 3
        {{200, 80 + 40 + 3}, kKindAssign, "y"},
        {{200, 80 + 40 + 4}, kHitNothing, ""},
        {{440, 330}, kKindChild, "u_sub"},
        {{303, 100}, kKindWire, "1"},  // a difference below 4
        {{304, 100}, kHitNothing, ""},
        {{550, 53}, kKindWire, "1"},
        {{700, 50}, kHitNothing, ""},  // hand-routing guides are never hit
        {{640, 420}, kCommentText, "1"},
    };
    for (const Case& c : cases) {
        const SchematicHit h = hit(c.at.x, c.at.y);
        EXPECT_EQ(h.kind, c.kind) << c.at.x << "," << c.at.y;
        EXPECT_EQ(h.name, c.name) << c.at.x << "," << c.at.y;
    }
}

TEST_F(HitFixture, BlocksReportThePortNearThePoint) {
    EXPECT_TRUE(hit(171, 91).hasConnection);
    EXPECT_EQ(hit(171, 91).connection, (Point{170, 90}));
    EXPECT_FALSE(hit(174, 90).hasConnection);
    EXPECT_EQ(hit(100, 100).connection, (Point{100, 100}));
}

TEST_F(HitFixture, PinsComeBeforeBlocksAndBlocksBeforeWiresAndComments) {
    module.assigns[0].x = 100;
    module.assigns[0].y = 90;
    EXPECT_EQ(hit(100, 100).kind, kKindPin);
    comments[1].x0 = 280, comments[1].y0 = 90, comments[1].x1 = 320, comments[1].y1 = 120;
    EXPECT_EQ(hit(300, 100).kind, kKindWire);
}

TEST_F(HitFixture, ACornerOfATextBoxHitsNothingEvenAboveAnotherComment) {
    SchematicComment rect;
    rect.kind = kCommentRect;
    rect.x0 = 590, rect.y0 = 390, rect.x1 = 700, rect.y1 = 450;
    comments.push_back(rect);
    for (const Point corner :
         {Point{600, 400}, Point{683, 443}, Point{677, 397}, Point{603, 440}}) {
        EXPECT_EQ(hit(corner.x, corner.y).kind, kHitNothing) << corner.x << "," << corner.y;
    }
    EXPECT_EQ(hit(590, 420).kind, kCommentRect);
}

TEST(CommentHit, HandlesAndBodiesOfEveryKind) {
    auto comment = [](int kind, int x0, int y0, int x1, int y1) {
        SchematicComment c;
        c.kind = kind, c.x0 = x0, c.y0 = y0, c.x1 = x1, c.y1 = y1;
        return c;
    };
    struct Case {
        SchematicComment c;
        Point at;
        int expected;
    };
    const Case cases[] = {
        {comment(kCommentLine, 100, 100, 0, 0), {101, 98}, kHandleLineStart},
        {comment(kCommentLine, 100, 100, 0, 0), {2, 3}, kHandleLineEnd},
        {comment(kCommentLine, 100, 100, 0, 0), {50, 53}, kCommentLine},
        {comment(kCommentLine, 100, 100, 0, 0), {50, 56}, kHitNothing},
        {comment(kCommentLine, 0, 50, 100, 50), {50, 52}, kCommentLine},  // a flat line
        {comment(kCommentArrow, 0, 0, 100, 0), {0, 0}, kHandleArrowStart},
        {comment(kCommentArrow, 0, 0, 100, 0), {100, 3}, kHandleArrowEnd},
        {comment(kCommentRect, 0, 0, 100, 60), {0, 0}, kHandleRectX0Y0},
        {comment(kCommentRect, 0, 0, 100, 60), {100, 0}, kHandleRectX1Y0},
        {comment(kCommentRect, 0, 0, 100, 60), {100, 60}, kHandleRectX1Y1},
        {comment(kCommentRect, 0, 0, 100, 60), {0, 60}, kHandleRectX0Y1},
        {comment(kCommentRect, 0, 0, 100, 60), {50, 3}, kCommentRect},
        {comment(kCommentRect, 0, 0, 100, 60), {50, 30}, kHitNothing},  // inside, off the edges
        {comment(kCommentEllipse, 0, 0, 100, 60), {50, 0}, kHandleEllipseTop},
        {comment(kCommentEllipse, 0, 0, 100, 60), {50, 60}, kHandleEllipseBottom},
        {comment(kCommentEllipse, 0, 0, 100, 60), {0, 30}, kHandleEllipseLeft},
        {comment(kCommentEllipse, 0, 0, 100, 60), {100, 30}, kHandleEllipseRight},
        {comment(kCommentEllipse, 0, 0, 100, 60), {0, 0}, kHitBlockedCorner},
        {comment(kCommentEllipse, 0, 0, 100, 60), {85, 51}, kCommentEllipse},
        {comment(kCommentEllipse, 0, 0, 100, 60), {50, 30}, kHitNothing},
        {comment(kCommentEllipse, 0, 40, 100, 40), {50, 40}, kHandleEllipseTop},  // flat
        {comment(kCommentLine, 0, 0, 100, 100), {100, 0}, kHitBlockedCorner},
        {comment(kCommentMarker, 0, 0, 100, 100), {50, 50}, kHitNothing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitComment(c.c, c.at), c.expected)
            << "kind " << c.c.kind << " at " << c.at.x << "," << c.at.y;
    }
}

TEST_F(HitFixture, RectangleSelectionUsesStrictOverlapInObjectOrder) {
    // The pin spans x 80..120: a rectangle ending at 80 does not overlap it.
    EXPECT_TRUE(selectInRectangle(module, comments, {0, 0}, {80, 200}).empty());
    const SchematicSelection selection = selectInRectangle(module, comments, {81, 0}, {310, 200});
    ASSERT_EQ(selection.size(), 3u);
    EXPECT_EQ(selection[0], (SelectionEntry{kKindPin, "a", 0}));
    EXPECT_EQ(selection[1], (SelectionEntry{kKindAssign, "y", 0}));
    EXPECT_EQ(selection[2], (SelectionEntry{kKindWire, "1", 1}));
    // Corners given the other way round select the same.
    EXPECT_EQ(selectInRectangle(module, comments, {310, 200}, {81, 0}), selection);
}

TEST_F(HitFixture, CommentsNeedToLieWhollyInsideARealRectangle) {
    EXPECT_TRUE(selectInRectangle(module, comments, {590, 390}, {679, 450}).empty());
    const SchematicSelection inside = selectInRectangle(module, comments, {590, 390}, {680, 450});
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(inside[0], (SelectionEntry{kCommentText, "1", 1}));
}

TEST_F(HitFixture, AClickSelectsWhatItHitsAndNothingOnACorner) {
    const SchematicSelection click = selectInRectangle(module, comments, {640, 420}, {640, 420});
    ASSERT_EQ(click.size(), 1u);
    EXPECT_EQ(click[0].kind, kCommentText);
    EXPECT_TRUE(selectInRectangle(module, comments, {600, 400}, {600, 400}).empty());
    EXPECT_TRUE(selectInRectangle(module, comments, {1000, 1000}, {1000, 1000}).empty());
    EXPECT_EQ(selectInRectangle(module, comments, {200, 100}, {200, 100}).at(0).kind, kKindAssign);
}

}  // namespace
}  // namespace corvane
