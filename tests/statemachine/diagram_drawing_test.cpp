// Drawing a state transition diagram: circles, arrows offset to the right of
// their direction of travel, self loops, and the label boxes with their
// leader lines and colours.
#include "statemachine/diagram_drawing.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "statemachine/diagram_geometry.h"

namespace corvane {
namespace {

// The end points of the arrow strokes (the 2-pixel solid lines).
std::vector<Point> linePoints(const std::vector<CanvasCall>& calls) {
    std::vector<Point> points;
    for (const CanvasCall& call : callsOf(calls, CanvasOp::kLine)) {
        if (call.state.pen != solidPen(2, 0)) continue;
        points.insert(points.end(), call.points.begin(), call.points.end());
    }
    return points;
}

TEST(StateArrow, OppositeTransitionsRunParallelOnTheirRightHandSide) {
    const Point a{100, 100};
    const Point b{400, 100};
    const std::optional<ArrowGeometry> there = stateArrow(a, b);
    const std::optional<ArrowGeometry> back = stateArrow(b, a);
    ASSERT_TRUE(there && back);
    // Rightwards on the screen the right-hand side is below, leftwards above.
    EXPECT_EQ(there->lines, (std::vector<Point>{{150, 124}, {350, 124}}));
    EXPECT_EQ(back->lines, (std::vector<Point>{{350, 76}, {150, 76}}));
    EXPECT_EQ(there->head.left, Point(334, 140));
    EXPECT_EQ(there->head.right, Point(334, 108));
    EXPECT_EQ(there->anchor, Point(282, 124));  // two thirds of the way
    EXPECT_EQ(back->anchor, Point(218, 76));
    EXPECT_EQ(there->quadrant, 1);
    EXPECT_EQ(back->quadrant, 3);
    EXPECT_FALSE(stateArrow(a, a));
}

TEST(StateArrow, DiagonalQuadrantsKeepTheBoxOffTheArrow) {
    // Down-left gives 0, up-left 3, up-right 2.
    EXPECT_EQ(stateArrow({400, 100}, {100, 400})->quadrant, 0);
    EXPECT_EQ(stateArrow({400, 400}, {100, 100})->quadrant, 3);
    EXPECT_EQ(stateArrow({100, 400}, {400, 100})->quadrant, 2);
    EXPECT_EQ(stateArrow({100, 100}, {400, 400})->quadrant, 1);
}

TEST(SelfLoop, TheTopStateLoopsUpwardsAwayFromTheCentre) {
    const std::optional<ArrowGeometry> loop = selfLoop({510, 150}, {510, 404});
    ASSERT_TRUE(loop);
    // Legs from 16 left and right of the top point, tip 100 above the centre.
    EXPECT_EQ(loop->lines, (std::vector<Point>{{494, 100}, {510, 50}, {510, 50}, {526, 100}}));
    EXPECT_EQ(loop->head.tip, Point(526, 100));
    EXPECT_EQ(loop->head.left, Point(507, 89));
    EXPECT_EQ(loop->head.right, Point(537, 81));
    EXPECT_EQ(loop->anchor, Point(510, 50));
    EXPECT_EQ(loop->quadrant, 3);  // the box above and to the right of the tip
    EXPECT_EQ(selfLoop({256, 404}, {510, 404})->quadrant, 2);
    EXPECT_EQ(selfLoop({510, 658}, {510, 404})->quadrant, 1);
    EXPECT_FALSE(selfLoop({510, 404}, {510, 404}));
}

class DiagramScene2 : public ::testing::Test {
protected:
    DiagramScene2() {
        states = {StateNode{"A", {}, 100, 100}, StateNode{"B", {}, 400, 100},
                  StateNode{kFillerStateName, {}, 250, 400}};
        states[0].transitions = {Transition{"b", "(go)", {{"busy", "1"}}},
                                 Transition{"", "", {{"idle", "1"}}}};
        states[1].transitions = {Transition{"A", "", {{"busy", "0"}}}};
        buildTransitionLabels(states, labels);
    }

    std::vector<CanvasCall> draw(Point offset) {
        DiagramScene scene{states, labels, {1024, 1024}, "Courier New"};
        drawStateDiagram(canvas, scene, offset);
        return canvas.calls();
    }

    std::vector<StateNode> states;
    TransitionLabels labels;
    RecordingCanvas canvas;
};

TEST_F(DiagramScene2, StatesAreCirclesWithCentredNamesButTheFillerIsNot) {
    const std::vector<CanvasCall> calls = draw({0, 0});
    const std::vector<CanvasCall> ellipses = callsOf(calls, CanvasOp::kEllipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].rect, (Rect{50, 50, 150, 150}));
    EXPECT_EQ(ellipses[0].state.pen, solidPen(3, 0));
    EXPECT_EQ(ellipses[0].state.brush, solidBrush(rgb(255, 255, 255)));
    const std::vector<CanvasCall> name = textCalls(calls, "A");
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].points[0], Point(96, 92));  // 8 x 16 pixels centred on (100, 100)
    EXPECT_EQ(name[0].state.font, (Font{"Courier New", 16, 700}));
    EXPECT_TRUE(name[0].state.opaqueText);
    EXPECT_EQ(name[0].state.textBackground, kDiagramBackground);
    EXPECT_TRUE(textCalls(calls, kFillerStateName).empty());
}

