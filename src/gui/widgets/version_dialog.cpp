#include "gui/widgets/version_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace corvane {

VersionDlg::VersionDlg(QWidget* parent, const std::string& version) : QDialog(parent) {
    setWindowTitle("Version");
    auto* icon = new QLabel(this);
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull()) icon->setPixmap(appIcon.pixmap(32, 32));
    product_ = new QLabel("Corvane", this);
    // Plain text: the version is shown as given, never as markup.
    product_->setTextFormat(Qt::PlainText);
    version_ = new QLabel(QString::fromStdString("version " + version), this);
    version_->setTextFormat(Qt::PlainText);
    version_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* text = new QVBoxLayout;
    text->addWidget(product_);
    text->addWidget(version_);
    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

void showVersionDialog(QWidget* parent, const std::string& version) {
    VersionDlg dialog(parent, version);
    dialog.exec();
}

}  // namespace corvane
