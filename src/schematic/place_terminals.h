// Place terminals: run once right after layout from scratch. Copies positions
// into the net terminals, moves each module pin level with the first block
// port it connects to, separates pins left on one row, and sets the sides.
#pragma once

#include "database/records.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

void placeTerminals(Module& module, const SensitivityPlaces& sensitivity);

// Pin alignment (first step of placeTerminals): refreshes every terminal and
// moves the last module pin seen in a net before its first block terminal with
// a port to that terminal's y. Terminals referring to nothing drawable are
// skipped.
void alignPinsWithBlocks(Module& module, const SensitivityPlaces& sensitivity);

// Pin separation (second step): every pin that shares its direction and y with
// a later pin moves down by 16, together with the first kind-0 terminal in
// nets order that refers to it.
void separatePins(Module& module);

}  // namespace corvane
