// The console's message log: a read-only text view that mirrors the
// controller's MessageLog (dropping the same whole lines from its front when
// the log is full), in the 9-point face of the font rule, with a right-button
// pop-up menu holding "&Copy\tCtrl+C" and a double click that hands the line
// under the caret to a handler.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <string_view>

#include "diagnostics/message_log.h"

class QMenu;

namespace corvane {

// The 9-point font of both console controls.
QFont consoleFont();

class LogView final : public QPlainTextEdit {
    Q_OBJECT
public:
    LogView(MessageLog& log, QWidget* parent = nullptr);
    ~LogView() override;
    LogView(const LogView&) = delete;
    LogView& operator=(const LogView&) = delete;

    // Called after a double click with the text of the line under the caret.
    void setLineHandler(std::function<void(const std::string& line)> handler) {
        lineHandler_ = std::move(handler);
    }
    // The text of the line under the caret, as UTF-8 without its line end.
    std::string caretLineText() const;
    void scrollToEnd();
    // Shows what the log received since the last flush. Appends are gathered
    // and shown when the event loop next runs, so a long analysis does not
    // lay the view out once per line.
    void flush();
    // The pop-up menu of the right mouse button; the caller owns it.
    QMenu* createPopupMenu();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void mirror(std::string_view text, std::size_t removedFront);

    MessageLog& log_;
    int listenerId_ = 0;
    // The log's bytes as last mirrored: how many lines a trim drops is
    // counted here, since the view holds characters and the log bytes.
    std::string bytes_;
    QString pendingText_;         // appended to the log, not yet shown
    long long pendingDrops_ = 0;  // lines to drop from the front when flushing
    bool flushScheduled_ = false;
    std::function<void(const std::string&)> lineHandler_;
};

}  // namespace corvane
