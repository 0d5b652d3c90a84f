// "Document Setting": the margins and the fit mode through the dialog.
#include "gui/widgets/document_setting_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
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

DocumentSettingDlg* settingDialog(QWidget* widget) {
    auto* dialog = qobject_cast<DocumentSettingDlg*>(widget);
    if (dialog == nullptr) qFatal("unexpected modal widget");
    return dialog;
}

void retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

}  // namespace

class DocumentSettingDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsThePresetAndGivesTheEditedValues() {
        whenModalShows([](QWidget* widget) {
            DocumentSettingDlg* dialog = settingDialog(widget);
            QCOMPARE(dialog->windowTitle(), QString("Document Setting"));
            QCOMPARE(dialog->topEdit()->text(), QString("12.5"));
            QCOMPARE(dialog->bottomEdit()->text(), QString("10"));
            QCOMPARE(dialog->leftEdit()->text(), QString("7"));
            QCOMPARE(dialog->rightEdit()->text(), QString("20.125"));
            QVERIFY(dialog->shortSideButton()->isChecked());
            retype(dialog->topEdit(), "15.25");
            retype(dialog->rightEdit(), " -3 ");  // no range checking: any number goes
            dialog->onePageButton()->click();
            QTest::keyClick(dialog->topEdit(), Qt::Key_Return);
        });
        const std::optional<PageMargins> edited =
            runDocumentSettingDialog(nullptr, PageMargins{12.5, 10.0, 7.0, 20.125, 1});
        QVERIFY(edited.has_value());
        QCOMPARE(edited->top, 15.25);
        QCOMPARE(edited->bottom, 10.0);
        QCOMPARE(edited->left, 7.0);
        QCOMPARE(edited->right, -3.0);
        QCOMPARE(edited->fit, 0);
    }

    void cancelGivesNothing() {
        whenModalShows([](QWidget* widget) {
            retype(settingDialog(widget)->topEdit(), "1");
            QTest::keyClick(widget, Qt::Key_Escape);
        });
        QVERIFY(!runDocumentSettingDialog(nullptr, PageMargins{}).has_value());
    }

    void aFieldThatIsNotANumberKeepsTheDialogOpen() {
        DocumentSettingDlg dialog(nullptr, PageMargins{});
        dialog.show();
        retype(dialog.leftEdit(), "ten");
        auto warning = std::make_shared<testing::ShownMessage>();
        testing::answerNextMessageBox(QMessageBox::Ok, warning);
        dialog.accept();
        QCOMPARE(warning->text, QString("Please enter a number."));
        QCOMPARE(warning->caption, QString("Corvane"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.margins().left, 10.0);
    }

    void aStoredFitModeNoButtonStandsForIsKept() {
        DocumentSettingDlg dialog(nullptr, PageMargins{10, 10, 10, 10, 7});
        QVERIFY(!dialog.onePageButton()->isChecked());
        QVERIFY(!dialog.shortSideButton()->isChecked());
        dialog.accept();
        QCOMPARE(dialog.margins().fit, 7);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::DocumentSettingDialogTest)
#include "document_setting_dialog_test.moc"
