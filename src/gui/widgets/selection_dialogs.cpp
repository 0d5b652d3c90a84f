#include "gui/widgets/selection_dialogs.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

// A list box whose arrow keys always leave a name selected: the caret the
// list puts on its first row when it gets the focus is not a selection, and
// a key that keeps the caret there (Home, Up) selects that row.
class NameList final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QListWidget::keyPressEvent(event);
        if (!isNavigationKey(event->key()) || currentItem() == nullptr) return;
        if (selectedItems().isEmpty()) currentItem()->setSelected(true);
    }

private:
    static bool isNavigationKey(int key) {
        return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home ||
               key == Qt::Key_End || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
    }
};

// Adds `name` to `list`: shown as text, kept as its own bytes, so a name
// that is not valid UTF-8 comes back unchanged.
void addName(QListWidget& list, const std::string& name) {
    auto* item = new QListWidgetItem(QString::fromStdString(name), &list);
    item->setData(Qt::UserRole, QByteArray::fromStdString(name));
}

std::string nameOf(const QListWidgetItem& item) {
    return item.data(Qt::UserRole).toByteArray().toStdString();
}

// A list box of `names`, sorted as the list box sorts; a double click on a
// name confirms the dialog as OK does.
QListWidget* addNameList(QDialog& dialog, const std::vector<std::string>& names) {
    auto* list = new NameList(&dialog);
    for (const std::string& name : names) addName(*list, name);
    list->sortItems();
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    return list;
}

// OK (the default button, so Enter in a list confirms) and Cancel.
QDialogButtonBox* addOkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QLabel* labelFor(QDialog& dialog, const char* text, QWidget* buddy) {
    auto* label = new QLabel(text, &dialog);
    label->setBuddy(buddy);
    return label;
}

std::optional<std::string> firstSelected(const QListWidget& list) {
    const QList<QListWidgetItem*> items = list.selectedItems();
    if (items.isEmpty()) return std::nullopt;
    return nameOf(*items.front());
}

}  // namespace

CTargetDlg::CTargetDlg(QWidget* parent, const std::vector<std::string>& names) : QDialog(parent) {
    setWindowTitle("Select target module");
    list_ = addNameList(*this, names);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(addOkCancel(*this));
    list_->setFocus();
}

std::optional<std::string> CTargetDlg::selectedName() const {
    return firstSelected(*list_);
}

CTargetMultiDlg::CTargetMultiDlg(QWidget* parent, const std::vector<std::string>& names)
    : QDialog(parent) {
    setWindowTitle("Select target module");
    list_ = addNameList(*this, names);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(addOkCancel(*this));
    list_->setFocus();
}

std::vector<std::string> CTargetMultiDlg::selectedNames() const {
    std::vector<std::string> names;
    for (int row = 0; row < list_->count(); ++row) {
        if (list_->item(row)->isSelected()) names.push_back(nameOf(*list_->item(row)));
    }
    return names;
}

CTargetNetDlg::CTargetNetDlg(QWidget* parent,
                             const std::map<std::string, std::vector<std::string>>& netsByModule)
    : QDialog(parent), netsByModule_(netsByModule) {
    setWindowTitle("Select target module and net");
    modules_ = new NameList(this);
    for (const auto& entry : netsByModule_) addName(*modules_, entry.first);
    modules_->sortItems();
    modules_->setSelectionMode(QAbstractItemView::SingleSelection);
    nets_ = new NameList(this);
    nets_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(modules_, &QListWidget::itemSelectionChanged, this,
            [this] { showNetsOfCurrentModule(); });
    connect(nets_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* lists = new QHBoxLayout;
    auto* moduleColumn = new QVBoxLayout;
    moduleColumn->addWidget(labelFor(*this, "&module:", modules_));
    moduleColumn->addWidget(modules_);
    auto* netColumn = new QVBoxLayout;
    netColumn->addWidget(labelFor(*this, "&net:", nets_));
    netColumn->addWidget(nets_);
    lists->addLayout(moduleColumn);
    lists->addLayout(netColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(addOkCancel(*this));
    modules_->setFocus();
}

void CTargetNetDlg::showNetsOfCurrentModule() {
    nets_->clear();
    const std::optional<std::string> module = firstSelected(*modules_);
    if (!module) return;
    const auto found = netsByModule_.find(*module);
    if (found == netsByModule_.end()) return;
    for (const std::string& net : found->second) addName(*nets_, net);
    nets_->sortItems();
}

std::optional<std::pair<std::string, std::string>> CTargetNetDlg::selection() const {
    const std::optional<std::string> module = firstSelected(*modules_);
    if (!module) return std::nullopt;
    return std::make_pair(*module, firstSelected(*nets_).value_or(std::string()));
}

std::optional<std::string> runTargetDialog(QWidget* parent, const std::vector<std::string>& names) {
    CTargetDlg dialog(parent, names);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedName();
}

std::optional<std::vector<std::string>> runTargetMultiDialog(
    QWidget* parent, const std::vector<std::string>& names) {
    CTargetMultiDlg dialog(parent, names);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<std::string> chosen = dialog.selectedNames();
    if (chosen.empty()) return std::nullopt;
    return chosen;
}

std::optional<std::pair<std::string, std::string>> runTargetNetDialog(
    QWidget* parent, const std::map<std::string, std::vector<std::string>>& netsByModule) {
    CTargetNetDlg dialog(parent, netsByModule);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selection();
}

}  // namespace corvane
