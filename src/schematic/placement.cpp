#include "schematic/placement.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "schematic/block_access.h"
#include "schematic/block_layout.h"
#include "schematic/level_layout.h"

namespace corvane {

namespace {

constexpr int kFirstPinY = 64;
constexpr int kPinPitch = 64;
constexpr std::int64_t kCoordinateLimit = 0x3FFFFFFF;  // keeps later sums within int

int clampCoordinate(std::int64_t value) {
    return static_cast<int>(std::min(value, kCoordinateLimit));
}

void placeModulePins(Module& module, int columns) {
    std::int64_t leftY = kFirstPinY;
    std::int64_t rightY = kFirstPinY;
    for (Pin& pin : module.pins) {
        const bool right = pin.direction == 1 || pin.direction == 2;
        std::int64_t& y = right ? rightY : leftY;
        pin.x = right ? rightPinX(columns) : kLeftPinX;
        pin.y = clampCoordinate(y);
        y += kPinPitch;
    }
}

}  // namespace

void layoutFromScratch(Module& module, SensitivityPlaces& sensitivity,
                       const SchematicTextMeasure& measure, int interval) {
    sensitivity.fit(module);
    BlockLevels levels = computeBlockLevels(module);
    compactLevels(levels);
    const int columns = columnCount(module);

    placeModulePins(module, columns);
    measureModulePins(module, measure, PinWidthRule::kRounded);

    std::array<std::int64_t, 3> runningY{};
    for (int level = 0; level < 3; ++level) {
        runningY[static_cast<std::size_t>(level)] = columnOf(columns, level).firstY;
    }
    const std::int64_t gap = static_cast<std::int64_t>(interval) * 32;
    forEachBlock(module, [&](int kind, int index, auto& block) {
        const int level = std::clamp(levels.of(kind, index), 0, 2);
        std::int64_t& y = runningY[static_cast<std::size_t>(level)];
        block.x = columnOf(columns, level).x;
        block.y = clampCoordinate(y);
        layoutBlock(module, sensitivity, kind, index, measure);
        y += block.height + gap;
    });
}

}  // namespace corvane
