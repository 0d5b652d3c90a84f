// The state diagram window on the example's handshake controller: a label
// dragged with the mouse, the diagram saved as a state diagram file, and a
// new window reading it back with the label where it was left; the wheel,
// copying and the close question.
#include "gui/widgets/state_diagram_window.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "source_viewer_test_services.h"
#include "statemachine/diagram_layout.h"
#include "support/test_files.h"

namespace corvane {

using testing::menuAction;
using testing::topLevel;
using testing::ViewerTestServices;

namespace {

constexpr int kNextStateBlockLine = 27;

// The key of the first label drawn inside the visible part of the canvas.
std::string visibleLabel(StateDiagramWindow& window) {
    const Rect control = window.diagram().controlLayout().canvas;
    const Point scroll = window.diagram().scrollPosition();
    for (const auto& [key, label] : window.diagram().labels()) {
        const Rect box = labelInnerBox(label, scroll);
        if (label.placed() && box.left >= 0 && box.top >= 0 && box.right < control.width() &&
            box.bottom < control.height()) {
            return key;
        }
    }
    return {};
}

// The middle of a label's box in the drawing area's coordinates.
QPoint labelPoint(StateDiagramWindow& window, const std::string& key) {
    const Rect box = labelInnerBox(window.diagram().labels().at(key), window.diagram().scrollPosition());
    return QPoint((box.left + box.right) / 2 + CSTTDlg::kCanvasOrigin.x,
                  (box.top + box.bottom) / 2 + CSTTDlg::kCanvasOrigin.y);
}

}  // namespace

class StateDiagramWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;

    StateDiagramWindow* openDiagram() {
        windows->open(DocumentRequest{DocumentKind::kStateDiagram, "", "handshake_fsm", "", 1,
                                      kNextStateBlockLine});
        return topLevel<StateDiagramWindow>();
    }

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        test->analyseExample();
        windows = std::make_unique<DocumentWindows>();
        registerStateDiagramWindows(*windows, test->services);
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void aDraggedLabelIsSavedAndComesBackWhereItWasLeft() {
        StateDiagramWindow* window = openDiagram();
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->diagram().result(), 0);
        QVERIFY(window->windowTitle().startsWith("State Transition Diagram - handshake_fsm : 27 : "));
        testing::saveScreenshot(*window, "state_diagram");

        const std::string key = visibleLabel(*window);
        QVERIFY(!key.empty());
        const TransitionLabel before = window->diagram().labels().at(key);
        const QPoint from = labelPoint(*window, key);
        QTest::mousePress(window->drawingArea(), Qt::LeftButton, {}, from);
        QTest::mouseMove(window->drawingArea(), from + QPoint(40, 30));
        QTest::mouseRelease(window->drawingArea(), Qt::LeftButton, {}, from + QPoint(40, 30));
        const TransitionLabel& moved = window->diagram().labels().at(key);
        QCOMPARE(moved.x, before.x + 40);
        QCOMPARE(moved.y, before.y + 30);
        QVERIFY(window->diagram().modified());
        QVERIFY(window->diagram().dragKey().empty());

        testing::TempDir dir;
        const std::string path = dir.path() + "/handshake_fsm$27.qstm";
        test->ui.saveFileAnswers.push_back(path);
        menuAction(*window, "Save &As...")->trigger();
        QVERIFY(!window->diagram().modified());
        QVERIFY(testing::readAll(path).find("name=\"" + key + "\"") != std::string::npos);
        QVERIFY(window->close());
        QVERIFY2(test->ui.messageBoxes.empty(), "nothing modified: no question");

        StateDiagramWindow* reopened = openDiagram();
        QVERIFY(reopened != nullptr);
        QVERIFY(reopened != window);
        QVERIFY(QTest::qWaitForWindowExposed(reopened));
        QTRY_COMPARE(reopened->diagram().labels().at(key).x, before.x);  // placed by drawing
        test->ui.openFileAnswers.push_back(FileDialogResult{{path}});
        menuAction(*reopened, "&Open...")->trigger();
        QCOMPARE(reopened->diagram().labels().at(key).x, before.x + 40);
        QCOMPARE(reopened->diagram().labels().at(key).y, before.y + 30);
        QVERIFY(!reopened->diagram().modified());
    }

    void closingAModifiedDiagramAsksFirst() {
        StateDiagramWindow* window = openDiagram();
        QVERIFY(window != nullptr);
        window->diagram().setModified(true);
        QVERIFY(!window->close());  // the scripted answer is Cancel
        QVERIFY(window->isVisible());
        QCOMPARE(test->ui.messageBoxes.size(), std::size_t{1});
        QVERIFY(test->ui.messageBoxes[0].text.starts_with("Do you save State Machine Diagram config file?"));
        test->ui.messageAnswers.push_back(MessageResult::kNo);
        QVERIFY(window->close());
        QVERIFY(!window->diagram().alive());
        QVERIFY(!window->isVisible());
    }

    void theWheelScrollsAPageAndCtrlMakesItHorizontal() {
        StateDiagramWindow* window = openDiagram();
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QWheelEvent down(QPointF(100, 100), window->drawingArea()->mapToGlobal(QPointF(100, 100)),
                         {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window->drawingArea(), &down);
        QCOMPARE(window->diagram().scrollPosition(), (Point{0, 64}));
        QCOMPARE(window->verticalBar()->value(), 64);
        QWheelEvent right(QPointF(100, 100), window->drawingArea()->mapToGlobal(QPointF(100, 100)),
                          {}, QPoint(0, -120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(window->drawingArea(), &right);
        QCOMPARE(window->diagram().scrollPosition(), (Point{64, 64}));
        window->verticalBar()->setValue(window->verticalBar()->maximum());
        QCOMPARE(window->diagram().scrollPosition().y, window->diagram().canvasSize().height);
    }

    void ctrlCCopiesTheWholeDiagram() {
        StateDiagramWindow* window = openDiagram();
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));  // shortcuts go to the active window
        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
        window->drawingArea()->repaint();
        QCOMPARE(test->ui.clipboardImage.width, window->diagram().canvasSize().width);
        QCOMPARE(test->ui.clipboardImage.height, window->diagram().canvasSize().height);
    }

    void aBlockWithoutAMachineSaysSoAndStaysOpen() {
        windows->open(DocumentRequest{DocumentKind::kStateDiagram, "", "handshake_fsm", "", 1, 19});
        StateDiagramWindow* window = topLevel<StateDiagramWindow>();
        QVERIFY(window != nullptr);
        // The block at line 19 only loads the state register: no case statement.
        QVERIFY(window->diagram().result() != 0);
        QCOMPARE(test->ui.messageBoxes.back().text, std::string("No state machine was detected."));
        QVERIFY(window->diagram().states().empty());
        test->parsed.modules.clear();
        window->drawingArea()->repaint();
        QVERIFY(window->close());
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::StateDiagramWindowTest)
#include "state_diagram_window_test.moc"
