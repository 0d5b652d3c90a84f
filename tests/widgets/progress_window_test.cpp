// The progress window's values and placement.
#include "gui/widgets/progress_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

using namespace corvane;

class ProgressWindowTest : public QObject {
    Q_OBJECT

private slots:
    void valuesOfOneFile() {
        ProgressWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("crvn_progress"));
        QCOMPARE(window.label()->text(), QStringLiteral("In progress..."));
        QCOMPARE(window.size(), QSize(ProgressWindow::kWidth, ProgressWindow::kHeight));
        QVERIFY(!window.busy());

        window.showProgressFile("/work/rtl/top.v");
        QVERIFY(window.busy());
        QCOMPARE(window.label()->text(), QStringLiteral("top.v"));
        QCOMPARE(window.bar()->value(), 0);
        window.setProgress(42);
        QCOMPARE(window.bar()->value(), 42);
        window.setProgress(100);  // outside 0..99: ignored
        window.setProgress(-1);
        QCOMPARE(window.bar()->value(), 42);
        window.hideProgress();
        QVERIFY(!window.busy());
        QCOMPARE(window.bar()->value(), 0);
        QVERIFY(!window.isVisible());
    }

    void aLongFileShowsTheWindowAndHidingParksIt() {
        ProgressWindow window;
        window.showProgressFile("big.v");
        QTest::qWait(ProgressWindow::kShowAfterMilliseconds + 20);
        window.setProgress(10);
        QVERIFY(window.isVisible());
        window.hideProgress();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.pos(), QPoint(0, -256));
    }
};

QTEST_MAIN(ProgressWindowTest)
#include "progress_window_test.moc"
