// The schematic window's bitmap copy: whatever the window's zoom and scroll
// position, the clipboard receives the whole canvas at zoom 1 from its
// top-left corner.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QScrollBar>
#include <QtTest>

#include "gui/widgets/schematic_window.h"
#include "source_viewer_test_services.h"

namespace corvane {

using testing::ViewerTestServices;

namespace {

// The number of black pixels, the colour of wires and outlines.
int blackPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == 0) ++count;
        }
    }
    return count;
}

}  // namespace

class SchematicClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void copyOfAScrolledZoomedWindowIsTheWholeCanvasAtZoomOne() {
        ViewerTestServices test;
        test.analyseExample();

        // The picture of a window as it opens: zoom 1, no scroll.
        SchematicWindow plain(test.services, "top");
        plain.open();
        plain.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        QCOMPARE(plain.schematic().zoom(), 1.0);
        QGuiApplication::clipboard()->clear();
        plain.action(SchematicCommand::kCopyBitmap)->trigger();
        const QImage reference = QGuiApplication::clipboard()->image();
        const CanvasSize canvas = plain.schematic().canvasSize();
        QCOMPARE(reference.size(), QSize(canvas.width, canvas.height));
        QVERIFY(blackPixels(reference) > 100);

        // Zoomed in and scrolled to the far corner, the C key copies the same.
        SchematicWindow moved(test.services, "top");
        moved.open();
        moved.show();
        QVERIFY(QTest::qWaitForWindowExposed(&moved));
        moved.action(SchematicCommand::kZoomIn)->trigger();
        moved.action(SchematicCommand::kZoomIn)->trigger();
        moved.horizontalBar()->setValue(moved.horizontalBar()->maximum());
        moved.verticalBar()->setValue(moved.verticalBar()->maximum());
        QVERIFY(moved.schematic().zoom() > 1.0);
        QVERIFY(moved.schematic().scrollPosition().x > 0);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(moved.drawingArea(), Qt::Key_C);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), reference.size());
        if (const QString folder = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
            !folder.isEmpty())
            copied.save(folder + "/schematic_clipboard.png");
        QVERIFY(copied.convertToFormat(QImage::Format_RGB32) ==
                reference.convertToFormat(QImage::Format_RGB32));
        // The window itself keeps its zoom and scroll position.
        QVERIFY(moved.schematic().zoom() > 1.0);
        QVERIFY(moved.schematic().scrollPosition().x > 0);
    }

    // An empty canvas, or one far too large for an image (as a schematic
    // file may ask for), leaves the clipboard as it was.
    void emptyOrHugeCanvasPutsNothingOnTheClipboard() {
        ViewerTestServices test;
        test.analyseExample();
        SchematicWindow window(test.services, "top");
        window.open();
        for (const CanvasSize size :
             {CanvasSize{0, 600}, CanvasSize{1600, 0}, CanvasSize{2147483647, 2147483647},
              CanvasSize{100000, 100000}}) {
            window.schematic().setCanvasSize(size);
            QGuiApplication::clipboard()->setText("kept");
            window.action(SchematicCommand::kCopyBitmap)->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
            QVERIFY(QGuiApplication::clipboard()->image().isNull());
        }
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicClipboardTest)
#include "schematic_clipboard_test.moc"
