#include "schematic/render_feedback.h"

#include <cstdlib>

#include "schematic/render_comments.h"
#include "schematic/render_nets.h"
#include "schematic/schematic_comment.h"

namespace corvane {

namespace {

void drawRubber(const RenderContext& context, const SchematicEditView& edit, int toolMode) {
    if (edit.rubberX0 == edit.rubberX1 && edit.rubberY0 == edit.rubberY1) return;
    Canvas& dc = context.dc();
    const Point a = context.map(edit.rubberX0, edit.rubberY0);
    const Point b = context.map(edit.rubberX1, edit.rubberY1);
    const std::vector<Point> outline{a, {b.x, a.y}, b, {a.x, b.y}, a};
    dc.setPen(solidPen(0, kColorDragRect));
    dc.drawPolyline(outline);
    switch (toolMode) {
        case 1:  // text box
        case 4:  // rectangle
            dc.setPen(selectionPen());
            dc.drawPolyline(outline);
            break;
        case 2:
            dc.setPen(selectionPen());
            dc.drawLine(a, b);
            break;
        case 3:
            dc.setPen(selectionPen());
            drawArrow(dc, a.x, a.y, b.x, b.y);
            break;
        case 5:
            drawEllipse(dc, a.x, a.y, b.x, b.y);
            break;
        default:
            break;
    }
}

void drawDragOutline(const RenderContext& context, const DragOutline& drag) {
    Canvas& dc = context.dc();
    const long long x1 = static_cast<long long>(drag.x) + drag.width;
    const long long y1 = static_cast<long long>(drag.y) + drag.height;
    const Point a = context.map(drag.x, drag.y);
    const Point b = context.map(RenderContext::clampedSum(x1, 0), RenderContext::clampedSum(y1, 0));
    const Point topRight{b.x, a.y};
    const Point bottomLeft{a.x, b.y};
    switch (drag.kind) {
        case kKindWire:
            dc.drawLine(a, b);
            break;
        case kCommentLine:
            dc.drawLine(a, b);
            drawHandle(dc, a.x, a.y), drawHandle(dc, b.x, b.y);
            break;
        case kCommentArrow:
            drawArrow(dc, a.x, a.y, b.x, b.y);
            drawHandle(dc, a.x, a.y), drawHandle(dc, b.x, b.y);
            break;
        case kCommentRect:
            dc.drawPolyline({a, topRight, b, bottomLeft, a});
            for (const Point& p : {a, topRight, b, bottomLeft}) drawHandle(dc, p.x, p.y);
            break;
        case kCommentEllipse: {
            drawEllipse(dc, a.x, a.y, b.x, b.y);
            const int midX = static_cast<int>((static_cast<long long>(a.x) + b.x) / 2);
            const int midY = static_cast<int>((static_cast<long long>(a.y) + b.y) / 2);
            for (const Point& p :
                 {Point{a.x, midY}, Point{midX, a.y}, Point{b.x, midY}, Point{midX, b.y}}) {
                drawHandle(dc, p.x, p.y);
            }
            break;
        }
        case kKindPin:
        case kKindAssign:
        case kKindAlways:
        case kKindChild:
        case kKindInitial:
        case kCommentText:
            dc.drawPolyline({a, topRight, b, bottomLeft, a});
            break;
        default:
            // Handles move their comment while dragging; the comment shows it.
            break;
    }
}

void drawHandRouting(const RenderContext& context, const SchematicEditView& edit) {
    Canvas& dc = context.dc();
    dc.setPen(selectionPen());
    for (const auto& [name, net] : context.module().nets) {
        for (const Segment& segment : net.route) {
            if (segment.text.empty() || segment.text == kGuideSegmentText) continue;
            if (const std::optional<DrawnSegment> drawn = drawnSegment(segment)) {
                dc.drawLine(context.map(drawn->from.x, drawn->from.y),
                            context.map(drawn->to.x, drawn->to.y));
            }
        }
    }
    if (!edit.chainInProgress) return;
    const Point candidate = handRoutingCandidate(edit.lastPoint, edit.cursorPoint);
    dc.drawLine(context.map(edit.lastPoint.x, edit.lastPoint.y),
                context.map(candidate.x, candidate.y));
}

}  // namespace

Point handRoutingCandidate(Point last, Point cursor) {
    const long long dx = std::llabs(static_cast<long long>(last.x) - cursor.x);
    const long long dy = std::llabs(static_cast<long long>(last.y) - cursor.y);
    return dx <= dy ? Point{last.x, cursor.y} : Point{cursor.x, last.y};
}

void drawEditFeedback(const RenderContext& context, const SchematicEditView& edit, int toolMode) {
    drawRubber(context, edit, toolMode);
    drawNetFeedback(context);
    context.dc().setPen(selectionPen());
    context.dc().setBrush(nullBrush());
    for (const DragOutline& drag : edit.drags) drawDragOutline(context, drag);
    if (edit.handRouting) drawHandRouting(context, edit);
}

}  // namespace corvane
