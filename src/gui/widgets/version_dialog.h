// The version dialog of Help > Version...: the product name and "version "
// followed by the program's four-part version number.
#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace corvane {

class VersionDlg final : public QDialog {
    Q_OBJECT
public:
    VersionDlg(QWidget* parent, const std::string& version);
    QLabel* productLabel() const { return product_; }
    QLabel* versionLabel() const { return version_; }

private:
    QLabel* product_ = nullptr;
    QLabel* version_ = nullptr;
};

// Shows the dialog until the user closes it.
void showVersionDialog(QWidget* parent, const std::string& version);

}  // namespace corvane
