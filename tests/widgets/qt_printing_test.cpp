// Printing through Qt: the stored printer values on Qt's page settings, the
// default printer, the print dialog's preset and choice, and the QPrinter
// device.
#include "gui/widgets/qt_printing.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>
#include <array>
#include <functional>

#include "widgets/modal_helpers.h"

namespace corvane {
namespace {

using Values = std::array<std::int16_t, 9>;

PrinterSettings pdfSettings(const Values& values) {
    PrinterSettings settings;
    settings.valid = true;
    settings.printerName = kPdfPrinterName;
    std::copy(values.begin(), values.end(), settings.values);
    return settings;
}

Values valuesOf(const PrinterSettings& settings) {
    Values values{};
    std::copy(std::begin(settings.values), std::end(settings.values), values.begin());
    return values;
}

// Runs `act` on the next modal dialog once it is open; a dialog `act`
// leaves open (a failed check returns early) is cancelled, so the test goes on.
void whenModalShows(std::function<void(QWidget*)> act) {
    testing::onNextModal([act](QWidget* widget) {
        act(widget);
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) dialog->reject();
    });
}

}  // namespace

class QtPrintingTest : public QObject {
    Q_OBJECT

private slots:
    // Values in the order orientation, paper code, length and width (0.1 mm),
    // scale, copies, quality, colour, duplex.
    void storedValuesSurviveTheTripThroughQt_data() {
        QTest::addColumn<Values>("stored");
        QTest::newRow("A4 portrait") << Values{1, 9, 2970, 2100, 100, 1, 600, 2, 1};
        QTest::newRow("Letter landscape, two copies, long-side duplex")
            << Values{2, 1, 2794, 2159, 100, 2, 300, 1, 2};
        QTest::newRow("A3 short-side duplex") << Values{1, 8, 4200, 2970, 100, 1, 1200, 2, 3};
        QTest::newRow("a size of the user's") << Values{2, 256, 1500, 1000, 100, 3, 1200, 1, 1};
        QTest::newRow("scale and a quality code Qt has no setting for")
            << Values{1, 11, 2100, 1480, 75, 1, -4, 2, 1};
    }

    void storedValuesSurviveTheTripThroughQt() {
        QFETCH(Values, stored);
        const PrinterSettings settings = pdfSettings(stored);
        QPrinter printer(QPrinter::HighResolution);
        applyPrinterSettings(settings, printer);
        const PrinterSettings back = printerSettingsOf(printer, settings);
        QVERIFY(back.valid);
        QCOMPARE(back.printerName, std::string(kPdfPrinterName));
        QCOMPARE(valuesOf(back), stored);
    }

    void storedValuesSetQtsPageSettings() {
        QPrinter printer(QPrinter::HighResolution);
        applyPrinterSettings(pdfSettings({2, 0, 1500, 1000, 100, 4, 0, 1, 3}), printer);
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        // No paper code: the length and width give the paper.
        QCOMPARE(printer.pageLayout().pageSize().size(QPageSize::Millimeter), QSizeF(100, 150));
        QCOMPARE(printer.copyCount(), 4);
        QCOMPARE(printer.colorMode(), QPrinter::GrayScale);
    }

