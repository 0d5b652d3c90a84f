// The schematic window's text entry dialog: CR LF line ends in and out, the
// edit's font, and the layout that follows a resize.
#include "gui/widgets/schematic_window_text_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "support/scripted_ui_host.h"

namespace corvane {

class SchematicTextDialogTest : public QObject {
    Q_OBJECT

private slots:
    void linesEndInCrLfBothWays() {
        ScriptedUiHost ui;
        SchematicTextDialog dialog(nullptr, ui, {"one\r\ntwo", "Courier New", 24, 0xFF});
        QCOMPARE(dialog.edit()->toPlainText(), QString("one\ntwo"));
        QCOMPARE(dialog.edit()->font().pixelSize(), 16);
        dialog.edit()->setPlainText("a\nb\n");
        const CommentTextEntry entry = dialog.entry();
        QCOMPARE(entry.text, std::string("a\r\nb\r\n"));
        QCOMPARE(entry.pt, 24);
        QCOMPARE(entry.color, 0xFF);
        QCOMPARE(entry.face, std::string("Courier New"));
    }

    void buttonsKeepTheirDistancesAfterAResize() {
        ScriptedUiHost ui;
        SchematicTextDialog dialog(nullptr, ui, {"", "Courier New", 16, 0});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.resize(500, 320);
        QTRY_COMPARE(dialog.okButton()->x(), 500 - 164);
        QCOMPARE(dialog.cancelButton()->x(), 500 - 82);
        QCOMPARE(dialog.styleButton()->x(), 6);
        for (QPushButton* button :
             {dialog.okButton(), dialog.cancelButton(), dialog.styleButton()}) {
            QCOMPARE(button->y(), 320 - 30);
        }
        QVERIFY(dialog.edit()->geometry().bottom() < 320 - 30);
        QCOMPARE(dialog.edit()->width(), 500 - 12);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicTextDialogTest)
#include "schematic_window_text_dialog_test.moc"
