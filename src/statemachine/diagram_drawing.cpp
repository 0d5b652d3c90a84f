#include "statemachine/diagram_drawing.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "statemachine/diagram_geometry.h"
#include "statemachine/same_state.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kLabelFill = rgb(224, 224, 224);
constexpr Color kConditionEven = rgb(128, 0, 0);
constexpr Color kConditionOdd = rgb(0, 0, 255);
constexpr Color kAssignmentEven = rgb(0, 128, 255);
constexpr Color kAssignmentOdd = rgb(192, 128, 128);

Point toWindow(Point canvasPoint, Point offset) {
    return {canvasPoint.x - offset.x, canvasPoint.y - offset.y};
}

void drawArrow(Canvas& dc, const ArrowGeometry& arrow, Point offset) {
    for (std::size_t i = 0; i + 1 < arrow.lines.size(); i += 2) {
        dc.drawLine(toWindow(arrow.lines[i], offset), toWindow(arrow.lines[i + 1], offset));
    }
    const Point tip = toWindow(arrow.head.tip, offset);
    dc.drawLine(tip, toWindow(arrow.head.left, offset));
    dc.drawLine(tip, toWindow(arrow.head.right, offset));
}

// Places a label that is not placed yet at the arrow's anchor, on the side
// the arrow chose, and points its leader line at the anchor.
void attachLabel(TransitionLabel& label, const ArrowGeometry& arrow, Point offset) {
    if (!label.placed()) {
        label.quadrant = arrow.quadrant;
        label.x = arrow.anchor.x;
        label.y = arrow.anchor.y;
    }
    const Point leader = toWindow(arrow.anchor, offset);
    label.ax = leader.x;
    label.ay = leader.y;
}

// The states a target names by the same-state test, found through indexes of
// the lower-case names and the numeric values, so a large machine does not
// compare every target with every state.
class StateFinder {
public:
    explicit StateFinder(const std::vector<StateNode>& states) {
        for (std::size_t i = 0; i < states.size(); ++i) {
            byName_[toLowerAscii(states[i].name)].push_back(i);
            if (const auto number = stateNumber(states[i].name)) byNumber_[*number].push_back(i);
        }
    }

    // Indices of the matching states, in list order.
    std::vector<std::size_t> find(const std::string& target) const {
        std::vector<std::size_t> found;
        if (const auto it = byName_.find(toLowerAscii(target)); it != byName_.end()) {
            found = it->second;
        }
        if (const auto number = stateNumber(target)) {
            if (const auto it = byNumber_.find(*number); it != byNumber_.end()) {
                found.insert(found.end(), it->second.begin(), it->second.end());
            }
        }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        return found;
    }

private:
    std::unordered_map<std::string, std::vector<std::size_t>> byName_;
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> byNumber_;
};

// Arrows drawn by one pass at most: far beyond any readable diagram, it keeps
// a machine-made block of thousands of like-named states from stalling a paint.
constexpr int kMaxArrowsPerPass = 65536;

void drawTransition(Canvas& dc, DiagramScene& scene, const StateFinder& finder, std::size_t from,
                    const Transition& transition, Point offset, int& arrowsLeft) {
    if (arrowsLeft <= 0) return;
    const StateNode& p = scene.states[from];
    const auto found = scene.labels.find(transitionLabelKey(p, transition));
    const Point centre{scene.canvas.width / 2, scene.canvas.height / 2};
    for (const std::size_t to : finder.find(transition.target)) {
        if (arrowsLeft <= 0) return;
        --arrowsLeft;
        const StateNode& q = scene.states[to];
        const std::optional<ArrowGeometry> arrow =
            to == from ? selfLoop({p.x, p.y}, centre) : stateArrow({p.x, p.y}, {q.x, q.y});
        if (!arrow) continue;
        drawArrow(dc, *arrow, offset);
        if (found != scene.labels.end()) attachLabel(found->second, *arrow, offset);
    }
}

void drawLabel(Canvas& dc, TransitionLabel& label, Point offset) {
    const int columns = labelColumns(label);
    const Rect box = labelInnerBox(label, offset);
    const int h = static_cast<int>(label.lines.size()) * kLabelLineHeight;
    dc.drawLine({label.ax, label.ay}, {box.left + columns * 3, box.top + h / 2});
    const Rect frame{box.left - 4, box.top - 4, box.right + 4, box.bottom + 4};
    dc.fillRectangle(frame, kLabelFill);
    dc.drawPolyline({{frame.left, frame.top},
                     {frame.right, frame.top},
                     {frame.right, frame.bottom},
                     {frame.left, frame.bottom},
                     {frame.left, frame.top}});
    int counter = 0;
    for (std::size_t i = 0; i < label.lines.size(); ++i) {
        const LabelLine& line = label.lines[i];
        const Point at{box.left, box.top + kLabelLineHeight * static_cast<int>(i)};
        if (line.kind == 0) {
            dc.setTextColor(counter % 2 == 1 ? kConditionOdd : kConditionEven);
            ++counter;
            dc.drawText(at, line.text);
            dc.drawText({at.x + 1, at.y}, line.text);
        } else {
            dc.setTextColor(counter % 2 == 1 ? kAssignmentOdd : kAssignmentEven);
            dc.drawText(at, line.text);
        }
    }
}

}  // namespace

void drawStates(Canvas& dc, const DiagramScene& scene, Point offset) {
    dc.setPen(solidPen(3, kBlack));
    dc.setBrush(solidBrush(kWhite));
    dc.setFont(Font{scene.face, 16, 700});
    dc.setTextBackground(true, kDiagramBackground);
    dc.setTextColor(kBlack);
    for (const StateNode& state : scene.states) {
        if (state.name == kFillerStateName) continue;
        const Point c = toWindow({state.x, state.y}, offset);
        dc.drawEllipse(
            {c.x - kStateRadius, c.y - kStateRadius, c.x + kStateRadius, c.y + kStateRadius});
        const TextSize extent = dc.textExtent(state.name);
        dc.drawText({c.x - extent.width / 2, c.y - extent.height / 2}, state.name);
    }
}

void drawTransitionArrows(Canvas& dc, DiagramScene& scene, Point offset) {
    dc.setPen(solidPen(2, kBlack));
    const StateFinder finder(scene.states);
    int arrowsLeft = kMaxArrowsPerPass;
    for (std::size_t from = 0; from < scene.states.size(); ++from) {
        for (const Transition& transition : scene.states[from].transitions) {
            drawTransition(dc, scene, finder, from, transition, offset, arrowsLeft);
        }
    }
}

void drawTransitionLabels(Canvas& dc, DiagramScene& scene, Point offset) {
    dc.setFont(Font{scene.face, 12, 400});
    dc.setTextBackground(false, kDiagramBackground);
    dc.setPen(dottedPen(1, kBlack));
    for (auto& [key, label] : scene.labels) drawLabel(dc, label, offset);
}

void drawStateDiagram(Canvas& dc, DiagramScene& scene, Point offset) {
    drawStates(dc, scene, offset);
    drawTransitionArrows(dc, scene, offset);
    drawTransitionLabels(dc, scene, offset);
}

}  // namespace corvane