TEST_F(DiagramScene2, ArrowsPlaceTheirLabelsAndUnresolvedOnesStayOutside) {
    const std::vector<CanvasCall> calls = draw({10, 20});
    const std::vector<Point> points = linePoints(calls);
    // A to B (target "b" names B) and B to A, each a line and two head strokes,
    // drawn in window coordinates.
    ASSERT_EQ(points.size(), 12u);
    EXPECT_EQ(points[0], Point(140, 104));
    EXPECT_EQ(points[1], Point(340, 104));

    const TransitionLabel& ab = labels.at("a:b");
    EXPECT_EQ(Point(ab.x, ab.y), Point(282, 124));    // canvas coordinates
    EXPECT_EQ(Point(ab.ax, ab.ay), Point(272, 104));  // window coordinates
    EXPECT_EQ(ab.quadrant, 1);
    const TransitionLabel& unresolved = labels.at("a:");
    EXPECT_FALSE(unresolved.placed());
    EXPECT_EQ(Point(unresolved.ax, unresolved.ay), Point(0, 0));
}

TEST_F(DiagramScene2, LabelBoxesShowConditionsDarkRedTwiceAndOutputsInTheirColour) {
    const std::vector<CanvasCall> calls = draw({0, 0});
    // a:b in quadrant 1 at (282, 124): 2 lines, the longest 9 characters.
    const Rect frame{282 - 54 - 8, 124, 282, 124 + 24 + 8};
    bool filled = false;
    for (const CanvasCall& call : callsOf(calls, CanvasOp::kFill)) {
        if (call.rect == frame && call.color == rgb(224, 224, 224)) filled = true;
    }
    EXPECT_TRUE(filled);
    const std::vector<CanvasCall> condition = textCalls(calls, "(go)");
    ASSERT_EQ(condition.size(), 2u);
    EXPECT_EQ(condition[0].points[0], Point(224, 128));
    EXPECT_EQ(condition[1].points[0], Point(225, 128));
    EXPECT_EQ(condition[0].state.textColor, rgb(128, 0, 0));
    EXPECT_FALSE(condition[0].state.opaqueText);
    EXPECT_EQ(condition[0].state.font, (Font{"Courier New", 12, 400}));
    const std::vector<CanvasCall> output = textCalls(calls, "busy <= 1");
    ASSERT_EQ(output.size(), 1u);
    EXPECT_EQ(output[0].points[0], Point(224, 140));
    EXPECT_EQ(output[0].state.textColor, rgb(192, 128, 128));
    // An unconditional transition's outputs are light blue.
    const std::vector<CanvasCall> plain = textCalls(calls, "busy <= 0");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].state.textColor, rgb(0, 128, 255));

    // The dotted leader from the arrow to the box's middle, and its outline.
    bool leader = false;
    for (const CanvasCall& call : callsOf(calls, CanvasOp::kLine)) {
        if (call.points == std::vector<Point>{{282, 124}, {224 + 27, 128 + 12}}) {
            leader = call.state.pen == dottedPen(1, 0);
        }
    }
    EXPECT_TRUE(leader);
    bool outlined = false;
    for (const CanvasCall& call : callsOf(calls, CanvasOp::kPolyline)) {
        if (call.points.front() == Point(frame.left, frame.top) && call.points.size() == 5) {
            outlined = call.state.pen == dottedPen(1, 0);
        }
    }
    EXPECT_TRUE(outlined);
}

TEST_F(DiagramScene2, NumericTargetsNameTheirStatesAndPlacedLabelsStay) {
    states[0].name = "2'd1";
    states[1].name = "2'b10";
    states[0].transitions = {Transition{"2", "", {}}};
    states[1].transitions = {};
    labels.clear();
    buildTransitionLabels(states, labels);
    labels.at("2'd1:2").x = 700;
    labels.at("2'd1:2").y = 800;
    const std::vector<Point> points = linePoints(draw({0, 0}));
    ASSERT_EQ(points.size(), 6u);  // one arrow: its line and two head strokes
    EXPECT_EQ(Point(labels.at("2'd1:2").x, labels.at("2'd1:2").y), Point(700, 800));
    EXPECT_EQ(labels.at("2'd1:2").ax, 282);
}

}  // namespace
}  // namespace corvane
