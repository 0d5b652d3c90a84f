// Drawing a state transition diagram onto a canvas: the state circles, the
// transition arrows and the grey label boxes with their texts.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "statemachine/diagram_layout.h"
#include "statemachine/state_machine.h"

namespace corvane {

// The background colour of every diagram surface; it shows behind state names.
inline constexpr Color kDiagramBackground = rgb(133, 130, 127);

// What one drawing pass needs. Drawing places labels that are not placed yet
// and sets every label's leader point, so the labels are changed.
struct DiagramScene {
    const std::vector<StateNode>& states;
    TransitionLabels& labels;
    DiagramSize canvas;
    std::string face;  // the font rule's face
};

// Draws the diagram with canvas point (offset.x, offset.y) at the surface's
// origin (the scroll position on screen, 0, 0 for copies and prints).
void drawStateDiagram(Canvas& dc, DiagramScene& scene, Point offset);

// The three layers, in the order drawStateDiagram() draws them.
void drawStates(Canvas& dc, const DiagramScene& scene, Point offset);
void drawTransitionArrows(Canvas& dc, DiagramScene& scene, Point offset);
void drawTransitionLabels(Canvas& dc, DiagramScene& scene, Point offset);

}  // namespace corvane
