// Schematic geometry of the sensitivity entries of a module's always blocks.
//
// Sensitivity entries are drawn as the first rows on an always block's left
// edge and carry a connection point and a label box like block ports do. The
// database's Sensitivity record holds no geometry, so the schematic window
// keeps it here, indexed by always block and entry position, and refits the
// table to the module's shape before every operation.
#pragma once

#include <cstddef>
#include <vector>

#include "database/records.h"

namespace corvane {

// Connection point (x, y) and label size of one sensitivity entry.
struct LabelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class SensitivityPlaces {
public:
    // Gives the table one box per sensitivity entry of every always block of
    // `module`, keeping the boxes of entries that were already there.
    void fit(const Module& module);

    // The box of entry `entry` of always block `always`; nullptr when there is none.
    LabelBox* find(int always, int entry);
    const LabelBox* find(int always, int entry) const;

    // The boxes of always block `always` (empty when there is no such block).
    std::vector<LabelBox>& entriesOf(int always);
    const std::vector<LabelBox>& entriesOf(int always) const;

    std::size_t blockCount() const { return boxes_.size(); }
    void clear() { boxes_.clear(); }

private:
    std::vector<std::vector<LabelBox>> boxes_;
    std::vector<LabelBox> none_;  // what entriesOf answers for a missing block; emptied each time
};

}  // namespace corvane
