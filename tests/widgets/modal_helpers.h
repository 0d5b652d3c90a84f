// Answers the next modal dialog of a Qt Test: a timer waits for the dialog
// to open, records what it showed and closes it the way a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>

namespace corvane::testing {

// Calls `answer` with the next modal widget once it is open (within 5 s).
inline void onNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (modal != nullptr) answer(modal);
    });
    timer->start(10);
}

// What a message box showed.
struct ShownMessage {
    QString caption;
    QString text;
    bool shown = false;
};

// Presses `button` in the next message box and keeps its caption and text in `shown`.
inline void answerNextMessageBox(QMessageBox::StandardButton button,
                                 std::shared_ptr<ShownMessage> shown) {
    onNextModal([button, shown](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        shown->caption = box->windowTitle();
        shown->text = box->text();
        shown->shown = true;
        box->button(button)->click();
    });
}

}  // namespace corvane::testing
