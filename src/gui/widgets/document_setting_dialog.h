// "Document Setting" (Margin...): the four page margins in millimetres
// (group "Margin") and "Size fitness of Schematic" (fit mode 0 "Fit in with
// &1 page", 1 "Fit in with the short &vicinity").
#pragma once

#include <QDialog>
#include <optional>

#include "project/project_file.h"

class QLineEdit;
class QRadioButton;

namespace corvane {

class DocumentSettingDlg final : public QDialog {
    Q_OBJECT
public:
    DocumentSettingDlg(QWidget* parent, const PageMargins& preset);
    // The edited values; valid once the dialog was accepted.
    PageMargins margins() const { return margins_; }

    QLineEdit* topEdit() const { return edits_[0]; }
    QLineEdit* bottomEdit() const { return edits_[1]; }
    QLineEdit* leftEdit() const { return edits_[2]; }
    QLineEdit* rightEdit() const { return edits_[3]; }
    QRadioButton* onePageButton() const { return onePage_; }
    QRadioButton* shortSideButton() const { return shortSide_; }

    // Takes the fields; a field that is not a number keeps the dialog open
    // with "Please enter a number." and the field focused.
    void accept() override;

private:
    PageMargins margins_;
    QLineEdit* edits_[4] = {};
    QRadioButton* onePage_ = nullptr;
    QRadioButton* shortSide_ = nullptr;
};

// The dialog preset with `preset`; the edited margins and fit mode on OK.
std::optional<PageMargins> runDocumentSettingDialog(QWidget* parent, const PageMargins& preset);

}  // namespace corvane
