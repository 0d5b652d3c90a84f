// The schematic window on the example design: a block dragged with the mouse
// is re-routed and can be undone; a figure and a text comment drawn with the
// tools survive saving and reopening.
#include "gui/widgets/schematic_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "gui/widgets/schematic_window_text_dialog.h"
#include "schematic/net_connectivity.h"
#include "source_viewer_test_services.h"
#include "support/test_files.h"

namespace corvane {

using testing::topLevel;
using testing::ViewerTestServices;

namespace {

// Scrolls so that model point `model` shows 200 pixels right of and 150 below
// the area's corner, and answers where it shows.
QPoint showModelPoint(SchematicWindow& window, Point model) {
    const double zoom = window.schematic().zoom();
    window.horizontalBar()->setValue(std::max(0, static_cast<int>(model.x * zoom) - 200));
    window.verticalBar()->setValue(std::max(0, static_cast<int>(model.y * zoom) - 150));
    const Point scroll = window.schematic().scrollPosition();
    return QPoint(static_cast<int>(model.x * zoom) - scroll.x,
                  static_cast<int>(model.y * zoom) - scroll.y);
}

void dragWithMouse(QWidget* area, QPoint from, QPoint to) {
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QTest::mouseMove(area, (from + to) / 2);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
}

// Types `text` into the text entry dialog as soon as it shows and presses OK.
void answerTextDialog(const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* dialog = qobject_cast<SchematicTextDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return answerTextDialog(text);
        dialog->edit()->setPlainText(text);
        dialog->accept();
    });
}

