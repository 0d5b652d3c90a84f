#include "gui/widgets/splash_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace corvane {

SplashWindow::SplashWindow(const std::string& version, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      version_(QString::fromStdString(version)) {
    setWindowTitle(QStringLiteral("crvn_splash"));
    setFixedSize(360, 150);
}

void SplashWindow::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.left() + desktop.width() / 2 - width() / 2,
             desktop.top() + desktop.height() / 2 - height() / 2);
    }
    show();
    raise();
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape do not close the splash; it closes by its timer.
    event->accept();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(28, 44, 72));
    painter.setPen(QColor(120, 170, 240));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont title = font();
    title.setPixelSize(34);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 22, width(), 50), Qt::AlignCenter, QStringLiteral("Corvane"));
    QFont small = font();
    small.setPixelSize(13);
    painter.setFont(small);
    painter.setPen(QColor(200, 215, 235));
    painter.drawText(QRect(0, 76, width(), 22), Qt::AlignCenter,
                     QStringLiteral("Documentation for Verilog and VHDL designs"));
    painter.drawText(QRect(0, 104, width(), 22), Qt::AlignCenter,
                     QStringLiteral("version ") + version_);
}

}  // namespace corvane
