// A net view opened from a schematic pin's "View &Net" colours that net in
// the schematic window, in the net view's line colour, until the view closes.
#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "gui/widgets/net_view_window.h"
#include "gui/widgets/schematic_window.h"
#include "source_viewer_test_services.h"

namespace corvane {

using testing::menuAction;
using testing::topLevel;
using testing::ViewerTestServices;

namespace {

// Pixels of exactly `rgb` in the drawing area as shown.
int pixelsOf(SchematicWindow& window, QRgb rgb) {
    const QImage image = window.drawingArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) count += (line[x] & 0xFFFFFF) == (rgb & 0xFFFFFF);
    }
    return count;
}

int pinIndex(const Module& module, const std::string& name) {
    for (std::size_t i = 0; i < module.pins.size(); ++i) {
        if (module.pins[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

class SchematicNetViewTest : public QObject {
    Q_OBJECT

private slots:
    void viewNetFromAPinColoursThatNetInTheSchematic() {
        ViewerTestServices test;
        test.analyseExample();
        DocumentWindows windows;
        registerSchematicWindows(windows, test.services, [] {});
        registerNetViewWindows(windows, test.services);

        windows.open(DocumentRequest{DocumentKind::kSchematic, "", "top", "", 1, 0});
        SchematicWindow* schematic = topLevel<SchematicWindow>();
        QVERIFY(schematic != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(schematic));
        schematic->resize(1600, 1000);
        schematic->schematic().onCommand(SchematicCommand::kViewAll);
        QCoreApplication::processEvents();
        const QRgb green = qRgb(0, 255, 0);
        QCOMPARE(pixelsOf(*schematic, green), 0);

        // "View &Net" on the pin done asks for the net view of top::done.
        const Module& top = *schematic->schematic().findModule();
        const int done = pinIndex(top, "done");
        QVERIFY(done >= 0);
        schematic->schematic().setSelection({SelectionEntry{kKindPin, "done", done}});
        schematic->schematic().onCommand(SchematicCommand::kViewNet);
        QVERIFY(!test.ui.openedDocuments.empty());
        const DocumentRequest request = test.ui.openedDocuments.back();
        QCOMPARE(int(request.kind), int(DocumentKind::kNetView));
        QCOMPARE(request.module, std::string("top"));
        QCOMPARE(request.net, std::string("done"));

        // The desktop's host opens the request through the window registry.
        windows.open(request);
        NetViewWindow* net = topLevel<NetViewWindow>();
        QVERIFY(net != nullptr);
        test.ui.colorAnswers.push_back(0x00FF00);
        QAction* colour = menuAction(*net, "Line &Color...");
        QVERIFY(colour != nullptr);
        colour->trigger();
        QCoreApplication::processEvents();
        QVERIFY(pixelsOf(*schematic, green) > 0);

        net->close();
        QCoreApplication::processEvents();
        QCOMPARE(pixelsOf(*schematic, green), 0);
        schematic->schematic().setModified(false);
        schematic->close();
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicNetViewTest)
#include "schematic_net_view_test.moc"
