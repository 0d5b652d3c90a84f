#include "schematic/level_layout.h"

#include <algorithm>

#include "schematic/block_access.h"

namespace corvane {

namespace {

// Column table rows per column count, for levels 0, 1, 2.
constexpr Column kColumns[3][3] = {
    {{4288, 48}, {4288, 48}, {4288, 48}},
    {{4288, 48}, {8384, 1072}, {8384, 48}},
    {{4288, 48}, {8384, 1072}, {12480, 560}},
};

// New level of a block at `level` reached by a net of class `netClass`.
int raisedLevel(int level, int netClass) {
    if (level == kLevelMiddle) return netClass;
    if (level == kLevelInput && netClass == kLevelOutput) return kLevelOutput;
    return level;
}

}  // namespace

int netSideClass(const Module& module, const Net& net) {
    bool input = false;
    for (const Terminal& terminal : net.terminals) {
        if (terminal.kind != kKindPin) continue;
        const Pin* pin = elementAt(module.pins, terminal.index);
        if (!pin) continue;
        if (pin->direction == 1) return kLevelOutput;
        if (pin->direction == 0 || pin->direction == 2) input = true;
    }
    return input ? kLevelInput : kLevelMiddle;
}

BlockLevels computeBlockLevels(const Module& module) {
    BlockLevels result;
    for (int kind = kKindAssign; kind <= kKindInitial; ++kind) {
        result.levels[static_cast<std::size_t>(kind - kKindAssign)].assign(
            blockCountOf(module, kind), kLevelMiddle);
    }
    for (const auto& [name, net] : module.nets) {
        const int netClass = netSideClass(module, net);
        for (const Terminal& terminal : net.terminals) {
            if (!isBlockKind(terminal.kind) || terminal.index < 0) continue;
            if (static_cast<std::size_t>(terminal.index) >= blockCountOf(module, terminal.kind)) {
                continue;
            }
            int& level = result.of(terminal.kind, terminal.index);
            level = raisedLevel(level, netClass);
        }
    }
    return result;
}

void compactLevels(BlockLevels& levels) {
    const auto any = [&levels](int wanted) {
        return std::any_of(levels.levels.begin(), levels.levels.end(), [wanted](const auto& kind) {
            return std::find(kind.begin(), kind.end(), wanted) != kind.end();
        });
    };
    if (!any(kLevelInput)) {
        for (auto& kind : levels.levels) {
            for (int& level : kind) --level;
        }
    } else if (!any(kLevelMiddle)) {
        for (auto& kind : levels.levels) {
            for (int& level : kind) {
                if (level == kLevelOutput) level = kLevelMiddle;
            }
        }
    }
}

int columnCount(const Module& module) {
    const std::size_t blocks = blockCount(module);
    return static_cast<int>(std::clamp<std::size_t>(blocks, 1, 3));
}

Column columnOf(int columns, int level) {
    const int row = std::clamp(columns, 1, 3) - 1;
    return kColumns[row][std::clamp(level, 0, 2)];
}

int rightPinX(int columns) {
    return columns * 4096 + 4276;
}

}  // namespace corvane
