#include "schematic/block_layout.h"

#include <algorithm>
#include <set>
#include <string>

#include "schematic/block_access.h"

namespace corvane {

namespace {

// Which labels count as already seen on a block.
enum class DuplicateRule {
    kShared,   // one set for both edges (assign)
    kPerEdge,  // one set per edge (always, initial)
    kNone,     // no duplicate test (instance)
};

struct PortCounts {
    int left = 0;    // drawn left-edge ports
    int right = 0;   // drawn right-edge ports
    int widest = 0;  // largest label width of the drawn ports
    std::vector<bool> drawn;
};

bool onRightEdge(const Pin& port) {
    return port.direction == 1;
}

// Measures every port's label and marks the duplicates. `leftNames` are the
// names already on the left edge before the first port (an always block's
// sensitivity entries): a left-edge port of such a name, with or without a
// range in its label, is not drawn again.
PortCounts measurePorts(std::vector<Pin>& ports, DuplicateRule rule, bool ranged,
                        const std::set<std::string>& leftNames,
                        const SchematicTextMeasure& measure) {
    PortCounts counts;
    counts.drawn.assign(ports.size(), false);
    std::set<std::string> leftSeen, rightSeen;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        Pin& port = ports[i];
        const bool right = onRightEdge(port);
        const std::string label = ranged ? pinLabel(port) : port.name;
        std::set<std::string>* seen = nullptr;
        if (rule == DuplicateRule::kShared) seen = &leftSeen;
        if (rule == DuplicateRule::kPerEdge) seen = right ? &rightSeen : &leftSeen;
        port.height = kPortHeight;
        const bool named = !right && seen && leftNames.count(port.name) != 0;
        if (named || (seen && !seen->insert(label).second)) {
            port.width = 0;
            port.x = 0;
            port.y = 0;
            continue;
        }
        counts.drawn[i] = true;
        port.width = measure.width(label);
        ++(right ? counts.right : counts.left);
        counts.widest = std::max(counts.widest, port.width);
    }
    return counts;
}

// Positions the drawn ports, each edge in vector order from row `firstRow`.
void placePorts(std::vector<Pin>& ports, const PortCounts& counts, int centre, int width,
                int firstRowY, int firstRow) {
    int leftRow = firstRow;
    int rightRow = firstRow;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        if (!counts.drawn[i]) continue;
        Pin& port = ports[i];
        int& row = onRightEdge(port) ? rightRow : leftRow;
        port.x = onRightEdge(port) ? centre + width / 2 : centre - width / 2;
        port.y = firstRowY + kBlockRowPitch * row;
        ++row;
    }
}

int rows(const PortCounts& counts) {
    return std::max(counts.left, counts.right);
}

constexpr int kPlainFirstRow = 16;     // first row offset of assign, always, initial
constexpr int kInstanceFirstRow = 64;  // below the instance block's three title lines

}  // namespace

void layoutAssign(Assign& block, const SchematicTextMeasure& measure) {
    const PortCounts counts = measurePorts(block.ports, DuplicateRule::kShared, true, {}, measure);
    block.width = round32(2 * counts.widest + 80);
    block.height = rows(counts) * kBlockRowPitch;
    placePorts(block.ports, counts, block.x, block.width, block.y + kPlainFirstRow, 0);
}

