#include "gui/widgets/document_setting_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

constexpr const char* kFieldLabels[4] = {"&Top:", "&Bottom:", "&Left:", "&Right:"};

// The number as the field shows it: plain, as many digits as it needs.
QString marginText(double millimetres) {
    return QString::number(millimetres, 'g', 15);
}

}  // namespace

DocumentSettingDlg::DocumentSettingDlg(QWidget* parent, const PageMargins& preset)
    : QDialog(parent), margins_(preset) {
    setWindowTitle("Document Setting");
    auto* marginGroup = new QGroupBox("Margin", this);
    auto* grid = new QGridLayout(marginGroup);
    const double values[4] = {preset.top, preset.bottom, preset.left, preset.right};
    for (int i = 0; i < 4; ++i) {
        edits_[i] = new QLineEdit(marginText(values[i]), marginGroup);
        auto* label = new QLabel(kFieldLabels[i], marginGroup);
        label->setBuddy(edits_[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(edits_[i], i, 1);
        grid->addWidget(new QLabel("mm", marginGroup), i, 2);
    }
    auto* fitGroup = new QGroupBox("Size fitness of Schematic", this);
    onePage_ = new QRadioButton("Fit in with &1 page", fitGroup);
    shortSide_ = new QRadioButton("Fit in with the short &vicinity", fitGroup);
    onePage_->setChecked(preset.fit == 0);
    shortSide_->setChecked(preset.fit == 1);
    auto* fitColumn = new QVBoxLayout(fitGroup);
    fitColumn->addWidget(onePage_);
    fitColumn->addWidget(shortSide_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &DocumentSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(marginGroup);
    layout->addWidget(fitGroup);
    layout->addWidget(buttons);
    edits_[0]->setFocus();
}

void DocumentSettingDlg::accept() {
    double values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = edits_[i]->text().trimmed().toDouble(&ok);
        if (!ok) {
            QMessageBox::warning(this, "Corvane", "Please enter a number.");
            edits_[i]->setFocus();
            edits_[i]->selectAll();
            return;
        }
    }
    margins_.top = values[0];
    margins_.bottom = values[1];
    margins_.left = values[2];
    margins_.right = values[3];
    // A stored fit mode neither button stands for stays as it was.
    if (onePage_->isChecked()) margins_.fit = 0;
    if (shortSide_->isChecked()) margins_.fit = 1;
    QDialog::accept();
}

std::optional<PageMargins> runDocumentSettingDialog(QWidget* parent, const PageMargins& preset) {
    DocumentSettingDlg dialog(parent, preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.margins();
}

}  // namespace corvane
