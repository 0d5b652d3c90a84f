// The net view window on the example design: opened as a schematic pin's
// "View &Net" opens it, it colours the traced pins for the schematic
// windows, selects boxes, opens their source and copies its picture.
#include "gui/widgets/net_view_window.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "source_viewer_test_services.h"

namespace corvane {

using testing::menuAction;
using testing::topLevel;
using testing::ViewerTestServices;

namespace {

// Chooses the first entry of the pop-up menu as soon as it shows.
void chooseFirstPopupEntry() {
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return chooseFirstPopupEntry();
        menu->setActiveAction(menu->actions().at(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

// The window point over the middle of `box`.
QPoint pointOn(NetViewWindow& window, const NetBox& box) {
    const Rect& frame = window.view().frame();
    const Point scroll = window.view().scrollPosition();
    return QPoint((box.x0 + box.x1) / 2 - scroll.x + frame.left,
                  (box.y0 + box.y1) / 2 - scroll.y + frame.top);
}

}  // namespace

class NetViewWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;

    NetViewWindow* openNetView(const std::string& module, const std::string& net) {
        windows->open(DocumentRequest{DocumentKind::kNetView, "", module, net, 1, 0});
        return topLevel<NetViewWindow>();
    }

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        test->analyseExample();
        windows = std::make_unique<DocumentWindows>();
        registerNetViewWindows(*windows, test->services);
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void viewNetOfAPinColoursThatNetForTheSchematicWindows() {
        NetViewWindow* window = openNetView("top", "done");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QString("Net - top::done"));
        QVERIFY(test->schematicRepaints >= 1);
        const NetTrace& trace = window->view().trace();
        QCOMPARE(trace.drivers, (std::vector<NetPortEntry>{{"top", "", "done", 0},
                                                           {"handshake_fsm", "u_fsm", "done", 1}}));
        QCOMPARE(trace.loads, (std::vector<NetPortEntry>{{"counter", "u_counter", "clear", 1}}));

        QCOMPARE(netViewColourOf("top", "done"), std::optional<Color>(CGuiNetDlg::kDefaultLineColor));
        QCOMPARE(netViewColourOf("counter", "clear"), std::optional<Color>(CGuiNetDlg::kDefaultLineColor));
        QCOMPARE(netViewColourOf("top", "req"), std::nullopt);
        testing::saveScreenshot(*window, "net_view");

        test->ui.colorAnswers.push_back(0x00FF00);
        const int repaints = test->schematicRepaints;
        QAction* colour = menuAction(*window, "Line &Color...");
        QVERIFY(colour != nullptr);
        colour->trigger();
        QCOMPARE(netViewColourOf("top", "done"), std::optional<Color>(0x00FF00));
        QCOMPARE(test->schematicRepaints, repaints + 1);

        window->close();
        QCOMPARE(netViewColourOf("top", "done"), std::nullopt);
    }

    void openingTheSameNetAgainRaisesTheView() {
        NetViewWindow* first = openNetView("top", "done");
        QCOMPARE(openNetView("top", "done"), first);
        QCOMPARE(windows->openCount(DocumentKind::kNetView), 1);
    }

    void aRightClickOnABoxOpensItsSource() {
        NetViewWindow* window = openNetView("top", "done");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const NetBox load = window->view().layout().right.at(0);
        const QPoint at = pointOn(*window, load);
        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {}, at);
        QCOMPARE(window->view().selection().instance, std::string("u_counter"));

        chooseFirstPopupEntry();
        QTest::mousePress(window->drawingArea(), Qt::RightButton, {}, at);
        QTest::mouseRelease(window->drawingArea(), Qt::RightButton, {}, at);
        QCOMPARE(test->ui.openedDocuments.size(), std::size_t{1});
        const DocumentRequest& opened = test->ui.openedDocuments[0];
        QCOMPARE(opened.kind, DocumentKind::kSourceViewer);
        QCOMPARE(opened.path, ViewerTestServices::examplePath("counter.v"));
        QCOMPARE(opened.line, test->parsed.modules.find("counter")->pins.at(2).line);
        QCOMPARE(test->parsed.modules.find("counter")->pins.at(2).name, std::string("clear"));
        testing::saveScreenshot(*window, "net_view_selected");
    }

    void ctrlCPutsTheWholeCanvasOnTheClipboard() {
        NetViewWindow* window = openNetView("top", "done");
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));  // shortcuts go to the active window
        QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(test->ui.clipboardImage.width, window->view().canvasWidth());
        QCOMPARE(test->ui.clipboardImage.height, window->view().canvasHeight());
        QVERIFY(!window->view().copyRequested());
    }

    void aModuleThatDisappearsLeavesAnEmptyView() {
        NetViewWindow* window = openNetView("top", "done");
        QVERIFY(window != nullptr);
        test->parsed.modules.removeByName("top");
        windows->refreshAll(DocumentKind::kNetView);
        QVERIFY(window->view().layout().left.empty());
        window->drawingArea()->repaint();
        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(netViewColourOf("counter", "clear"), std::nullopt);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::NetViewWindowTest)
#include "net_view_window_test.moc"
