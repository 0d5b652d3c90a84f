// The splash window shown while the program starts: titled "crvn_splash",
// centred on the screen, above other windows, without a taskbar entry,
// deaf to Enter and Escape, and closed by itself after 1500 ms.
#pragma once

#include <QWidget>
#include <string>

namespace corvane {

class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 1500;

    explicit SplashWindow(const std::string& version, QWidget* parent = nullptr);

    // Shows the window centred on the primary screen and starts its timer.
    void showCentred();

protected:
    void keyPressEvent(class QKeyEvent* event) override;
    void paintEvent(class QPaintEvent* event) override;

private:
    QString version_;
};

}  // namespace corvane
