#include "schematic/render_blocks.h"

#include <algorithm>
#include <cstdlib>

namespace corvane {

namespace {

using Sum = long long;

int add(int a, Sum b) {
    return RenderContext::clampedSum(a, b);
}

// How a block is drawn: its own colours and pens, or pink fills, red texts
// and the selection pen when it is selected.
struct BlockLook {
    bool selected = false;
    Color band = kColorWhite;  // band or fill
    Color text = kColorBlack;  // title and labels
    Pen separator;
    Pen frame;
};

BlockLook blockLook(bool selected, Color band, Color text, Pen separator, Pen frame) {
    if (selected) {
        return {true, kColorSelectedFill, kColorSelection, selectionPen(), selectionPen()};
    }
    return {false, band, text, separator, frame};
}

void drawFrame(Canvas& dc, const BlockEdges& edges, const Pen& pen) {
    dc.setPen(pen);
    dc.setBrush(nullBrush());
    dc.drawRectangle({edges.left, edges.top, edges.right, edges.bottom});
}

// A title on the block's top edge, opaque on `background`.
void drawTitle(const RenderContext& context, int x, int y, const std::string& title,
               Color background, Color color) {
    Canvas& dc = context.dc();
    dc.setFont(context.schematicFont());
    dc.setTextBackground(true, background);
    dc.setTextColor(color);
    context.drawCentredText(x, context.sy(offsetBy(y, -8)), title);
    dc.setTextBackground(false, background);
}

// The short line across a block edge at a port's connection point, with the current pen.
void drawStub(const RenderContext& context, int x, int y) {
    const int sy = context.sy(y);
    context.dc().drawLine({context.sx(offsetBy(x, -4)), sy}, {context.sx(offsetBy(x, 4)), sy});
}

// A port label beside its connection point: left of it on the right edge
// (direction 1), right of it otherwise; `raise` pixels higher than usual.
// Not drawn when its top would lie above the surface.
void drawPortLabel(const RenderContext& context, const Pin& port, const std::string& label,
                   int raise) {
    const int x = port.direction == 1
                      ? context.sx(offsetBy(port.x, -static_cast<Sum>(port.width) - 8))
                      : context.sx(offsetBy(port.x, 8));
    const int y = add(context.sy(offsetBy(port.y, -8)), -static_cast<Sum>(raise));
    if (y < 0) return;
    context.dc().drawText({x, y}, label);
}

// Fills a band of `bandHeight` pixels at the block's top and the rest of it white.
void drawBand(const RenderContext& context, const BlockEdges& edges, int width, int bandHeight,
              Color band) {
    const int right = add(edges.left, context.scaled(width));
    const int bandBottom = add(edges.top, bandHeight);
    context.dc().fillRectangle({edges.left, edges.top, right, bandBottom}, band);
    context.dc().fillRectangle({edges.left, bandBottom, right, edges.bottom}, kColorWhite);
}

void drawSeparator(const RenderContext& context, const BlockEdges& edges, int bandHeight,
                   const Pen& pen) {
    const int y = add(edges.top, bandHeight);
    context.dc().setPen(pen);
    context.dc().drawLine({edges.left, y}, {edges.right, y});
}

void drawGate(const RenderContext& context, const BlockEdges& edges, AssignSymbol symbol) {
    Canvas& dc = context.dc();
    const int c = static_cast<int>((static_cast<Sum>(edges.left) + edges.right) / 2);
    const int m = static_cast<int>((static_cast<Sum>(edges.top) + edges.bottom) / 2);
    const int e = context.scaled(21);
    const int back = add(c, -static_cast<Sum>(e));
    const int tip = add(c, e);
    dc.drawPolyline({{back, edges.top}, {tip, m}, {back, edges.bottom}, {back, edges.top}});
    dc.drawLine({edges.left, m}, {back, m});
    const bool inverter = symbol == AssignSymbol::kInverter;
    dc.drawLine({inverter ? add(edges.right, 9) : edges.right, m}, {tip, m});
    if (inverter) {
        // The bubble is filled white over the output line that runs through it.
        dc.setBrush(solidBrush(kColorWhite));
        dc.drawEllipse({tip, add(m, -4), add(tip, 8), add(m, 4)});
    }
}

void drawAssign(const RenderContext& context, const Assign& assign) {
    Canvas& dc = context.dc();
    const BlockEdges edges = blockEdges(context, assign.x, assign.y, assign.width, assign.height);
    const bool selected = context.selected(kKindAssign, assign.name);
    const Pen pen = selected ? selectionPen() : solidPen(0, kColorBlack);
    const Color textColor = selected ? kColorSelection : kColorBlack;
    const AssignSymbol symbol = assignSymbol(assign);
    if (symbol != AssignSymbol::kNone) {
        dc.setPen(pen);
        drawGate(context, edges, symbol);
    } else {
        dc.fillRectangle({edges.left, edges.top, edges.right, edges.bottom}, kColorWhite);
        drawFrame(dc, edges, pen);
        drawTitle(context, assign.x, assign.y, assignTitle(assign), kColorWhite, textColor);
    }
    dc.setFont(context.schematicFont());
    dc.setTextColor(symbol == AssignSymbol::kNone ? textColor : kColorBlack);
    dc.setPen(solidPen(0, kColorBlack));
    for (const Pin& port : assign.ports) {
        if (port.x == 0) continue;
        if (symbol == AssignSymbol::kNone) drawStub(context, port.x, port.y);
        drawPortLabel(context, port, drawnPinLabel(port), symbol == AssignSymbol::kNone ? 0 : 8);
    }
}

// Stubs with the current pen and labels in the current text colour for every
// port that is drawn (width not 0).
void drawBlockPorts(const RenderContext& context, const std::vector<Pin>& ports, bool ranged) {
    for (const Pin& port : ports) {
        if (port.width == 0) continue;
        drawStub(context, port.x, port.y);
        drawPortLabel(context, port, ranged ? drawnPinLabel(port) : port.displayName, 0);
    }
}

void drawAlways(const RenderContext& context, const Always& always,
                const std::vector<LabelBox>& entries) {
    Canvas& dc = context.dc();
    const BlockEdges edges = blockEdges(context, always.x, always.y, always.width, always.height);
    const BlockLook look = blockLook(
        context.selected(kKindAlways, std::to_string(always.line)), kColorAlwaysBand,
        kColorAlwaysFrame, solidPen(0, kColorAlwaysFrame), solidPen(2, kColorAlwaysFrame));
    const int bandHeight =
        context.scaled(static_cast<int>(std::min<Sum>(always.sensitivity.size(), 1 << 24) * 32));
    drawBand(context, edges, always.width, bandHeight, look.band);
    drawSeparator(context, edges, bandHeight, look.separator);
    drawFrame(dc, edges, look.frame);
    drawTitle(context, always.x, always.y, alwaysTitle(context.module()), look.band, look.text);

    dc.setFont(context.schematicFont());
    dc.setPen(look.frame);
    dc.setTextColor(look.selected ? kColorSelection : kColorSensitivity);
    for (std::size_t i = 0; i < always.sensitivity.size() && i < entries.size(); ++i) {
        const LabelBox& box = entries[i];
        if (box.x == 0) continue;
        drawStub(context, box.x, box.y);
        const std::string label =
            always.sensitivity[i].displayName + edgeSuffix(always.sensitivity[i].edge);
        dc.drawText({context.sx(offsetBy(box.x, 8)), context.sy(offsetBy(box.y, -8))}, label);
    }
    dc.setTextColor(look.text);
    drawBlockPorts(context, always.ports, true);
}

struct ParameterBox {
    std::vector<std::string> lines;
    Rect rect;
};

// The parameter box hangs from the block's bottom-right corner: as wide as
// the widest line plus 16 pixels, one line more than it holds.
ParameterBox parameterBox(const RenderContext& context, const Child& child,
                          const BlockEdges& edges) {
    ParameterBox box{parameterLines(child), {}};
    int widest = 0;
    for (const std::string& line : box.lines) widest = std::max(widest, context.textWidth(line));
    const Sum rows = static_cast<Sum>(box.lines.size()) + 1;
    const int height = context.scaled(static_cast<int>(std::min<Sum>(rows * 16, 1 << 30)));
    box.rect = {edges.right, edges.bottom, add(edges.right, static_cast<Sum>(widest) + 16),
                add(edges.bottom, height)};
    return box;
}

bool showsParameters(const Child& child) {
    return child.viewParam == 1 && !child.overrides.empty();
}

// The canvas a box needs: its right and bottom edges back in canvas units,
// rounded up to the next multiple of 16 above v + 16.
CanvasSize canvasForBox(const RenderContext& context, const Rect& box) {
    const double zoom = context.zoom();
    if (!(zoom > 0)) return {};
    const auto canvasUnits = [zoom](int screen, int scroll) {
        const double v = (static_cast<double>(screen) + scroll) / zoom;
        const int units = v >= 1e9 ? 1000000000 : (v <= -1e9 ? -1000000000 : static_cast<int>(v));
        return (units + 16) / 16 * 16 + 16;
    };
    return {canvasUnits(box.right, context.scrollX()), canvasUnits(box.bottom, context.scrollY())};
}

// Draws the parameter box of `child`; returns the canvas size it needs.
CanvasSize drawParameterBox(const RenderContext& context, const Child& child,
                            const BlockEdges& edges) {
    Canvas& dc = context.dc();
    const ParameterBox box = parameterBox(context, child, edges);
    dc.lighten(box.rect);
    dc.setPen(dottedPen(0, kColorGreen));
    dc.setBrush(nullBrush());
    dc.drawRectangle(box.rect);
    dc.setFont(context.schematicFont());
    dc.setTextColor(kColorGreen);
    const int x = add(edges.right, context.scaled(8));
    const int lineHeight = schematicFontHeight(context.zoom());
    int y = add(edges.bottom, context.scaled(8));
    for (const std::string& line : box.lines) {
        dc.drawText({x, y}, line);
        y = add(y, lineHeight);
    }
    return canvasForBox(context, box.rect);
}

CanvasSize drawChild(const RenderContext& context, const Child& child) {
    Canvas& dc = context.dc();
    const BlockEdges edges = blockEdges(context, child.x, child.y, child.width, child.height);
    const BlockLook look =
        blockLook(context.selected(kKindChild, child.name), kColorInstanceBand, kColorInstanceFrame,
                  solidPen(0, kColorInstanceFrame), solidPen(2, kColorInstanceFrame));
    const int bandHeight = context.scaled(48);
    drawBand(context, edges, child.width, bandHeight, look.band);
    drawSeparator(context, edges, bandHeight, look.separator);
    drawFrame(dc, edges, look.frame);

    CanvasSize needed;
    Pen stubPen = look.frame;
    if (showsParameters(child)) {
        needed = drawParameterBox(context, child, edges);
        stubPen = solidPen(2, kColorInstanceFrame);
    }
    drawTitle(context, child.x, child.y, " Sub module ", look.band, look.text);

    const Color nameColor = look.selected ? kColorSelection : kColorBlack;
    dc.setTextColor(nameColor);
    dc.setFont(context.schematicFont(true));
    context.drawCentredText(child.x, context.sy(offsetBy(child.y, 8)), child.moduleDisplayName);
    dc.setFont(context.schematicFont());
    context.drawCentredText(child.x, context.sy(offsetBy(child.y, 24)), "Instance:" + child.name);

    dc.setPen(stubPen);
    dc.setTextColor(look.text);
    drawBlockPorts(context, child.ports, false);
    return needed;
}

void drawInitial(const RenderContext& context, const Initial& initial) {
    Canvas& dc = context.dc();
    const BlockEdges edges =
        blockEdges(context, initial.x, initial.y, initial.width, initial.height);
    const BlockLook look =
        blockLook(context.selected(kKindInitial, std::to_string(initial.line)), kColorInitialFill,
                  kColorBlack, solidPen(0, kColorDarkGrey), solidPen(2, kColorDarkGrey));
    dc.fillRectangle({edges.left, edges.top, edges.right, edges.bottom}, look.band);
    drawFrame(dc, edges, look.frame);
    drawTitle(context, initial.x, initial.y, " Initial ", look.band, look.text);
    dc.setFont(context.schematicFont());
    dc.setPen(look.frame);
    dc.setTextColor(look.text);
    drawBlockPorts(context, initial.ports, true);
}

}  // namespace

AssignSymbol assignSymbol(const Assign& assign) {
    if (assign.ports.size() != 2) return AssignSymbol::kNone;
    const Pin& a = assign.ports[0];
    const Pin& b = assign.ports[1];
    if (std::llabs(static_cast<Sum>(a.msb) - a.lsb) !=
        std::llabs(static_cast<Sum>(b.msb) - b.lsb)) {
        return AssignSymbol::kNone;
    }
    if (assign.name == assign.expression) return AssignSymbol::kNone;
    const auto& tokens = assign.rhsTokens;
    if (tokens.size() > 1 && (tokens[0].text == "~" || tokens[0].text == "!")) {
        return AssignSymbol::kInverter;
    }
    return AssignSymbol::kBuffer;
}

std::string assignTitle(const Assign& assign) {
    const std::string& expression = assign.expression;
    const bool constant = expression.starts_with('\'') || expression.starts_with('"') ||
                          expression.starts_with("x\"");
    if (assign.ports.size() == 1 && constant) return expression;
    return " Logic ";
}

const char* alwaysTitle(const Module& module) {
    return module.language == kVhdl ? " Process " : " Always ";
}

const char* edgeSuffix(int edge) {
    switch (edge) {
        case 0:
            return " [pos edge]";
        case 1:
            return " [neg edge]";
        default:
            return " [edge]";
    }
}

std::vector<std::string> parameterLines(const Child& child) {
    std::vector<std::string> lines;
    lines.reserve(child.overrides.size());
    for (const ParamOverride& override : child.overrides) {
        lines.push_back(override.displayName + " = " + override.value);
    }
    return lines;
}

BlockEdges blockEdges(const RenderContext& context, int x, int y, int width, int height) {
    const Sum half = width / 2;
    const auto model = [](Sum v) { return RenderContext::clampedSum(v, 0); };
    return {context.sx(model(x - half)), context.sx(model(x + half)), context.sy(y),
            context.sy(model(static_cast<Sum>(y) + height))};
}

void drawAssignBlocks(const RenderContext& context) {
    for (const Assign& assign : context.module().assigns) drawAssign(context, assign);
}

void drawAlwaysBlocks(const RenderContext& context, const SensitivityPlaces& sensitivity) {
    const auto& blocks = context.module().alwaysBlocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        drawAlways(context, blocks[i], sensitivity.entriesOf(static_cast<int>(i)));
    }
}

CanvasSize drawInstanceBlocks(const RenderContext& context, CanvasSize canvas) {
    for (const Child& child : context.module().children) {
        const CanvasSize needed = drawChild(context, child);
        canvas.width = std::max(canvas.width, needed.width);
        canvas.height = std::max(canvas.height, needed.height);
    }
    return canvas;
}

void drawInitialBlocks(const RenderContext& context) {
    for (const Initial& initial : context.module().initialBlocks) drawInitial(context, initial);
}

}  // namespace corvane
