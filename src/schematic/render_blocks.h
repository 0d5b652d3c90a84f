// Blocks: assigns (as a buffer or inverter symbol, or a box), always blocks
// and processes, instances with their parameter boxes, and initial blocks.
#pragma once

#include <string>
#include <vector>

#include "schematic/canvas_size.h"
#include "schematic/render_context.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

// An assign of one signal to another of the same width is drawn as a gate.
enum class AssignSymbol { kNone, kBuffer, kInverter };
AssignSymbol assignSymbol(const Assign& assign);

// The title of an assign drawn as a box: " Logic ", or the constant it assigns.
std::string assignTitle(const Assign& assign);

// " Process " for a VHDL module, " Always " otherwise.
const char* alwaysTitle(const Module& module);

// The text after a sensitivity entry's name: " [pos edge]", " [neg edge]" or " [edge]".
const char* edgeSuffix(int edge);

// The lines of an instance's parameter box: name " = " value per override.
std::vector<std::string> parameterLines(const Child& child);

// Surface edges of a block whose x is its centre and y its top.
struct BlockEdges {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};
BlockEdges blockEdges(const RenderContext& context, int x, int y, int width, int height);

void drawAssignBlocks(const RenderContext& context);
void drawAlwaysBlocks(const RenderContext& context, const SensitivityPlaces& sensitivity);
// Returns the canvas size the parameter boxes need: `canvas`, grown to hold
// every box drawn.
CanvasSize drawInstanceBlocks(const RenderContext& context, CanvasSize canvas);
void drawInitialBlocks(const RenderContext& context);

}  // namespace corvane