void layoutAlways(Always& block, std::vector<LabelBox>& sensitivity, bool vhdl,
                  const SchematicTextMeasure& measure) {
    sensitivity.resize(block.sensitivity.size());
    std::set<std::string> sensitivityNames;
    int widest = 0;
    for (std::size_t i = 0; i < block.sensitivity.size(); ++i) {
        sensitivityNames.insert(block.sensitivity[i].name);
        sensitivity[i].width = measure.width(block.sensitivity[i].name);
        sensitivity[i].height = kPortHeight;
        widest = std::max(widest, sensitivity[i].width);
    }
    const PortCounts counts =
        measurePorts(block.ports, DuplicateRule::kPerEdge, true, sensitivityNames, measure);
    widest = std::max(widest, counts.widest);
    const int entries = static_cast<int>(sensitivity.size());
    const int title = measure.width(vhdl ? " Process " : " Always ");
    block.width = round32(std::max(title, 2 * widest + 80));
    block.height = (entries + rows(counts)) * kBlockRowPitch;
    const int firstRowY = block.y + kPlainFirstRow;
    for (int i = 0; i < entries; ++i) {
        sensitivity[static_cast<std::size_t>(i)].x = block.x - block.width / 2;
        sensitivity[static_cast<std::size_t>(i)].y = firstRowY + kBlockRowPitch * i;
    }
    placePorts(block.ports, counts, block.x, block.width, firstRowY, entries);
}

void layoutChild(Child& block, const SchematicTextMeasure& measure) {
    const PortCounts counts = measurePorts(block.ports, DuplicateRule::kNone, false, {}, measure);
    const int sub = measure.width(" Sub module ");
    const int moduleTitle = measure.width(block.moduleDisplayName) + 16;
    const int instanceTitle = measure.width("Instance:" + block.name) + 16;
    block.width = round32(std::max({instanceTitle, moduleTitle, sub, 2 * counts.widest + 80}));
    block.height = rows(counts) * kBlockRowPitch + 48;
    placePorts(block.ports, counts, block.x, block.width, block.y + kInstanceFirstRow, 0);
}

void layoutInitial(Initial& block, const SchematicTextMeasure& measure) {
    const PortCounts counts = measurePorts(block.ports, DuplicateRule::kPerEdge, true, {}, measure);
    const int title = measure.width(" Initial ");
    block.width = round32(std::max(title, 2 * counts.widest + 80));
    block.height = rows(counts) * kBlockRowPitch;
    placePorts(block.ports, counts, block.x, block.width, block.y + kPlainFirstRow, 0);
}

void layoutBlock(Module& module, SensitivityPlaces& sensitivity, int kind, int index,
                 const SchematicTextMeasure& measure) {
    switch (kind) {
        case kKindAssign:
            if (Assign* block = elementAt(module.assigns, index)) layoutAssign(*block, measure);
            return;
        case kKindAlways:
            if (Always* block = elementAt(module.alwaysBlocks, index)) {
                sensitivity.fit(module);
                layoutAlways(*block, sensitivity.entriesOf(index), module.language == kVhdl,
                             measure);
            }
            return;
        case kKindChild:
            if (Child* block = elementAt(module.children, index)) layoutChild(*block, measure);
            return;
        case kKindInitial:
            if (Initial* block = elementAt(module.initialBlocks, index)) {
                layoutInitial(*block, measure);
            }
            return;
        default:
            return;
    }
}

void layoutAllBlocks(Module& module, SensitivityPlaces& sensitivity,
                     const SchematicTextMeasure& measure) {
    sensitivity.fit(module);
    for (Assign& block : module.assigns) layoutAssign(block, measure);
    for (std::size_t i = 0; i < module.alwaysBlocks.size(); ++i) {
        layoutAlways(module.alwaysBlocks[i], sensitivity.entriesOf(static_cast<int>(i)),
                     module.language == kVhdl, measure);
    }
    for (Child& block : module.children) layoutChild(block, measure);
    for (Initial& block : module.initialBlocks) layoutInitial(block, measure);
}

void measureModulePins(Module& module, const SchematicTextMeasure& measure, PinWidthRule rule) {
    for (Pin& pin : module.pins) {
        const int width = measure.width(pinLabel(pin));
        pin.width = rule == PinWidthRule::kRounded ? round32(width) : width;
        pin.height = kPortHeight;
    }
}

void remeasureSchematic(Module& module, SensitivityPlaces& sensitivity,
                        const SchematicTextMeasure& measure) {
    layoutAllBlocks(module, sensitivity, measure);
    measureModulePins(module, measure, PinWidthRule::kPlain);
}

}  // namespace corvane
