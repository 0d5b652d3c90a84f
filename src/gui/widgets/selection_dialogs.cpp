#include "gui/widgets/selection_dialogs.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace corvane {

namespace {

QListWidget* addNameList(QDialog& dialog, const std::vector<std::string>& names) {
    auto* list = new QListWidget(&dialog);
    for (const std::string& name : names) list->addItem(QString::fromStdString(name));
    list->sortItems();
    return list;
}

QDialogButtonBox* addOkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

CTargetDlg::CTargetDlg(QWidget* parent, const std::vector<std::string>& names) : QDialog(parent) {
    setWindowTitle("Select target module");
    list_ = addNameList(*this, names);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(addOkCancel(*this));
}

std::optional<std::string> CTargetDlg::selectedName() const {
    const QList<QListWidgetItem*> items = list_->selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return items.front()->text().toStdString();
}

CTargetMultiDlg::CTargetMultiDlg(QWidget* parent, const std::vector<std::string>& names)
    : QDialog(parent) {
    setWindowTitle("Select target module");
    list_ = addNameList(*this, names);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(addOkCancel(*this));
}

std::vector<std::string> CTargetMultiDlg::selectedNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected()) names.push_back(list_->item(row)->text().toStdString());
    }
    return names;
}

CTargetNetDlg::CTargetNetDlg(QWidget* parent,
                             const std::map<std::string, std::vector<std::string>>& netsByModule)
    : QDialog(parent), netsByModule_(netsByModule) {
    setWindowTitle("Select target module and net");
    modules_ = new QListWidget(this);
    for (const auto& entry : netsByModule_) modules_->addItem(QString::fromStdString(entry.first));
    nets_ = new QListWidget(this);
    connect(modules_, &QListWidget::currentRowChanged, this, [this] { showNetsOfCurrentModule(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modules_);
    layout->addWidget(nets_);
    layout->addWidget(addOkCancel(*this));
}

void CTargetNetDlg::showNetsOfCurrentModule() {
    nets_->clear();
    const QListWidgetItem* item = modules_->currentItem();
    if (item == nullptr) return;
    const auto found = netsByModule_.find(item->text().toStdString());
    if (found == netsByModule_.end()) return;
    for (const std::string& net : found->second) nets_->addItem(QString::fromStdString(net));
}

std::optional<std::pair<std::string, std::string>> CTargetNetDlg::selection() const {
    const QListWidgetItem* module = modules_->currentItem();
    if (module == nullptr) return std::nullopt;
    const QListWidgetItem* net = nets_->currentItem();
    return std::make_pair(module->text().toStdString(),
                          net == nullptr ? std::string() : net->text().toStdString());
}

std::optional<std::string> runTargetDialog(QWidget* parent, const std::vector<std::string>& names) {
    CTargetDlg dialog(parent, names);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedName();
}

std::optional<std::vector<std::string>> runTargetMultiDialog(QWidget* parent,
                                                             const std::vector<std::string>& names) {
    CTargetMultiDlg dialog(parent, names);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedNames();
}

std::optional<std::pair<std::string, std::string>> runTargetNetDialog(
    QWidget* parent, const std::map<std::string, std::vector<std::string>>& netsByModule) {
    CTargetNetDlg dialog(parent, netsByModule);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selection();
}

}  // namespace corvane
