#include "gui/widgets/log_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <memory>

#include "diagnostics/log_navigation.h"
#include "platform/text_metrics.h"

namespace corvane {

namespace {

// The view keeps one block per log line: carriage returns are not shown, and
// the Unicode line and paragraph separators (which would break a block where
// the log has no line end) show as blanks.
QString viewText(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.remove(QLatin1Char('\r'));
    result.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    result.replace(QChar::LineSeparator, QLatin1Char(' '));
    return result;
}

}  // namespace

QFont consoleFont() {
    QFont font(QString::fromStdString(fontRuleFace()));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(9);
    return font;
}

LogView::LogView(MessageLog& log, QWidget* parent) : QPlainTextEdit(parent), log_(log) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(consoleFont());
    setAcceptDrops(false);
    setUndoRedoEnabled(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
    bytes_ = std::string(log_.text());
    setPlainText(viewText(bytes_));
    listenerId_ = log_.addListener(
        [this](std::string_view text, std::size_t removedFront) { mirror(text, removedFront); });
}

LogView::~LogView() {
    log_.removeListener(listenerId_);
}

void LogView::mirror(std::string_view text, std::size_t removedFront) {
    bytes_.append(text);
    removedFront = std::min(removedFront, bytes_.size());
    pendingDrops_ += std::count(bytes_.begin(), bytes_.begin() + removedFront, '\n');
    bytes_.erase(0, removedFront);
    pendingText_ += viewText(text);
    if (flushScheduled_) return;
    flushScheduled_ = true;
    QMetaObject::invokeMethod(this, &LogView::flush, Qt::QueuedConnection);
}

void LogView::flush() {
    flushScheduled_ = false;
    if (pendingText_.isEmpty() && pendingDrops_ == 0) return;
    if (pendingText_.size() > static_cast<qsizetype>(log_.capacity())) {
        // More than a full log arrived: show what the log kept.
        setPlainText(viewText(bytes_));
    } else {
        // The log appends at the end and drops whole lines from the front, so
        // the order of the two steps does not change the result.
        QTextCursor cursor(document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(pendingText_);
        if (pendingDrops_ > 0) {
            cursor.movePosition(QTextCursor::Start);
            cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor,
                                static_cast<int>(pendingDrops_));
            cursor.removeSelectedText();
        }
    }
    pendingText_.clear();
    pendingDrops_ = 0;
    scrollToEnd();
}

std::string LogView::caretLineText() const {
    const QString line = textCursor().block().text();
    return line.left(static_cast<qsizetype>(kMaxNavigationLineLength)).toStdString();
}

void LogView::scrollToEnd() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

QMenu* LogView::createPopupMenu() {
    auto* menu = new QMenu(this);
    QAction* copyAction = menu->addAction(QStringLiteral("&Copy\tCtrl+C"));
    connect(copyAction, &QAction::triggered, this, &QPlainTextEdit::copy);
    return menu;
}

void LogView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The ordinary effect (selecting a word) stays; the navigation comes on top.
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (lineHandler_) lineHandler_(caretLineText());
}

void LogView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        std::unique_ptr<QMenu> menu(createPopupMenu());
        menu->exec(event->globalPosition().toPoint());
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void LogView::contextMenuEvent(QContextMenuEvent* event) {
    // The pop-up menu opens on the button press; keyboard requests get it too.
    if (event->reason() == QContextMenuEvent::Mouse) return;
    std::unique_ptr<QMenu> menu(createPopupMenu());
    menu->exec(event->globalPos());
}

}  // namespace corvane
