// The console window driven through its real widgets: menus, command line,
// log, drops.
#include "gui/widgets/console_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QUrl>

#include "gui/widgets/desktop_program.h"
#include "gui/widgets/log_view.h"
#include "gui/widgets/qt_ui_host.h"
#include "gui/widgets/selection_dialogs.h"
#include "support/test_files.h"
#include "widgets/modal_helpers.h"

using namespace corvane;

namespace {

constexpr const char* kDesign =
    "module sub(input clk, output [3:0] q);\n"
    "reg [3:0] q;\n"
    "always @(posedge clk) q <= q + 1;\n"
    "endmodule\n"
    "module top(input clk, output [3:0] q);\n"
    "sub u0(.clk(clk), .q(q));\n"
    "endmodule\n";

// Every command the menu data holds, in menu order.
void collectCommands(const std::vector<MenuEntry>& entries, std::vector<MenuCommand>& commands) {
    for (const MenuEntry& entry : entries) {
        if (entry.command) commands.push_back(*entry.command);
        collectCommands(entry.children, commands);
    }
}

// The log view's text as the log holds it (carriage returns are not shown).
QString logAsShown(const MessageLog& log) {
    QString text = QString::fromStdString(std::string(log.text()));
    text.remove(QLatin1Char('\r'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char(' '));
    return text;
}

}  // namespace

class ConsoleWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DesktopProgram> startProgram() {
        DesktopOptions options;
        options.paths.settings.user = dir_.filePath(QStringLiteral("settings.ini")).toStdString();
        options.showSplash = false;
        auto program = std::make_unique<DesktopProgram>(options);
        program->start();
        return program;
    }
    std::string writeDesign() {
        const QString path = dir_.filePath(QStringLiteral("design.v"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(kDesign);
        return path.toStdString();
    }

    QTemporaryDir dir_;

private slots:
    void menusFollowTheMenuDataAndReachTheirCommands() {
        auto program = startProgram();
        ConsoleWindow& console = program->console();
        QStringList titles;
        for (QAction* menu : console.menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, QStringList({"&File", "&Edit", "&Add", "&View", "&Text Report", "&Help"}));

        std::vector<MenuCommand> commands;
        collectCommands(consoleMenuBar(), commands);
        std::vector<MenuCommand> reached;
        console.setMenuHandler([&reached](MenuCommand command) { reached.push_back(command); },
                               [] { return MenuState{}; });
        for (MenuCommand command : commands) {
            QAction* action = console.action(command);
            QVERIFY(action != nullptr);
            const MenuEntry* entry = findMenuEntry(command);
            QCOMPARE(action->text().toStdString(), entry->text);
            QCOMPARE(action->shortcut().toString().toStdString(), entry->shortcut);
            action->trigger();
        }
        QVERIFY(reached == commands);
    }

    void summaryMenuChoosesTheModuleByKeyboard() {
        auto program = startProgram();
        program->controller().setProjectName("p");
        program->controller().analyseFile(writeDesign());
        program->controller().log().clear();
        corvane::testing::onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<CTargetDlg*>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            // The list holds sub and top in order: Down twice selects top.
            QTest::keyClick(dialog->list(), Qt::Key_Down);
            QTest::keyClick(dialog->list(), Qt::Key_Down);
            QTest::keyClick(dialog->list(), Qt::Key_Return);
        });
        program->console().action(MenuCommand::kReportSummary)->trigger();
        QCOMPARE(program->controller().targetModule(), std::string("top"));
        QVERIFY(program->controller().log().text().find("Module name         : top") !=
                std::string_view::npos);
    }

    void viewHierarchyTogglesTheWindowAndItsCheckMark() {
        auto program = startProgram();
        QAction* toggle = program->console().action(MenuCommand::kViewHierarchy);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(!program->hierarchyVisible());
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QVERIFY(program->hierarchyVisible());
        QVERIFY(toggle->isChecked());
        // Closing the window itself clears the check mark too.
        program->setHierarchyVisible(false);
        QVERIFY(!toggle->isChecked());
    }

    void enterRunsUpAndDownRecallEscapeIsSwallowed() {
        auto program = startProgram();
        ConsoleWindow& console = program->console();
        QLineEdit* line = console.commandLine();
        line->setFocus();
        QTest::keyClicks(line, "rev");
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(program->controller().log().text(), std::string_view("Revision 8\r\n"));
        QCOMPARE(line->text(), QString());
        QTest::keyClicks(line, "target,top");
        QTest::keyClick(line, Qt::Key_Enter);
        QVERIFY(program->controller().log().text().find("is unknown.") != std::string_view::npos);
        QCOMPARE(console.prompt()->text(), QStringLiteral(">"));
        QCOMPARE(console.transcript()->toPlainText(), QStringLiteral(">rev\n>target,top"));

        QTest::keyClick(line, Qt::Key_Up);
        QCOMPARE(line->text(), QStringLiteral("target,top"));
        QTest::keyClick(line, Qt::Key_Up);
        QCOMPARE(line->text(), QStringLiteral("rev"));
        QTest::keyClick(line, Qt::Key_Down);
        QCOMPARE(line->text(), QStringLiteral("rev"));
        QTest::keyClick(line, Qt::Key_Down);
        QCOMPARE(line->text(), QStringLiteral("target,top"));
        QCOMPARE(line->cursorPosition(), line->text().size());

        QTest::keyClick(line, Qt::Key_Escape);
        QVERIFY(console.isVisible());
        QCOMPARE(line->text(), QStringLiteral("target,top"));
    }

