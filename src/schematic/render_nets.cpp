#include "schematic/render_nets.h"

#include "schematic/block_access.h"

namespace corvane {

namespace {

bool isHotNet(const Module& module, const std::string& hotPinName, const Net& net) {
    if (hotPinName.empty()) return false;
    for (const Terminal& terminal : net.terminals) {
        if (terminal.kind != kKindPin) continue;
        const Pin* pin = elementAt(module.pins, terminal.index);
        if (pin != nullptr && pin->name == hotPinName) return true;
    }
    return false;
}

// The pin of the net's first module-pin terminal, which decides its net view.
const Pin* firstNetPin(const Module& module, const Net& net) {
    for (const Terminal& terminal : net.terminals) {
        if (terminal.kind == kKindPin) return elementAt(module.pins, terminal.index);
    }
    return nullptr;
}

int guideX(int x) {
    return x > kGuideLineThreshold ? x - kGuideLineOffset : x;
}

void drawSegment(const RenderContext& context, const DrawnSegment& segment) {
    context.dc().drawLine(context.map(segment.from.x, segment.from.y),
                          context.map(segment.to.x, segment.to.y));
}

}  // namespace

NetStyle netStyle(const RenderContext& context, const std::string& hotPinName, int position,
                  const Net& net) {
    NetStyle style;
    if (net.color == kHiddenNetColor) {
        style.look = NetLook::kHidden;
        return style;
    }
    const Color color = static_cast<Color>(net.color);
    if (isHotNet(context.module(), hotPinName, net)) {
        return {NetLook::kHot, solidPen(4, kColorHotNet), solidPen(6, kColorHotNet)};
    }
    if (context.selected(kKindWire, std::to_string(position))) {
        return {NetLook::kSelected, selectionPen(), selectionPen()};
    }
    const Pin* pin = firstNetPin(context.module(), net);
    if (pin != nullptr) {
        if (const std::optional<Color> viewed = context.netViewColor(pin->name)) {
            return {NetLook::kNetViewed, solidPen(2, *viewed), solidPen(3, *viewed)};
        }
    }
    return {NetLook::kOwn, solidPen(net.lineWidth, color),
            solidPen(offsetBy(net.lineWidth, 3), color)};
}

std::optional<DrawnSegment> drawnSegment(const Segment& segment) {
    if (segment.x0 == 0 || segment.x1 == 0) return std::nullopt;
    DrawnSegment drawn;
    drawn.guide = segment.x0 > kGuideLineThreshold || segment.x1 > kGuideLineThreshold;
    drawn.from = {guideX(segment.x0), segment.y0};
    drawn.to = {guideX(segment.x1), segment.y1};
    return drawn;
}

void drawNetWires(const RenderContext& context, const std::string& hotPinName) {
    Canvas& dc = context.dc();
    int position = 0;
    for (const auto& [name, net] : context.module().nets) {
        const NetStyle style = netStyle(context, hotPinName, position++, net);
        if (style.look == NetLook::kHidden) continue;
        for (const Segment& segment : net.route) {
            const std::optional<DrawnSegment> drawn = drawnSegment(segment);
            if (!drawn) continue;
            dc.setPen(drawn->guide ? dottedPen(2, kColorGuide) : style.wire);
            drawSegment(context, *drawn);
        }
    }
}

void drawJunctionDots(const RenderContext& context, const std::string& hotPinName) {
    Canvas& dc = context.dc();
    int position = 0;
    for (const auto& [name, net] : context.module().nets) {
        const NetStyle style = netStyle(context, hotPinName, position++, net);
        if (style.look == NetLook::kHidden) continue;
        bool penSet = false;
        for (const auto& [key, count] : net.touch) {
            if (count <= 1) continue;
            if (!penSet) dc.setPen(style.dot), penSet = true;
            const int x = context.sx(key % 65536);
            const int y = context.sy(key / 65536);
            const int x0 = offsetBy(x, -1), x1 = offsetBy(x, 1);
            const int y0 = offsetBy(y, -1), y1 = offsetBy(y, 1);
            dc.drawPolyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
        }
    }
}

void drawNetFeedback(const RenderContext& context) {
    Canvas& dc = context.dc();
    int position = 0;
    for (const auto& [name, net] : context.module().nets) {
        const bool selected = context.selected(kKindWire, std::to_string(position++));
        dc.setPen(selected ? selectionPen() : solidPen(2, kColorGuide));
        for (const Segment& segment : net.route) {
            if (!selected && segment.text != kGuideSegmentText) continue;
            if (const std::optional<DrawnSegment> drawn = drawnSegment(segment)) {
                drawSegment(context, *drawn);
            }
        }
    }
}

}  // namespace corvane
