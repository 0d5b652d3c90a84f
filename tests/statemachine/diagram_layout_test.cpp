// The diagram's circle layout and the label texts built from transitions.
#include "statemachine/diagram_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::vector<StateNode> statesNamed(std::initializer_list<const char*> names) {
    std::vector<StateNode> states;
    for (const char* name : names) states.push_back(StateNode{name, {}, 0, 0});
    return states;
}

TEST(CircleLayout, ThreeStatesAndTheFillerStandOnAQuarterGrid) {
    std::vector<StateNode> states = statesNamed({"IDLE", "RUN", "DONE", kFillerStateName});
    const DiagramSize canvas = layoutStatesOnCircle(states, {});
    // R = trunc(4 * 400 / 2 pi) = 254; the first state at the top, then
    // counter-clockwise as seen on the screen.
    EXPECT_EQ(canvas, (DiagramSize{1020, 808}));
    EXPECT_EQ(Point(states[0].x, states[0].y), Point(510, 150));
    EXPECT_EQ(Point(states[1].x, states[1].y), Point(256, 404));
    EXPECT_EQ(Point(states[2].x, states[2].y), Point(510, 658));
    EXPECT_EQ(Point(states[3].x, states[3].y), Point(764, 404));
}

TEST(CircleLayout, SizesFollowTheStateCountAndNoStatesChangeNothing) {
    for (const auto& [count, width, height] :
         {std::tuple{1, 638, 426}, std::tuple{5, 1148, 936}, std::tuple{31, 4458, 4246}}) {
        std::vector<StateNode> states(static_cast<std::size_t>(count));
        EXPECT_EQ(layoutStatesOnCircle(states, {}), (DiagramSize{width, height})) << count;
    }
    std::vector<StateNode> none;
    EXPECT_EQ(layoutStatesOnCircle(none, {1024, 1024}), (DiagramSize{1024, 1024}));
}

Transition transition(const char* target, const char* condition,
                      std::map<std::string, std::string> assignments) {
    return Transition{target, condition, std::move(assignments)};
}

std::string linesOf(const TransitionLabel& label) {
    std::string text;
    for (const LabelLine& line : label.lines) {
        text += std::to_string(line.kind) + ":" + line.text + "|";
    }
    return text;
}

TEST(TransitionLabels, OneLabelPerStatePairShowingTheLastTransition) {
    std::vector<StateNode> states = statesNamed({"Idle", "Run"});
    states[0].transitions = {transition("RUN", "(go)", {{"busy", "1"}}),
                             transition("RUN", "(not (go))", {{"busy", "0"}, {"ack", "x$y"}}),
                             transition("", "", {{"done", "0"}})};
    states[1].transitions = {transition("IDLE", "", {})};
    TransitionLabels labels;
    labels["idle:run"].x = 77;  // a placed label is reset by the build
    buildTransitionLabels(states, labels);

    ASSERT_EQ(labels.size(), 3u);
    const TransitionLabel& shared = labels.at("idle:run");
    EXPECT_EQ(linesOf(shared), "0:(not (go))|1:ack <= x y|1:busy <= 0|");
    EXPECT_FALSE(shared.placed());
    EXPECT_EQ(shared.quadrant, 0);
    EXPECT_EQ(linesOf(labels.at("idle:")), "1:done <= 0|");
    EXPECT_EQ(linesOf(labels.at("run:idle")), "");
}

TEST(TransitionLabels, LongAssignmentsAreCutInto56CharacterPieces) {
    std::vector<StateNode> states = statesNamed({"s"});
    const std::string value(130, 'v');
    states[0].transitions = {transition("s", "", {{"out", value}})};
    TransitionLabels labels;
    buildTransitionLabels(states, labels);
    const std::string text = "out <= " + value;  // 137 characters
    const std::vector<LabelLine>& lines = labels.at("s:s").lines;
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, text.substr(0, 56));
    EXPECT_EQ(lines[1].text, text.substr(56, 56));
    EXPECT_EQ(lines[2].text, text.substr(112));
    EXPECT_EQ(labelColumns(labels.at("s:s")), 56);
}

TEST(TransitionLabels, PiecesNeverSplitACharacter) {
    std::vector<StateNode> states = statesNamed({"s"});
    std::string value;
    for (int i = 0; i < 60; ++i) value += "\xC3\xA9";  // e with acute accent
    states[0].transitions = {transition("s", "", {{"q", value}})};
    TransitionLabels labels;
    buildTransitionLabels(states, labels);
    const std::vector<LabelLine>& lines = labels.at("s:s").lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "q <= " + value.substr(0, 51 * 2));
    EXPECT_EQ(lines[1].text, value.substr(51 * 2));
}

TEST(LabelBox, QuadrantsPlaceTheBoxAroundTheAnchor) {
    TransitionLabel label;
    label.x = 100;
    label.y = 200;
    label.lines = {{0, "abcd"}, {1, "ab"}};  // 24 x 24
    const Point offset{10, 20};              // the anchor is at (90, 180) in the window
    const Rect expected[] = {
        {62, 152, 86, 176}, {62, 184, 86, 208}, {94, 184, 118, 208}, {94, 152, 118, 176}};
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
        label.quadrant = quadrant;
        EXPECT_EQ(labelInnerBox(label, offset), expected[quadrant]) << quadrant;
    }
}

}  // namespace
}  // namespace corvane
