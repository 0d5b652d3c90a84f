#include "gui/widgets/project_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "gui/qt_canvas.h"

namespace corvane {

namespace {

QDialogButtonBox* addButtons(QDialog& dialog, QDialogButtonBox::StandardButtons which) {
    auto* buttons = new QDialogButtonBox(which, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setDefault(true);
    return buttons;
}

// A point size field followed by "Pt.". Point sizes are unsigned; any size
// the style file can hold is accepted.
QSpinBox* addPointRow(QFormLayout& form, QWidget& owner, int value) {
    auto* point = new QSpinBox(&owner);
    point->setRange(0, std::numeric_limits<int>::max());
    point->setValue(value < 0 ? 0 : value);
    auto* row = new QHBoxLayout;
    row->addWidget(point);
    row->addWidget(new QLabel("Pt.", &owner));
    row->addStretch();
    auto* label = new QLabel("&Point:", &owner);
    label->setBuddy(point);
    form.addRow(label, row);
    return point;
}

// The window a style dialog belongs to: the dialog it was opened from (the
// "Setting" dialog's buttons open the two style dialogs), else `fallback`.
QWidget* ownerOf(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return fallback;
}

}  // namespace

NewProjectDlg::NewProjectDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("New Project");
    name_ = new QLineEdit(this);
    auto* label = new QLabel("Project &Name:", this);
    label->setBuddy(name_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* create = buttons->addButton("Create", QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    create->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(name_);
    layout->addLayout(row);
    layout->addWidget(buttons);
    name_->setFocus();
}

std::string NewProjectDlg::name() const {
    return name_->text().toStdString();
}

std::optional<std::string> runNewProjectDialog(QWidget* parent) {
    NewProjectDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

SettingDlg::SettingDlg(QWidget* parent, std::function<void()> figure, std::function<void()> textbox)
    : QDialog(parent) {
    setWindowTitle("Setting");
    auto* group = new QGroupBox("Default Style of Comment", this);
    figure_ = new QPushButton("&Figure...", group);
    textbox_ = new QPushButton("&Textbox...", group);
    figure_->setAutoDefault(false);
    textbox_->setAutoDefault(false);
    connect(figure_, &QPushButton::clicked, this, [figure = std::move(figure)] {
        if (figure) figure();
    });
    connect(textbox_, &QPushButton::clicked, this, [textbox = std::move(textbox)] {
        if (textbox) textbox();
    });
    auto* row = new QHBoxLayout(group);
    row->addWidget(figure_);
    row->addWidget(textbox_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(addButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
}

ColorSwatch::ColorSwatch(QWidget* parent, UiHost& ui, int color)
    : QWidget(parent), ui_(ui), color_(color) {
    swatch_ = new QFrame(this);
    swatch_->setFrameShape(QFrame::Box);
    swatch_->setMinimumSize(40, 20);
    swatch_->setAutoFillBackground(true);
    button_ = new QPushButton("...", this);
    button_->setAutoDefault(false);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(swatch_);
    row->addWidget(button_);
    row->addStretch();
    connect(button_, &QPushButton::clicked, this, [this] {
        int chosen = color_;
        chooseStyleColor(ui_, chosen);
        setColor(chosen);
    });
    setColor(color);
}

void ColorSwatch::setColor(int color) {
    color_ = color;
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, qtColor(static_cast<Color>(color) & 0xFFFFFFu));
    swatch_->setPalette(palette);
    swatch_->update();
}

LineStyleDlg::LineStyleDlg(QWidget* parent, UiHost& ui, const LineStyle& preset) : QDialog(parent) {
    setWindowTitle("Configure Line Style");
    auto* form = new QFormLayout;
    point_ = addPointRow(*form, *this, preset.pt);
    color_ = new ColorSwatch(this, ui, preset.color);
    auto* colorLabel = new QLabel("&Color:", this);
    colorLabel->setBuddy(color_->button());
    form->addRow(colorLabel, color_);
    disappear_ = new QPushButton("&Disappear", this);
    disappear_->setAutoDefault(false);
    connect(disappear_, &QPushButton::clicked, this, [this] { color_->setColor(kDisappearColor); });
    form->addRow(QString(), disappear_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(addButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    point_->setFocus();
}

LineStyle LineStyleDlg::style() const {
    return LineStyle{point_->value(), color_->color()};
}

TextStyleDlg::TextStyleDlg(QWidget* parent, UiHost& ui,
                           const std::vector<std::string>& fontFamilies, const TextStyle& preset)
    : QDialog(parent), face_(preset.face) {
    setWindowTitle("Configure TextBox Style");
    auto* form = new QFormLayout;
    font_ = new QComboBox(this);
    for (const std::string& family : fontFamilies) font_->addItem(QString::fromStdString(family));
    font_->setCurrentIndex(font_->findText(QString::fromStdString(preset.face), Qt::MatchExactly));
    connect(font_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) face_ = font_->itemText(index).toStdString();
    });
    auto* fontLabel = new QLabel("&Font:", this);
    fontLabel->setBuddy(font_);
    form->addRow(fontLabel, font_);
    point_ = addPointRow(*form, *this, preset.pt);
    color_ = new ColorSwatch(this, ui, preset.color);
    auto* colorLabel = new QLabel("&Color:", this);
    colorLabel->setBuddy(color_->button());
    form->addRow(colorLabel, color_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(addButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    font_->setFocus();
}

TextStyle TextStyleDlg::style() const {
    return TextStyle{face_, point_->value(), color_->color()};
}

QtCommentStyleDialogs::QtCommentStyleDialogs(QWidget* parent, UiHost& ui,
                                             std::vector<std::string> fontFamilies)
    : parent_(parent), ui_(ui), fontFamilies_(std::move(fontFamilies)) {}

bool QtCommentStyleDialogs::settingDialog(const std::function<void()>& figure,
                                          const std::function<void()>& textbox) {
    SettingDlg dialog(ownerOf(parent_), figure, textbox);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<LineStyle> QtCommentStyleDialogs::lineStyleDialog(const LineStyle& preset) {
    LineStyleDlg dialog(ownerOf(parent_), ui_, preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.style();
}

std::optional<TextStyle> QtCommentStyleDialogs::textBoxStyleDialog(const TextStyle& preset) {
    TextStyleDlg dialog(ownerOf(parent_), ui_, fontFamilies_, preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.style();
}

}  // namespace corvane
