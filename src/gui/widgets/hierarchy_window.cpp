#include "gui/widgets/hierarchy_window.h"

#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

namespace corvane {

namespace {

// A chip outline: blue for an analysed module, grey with a red "?" for one
// that is not analysed. Drawn at twice the size as well for high-DPI screens.
QPixmap chipPixmap(int index, int scale) {
    const int size = 16 * scale;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    const bool analysed = index == kIconAnalysed;
    const QColor body = analysed ? QColor(40, 90, 200) : QColor(150, 150, 150);
    painter.setPen(QPen(body.darker(140), 1));
    for (int y = 4; y <= 12; y += 4) {
        painter.drawLine(1, y, 3, y);
        painter.drawLine(13, y, 15, y);
    }
    painter.setBrush(body);
    painter.drawRect(QRectF(3.5, 1.5, 9, 13));
    if (!analysed) {
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(220, 30, 30));
        painter.drawText(QRectF(3, 1, 10, 14), Qt::AlignCenter, QStringLiteral("?"));
    }
    return pixmap;
}

}  // namespace

QIcon hierarchyIconImage(int index) {
    static const QIcon icons[2] = {
        [] {
            QIcon icon(chipPixmap(kIconAnalysed, 1));
            icon.addPixmap(chipPixmap(kIconAnalysed, 2));
            return icon;
        }(),
        [] {
            QIcon icon(chipPixmap(kIconNotAnalysed, 1));
            icon.addPixmap(chipPixmap(kIconNotAnalysed, 2));
            return icon;
        }(),
    };
    return icons[index == kIconAnalysed ? 0 : 1];
}

HierarchyWindow::HierarchyWindow(CMorvelDlg& controller, QWidget* parent)
    : QWidget(parent, Qt::Window), commands_(controller) {
    setWindowTitle(QStringLiteral("Hierarchy"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 12);
    tree_ = new QTreeWidget(this);
    tree_->setHeaderHidden(true);
    // Long paths scroll sideways instead of being cut short.
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->header()->setStretchLastSection(false);
    tree_->setIconSize(QSize(16, 16));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree_, &QWidget::customContextMenuRequested, this, &HierarchyWindow::showPopupMenu);
    layout->addWidget(tree_);
    resize(320, 480);
}

void HierarchyWindow::scheduleRebuild() {
    if (rebuildScheduled_) return;
    rebuildScheduled_ = true;
    QMetaObject::invokeMethod(this, &HierarchyWindow::rebuildNow, Qt::QueuedConnection);
}

void HierarchyWindow::rebuildNow() {
    rebuildScheduled_ = false;
    tree_->clear();
    const std::vector<HierarchyItem> items = commands_.tree();
    addItems(nullptr, items);
    if (QTreeWidgetItem* first = tree_->topLevelItem(0)) first->setExpanded(true);
}

void HierarchyWindow::addItems(QTreeWidgetItem* parent, const std::vector<HierarchyItem>& items) {
    for (const HierarchyItem& item : items) {
        auto* node = parent == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parent);
        node->setText(0, QString::fromStdString(item.text));
        node->setIcon(0, hierarchyIconImage(hierarchyIcon(item)));
        node->setData(0, Qt::UserRole, hierarchyIcon(item));
        addItems(node, item.children);
    }
}

QMenu* HierarchyWindow::createPopupMenu(QTreeWidgetItem* item) {
    auto* menu = new QMenu(this);
    const std::string itemText = item == nullptr ? std::string() : item->text(0).toStdString();
    for (const HierarchyMenuEntry& entry : hierarchyPopupMenu(item != nullptr)) {
        if (entry.separatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(QString::fromStdString(entry.text));
        const HierarchyCommand command = entry.command;
        // The command runs after the menu has closed: Remove rebuilds the tree.
        connect(action, &QAction::triggered, this, [this, command, itemText] {
            QMetaObject::invokeMethod(
                this, [this, command, itemText] { commands_.run(command, itemText); },
                Qt::QueuedConnection);
        });
    }
    return menu;
}

void HierarchyWindow::showPopupMenu(const QPoint& position) {
    QTreeWidgetItem* item = tree_->itemAt(position);
    if (item == nullptr) item = tree_->currentItem();
    std::unique_ptr<QMenu> menu(createPopupMenu(item));
    menu->exec(tree_->viewport()->mapToGlobal(position));
}

void HierarchyWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit visibilityChanged(true);
}

void HierarchyWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit visibilityChanged(false);
}

}  // namespace corvane
