#include "schematic/render_pins.h"

namespace corvane {

namespace {

// The pen and the text colour of a pin: selected, net-viewed or plain.
struct PinLook {
    Pen pen;
    Color text = kColorBlack;
    Color comment = kColorGreen;
};

PinLook pinLook(const RenderContext& context, const Pin& pin) {
    if (context.selected(kKindPin, pin.name)) {
        return {selectionPen(), kColorSelection, kColorSelection};
    }
    if (const std::optional<Color> viewed = context.netViewColor(pin.name)) {
        return {solidPen(2, *viewed), *viewed, kColorGreen};
    }
    return {solidPen(0, kColorBlack), kColorBlack, kColorGreen};
}

void drawPinTexts(const RenderContext& context, const Pin& pin, Point p0, Point p5,
                  const PinLook& look) {
    Canvas& dc = context.dc();
    dc.setFont(context.schematicFont());
    dc.setTextBackground(false, kColorWhite);
    dc.setTextColor(look.text);
    const int y = RenderContext::clampedSum(p0.y, context.scaled(offsetBy(pin.height, -16) / 2));
    dc.drawText({RenderContext::clampedSum(p0.x, context.scaled(16)), y}, drawnPinLabel(pin));

    if (pin.direction == 0 || pin.direction == 2) {
        dc.drawText(
            {RenderContext::clampedSum(p0.x, -static_cast<long long>(context.scaled(80))), y},
            pinDirectionWord(pin.direction));
    } else if (pin.direction == 1) {
        dc.drawText({RenderContext::clampedSum(p5.x, context.scaled(pin.width / 2 + 16)), y},
                    pinDirectionWord(1));
    }

    if (pin.comment.empty() || pin.direction < 0 || pin.direction > 2) return;
    dc.setTextColor(look.comment);
    const int commentY =
        RenderContext::clampedSum(p0.y, -static_cast<long long>(context.scaled(14)));
    const int commentX = pin.direction == 1
                             ? RenderContext::clampedSum(
                                   p5.x, -static_cast<long long>(context.textWidth(pin.comment)))
                             : p0.x;
    dc.drawText({commentX, commentY}, pin.comment);
}

}  // namespace

std::vector<Point> pinSymbolPoints(const Pin& pin) {
    const long long halfWidth = pin.width / 2 + 16;
    const int left = offsetBy(pin.x, -halfWidth);
    const int right = offsetBy(pin.x, halfWidth);
    const int half = pin.height / 2;
    const int top = offsetBy(pin.y, -static_cast<long long>(half));
    const int bottom = offsetBy(pin.y, half);
    std::vector<Point> points{{left, top},     {left, pin.y},  {left, bottom},
                              {right, bottom}, {right, pin.y}, {right, top}};
    if (pin.direction >= 0 && pin.direction <= 2) points[4].x = offsetBy(right, half);
    if (pin.direction == 2) points[1].x = offsetBy(left, -static_cast<long long>(half));
    return points;
}

const char* pinDirectionWord(int direction) {
    switch (direction) {
        case 0:
            return "INPUT";
        case 1:
            return "OUTPUT";
        case 2:
            return "INOUT";
        default:
            return "";
    }
}

void drawModulePins(const RenderContext& context) {
    Canvas& dc = context.dc();
    dc.setBrush(solidBrush(kColorWhite));
    for (const Pin& pin : context.module().pins) {
        std::vector<Point> points = pinSymbolPoints(pin);
        for (Point& point : points) point = context.map(point.x, point.y);
        const PinLook look = pinLook(context, pin);
        dc.setPen(look.pen);
        dc.setBrush(solidBrush(kColorWhite));
        dc.drawPolygon(points);
        drawPinTexts(context, pin, points[0], points[5], look);
    }
}

}  // namespace corvane
