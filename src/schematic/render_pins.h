// Module pin symbols: a hexagon per pin pointing the way its signal flows,
// with the label inside, the direction word outside and the pin's comment above.
#pragma once

#include <vector>

#include "schematic/render_context.h"

namespace corvane {

// The six corners of a pin's symbol in model units, P0 (top left) round to
// P5 (top right): input and output pins point right, inout pins both ways,
// a pin of any other direction is a plain box.
std::vector<Point> pinSymbolPoints(const Pin& pin);

// The direction word drawn beside a pin ("INPUT", "OUTPUT", "INOUT"), or
// empty for a pin of undeclared direction.
const char* pinDirectionWord(int direction);

void drawModulePins(const RenderContext& context);

}  // namespace corvane
