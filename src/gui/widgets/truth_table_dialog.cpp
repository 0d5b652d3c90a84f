#include "gui/widgets/truth_table_dialog.h"

#include <QKeyEvent>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace corvane {

TruthTableDialog::TruthTableDialog(UiHost& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), list_(new QTableWidget(0, 0, this)) {
    setWindowTitle(tr("Truth Table"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(list_);
    resize(464, 288);  // 309 x 177 dialog units
}

// The message comes once the dialog is on the screen, over it.
void TruthTableDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (told_) {
        return;
    }
    told_ = true;
    QTimer::singleShot(0, this, [this] {
        ui_.messageBox({"Corvane", "This command is Under Construction.", MessageIcon::kExclamation,
                        MessageButtons::kOk});
    });
}

void TruthTableDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void runTruthTableDialog(UiHost& ui, QWidget* parent) {
    TruthTableDialog dialog(ui, parent);
    dialog.exec();
}

}  // namespace corvane
