// File > Print... of the schematic window on the example's `top`, through
// Qt's printing into a real PDF file whose text pdftotext reads back; a PDF
// that cannot be written is a print that can go nowhere.
#include <QAction>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/widgets/qt_printing.h"
#include "gui/widgets/schematic_window.h"
#include "source_viewer_test_services.h"

namespace corvane {

using testing::ViewerTestServices;

namespace {

// The text of the PDF at `path` as pdftotext lays it out; empty on failure.
QString pdfText(const QString& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The example design with printing through Qt to the PDF printer.
struct PrintingServices {
    PrintingServices() {
        test.analyseExample();
        test.ui.defaultPrinterAnswer = printing.defaultPrinter();
        if (test.ui.defaultPrinterAnswer)
            test.ui.defaultPrinterAnswer->printerName = kPdfPrinterName;
        services.now = [] {
            std::tm now{};
            now.tm_year = 2024 - 1900;
            now.tm_mday = 1;
            return now;
        };
    }
    ViewerTestServices test;
    QtPrinting printing{nullptr};
    ViewerServices services{test.parsed.modules, test.settings, test.ui, test.project, printing};
};

}  // namespace

class SchematicPrintTest : public QObject {
    Q_OBJECT

private slots:
    void topPrintsToAOnePagePdfAndKeepsItsZoom() {
        PrintingServices p;
        QTemporaryDir folder;
        const QString path = qEnvironmentVariableIsSet("CORVANE_KEEP_PDF")
                                 ? qEnvironmentVariable("CORVANE_KEEP_PDF")
                                 : folder.filePath("top.pdf");
        p.printing.setPdfOutputPath(path.toStdString());
        SchematicWindow window(p.services, "top");
        window.open();
        window.action(SchematicCommand::kZoomIn)->trigger();
        const double zoom = window.schematic().zoom();

        p.test.ui.printAnswers = {true};
        window.printAction()->trigger();

        QVERIFY(p.test.ui.messageBoxes.empty());
        QVERIFY(p.test.project.printer.valid);
        QCOMPARE(p.test.project.printer.printerName, std::string(kPdfPrinterName));
        QCOMPARE(window.schematic().zoom(), zoom);
        const QString text = pdfText(path);
        QVERIFY2(text.contains("Schematic - top"), qPrintable(text));
        QVERIFY2(text.contains("1 / 1"), qPrintable(text));
        QVERIFY2(text.contains("2024/01/01"), qPrintable(text));
        QVERIFY2(text.contains("u_counter"), qPrintable(text));
    }

    void shortSideFitRunsAcrossSeveralPdfPages() {
        PrintingServices p;
        QTemporaryDir folder;
        const QString path = folder.filePath("top-wide.pdf");
        p.printing.setPdfOutputPath(path.toStdString());
        p.test.project.margins.fit = 1;
        SchematicWindow window(p.services, "top");
        window.open();
        // The example's canvas is wider than tall; on an upright page its
        // height fills the frame and its width runs on to a second page.
        const CanvasSize canvas = window.schematic().canvasSize();
        QVERIFY(canvas.width > canvas.height);
        p.test.ui.printAnswers = {true};
        window.printAction()->trigger();
        QVERIFY(p.test.ui.messageBoxes.empty());
        const QString text = pdfText(path);
        QVERIFY2(text.contains("1 / 2"), qPrintable(text));
        QVERIFY2(text.contains("2 / 2"), qPrintable(text));
        QCOMPARE(text.count("Schematic - top"), 2);
    }

    void aPdfThatCannotBeWrittenGivesTheNoPrinterMessage() {
        PrintingServices p;
        QTemporaryDir folder;
        p.printing.setPdfOutputPath(folder.filePath("no/such/folder/top.pdf").toStdString());
        SchematicWindow window(p.services, "top");
        window.open();
        const double zoom = window.schematic().zoom();
        p.test.ui.printAnswers = {true};
        window.printAction()->trigger();
        QCOMPARE(p.test.ui.messageBoxes.size(), std::size_t{1});
        QCOMPARE(p.test.ui.messageBoxes[0].text,
                 std::string("Setting of an effective printer can't be acquired."));
        QCOMPARE(window.schematic().zoom(), zoom);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicPrintTest)
#include "schematic_print_test.moc"
