// Help > Version...: the product name and the version line.
#include "gui/widgets/version_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include "widgets/modal_helpers.h"

namespace corvane {

class VersionDialogTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheProductAndVersionUntilClosed() {
        QString product;
        QString version;
        testing::onNextModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<VersionDlg*>(widget);
            if (dialog == nullptr) {
                widget->close();
                return;
            }
            product = dialog->productLabel()->text();
            version = dialog->versionLabel()->text();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        showVersionDialog(nullptr, "1.2.0.7");
        QCOMPARE(product, QString("Corvane"));
        QCOMPARE(version, QString("version 1.2.0.7"));
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::VersionDialogTest)
#include "version_dialog_test.moc"
