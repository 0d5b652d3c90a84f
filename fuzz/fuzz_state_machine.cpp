// Arbitrary bytes analysed as a Verilog file and as a VHDL file through the
// real front ends, then the state machine extraction on every always block
// or process, and for every machine found its diagram: layout, labels and a
// drawing pass. Every result code must be one of the four defined ones.
#include <unistd.h>

#include <string>

#include "statemachine/diagram_drawing.h"
#include "statemachine/fsm_listing.h"
#include "statemachine/state_extraction.h"
#include "support/fuzz_analysis.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace {

// A surface that draws nothing.
class NullCanvas final : public corvane::Canvas {
public:
    void setPen(const corvane::Pen&) override {}
    void setBrush(const corvane::Brush&) override {}
    void setFont(const corvane::Font&) override {}
    void setTextColor(corvane::Color) override {}
    void setTextBackground(bool, corvane::Color) override {}
    corvane::TextSize textExtent(std::string_view text) override {
        return {static_cast<int>(text.size()) * 8, 16};
    }
    void drawLine(corvane::Point, corvane::Point) override {}
    void drawPolyline(const std::vector<corvane::Point>&) override {}
    void drawPolygon(const std::vector<corvane::Point>&) override {}
    void drawRectangle(const corvane::Rect&) override {}
    void drawEllipse(const corvane::Rect&) override {}
    void fillRectangle(const corvane::Rect&, corvane::Color) override {}
    void drawText(corvane::Point, std::string_view) override {}
    void setClipRect(const corvane::Rect&) override {}
    void clearClip() override {}
    void lighten(const corvane::Rect&) override {}
    std::unique_ptr<corvane::Canvas> createBuffer(int, int) override { return nullptr; }
    void drawBuffer(const corvane::Canvas&, corvane::Point) override {}
};

void analyse(const uint8_t* data, size_t size, const std::string& path,
             corvane::FrontEnds frontEnds) {
    const corvane::ModuleList modules =
        corvane::fuzzing::analyseBytes(data, size, path, std::move(frontEnds));
    NullCanvas canvas;
    for (const corvane::Module& module : modules) {
        for (const corvane::Always& block : module.alwaysBlocks) {
            corvane::StateMachine machine;
            const int result = corvane::extractStateMachine(module, block.line, machine);
            if (result < -3 || result > 0) __builtin_trap();
            if (result != 0) continue;
            const corvane::DiagramSize size = corvane::layoutStatesOnCircle(machine.states, {});
            corvane::TransitionLabels labels;
            corvane::buildTransitionLabels(machine.states, labels);
            corvane::DiagramScene scene{machine.states, labels, size, "Courier New"};
            corvane::drawStateDiagram(canvas, scene, {0, 0});
        }
    }
    corvane::stateMachineListingText(modules);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string stem = "/tmp/corvane-fuzz-fsm-" + std::to_string(getpid());
    analyse(data, size, stem + ".v", corvane::FrontEnds{corvane::parseVerilogModule, {}});
    analyse(data, size, stem + ".vhd", corvane::FrontEnds{{}, corvane::parseVhdlModule});
    return 0;
}
