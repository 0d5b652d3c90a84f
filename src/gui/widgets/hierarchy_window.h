// The hierarchy window: the instance tree of the analysed design with an
// icon for analysed modules and one for modules that are not analysed, and
// the pop-up menus of Open Schematic, Open Source, Remove and Add. The tree
// comes from the core's HierarchyCommands and is rebuilt after every change
// of the module list.
#pragma once

#include <QIcon>
#include <QWidget>

#include "console/hierarchy_commands.h"

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvane {

// The two 16 x 16 icons of the tree, indexed by kIconAnalysed and kIconNotAnalysed.
QIcon hierarchyIconImage(int index);

class HierarchyWindow final : public QWidget {
    Q_OBJECT
public:
    explicit HierarchyWindow(CMorvelDlg& controller, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return tree_; }
    // Rebuilds the tree when the event loop next runs (once for many requests).
    void scheduleRebuild();
    void rebuildNow();
    // The pop-up menu for `item` (nullptr: the menu of the empty tree); the caller owns it.
    QMenu* createPopupMenu(QTreeWidgetItem* item);

signals:
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showPopupMenu(const QPoint& position);
    void addItems(QTreeWidgetItem* parent, const std::vector<HierarchyItem>& items);

    HierarchyCommands commands_;
    QTreeWidget* tree_ = nullptr;
    bool rebuildScheduled_ = false;
};

}  // namespace corvane
