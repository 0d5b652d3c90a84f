// Start-up and leaving of the desktop program, driven through the real windows.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "console/project_commands.h"
#include "gui/widgets/console_window.h"
#include "gui/widgets/desktop_program.h"
#include "gui/widgets/hierarchy_window.h"
#include "gui/widgets/splash_window.h"
#include "support/test_files.h"
#include "widgets/modal_helpers.h"

using namespace corvane;

class StartupTest : public QObject {
    Q_OBJECT

private:
    QString settingsPath() const { return dir_.filePath(QStringLiteral("corvane_setting.ini")); }
    DesktopOptions options(bool splash = false) const {
        DesktopOptions result;
        result.paths.settings.user = settingsPath().toStdString();
        result.paths.version = "0.1.0";
        result.showSplash = splash;
        return result;
    }
    void writeSettings(const QByteArray& bytes) {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTemporaryDir dir_;

private slots:
    void init() { QFile::remove(settingsPath()); }

    void consoleAndHierarchyOpenWithTheEmptyTitle() {
        DesktopProgram program(options(true));
        program.start();
        QCOMPARE(program.console().windowTitle(), QStringLiteral("[] 0 module(s) - Corvane"));
        QVERIFY(program.console().isVisible());
        QVERIFY(program.hierarchy().isVisible());
        QCOMPARE(program.hierarchy().windowTitle(), QStringLiteral("Hierarchy"));
        QVERIFY(program.console().action(MenuCommand::kViewHierarchy)->isChecked());
        // Without a settings file: (0, 0), 800 x 600.
        QCOMPARE(program.console().pos(), QPoint(0, 0));
        QCOMPARE(program.console().size(), QSize(800, 600));

        SplashWindow* splash = program.splash();
        QVERIFY(splash != nullptr);
        QCOMPARE(splash->windowTitle(), QStringLiteral("crvn_splash"));
        QVERIFY(splash->isVisible());
        QTest::keyClick(splash, Qt::Key_Escape);
        QTest::keyClick(splash, Qt::Key_Return);
        QVERIFY(splash->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!splash->isVisible(), 4000);
    }

    void consoleIsPlacedFromTheSettingsFile() {
        writeSettings("pos.x = -50\r\npos.y\t=\t40\r\nwidth = 100\r\nheight = 500\r\n");
        DesktopProgram program(options());
        program.start();
        QCOMPARE(program.console().pos(), QPoint(0, 40));
        QCOMPARE(program.console().size(), QSize(256, 500));
    }

    void leavingAModifiedProjectAsksAndCancelKeepsRunning() {
        DesktopProgram program(options());
        program.start();
        program.controller().setProjectName("demo");
        program.controller().setProjectModified(true);

        auto shown = std::make_shared<corvane::testing::ShownMessage>();
        corvane::testing::answerNextMessageBox(QMessageBox::Cancel, shown);
        QVERIFY(!program.console().close());
        QVERIFY(shown->shown);
        QCOMPARE(shown->text, QStringLiteral("Do you save project?"));
        QCOMPARE(shown->caption, QStringLiteral("Corvane"));
        QVERIFY(program.console().isVisible());
        QVERIFY(!program.finished());
        QCOMPARE(program.controller().projectName(), std::string("demo"));
        QVERIFY(!QFile::exists(settingsPath()));

        // No: the program ends and writes the console's placement.
        corvane::testing::answerNextMessageBox(QMessageBox::No, shown);
        program.console().action(MenuCommand::kExit)->trigger();
        QVERIFY(program.finished());
        QVERIFY(!program.console().isVisible());
        QVERIFY(!program.hierarchy().isVisible());
        QFile settings(settingsPath());
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().startsWith("pos.x = 0\r\npos.y = 0\r\nwidth = 800\r\n"));
    }

    void theExampleProjectOpensFromTheCommandLine() {
        const std::string project = std::string(CORVANE_EXAMPLES) + "/example.cvproj";
        if (!QFile::exists(QString::fromStdString(project))) QSKIP("no example project");
        DesktopProgram program(options());
        program.start({project});
        QVERIFY(program.console().windowTitle().startsWith(QStringLiteral("[example] ")));
        QVERIFY(!program.controller().modules().empty());
        QTRY_VERIFY(program.hierarchy().tree()->topLevelItemCount() > 0);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