// Chooses the first entry of the pop-up menu as soon as it shows.
void chooseFirstPopupEntry() {
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return chooseFirstPopupEntry();
        menu->setActiveAction(menu->actions().at(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

const Child* childNamed(const Module& module, const std::string& name) {
    for (const Child& child : module.children) {
        if (child.name == name) return &child;
    }
    return nullptr;
}

}  // namespace

class SchematicWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;
    int projectMarks = 0;

    SchematicWindow* openSchematic(const std::string& module) {
        windows->open(DocumentRequest{DocumentKind::kSchematic, "", module, "", 1, 0});
        return topLevel<SchematicWindow>();
    }

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        test->analyseExample();
        windows = std::make_unique<DocumentWindows>();
        projectMarks = 0;
        registerSchematicWindows(*windows, test->services, [this] { ++projectMarks; });
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void draggingABlockReroutesItsNetsAndUndoRestoresIt() {
        SchematicWindow* window = openSchematic("top");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QString("Schematic - top()"));
        QVERIFY(!window->action(SchematicCommand::kUndo)->isEnabled());
        Module& module = *window->schematic().findModule();
        QVERIFY(testing::brokenNets(module).empty());
        const Child before = *childNamed(module, "u_fsm");

        const QPoint from = showModelPoint(*window, {before.x, before.y + before.height / 2});
        dragWithMouse(window->drawingArea(), from, from + QPoint(64, 32));
        const double zoom = window->schematic().zoom();
        const Child* after = childNamed(module, "u_fsm");
        QCOMPARE(after->x, before.x + static_cast<int>(64 / zoom));
        QCOMPARE(after->y, before.y + static_cast<int>(32 / zoom));
        const std::set<std::string> broken = testing::brokenNets(module);
        QVERIFY2(broken.empty(), broken.empty() ? "" : broken.begin()->c_str());
        QVERIFY(window->schematic().modified());
        QCOMPARE(projectMarks, 1);
        QVERIFY(window->action(SchematicCommand::kUndo)->isEnabled());

        window->action(SchematicCommand::kUndo)->trigger();
        QCOMPARE(childNamed(module, "u_fsm")->x, before.x);
        QCOMPARE(childNamed(module, "u_fsm")->y, before.y);
        QVERIFY(window->action(SchematicCommand::kRedo)->isEnabled());

        // An arrow pointing at the block, and the block selected, for the picture.
        window->action(SchematicCommand::kToolArrow)->trigger();
        dragWithMouse(window->drawingArea(), from + QPoint(224, -64), from + QPoint(112, -64));
        window->action(SchematicCommand::kToolSelect)->trigger();
        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {}, from);
        QCOMPARE(window->schematic().comments().size(), std::size_t{2});
        testing::saveScreenshot(*window, "schematic_top");
        window->close();
    }

    void commentsSurviveSavingAndReopening() {
        SchematicWindow* window = openSchematic("handshake_fsm");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->horizontalBar()->setValue(0);
        window->verticalBar()->setValue(0);
        window->action(SchematicCommand::kToolRectangle)->trigger();
        QCOMPARE(window->schematic().toolMode(), 4);
        dragWithMouse(window->drawingArea(), QPoint(48, 256), QPoint(320, 384));
        window->action(SchematicCommand::kToolTextbox)->trigger();
        answerTextDialog("handshake\nstates");
        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {}, QPoint(72, 282));
        const std::vector<SchematicComment> drawn = window->schematic().comments();
        QCOMPARE(drawn.size(), std::size_t{3});
        QCOMPARE(drawn[1].kind, kCommentRect);
        QCOMPARE(drawn[2].kind, kCommentText);
        QCOMPARE(drawn[2].text, std::string("handshake\r\nstates"));
        window->action(SchematicCommand::kToolSelect)->trigger();
        window->schematic().setSelection({{kCommentText, "2", 2}});
        testing::saveScreenshot(*window, "schematic_handshake_fsm_comments");

        testing::TempDir dir;
        const std::string first = dir.path() + "/first.qsch";
        test->ui.saveFileAnswers.push_back(first);
        window->action(SchematicCommand::kSaveFileAs)->trigger();
        QVERIFY(!window->schematic().modified());
        QCOMPARE(QString::fromStdString(window->schematic().findModule()->schematicPath),
                 QString::fromStdString(first));
        window->close();
        windows->reap();

        SchematicWindow reopened(test->services, "handshake_fsm");
        reopened.open();
        const std::vector<SchematicComment>& read = reopened.schematic().comments();
        QCOMPARE(read.size(), drawn.size());
        for (std::size_t i = 1; i < read.size(); ++i) {
            QCOMPARE(read[i].kind, drawn[i].kind);
            QCOMPARE((std::vector<int>{read[i].x0, read[i].y0, read[i].x1, read[i].y1}),
                     (std::vector<int>{drawn[i].x0, drawn[i].y0, drawn[i].x1, drawn[i].y1}));
            QCOMPARE(read[i].text, drawn[i].text);
        }
        const std::string second = dir.path() + "/second.qsch";
        test->ui.saveFileAnswers.push_back(second);
        reopened.action(SchematicCommand::kSaveFileAs)->trigger();
        QFile a(QString::fromStdString(first));
        QFile b(QString::fromStdString(second));
        QVERIFY(a.open(QIODevice::ReadOnly));
        QVERIFY(b.open(QIODevice::ReadOnly));
        QCOMPARE(b.readAll(), a.readAll());
    }

    void theInstanceMenuOpensTheChildsWindowBesideThisOne() {
        SchematicWindow* window = openSchematic("top");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const Child& child = *childNamed(*window->schematic().findModule(), "u_fsm");
        const QPoint at = showModelPoint(*window, {child.x, child.y + child.height / 2});
        chooseFirstPopupEntry();  // "Open &Schematic"
        QTest::mouseClick(window->drawingArea(), Qt::RightButton, {}, at);
        QTRY_COMPARE(test->ui.openedDocuments.size(), std::size_t{1});
        const DocumentRequest request = test->ui.openedDocuments.back();
        QCOMPARE(request.kind, DocumentKind::kSchematic);
        QCOMPARE(request.module, std::string("handshake_fsm"));
        // What the program's user interface does with the request: a second window.
        windows->open(request);
        QCOMPARE(windows->openCount(DocumentKind::kSchematic), 2);
        windows->open(DocumentRequest{DocumentKind::kSchematic, "", "top", "", 1, 0});
        QCOMPARE(windows->openCount(DocumentKind::kSchematic), 2);

        // Esc leaves the window open; closing a modified one asks first.
        QTest::keyClick(window->drawingArea(), Qt::Key_Escape);
        QVERIFY(window->isVisible());
        window->schematic().setModified(true);
        QVERIFY(!window->close());  // the scripted answer is Cancel
        QCOMPARE(QString::fromStdString(test->ui.messageBoxes.back().text),
                 QString("Do you save schematic?\r\n\r\n"));
        test->ui.messageAnswers.push_back(MessageResult::kNo);
        QVERIFY(window->close());
    }

    void aRemovedModuleLeavesAnEmptyWindowThatStillAnswers() {
        SchematicWindow* window = openSchematic("counter");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        test->parsed.modules.clear();
        dragWithMouse(window->drawingArea(), QPoint(10, 10), QPoint(-40, 900));
        QTest::keyClick(window->drawingArea(), Qt::Key_Delete);
        window->action(SchematicCommand::kZoomIn)->trigger();
        window->drawingArea()->repaint();
        QVERIFY(window->close());
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicWindowTest)
#include "schematic_window_test.moc"
