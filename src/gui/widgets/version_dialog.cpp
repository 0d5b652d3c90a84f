#include "gui/widgets/version_dialog.h"

#include <QMessageBox>

namespace corvane {

void showVersionDialog(QWidget* parent, const std::string& version) {
    QMessageBox::about(parent, "Version", QString::fromStdString("Corvane " + version));
}

}  // namespace corvane
