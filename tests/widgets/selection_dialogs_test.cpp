// The selection dialogs driven by keyboard as the user drives them.
#include "gui/widgets/selection_dialogs.h"

#include <QApplication>
#include <QListWidget>
#include <QtTest>
#include <functional>

#include "widgets/modal_helpers.h"

namespace corvane {
namespace {

// Runs `act` on the next modal dialog once it is open; a dialog `act`
// leaves open (a failed check returns early) is cancelled, so the test goes on.
void whenModalShows(std::function<void(QWidget*)> act) {
    testing::onNextModal([act](QWidget* widget) {
        act(widget);
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) dialog->reject();
    });
}

template <class Dialog>
Dialog* modal(QWidget* widget) {
    auto* dialog = qobject_cast<Dialog*>(widget);
    if (dialog == nullptr) qFatal("unexpected modal widget");
    return dialog;
}

// Keys pressed one after another on `target`.
void press(QWidget* target, std::initializer_list<std::pair<int, Qt::KeyboardModifiers>> keys) {
    for (const auto& [key, modifiers] : keys) QTest::keyClick(target, Qt::Key(key), modifiers);
}

const std::vector<std::string> kNames = {"top", "alu", "bus_mux"};

}  // namespace

class SelectionDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void moduleDialogListsSortedNamesAndTakesTheArrowChoice() {
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<CTargetDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Select target module"));
            QListWidget* list = dialog->list();
            QCOMPARE(list->count(), 3);
            QCOMPARE(list->item(0)->text(), QString("alu"));
            QCOMPARE(list->item(2)->text(), QString("top"));
            press(list, {{Qt::Key_Home, Qt::NoModifier},
                         {Qt::Key_Down, Qt::NoModifier},
                         {Qt::Key_Return, Qt::NoModifier}});
        });
        QCOMPARE(runTargetDialog(nullptr, kNames), std::optional<std::string>("bus_mux"));
    }

    void moduleDialogGivesNothingOnEscapeOrWithoutAChoice() {
        whenModalShows([](QWidget* widget) {
            press(modal<CTargetDlg>(widget)->list(),
                  {{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier}});
        });
        QCOMPARE(runTargetDialog(nullptr, kNames), std::nullopt);
        whenModalShows([](QWidget* widget) {
            press(modal<CTargetDlg>(widget)->list(), {{Qt::Key_Return, Qt::NoModifier}});
        });
        QCOMPARE(runTargetDialog(nullptr, kNames), std::nullopt);
    }

    void multipleDialogTakesAShiftExtendedRunInListOrder() {
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<CTargetMultiDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Select target module"));
            press(dialog->list(), {{Qt::Key_End, Qt::NoModifier},
                                   {Qt::Key_Up, Qt::ShiftModifier},
                                   {Qt::Key_Return, Qt::NoModifier}});
        });
        const auto chosen = runTargetMultiDialog(nullptr, kNames);
        QCOMPARE(chosen, (std::optional<std::vector<std::string>>{{"bus_mux", "top"}}));
    }

    void multipleDialogWithoutAChoiceGivesNothing() {
        whenModalShows([](QWidget* widget) {
            press(modal<CTargetMultiDlg>(widget)->list(), {{Qt::Key_Return, Qt::NoModifier}});
        });
        QCOMPARE(runTargetMultiDialog(nullptr, kNames), std::nullopt);
    }

    void netDialogFillsTheNetsOfTheChosenModule() {
        const std::map<std::string, std::vector<std::string>> nets = {
            {"top", {"rst", "clk", "data"}}, {"alu", {"sum"}}};
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<CTargetNetDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Select target module and net"));
            QListWidget* modules = dialog->moduleList();
            QListWidget* netList = dialog->netList();
            press(modules, {{Qt::Key_Home, Qt::NoModifier}});
            QCOMPARE(netList->count(), 1);
            press(modules, {{Qt::Key_Down, Qt::NoModifier}});
            QCOMPARE(netList->count(), 3);
            QCOMPARE(netList->item(0)->text(), QString("clk"));
            press(netList, {{Qt::Key_Home, Qt::NoModifier},
                            {Qt::Key_Down, Qt::NoModifier},
                            {Qt::Key_Return, Qt::NoModifier}});
        });
        QCOMPARE(runTargetNetDialog(nullptr, nets),
                 (std::optional<std::pair<std::string, std::string>>{{"top", "data"}}));
    }

    void namesComeBackByteForByte() {
        const std::string odd = "m\xFF\x80od";  // not UTF-8
        CTargetDlg single(nullptr, {odd});
        single.list()->item(0)->setSelected(true);
        QCOMPARE(single.selectedName(), std::optional<std::string>(odd));
        CTargetNetDlg pair(nullptr, {{odd, {odd + "_net"}}});
        pair.moduleList()->item(0)->setSelected(true);
        pair.netList()->item(0)->setSelected(true);
        QCOMPARE(pair.selection(),
                 (std::optional<std::pair<std::string, std::string>>{{odd, odd + "_net"}}));
    }

    void netDialogWithoutANetGivesAnEmptyNetAndClearingTheModuleEmptiesBoth() {
        const std::map<std::string, std::vector<std::string>> nets = {{"top", {"clk"}}};
        CTargetNetDlg dialog(nullptr, nets);
        dialog.show();
        press(dialog.moduleList(), {{Qt::Key_Home, Qt::NoModifier}});
        QCOMPARE(dialog.selection(),
                 (std::optional<std::pair<std::string, std::string>>{{"top", ""}}));
        dialog.netList()->setCurrentRow(0);
        dialog.moduleList()->clearSelection();
        QCOMPARE(dialog.netList()->count(), 0);
        QCOMPARE(dialog.selection(), std::nullopt);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SelectionDialogsTest)
#include "selection_dialogs_test.moc"
