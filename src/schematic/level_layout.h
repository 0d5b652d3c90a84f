// Block levels and the column table of layout from scratch: blocks that feed
// output pins go to the right column, blocks fed by input pins to the left,
// the rest to the middle.
#pragma once

#include <array>
#include <vector>

#include "database/records.h"

namespace corvane {

inline constexpr int kLevelInput = 0;   // left column
inline constexpr int kLevelMiddle = 1;  // middle column
inline constexpr int kLevelOutput = 2;  // right column

// The level of every block, per kind (index kind - 3) and block position.
struct BlockLevels {
    std::array<std::vector<int>, 4> levels;

    int& of(int kind, int index) {
        return levels[static_cast<std::size_t>(kind - kKindAssign)]
                     [static_cast<std::size_t>(index)];
    }
    int of(int kind, int index) const {
        return levels[static_cast<std::size_t>(kind - kKindAssign)]
                     [static_cast<std::size_t>(index)];
    }
};

// A net's side class from its module-pin terminals: 2 when one is an output
// pin, else 0 when one is an input or inout pin, else 1.
int netSideClass(const Module& module, const Net& net);

// Levels before compaction: every block starts in the middle; a block reached
// by a net of class 2 goes right, else one reached by a net of class 0 goes
// left. Terminals whose index lies outside its vector take no part.
BlockLevels computeBlockLevels(const Module& module);

// If no block is at level 0 every level drops by one; otherwise, if no block
// is at level 1, the level-2 blocks drop to 1.
void compactLevels(BlockLevels& levels);

// Number of columns: the number of blocks, limited to 1 to 3.
int columnCount(const Module& module);

// The column x (block centre) and first y (top of the first block) of a level.
struct Column {
    int x = 0;
    int firstY = 0;
};
Column columnOf(int columns, int level);

// x of the module pins on the right side: columns * 4096 + 4276.
int rightPinX(int columns);
inline constexpr int kLeftPinX = 180;

}  // namespace corvane
