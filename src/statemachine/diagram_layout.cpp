#include "statemachine/diagram_layout.h"

#include <algorithm>
#include <cmath>

#include "platform/text_metrics.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

constexpr double kQuarterTurn = 1.57079632679485;
constexpr double kFullTurn = 6.2831853071794;
constexpr int kCircumferencePerState = 400;

// Splits `text` into pieces of at most `length` code points, never inside a
// UTF-8 sequence.
std::vector<std::string> cutIntoPieces(const std::string& text, std::size_t length) {
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && count == length) {
            pieces.push_back(std::move(piece));
            piece.clear();
            count = 0;
        }
        if (!continuation) ++count;
        piece += text[i];
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));
    return pieces;
}

}  // namespace

DiagramSize layoutStatesOnCircle(std::vector<StateNode>& states, DiagramSize size) {
    if (states.empty()) return size;
    const double n = static_cast<double>(states.size());
    const int radius = static_cast<int>(n * kCircumferencePerState / kFullTurn);
    const DiagramSize canvas{2 * radius + 512, 2 * radius + 300};
    const int cx = radius + 256;
    const int cy = radius + 150;
    double angle = kQuarterTurn;
    for (StateNode& state : states) {
        state.x = cx + static_cast<int>(std::cos(angle) * radius);
        state.y = cy - static_cast<int>(std::sin(angle) * radius);
        angle += kFullTurn / n;
    }
    return canvas;
}

std::string transitionLabelKey(const StateNode& state, const Transition& transition) {
    return toLowerAscii(state.name) + ":" + toLowerAscii(transition.target);
}

void buildTransitionLabels(const std::vector<StateNode>& states, TransitionLabels& labels) {
    for (const StateNode& state : states) {
        for (const Transition& transition : state.transitions) {
            TransitionLabel& label = labels[transitionLabelKey(state, transition)];
            label = TransitionLabel{};
            if (!transition.condition.empty()) {
                label.lines.push_back({0, replaceAll(transition.condition, "$", " ")});
            }
            for (const auto& [target, value] : transition.assignments) {
                const std::string text = replaceAll(target + " <= " + value, "$", " ");
                for (std::string& piece : cutIntoPieces(text, kLabelPieceLength)) {
                    label.lines.push_back({1, std::move(piece)});
                }
            }
        }
    }
}

int labelColumns(const TransitionLabel& label) {
    int widest = 0;
    for (const LabelLine& line : label.lines) {
        widest = std::max(widest, TextMetrics::columns(line.text));
    }
    return widest;
}

Rect labelInnerBox(const TransitionLabel& label, Point offset) {
    const long long w = static_cast<long long>(labelColumns(label)) * kLabelCharWidth;
    const long long h = static_cast<long long>(label.lines.size()) * kLabelLineHeight;
    const long long x = static_cast<long long>(label.x) - offset.x;
    const long long y = static_cast<long long>(label.y) - offset.y;
    const bool left = label.quadrant == 0 || label.quadrant == 1;
    const bool above = label.quadrant == 0 || label.quadrant == 3;
    const long long boxLeft = left ? x - w - 4 : x + 4;
    const long long boxTop = above ? y - h - 4 : y + 4;
    auto clamp = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30));
    };
    return {clamp(boxLeft), clamp(boxTop), clamp(boxLeft + w), clamp(boxTop + h)};
}

}  // namespace corvane
