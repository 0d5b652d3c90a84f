// The strip left of the source viewer's text: "[-]" and "[+]" beside the
// first line of every fold region that is not hidden, and the arrow beside
// the pointed line. A click beside a region's first line folds it.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace corvane {

class SourceViewerWindow;

class SourceViewerGutter final : public QWidget {
    Q_OBJECT
public:
    SourceViewerGutter(SourceViewerWindow& window, QPlainTextEdit& text);

    // The top of `controlLine` in gutter coordinates, or -1 when it is not shown.
    int lineTop(int controlLine) const;
    // The control line beside gutter height `y`.
    int lineAt(int y) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    SourceViewerWindow& window_;
    QPlainTextEdit& text_;
};

}  // namespace corvane