    void duplexReachesARealPrinterAndStaysStoredForAPdfFile() {
        const PrinterSettings stored = pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 3});
        QPrinter printer(QPrinter::HighResolution);
        applyPrinterSettings(stored, printer);
        QCOMPARE(printerSettingsOf(printer, stored).values[kDuplex], std::int16_t(3));
        QCOMPARE(printerSettingsOf(printer).values[kDuplex], std::int16_t(1));
    }

    void zeroValuesLeaveThePrintersOwnSettings() {
        QPrinter fresh(QPrinter::HighResolution);
        fresh.setOutputFormat(QPrinter::PdfFormat);
        QPrinter printer(QPrinter::HighResolution);
        applyPrinterSettings(pdfSettings({}), printer);
        QCOMPARE(printer.pageLayout().pageSize().id(), fresh.pageLayout().pageSize().id());
        QCOMPARE(printer.pageLayout().orientation(), fresh.pageLayout().orientation());
        QCOMPARE(printer.copyCount(), fresh.copyCount());
        QCOMPARE(printer.resolution(), fresh.resolution());
    }

    void defaultPrinterIsAnInstalledOneOrThePdfFile() {
        QtPrinting printing(nullptr);
        const std::optional<PrinterSettings> settings = printing.defaultPrinter();
        QVERIFY(settings.has_value());
        QVERIFY(settings->valid);
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            QCOMPARE(settings->printerName, std::string(kPdfPrinterName));
        }
        QVERIFY(settings->values[kOrientation] == 1 || settings->values[kOrientation] == 2);
    }

    void printDialogIsPresetAndItsChoiceIsKept() {
        QTemporaryDir folder;
        const QString path = folder.filePath("chosen.pdf");
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(path.toStdString());
        bool presetLandscape = false;
        whenModalShows([&](QWidget* widget) {
            auto* dialog = qobject_cast<QPrintDialog*>(widget);
            QVERIFY(dialog != nullptr);
            presetLandscape =
                dialog->printer()->pageLayout().orientation() == QPageLayout::Landscape;
            QVERIFY(!dialog->testOption(QAbstractPrintDialog::PrintPageRange));
            auto* copies = dialog->findChild<QSpinBox*>("copies");
            QVERIFY(copies != nullptr);
            copies->setValue(2);
            dialog->accept();
        });
        const PrinterSettings asked = pdfSettings({2, 9, 2970, 2100, 100, 1, 600, 2, 1});
        QVERIFY(printing.printDialog(asked));
        QVERIFY(presetLandscape);
        const PrinterSettings chosen = printing.chosenSettings(asked);
        QCOMPARE(chosen.values[kCopies], std::int16_t(2));
        QCOMPARE(chosen.values[kOrientation], std::int16_t(2));

        std::unique_ptr<PrinterDevice> device = printing.openPrinter(chosen);
        QVERIFY(device != nullptr);
        QVERIFY(device->startDocument("job"));
        QVERIFY(device->startPage());
        device->canvas().drawText({100, 100}, "x");
        device->endPage();
        device->endDocument();
        QVERIFY(QFile::exists(path));
    }

    void printSetupIsPresetAndGivesTheChoiceWithoutPrinting() {
        QTemporaryDir folder;  // an existing PDF would make the dialog ask to overwrite it
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(folder.filePath("out.pdf").toStdString());
        QString title;
        whenModalShows([&](QWidget* widget) {
            title = widget->windowTitle();
            qobject_cast<QDialog*>(widget)->accept();
        });
        const PrinterSettings preset = pdfSettings({2, 11, 2100, 1480, 80, 1, 300, 1, 1});
        const std::optional<PrinterSettings> chosen = printing.printSetupDialog(preset);
        QCOMPARE(title, QString("Print Setup"));
        QVERIFY(chosen.has_value());
        QCOMPARE(valuesOf(*chosen), valuesOf(preset));
        // Setting up keeps no printer for the next job.
        const PrinterSettings other = pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 1});
        QCOMPARE(valuesOf(printing.chosenSettings(other)), valuesOf(other));

        whenModalShows([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
        QVERIFY(!printing.printSetupDialog(preset).has_value());
    }

    // A project from another machine names a printer this one lacks: the
    // dialog offers the default printer with the stored page settings.
    void printDialogOffersTheDefaultForAPrinterThisMachineLacks() {
        QTemporaryDir folder;  // an existing PDF would make the dialog ask to overwrite it
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(folder.filePath("out.pdf").toStdString());
        PrinterSettings stored = pdfSettings({2, 9, 2970, 2100, 100, 1, 600, 2, 1});
        stored.printerName = "printer of another machine";
        whenModalShows([](QWidget* widget) { qobject_cast<QDialog*>(widget)->accept(); });
        QVERIFY(printing.printDialog(stored));
        const PrinterSettings chosen = printing.chosenSettings(stored);
        QCOMPARE(chosen.printerName, printing.defaultPrinter()->printerName);
        QCOMPARE(chosen.values[kOrientation], std::int16_t(2));
    }

    void cancelledPrintDialogForgetsItsPrinter() {
        QTemporaryDir folder;  // an existing PDF would make the dialog ask to overwrite it
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(folder.filePath("out.pdf").toStdString());
        whenModalShows([](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); });
        QVERIFY(!printing.printDialog(pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 1})));
        const PrinterSettings asked = pdfSettings({2, 0, 0, 0, 100, 1, 0, 2, 1});
        QCOMPARE(valuesOf(printing.chosenSettings(asked)), valuesOf(asked));
    }

    void pdfDeviceMeasuresTheWholeSheetAndWritesEveryPage() {
        QTemporaryDir folder;
        const QString path = folder.filePath("pages.pdf");
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(path.toStdString());
        std::unique_ptr<PrinterDevice> device =
            printing.openPrinter(pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 1}));
        QVERIFY(device != nullptr);
        const PageMetrics page = device->pageMetrics();
        QCOMPARE(page.widthMillimetres, 210);
        QCOMPARE(page.heightMillimetres, 297);
        // 210 x 297 mm at 600 dpi, as Qt rounds its paper sizes.
        QVERIFY(std::abs(page.widthPixels - 4961) <= 4);
        QVERIFY(std::abs(page.heightPixels - 7016) <= 4);
        QVERIFY(device->startDocument("pages"));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(device->startPage());
            device->canvas().drawRectangle({100, 100, 200, 200});
            device->endPage();
        }
        device->endDocument();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains("/Count 3"));
    }

    void pdfFileThatCannotBeWrittenRefusesTheJob() {
        QTemporaryDir folder;
        QtPrinting printing(nullptr);
        printing.setPdfOutputPath(folder.filePath("missing/folder/out.pdf").toStdString());
        std::unique_ptr<PrinterDevice> device =
            printing.openPrinter(pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 1}));
        QVERIFY(device != nullptr);
        QVERIFY(!device->startDocument("job"));
        QVERIFY(!device->startPage());
    }

    void unknownPrinterCannotBeOpened() {
        QtPrinting printing(nullptr);
        PrinterSettings settings = pdfSettings({1, 9, 2970, 2100, 100, 1, 600, 2, 1});
        settings.printerName = "no such printer";
        QVERIFY(printing.openPrinter(settings) == nullptr);
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::QtPrintingTest)
#include "qt_printing_test.moc"
