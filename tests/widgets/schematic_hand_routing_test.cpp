// Hand routing in the schematic window with the mouse: a net of the example
// started from the wire context menu, redrawn by clicks on its two
// terminals, saved and reopened.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "gui/widgets/schematic_window.h"
#include "schematic/schematic_selection.h"
#include "schematic/terminal_refresh.h"
#include "source_viewer_test_services.h"
#include "support/test_files.h"

namespace corvane {

using testing::topLevel;
using testing::ViewerTestServices;

namespace {

// Scrolls so that model point `model` shows inside the area and answers
// where it shows.
QPoint showModelPoint(SchematicWindow& window, Point model) {
    const double zoom = window.schematic().zoom();
    window.horizontalBar()->setValue(std::max(0, static_cast<int>(model.x * zoom) - 200));
    window.verticalBar()->setValue(std::max(0, static_cast<int>(model.y * zoom) - 150));
    const Point scroll = window.schematic().scrollPosition();
    return QPoint(static_cast<int>(model.x * zoom) - scroll.x,
                  static_cast<int>(model.y * zoom) - scroll.y);
}

// Chooses the pop-up menu entry `text` as soon as the menu shows.
void choosePopupEntry(const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return choosePopupEntry(text);
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

// A net of `module` to redraw: two terminals with connection points, and a
// point on its route where a click selects this net's wire first.
struct NetToRoute {
    std::string name;
    int position = -1;
    Point from, to, onWire;
};

NetToRoute twoTerminalNet(const Module& module, const SensitivityPlaces& sensitivity,
                          const std::vector<SchematicComment>& comments) {
    int position = 0;
    for (const auto& [name, net] : module.nets) {
        std::vector<Point> points;
        for (const Terminal& t : net.terminals) {
            Point p;
            if (t.kind != -1 && t.spare == 0 && referencedPoint(module, sensitivity, t, p))
                points.push_back(p);
        }
        if (points.size() == 2 && points[0].x != points[1].x && points[0].y != points[1].y) {
            for (const Segment& s : net.route) {
                const Point middle{(s.x0 + s.x1) / 2, (s.y0 + s.y1) / 2};
                const SchematicSelection under =
                    selectInRectangle(module, comments, middle, middle);
                if (under.size() == 1 && under[0].kind == kKindWire && under[0].index == position)
                    return {name, position, points[0], points[1], middle};
            }
        }
        ++position;
    }
    return {};
}

}  // namespace

class SchematicHandRoutingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        test->analyseExample();
        windows = std::make_unique<DocumentWindows>();
        registerSchematicWindows(*windows, test->services, [] {});
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void aNetRedrawnByHandSurvivesSavingAndReopening() {
        windows->open(DocumentRequest{DocumentKind::kSchematic, "", "top", "", 1, 0});
        SchematicWindow* window = topLevel<SchematicWindow>();
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        CSchematicDlg& schematic = window->schematic();
        Module& module = *schematic.findModule();
        const NetToRoute net =
            twoTerminalNet(module, schematic.sensitivity(), schematic.comments());
        QVERIFY2(net.position >= 0, "no net of top with two terminals off each other's lines");

        choosePopupEntry("Start &Hand Routing");
        QTest::mouseClick(window->drawingArea(), Qt::RightButton, {},
                          showModelPoint(*window, net.onWire));
        QTRY_VERIFY(schematic.handRouting().on());
        QCOMPARE(schematic.handRouting().net(), net.position);

        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {},
                          showModelPoint(*window, net.from));
        QCOMPARE(schematic.handRouting().stepCount(), 1);
        // Half way to the other terminal, for the picture of the step preview.
        const Point half{(net.from.x + net.to.x) / 2, (net.from.y + net.to.y) / 2};
        QTest::mouseMove(window->drawingArea(), showModelPoint(*window, half));
        window->drawingArea()->repaint();
        testing::saveScreenshot(*window, "schematic_hand_routing");

        QTest::mouseClick(window->drawingArea(), Qt::LeftButton, {},
                          showModelPoint(*window, net.to));
        QVERIFY(!schematic.handRouting().on());
        QVERIFY(schematic.modified());
        // A horizontal-vertical-horizontal dog-leg between the two terminals.
        const int m = (net.from.x + net.to.x) / 2;
        const std::vector<Segment>& drawn = module.nets.at(net.name).route;
        QCOMPARE(drawn.size(), std::size_t{3});
        QCOMPARE((std::vector<int>{drawn[0].x0, drawn[0].y0, drawn[0].x1, drawn[0].y1}),
                 (std::vector<int>{net.from.x, net.from.y, m, net.from.y}));
        QCOMPARE((std::vector<int>{drawn[2].x0, drawn[2].y0, drawn[2].x1, drawn[2].y1}),
                 (std::vector<int>{m, net.to.y, net.to.x, net.to.y}));

        testing::TempDir dir;
        const std::string path = dir.path() + "/hand.qsch";
        test->ui.saveFileAnswers.push_back(path);
        window->action(SchematicCommand::kSaveFileAs)->trigger();
        QVERIFY(!schematic.modified());
        const std::vector<Segment> saved = drawn;
        window->close();
        windows->reap();

        SchematicWindow reopened(test->services, "top");
        reopened.open();
        const std::vector<Segment>& read =
            reopened.schematic().findModule()->nets.at(net.name).route;
        QCOMPARE(read.size(), saved.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            QCOMPARE((std::vector<int>{read[i].x0, read[i].y0, read[i].x1, read[i].y1}),
                     (std::vector<int>{saved[i].x0, saved[i].y0, saved[i].x1, saved[i].y1}));
        }
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicHandRoutingTest)
#include "schematic_hand_routing_test.moc"
