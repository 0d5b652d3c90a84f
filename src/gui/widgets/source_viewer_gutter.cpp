#include "gui/widgets/source_viewer_gutter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "gui/qt_canvas.h"
#include "gui/widgets/source_viewer_window.h"
#include "platform/text_metrics.h"

namespace corvane {

namespace {

constexpr int kMarkerFontHeight = 12;
constexpr int kArrowLeft = 26;

}  // namespace

SourceViewerGutter::SourceViewerGutter(SourceViewerWindow& window, QPlainTextEdit& text)
    : QWidget(&window), window_(window), text_(text) {
    setFixedWidth(SourceViewerWindow::kGutterWidth);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The gutter and the text's viewport are siblings in the window; their
// vertical distance turns viewport heights into gutter heights.
static int viewportOffset(const QWidget& gutter, const QPlainTextEdit& text) {
    return text.viewport()->mapTo(gutter.window(), QPoint(0, 0)).y() -
           gutter.mapTo(gutter.window(), QPoint(0, 0)).y();
}

int SourceViewerGutter::lineTop(int controlLine) const {
    const QTextBlock block = text_.document()->findBlockByNumber(controlLine);
    if (!block.isValid()) {
        return -1;
    }
    const QRect rect = text_.cursorRect(QTextCursor(block));
    if (rect.bottom() < 0 || rect.top() > text_.viewport()->height()) {
        return -1;
    }
    return rect.top() + viewportOffset(*this, text_);
}

int SourceViewerGutter::lineAt(int y) const {
    return text_.cursorForPosition(QPoint(0, y - viewportOffset(*this, text_))).blockNumber();
}

void SourceViewerGutter::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setFont(qtFont(Font{fontRuleFace(), kMarkerFontHeight, 400}));
    painter.setPen(Qt::black);

    const int first = lineAt(0);
    const int last = lineAt(height());
    const std::vector<GutterMarker> markers = window_.viewer().gutterMarkers();
    auto marker = std::lower_bound(markers.begin(), markers.end(), first,
                                   [](const GutterMarker& m, int line) { return m.controlLine < line; });
    for (; marker != markers.end() && marker->controlLine <= last; ++marker) {
        const int top = lineTop(marker->controlLine);
        if (top >= 0) {
            painter.drawText(QPoint(0, top + 2 + painter.fontMetrics().ascent()),
                             marker->collapsed ? "[+]" : "[-]");
        }
    }

    const int pointed = lineTop(window_.viewer().pointedControlLine());
    if (pointed >= 0) {
        const int middle = pointed + text_.fontMetrics().height() / 2;
        const QPoint arrow[] = {{kArrowLeft, middle - 5}, {kArrowLeft + 8, middle},
                                {kArrowLeft, middle + 5}};
        painter.setBrush(QColor(0, 128, 0));
        painter.drawPolygon(arrow, 3);
    }
}

void SourceViewerGutter::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    window_.toggleFold(lineAt(event->position().toPoint().y()));
}

}  // namespace corvane
