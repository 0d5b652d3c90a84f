// The hierarchy window driven through its tree and pop-up menus.
#include "gui/widgets/hierarchy_window.h"

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "gui/widgets/console_window.h"
#include "gui/widgets/desktop_program.h"
#include "gui/widgets/qt_ui_host.h"
#include "widgets/modal_helpers.h"

using namespace corvane;

namespace {

constexpr const char* kDesign =
    "module alu(input a); endmodule\n"
    "module top(input a);\n"
    "alu u1(.a(a));\n"
    "ram u2(.a(a));\n"
    "endmodule\n"
    "module spare(input a); endmodule\n";

QStringList texts(const QMenu& menu) {
    QStringList result;
    for (QAction* action : menu.actions()) {
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return result;
}

QAction* actionNamed(const QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) return action;
    }
    return nullptr;
}

}  // namespace

class HierarchyWindowTest : public QObject {
    Q_OBJECT

private:
    void startWithDesign() {
        DesktopOptions options;
        options.paths.settings.user = dir_.filePath(QStringLiteral("settings.ini")).toStdString();
        options.showSplash = false;
        program_ = std::make_unique<DesktopProgram>(options);
        program_->start();
        const QString path = dir_.filePath(QStringLiteral("top.v"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(kDesign);
        file.close();
        path_ = path.toStdString();
        program_->controller().setProjectName("p");
        program_->controller().analyseFile(path_);
        program_->controller().runChildPortPass();
        tree_ = program_->hierarchy().tree();
        QTRY_COMPARE(tree_->topLevelItemCount(), 2);
    }
    // Runs the pop-up entry `text` of `item` (nullptr: the empty tree's menu).
    void runPopup(QTreeWidgetItem* item, const QString& text) {
        std::unique_ptr<QMenu> menu(program_->hierarchy().createPopupMenu(item));
        QAction* action = actionNamed(*menu, text);
        QVERIFY(action != nullptr);
        action->trigger();
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir_;
    std::unique_ptr<DesktopProgram> program_;
    std::string path_;
    QTreeWidget* tree_ = nullptr;

private slots:
    void cleanup() { program_.reset(); }

    void treeShowsTopsInstancesAndIcons() {
        startWithDesign();
        QTreeWidgetItem* top = tree_->topLevelItem(1);
        QCOMPARE(tree_->topLevelItem(0)->text(0), QStringLiteral("spare () : top.v"));
        QCOMPARE(top->text(0), QStringLiteral("top () : top.v"));
        QVERIFY(tree_->topLevelItem(0)->isExpanded());
        QVERIFY(!top->isExpanded());
        QCOMPARE(top->childCount(), 2);
        QCOMPARE(top->child(0)->text(0), QStringLiteral("alu (u1) : top.v"));
        QCOMPARE(top->child(0)->data(0, Qt::UserRole).toInt(), kIconAnalysed);
        QCOMPARE(top->child(1)->text(0), QStringLiteral("ram (u2) : "));
        QCOMPARE(top->child(1)->data(0, Qt::UserRole).toInt(), kIconNotAnalysed);
        QVERIFY(!top->child(1)->icon(0).isNull());
        QVERIFY(hierarchyIconImage(kIconAnalysed).pixmap(16).toImage() !=
                hierarchyIconImage(kIconNotAnalysed).pixmap(16).toImage());
    }

    void popupMenusOfAnItemAndOfTheEmptyTree() {
        startWithDesign();
        std::unique_ptr<QMenu> itemMenu(
            program_->hierarchy().createPopupMenu(tree_->topLevelItem(0)));
        QCOMPARE(texts(*itemMenu),
                 QStringList({"Open &Schematic", "Op&en Source", "-", "&Remove"}));
        std::unique_ptr<QMenu> emptyMenu(program_->hierarchy().createPopupMenu(nullptr));
        QCOMPARE(texts(*emptyMenu), QStringList({"&Add"}));
    }

    void openSchematicAndSourceOfAnAnalysedModule() {
        startWithDesign();
        QTreeWidgetItem* alu = tree_->topLevelItem(1)->child(0);
        runPopup(alu, QStringLiteral("Open &Schematic"));
        runPopup(alu, QStringLiteral("Op&en Source"));
        const auto& requests = program_->ui().documentWindows().requests();
        QCOMPARE(requests.size(), std::size_t{2});
        QCOMPARE(requests[0].kind, DocumentKind::kSchematic);
        QCOMPARE(requests[0].module, std::string("alu"));
        QCOMPARE(requests[1].kind, DocumentKind::kSourceViewer);
        QCOMPARE(requests[1].path, path_);
        QCOMPARE(requests[1].line, 1);
    }

    void aModuleThatIsNotAnalysedGivesTheMessage() {
        startWithDesign();
        auto shown = std::make_shared<corvane::testing::ShownMessage>();
        corvane::testing::answerNextMessageBox(QMessageBox::Ok, shown);
        runPopup(tree_->topLevelItem(1)->child(1), QStringLiteral("Op&en Source"));
        QTRY_VERIFY(shown->shown);
        QCOMPARE(shown->caption, QStringLiteral("CORVANE has not analyze this module."));
        QCOMPARE(shown->text, QStringLiteral("ram"));
        QVERIFY(program_->ui().documentWindows().requests().empty());
    }

    void removeRebuildsTheTreeAndTitle() {
        startWithDesign();
        runPopup(tree_->topLevelItem(1)->child(0), QStringLiteral("&Remove"));
        QCOMPARE(program_->console().windowTitle(), QStringLiteral("[p] 2 module(s) - Corvane"));
        QTRY_COMPARE(tree_->topLevelItem(1)->child(0)->data(0, Qt::UserRole).toInt(),
                     kIconNotAnalysed);
        QCOMPARE(tree_->topLevelItem(1)->child(0)->text(0), QStringLiteral("alu (u1) : "));
        QVERIFY(program_->controller().projectModified());
    }

    void clearAllEmptiesTheTree() {
        startWithDesign();
        program_->controller().enterCommandLine("clearall");
        QTRY_COMPARE(tree_->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(HierarchyWindowTest)
#include "hierarchy_window_test.moc"
