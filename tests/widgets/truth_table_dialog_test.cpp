// The truth table dialog: empty, titled, with its message, closed by the keys.
#include "gui/widgets/truth_table_dialog.h"

#include <QTableWidget>
#include <QtTest>

#include "source_viewer_test_services.h"
#include "support/scripted_ui_host.h"

namespace corvane {

class TruthTableDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsAnEmptyListAndSaysTheCommandIsUnderConstruction() {
        ScriptedUiHost ui;
        TruthTableDialog dialog(ui);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Truth Table"));
        QCOMPARE(dialog.list()->rowCount(), 0);
        QCOMPARE(dialog.list()->columnCount(), 0);
        QTRY_COMPARE(ui.messageBoxes.size(), std::size_t{1});
        QCOMPARE(ui.messageBoxes[0].caption, std::string("Corvane"));
        QCOMPARE(ui.messageBoxes[0].text, std::string("This command is Under Construction."));
        QCOMPARE(ui.messageBoxes[0].icon, MessageIcon::kExclamation);
        testing::saveScreenshot(dialog, "truth_table");
    }

    void enterAndEscapeCloseIt_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void enterAndEscapeCloseIt() {
        QFETCH(int, key);
        QFETCH(int, result);
        ScriptedUiHost ui;
        TruthTableDialog dialog(ui);
        QTimer::singleShot(50, &dialog, [&dialog, key] { QTest::keyClick(&dialog, Qt::Key(key)); });
        QCOMPARE(dialog.exec(), result);
        QCOMPARE(ui.messageBoxes.size(), std::size_t{1});
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::TruthTableDialogTest)
#include "truth_table_dialog_test.moc"