    void thePromptShowsTheTarget() {
        auto program = startProgram();
        program->controller().setProjectName("p");
        program->controller().analyseFile(writeDesign());
        QLineEdit* line = program->console().commandLine();
        QTest::keyClicks(line, "target,sub");
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(program->console().prompt()->text(), QStringLiteral("sub>"));
    }

    void doubleClickOnAnErrorLineOpensTheSourceViewerRequest() {
        auto program = startProgram();
        const std::string file = writeDesign();
        MessageLog& log = program->controller().log();
        log.appendLog("first line\r\n");
        log.logErrorPrefix(file, 3);
        log.appendLog("Syntax error.(21)\r\n");
        log.appendLog("#ERROR :  :  : its command is too short. net,[Netname]\r\n");
        LogView* view = program->console().log();
        view->flush();

        const auto clickLine = [view](int blockNumber) {
            const QTextBlock block = view->document()->findBlockByNumber(blockNumber);
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
            const QRect at = view->cursorRect(cursor);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at.center());
        };
        clickLine(1);
        const auto& requests = program->ui().documentWindows().requests();
        QCOMPARE(requests.size(), std::size_t{1});
        QCOMPARE(requests[0].kind, DocumentKind::kSourceViewer);
        QCOMPARE(requests[0].path, file);
        QCOMPARE(requests[0].line, 3);
        clickLine(2);  // a console error names no file
        clickLine(0);
        QCOMPARE(requests.size(), std::size_t{1});

        // An echoed "analyze" command in the transcript opens its file too.
        program->controller().enterCommandLine("analyze " + file);
        program->console().updatePrompt();
        QPlainTextEdit* transcript = program->console().transcript();
        QTextCursor echoed(transcript->document()->findBlockByNumber(0));
        echoed.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        QTest::mouseDClick(transcript->viewport(), Qt::LeftButton, Qt::NoModifier,
                           transcript->cursorRect(echoed).center());
        QCOMPARE(requests.size(), std::size_t{2});
        QCOMPARE(requests[1].path, file);
        QCOMPARE(requests[1].line, 1);
    }

    void popupMenuAndCtrlCCopyTheLogSelection() {
        auto program = startProgram();
        program->controller().log().appendLog("alpha beta\r\n");
        LogView* view = program->console().log();
        view->flush();
        std::unique_ptr<QMenu> menu(view->createPopupMenu());
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&Copy\tCtrl+C"));

        view->selectAll();
        QApplication::clipboard()->clear();
        menu->actions()[0]->trigger();
        QCOMPARE(QApplication::clipboard()->text().trimmed(), QStringLiteral("alpha beta"));

        // Ctrl+C in the command line copies the log's selection, not the line's.
        QApplication::clipboard()->clear();
        QLineEdit* line = program->console().commandLine();
        line->setText(QStringLiteral("typed"));
        line->selectAll();
        QTest::keyClick(line, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().trimmed(), QStringLiteral("alpha beta"));
    }

    void theViewMirrorsTheLogWhenItDropsLines() {
        MessageLog log(40);
        LogView view(log);
        const std::vector<std::string> appends = {
            "0123456789\r\n",
            "ab\u2029cdefgh\r\n",
            "klmnopqrst\r\n",
            "partial ",
            "line\r\n",
            "x\r\n",
            std::string(50, 'z') + "\r\n",
            "end",
        };
        for (const std::string& text : appends) {
            log.appendLog(text);
            view.flush();
            QCOMPARE(view.toPlainText(), logAsShown(log));
        }
        // Several appends shown at once give the same text.
        for (int i = 0; i < 30; ++i) log.appendLog("line " + std::to_string(i) + "\r\n");
        view.flush();
        QCOMPARE(view.toPlainText(), logAsShown(log));
    }

    void droppedFilesAreAnalysed() {
        auto program = startProgram();
        program->controller().setProjectName("p");
        const std::string design = writeDesign();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(design))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&program->console(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&program->console(), &drop);
        QTRY_COMPARE(program->controller().modules().size(), std::size_t{2});
        QCOMPARE(program->console().windowTitle(), QStringLiteral("[p] 2 module(s) - Corvane"));

        // A binary file is analysed and refused by the front end; nothing is lost.
        const QString blob = dir_.filePath(QStringLiteral("blob.v"));
        QFile file(blob);
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray("\x00\x01\x02\xff\xfe module", 13));
        file.close();
        program->console().dropPaths({blob.toStdString()});
        QCOMPARE(program->controller().modules().size(), std::size_t{2});
        QVERIFY(program->console().isVisible());
    }
};

QTEST_MAIN(ConsoleWindowTest)
#include "console_window_test.moc"
