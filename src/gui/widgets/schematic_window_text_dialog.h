// The text entry dialog of the schematic window: a multi-line edit, OK,
// Cancel and "&Style...", which opens "Configure TextBox Style" on the
// dialog's face, point size and colour.
#pragma once

#include <QDialog>
#include <QTimer>

#include "platform/ui_host.h"
#include "schematic/schematic_dlg.h"

class QPlainTextEdit;
class QPushButton;

namespace corvane {

class SchematicTextDialog final : public QDialog {
    Q_OBJECT
public:
    SchematicTextDialog(QWidget* parent, UiHost& ui, const CommentTextEntry& preset);

    // The entry with the edit's text, lines joined by CR LF.
    CommentTextEntry entry() const;
    QPlainTextEdit* edit() const { return edit_; }
    QPushButton* styleButton() const { return style_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    void chooseStyle();
    void showFont();

    UiHost& ui_;
    CommentTextEntry entry_;
    QPlainTextEdit* edit_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* style_;
    QTimer layoutTimer_;
};

}  // namespace corvane
