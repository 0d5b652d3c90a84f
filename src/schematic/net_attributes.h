// Net attributes derived from the design: bus line widths and clock colours.
#pragma once

#include <string_view>

#include "database/records.h"

namespace corvane {

inline constexpr int kBusLineWidth = 3;
inline constexpr int kClockColor = 0x00C000;

// Gives line width 3 to every net with a terminal whose msb and lsb are both
// set and differ. Never lowers a width.
void applyBusWidths(Module& module);

// Whether a net name looks like a clock: it starts with "c", "C", "ck", "CK"
// or "Ck", or contains "clk", "clock", "CLK" or "CLOCK".
bool isClockCandidate(std::string_view name);

// Whether the net is a clock: a candidate name without "rst" or "reset" that
// drives an always block's sensitivity entry or is written by an initial block.
bool isClockNet(std::string_view name, const Net& net);

// Gives every clock net line width 1 and the clock colour when `highlight` is
// 1, else colour 0. Other nets keep their attributes.
void highlightClockNets(Module& module, int highlight);

}  // namespace corvane
