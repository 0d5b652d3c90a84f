#include "gui/widgets/schematic_window_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace corvane {

namespace {

constexpr int kIconSize = 20;

void drawLetter(QPainter& p, const QString& letter, bool bold = true) {
    QFont font = p.font();
    font.setPixelSize(14);
    font.setBold(bold);
    p.setFont(font);
    p.drawText(QRectF(0, 0, kIconSize, kIconSize), Qt::AlignCenter, letter);
}

void drawMagnifier(QPainter& p, bool plus) {
    p.drawEllipse(QRectF(3, 3, 10, 10));
    p.drawLine(QPointF(12, 12), QPointF(17, 17));
    p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
    if (plus) p.drawLine(QPointF(8, 5.5), QPointF(8, 10.5));
}

void drawIcon(QPainter& p, SchematicCommand command) {
    using C = SchematicCommand;
    switch (command) {
        case C::kZoomIn:
            drawMagnifier(p, true);
            break;
        case C::kZoomOut:
            drawMagnifier(p, false);
            break;
        case C::kViewAll:
            p.drawRect(QRectF(3, 3, 14, 14));
            p.drawLine(QPointF(6, 6), QPointF(14, 14));
            p.drawLine(QPointF(14, 6), QPointF(6, 14));
            break;
        case C::kToolSelect: {
            QPainterPath arrow;
            arrow.moveTo(5, 3);
            arrow.lineTo(5, 16);
            arrow.lineTo(8.5, 12.5);
            arrow.lineTo(11, 17);
            arrow.lineTo(13, 16);
            arrow.lineTo(10.5, 11.5);
            arrow.lineTo(15, 11.5);
            arrow.closeSubpath();
            p.drawPath(arrow);
            break;
        }
        case C::kToolTextbox:
            drawLetter(p, "A");
            break;
        case C::kToolLine:
            p.drawLine(QPointF(4, 16), QPointF(16, 4));
            break;
        case C::kToolArrow: {
            p.drawLine(QPointF(3, 10), QPointF(16, 10));
            QPainterPath head;
            head.moveTo(17, 10);
            head.lineTo(12, 6.5);
            head.lineTo(12, 13.5);
            head.closeSubpath();
            p.fillPath(head, p.pen().color());
            break;
        }
        case C::kToolRectangle:
            p.drawRect(QRectF(3.5, 5.5, 13, 9));
            break;
        case C::kToolEllipse:
            p.drawEllipse(QRectF(3, 5, 14, 10));
            break;
        case C::kHighlightClock: {
            // A clock waveform.
            const QPointF wave[] = {{2, 14},  {6, 14},  {6, 6},  {10, 6},
                                    {10, 14}, {14, 14}, {14, 6}, {18, 6}};
            p.drawPolyline(wave, 8);
            break;
        }
        case C::kSummaryView:
            p.drawRect(QRectF(3.5, 3.5, 13, 13));
            p.drawLine(QPointF(6, 8), QPointF(14, 8));
            p.drawLine(QPointF(6, 12), QPointF(12, 12));
            break;
        default:
            break;
    }
}

}  // namespace

QIcon schematicToolIcon(SchematicCommand command, qreal devicePixelRatio) {
    QIcon icon;
    for (const qreal ratio : {1.0, devicePixelRatio > 1.0 ? devicePixelRatio : 2.0}) {
        QPixmap pixmap(QSize(kIconSize, kIconSize) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        drawIcon(p, command);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace corvane
