// The progress window: "In progress..." (or the name of the file being
// analysed) above a bar from 0 to 100, centred on the screen, borderless,
// above other windows. It runs on the GUI thread: while the analysis works,
// the window lets the event loop paint at a bounded rate (user input waits
// until the analysis is done).
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <string>

#include "platform/progress_sink.h"

class QLabel;
class QProgressBar;

namespace corvane {

class ProgressWindow final : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    static constexpr int kWidth = 331;
    static constexpr int kHeight = 69;
    // The window appears once a file has taken this long, so short files do not flicker it.
    static constexpr int kShowAfterMilliseconds = 100;
    // Painting, at most this often while the analysis runs.
    static constexpr int kPaintIntervalMilliseconds = 50;

    explicit ProgressWindow(QWidget* parent = nullptr);

    void showProgressFile(const std::string& path) override;
    void setProgress(int percent) override;
    void hideProgress() override;

    // Whether a file is being analysed: the event loop may then run only
    // from inside the analysis, and nothing may start another one.
    bool busy() const { return fileTimer_.isValid(); }

    QLabel* label() const { return label_; }
    QProgressBar* bar() const { return bar_; }

protected:
    void keyPressEvent(class QKeyEvent* event) override;

private:
    void keepPainted();

    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QElapsedTimer fileTimer_;
    QElapsedTimer paintTimer_;
};

}  // namespace corvane
