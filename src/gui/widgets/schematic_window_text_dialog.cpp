#include "gui/widgets/schematic_window_text_dialog.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/widgets/project_dialogs.h"

namespace corvane {

namespace {

constexpr int kButtonsAboveBottom = 30;
constexpr int kOkFromRight = 164;
constexpr int kCancelFromRight = 82;
constexpr int kStyleFromLeft = 6;
constexpr int kEditFontPixels = 16;
constexpr int kLayoutDelay = 50;

}  // namespace

SchematicTextDialog::SchematicTextDialog(QWidget* parent, UiHost& ui,
                                         const CommentTextEntry& preset)
    : QDialog(parent),
      ui_(ui),
      entry_(preset),
      edit_(new QPlainTextEdit(this)),
      ok_(new QPushButton("OK", this)),
      cancel_(new QPushButton("Cancel", this)),
      style_(new QPushButton("&Style...", this)) {
    setWindowTitle("Corvane");
    QString text = QString::fromStdString(preset.text);
    text.replace("\r\n", "\n");
    edit_->setPlainText(text);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(style_, &QPushButton::clicked, this, &SchematicTextDialog::chooseStyle);
    layoutTimer_.setSingleShot(true);
    connect(&layoutTimer_, &QTimer::timeout, this, &SchematicTextDialog::layOut);
    showFont();
    resize(320, 200);
    layOut();
}

CommentTextEntry SchematicTextDialog::entry() const {
    CommentTextEntry result = entry_;
    QString text = edit_->toPlainText();
    text.replace("\n", "\r\n");
    result.text = text.toStdString();
    return result;
}

void SchematicTextDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutTimer_.start(kLayoutDelay);
}

// The edit fills the dialog above the buttons; OK and Cancel keep their
// distance from the right edge, "&Style..." from the left.
void SchematicTextDialog::layOut() {
    const int buttonHeight = ok_->sizeHint().height();
    const int top = height() - kButtonsAboveBottom;
    const int buttonWidth = kCancelFromRight - 6;
    edit_->setGeometry(6, 6, width() - 12, top - 12);
    ok_->setGeometry(width() - kOkFromRight, top, buttonWidth, buttonHeight - 2);
    cancel_->setGeometry(width() - kCancelFromRight, top, buttonWidth, buttonHeight - 2);
    style_->setGeometry(kStyleFromLeft, top, buttonWidth, buttonHeight - 2);
}

void SchematicTextDialog::showFont() {
    QFont font(QString::fromStdString(entry_.face));
    font.setPixelSize(kEditFontPixels);
    edit_->setFont(font);
}

void SchematicTextDialog::chooseStyle() {
    std::vector<std::string> families;
    for (const QString& family : QFontDatabase::families())
        families.push_back(family.toStdString());
    TextStyleDlg dialog(this, ui_, families, TextStyle{entry_.face, entry_.pt, entry_.color});
    if (dialog.exec() != QDialog::Accepted) return;
    const TextStyle style = dialog.style();
    entry_.face = style.face;
    entry_.pt = style.pt;
    entry_.color = style.color;
    showFont();
}

}  // namespace corvane
