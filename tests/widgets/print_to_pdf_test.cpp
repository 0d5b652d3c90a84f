// Print > Hierachy... of the example design, through Qt's printing into a
// real PDF file whose text pdftotext reads back.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "console/analysis_driver.h"
#include "elaboration/connection_checks.h"
#include "gui/widgets/qt_printing.h"
#include "platform/progress_sink.h"
#include "platform/text_metrics.h"
#include "reports/text_printer.h"
#include "support/scripted_ui_host.h"
#include "verilog/verilog_module_parser.h"
#include "vhdl/vhdl_module_parser.h"

namespace corvane {
namespace {

// The example design's Verilog, analysed as the desktop program does.
ModuleList exampleDesign() {
    ModuleList modules;
    MessageLog log;
    NullProgressSink progress;
    AnalysisListener listener;
    AnalysisDriver driver(modules, log, progress, FrontEnds{parseVerilogModule, parseVhdlModule},
                          listener);
    driver.analyseFolder(CORVANE_EXAMPLES "/rtl");
    resolveChildPortDirections(modules);
    return modules;
}

// The text of the PDF at `path` as pdftotext lays it out; empty on failure.
QString pdfText(const QString& path) {
    QProcess process;
    process.start("pdftotext", {"-layout", path, "-"});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class PrintToPdfTest : public QObject {
    Q_OBJECT

private slots:
    void hierarchyOfTheExamplePrintsToAOnePagePdf() {
        const ModuleList design = exampleDesign();
        QVERIFY(design.size() >= 4);

        QTemporaryDir folder;
        const QString path = qEnvironmentVariableIsSet("CORVANE_KEEP_PDF")
                                 ? qEnvironmentVariable("CORVANE_KEEP_PDF")
                                 : folder.filePath("hierarchy.pdf");
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(path.toStdString());
        ScriptedUiHost ui;
        ui.defaultPrinterAnswer = printing.defaultPrinter();
        ui.defaultPrinterAnswer->printerName = kPdfPrinterName;
        ui.printAnswers = {true};
        PrinterSettings stored;
        const PageMargins margins;
        std::tm now{};
        now.tm_year = 2024 - 1900;
        now.tm_mday = 1;
        TextPrintJob job{ui, stored, margins, printing, now, fontRuleFace()};
        printHierarchy(job, design, "example");

        QVERIFY(ui.callsNamed("messageBox").empty());
        QVERIFY(stored.valid);
        QCOMPARE(stored.printerName, std::string(kPdfPrinterName));
        const QString text = pdfText(path);
        QVERIFY2(text.contains("Hierachy - [example]"), qPrintable(text));
        QVERIFY2(text.contains("1 / 1"), qPrintable(text));
        QVERIFY2(text.contains("2024/01/01"), qPrintable(text));
        QVERIFY2(text.contains("top"), qPrintable(text));
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::PrintToPdfTest)
#include "print_to_pdf_test.moc"
