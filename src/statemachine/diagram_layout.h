// The layout of a state transition diagram: the states on one big circle and
// one label per pair of states connected by transitions.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "statemachine/state_machine.h"

namespace corvane {

// A label's anchor before the drawing placed it: far outside every canvas.
inline constexpr int kUnplacedLabel = -16384;

// Label text metrics: 6 units per character, 12 per line, for the 12-pixel font.
inline constexpr int kLabelCharWidth = 6;
inline constexpr int kLabelLineHeight = 12;
// Assignment lines are cut into pieces of at most this many characters.
inline constexpr std::size_t kLabelPieceLength = 56;

struct LabelLine {
    int kind = 0;  // 0 condition, 1 assignment
    std::string text;
};

struct TransitionLabel {
    int x = kUnplacedLabel;  // anchor in canvas coordinates
    int y = kUnplacedLabel;
    int quadrant = 0;  // side of the anchor the box is drawn on, 0-3
    int ax = 0;        // the arrow point of the leader line, window coordinates
    int ay = 0;
    std::vector<LabelLine> lines;

    bool placed() const { return x != kUnplacedLabel || y != kUnplacedLabel; }
};

using TransitionLabels = std::map<std::string, TransitionLabel>;

struct DiagramSize {
    int width = 1024;
    int height = 1024;
    bool operator==(const DiagramSize&) const = default;
};

// Places the states counter-clockwise on a circle of 400 units of
// circumference per state, the first at the top, and returns the canvas
// that holds them. With no states nothing changes and `size` is returned.
DiagramSize layoutStatesOnCircle(std::vector<StateNode>& states, DiagramSize size);

// The key of a transition's label: lower-case state name ":" lower-case target.
std::string transitionLabelKey(const StateNode& state, const Transition& transition);

// Finds or inserts the label of every transition, resets it to unplaced and
// fills its lines: the condition, then every assignment "target <= value"
// cut into 56-character pieces. Transitions between the same two states
// share one label, which shows the last of them.
void buildTransitionLabels(const std::vector<StateNode>& states, TransitionLabels& labels);

// The label box's inner rectangle (the 4-unit frame not included) in window
// coordinates, for drawing and hit-testing alike; `offset` is the scroll
// position. Its width is the longest line's characters times 6, its height
// the lines times 12.
Rect labelInnerBox(const TransitionLabel& label, Point offset);

// The longest line of a label in characters (wide characters count two).
int labelColumns(const TransitionLabel& label);

}  // namespace corvane
