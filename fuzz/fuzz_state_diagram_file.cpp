// Arbitrary bytes read as a state diagram file into the labels of a small
// diagram. Reading must never crash or hang; a failed read changes nothing;
// what a successful read leaves is written, and those bytes read into the
// same starting labels write back to the very same bytes.
// tests/fixtures/statemachine/fuzz_seed.qstm is a starting corpus entry.
#include <cstdint>
#include <string>
#include <string_view>

#include "statemachine/state_diagram_file.h"

namespace {

using namespace corvane;

// The labels of a diagram just shown: one placed, one never placed.
TransitionLabels startingLabels() {
    TransitionLabels labels;
    TransitionLabel& placed = labels["idle:run"];
    placed.x = 340;
    placed.y = 120;
    placed.quadrant = 1;
    placed.lines = {{0, "(start)"}, {1, "busy <= 1'b1"}};
    labels["run:"].lines = {{1, "done <= 0"}};
    return labels;
}

// Everything a read may change, and what it must leave alone.
std::string dump(const TransitionLabels& labels) {
    std::string text;
    for (const auto& [key, label] : labels) {
        text += key + '\0' + std::to_string(label.x) + ',' + std::to_string(label.y) + ',' +
                std::to_string(label.quadrant) + ',' + std::to_string(label.ax) + ',' +
                std::to_string(label.ay);
        for (const LabelLine& line : label.lines)
            text += '\0' + std::to_string(line.kind) + line.text;
        text += '\n';
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr DiagramSize kCanvas{1020, 808};
    TransitionLabels labels = startingLabels();
    const std::string before = dump(labels);
    if (!readStateDiagramText(bytes, labels)) {
        if (dump(labels) != before) __builtin_trap();
        return 0;
    }
    const std::string text = stateDiagramFileText(kCanvas, labels);

    TransitionLabels again = startingLabels();
    if (!readStateDiagramText(text, again)) __builtin_trap();
    if (stateDiagramFileText(kCanvas, again) != text) __builtin_trap();
    return 0;
}
