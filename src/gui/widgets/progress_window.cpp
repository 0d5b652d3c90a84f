#include "gui/widgets/progress_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "console/folder_walk.h"

namespace corvane {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("crvn_progress"));
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 10);
    label_ = new QLabel(QStringLiteral("In progress..."), this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setTextVisible(false);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    paintTimer_.start();
}

void ProgressWindow::showProgressFile(const std::string& path) {
    label_->setText(QString::fromStdString(fileNameOfPath(path)));
    bar_->setValue(0);
    fileTimer_.start();
    keepPainted();
}

void ProgressWindow::setProgress(int percent) {
    if (percent < 0 || percent > 99) return;
    bar_->setValue(percent);
    keepPainted();
}

void ProgressWindow::hideProgress() {
    bar_->setValue(0);
    fileTimer_.invalidate();
    if (isVisible()) {
        hide();
        move(0, -256);
    }
}

// Shows the window once the file has taken a while and lets the event loop
// paint it, not more often than the paint interval.
void ProgressWindow::keepPainted() {
    if (!fileTimer_.isValid() || fileTimer_.elapsed() < kShowAfterMilliseconds) return;
    if (paintTimer_.elapsed() < kPaintIntervalMilliseconds) return;
    paintTimer_.restart();
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect desktop = screen->geometry();
            move((desktop.left() + desktop.right() - kWidth) / 2,
                 (desktop.top() + desktop.bottom() - kHeight) / 2);
        }
        show();
        raise();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();  // Enter and Escape do not close it
}

}  // namespace corvane
