#include "gui/widgets/qt_printing.h"

#include <QAbstractPrintDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QWidget>

#include "gui/qt_canvas.h"

namespace corvane {

namespace {

// A print job on a QPrinter: the page is the whole sheet, so the core's
// margins count from the paper's edge.
class QtPrinterDevice final : public PrinterDevice {
public:
    explicit QtPrinterDevice(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
        printer_->setFullPage(true);
    }
    ~QtPrinterDevice() override { finish(); }

    PageMetrics pageMetrics() const override {
        return {printer_->width(), printer_->height(), printer_->widthMM(), printer_->heightMM()};
    }

    bool startDocument(const std::string& documentName) override {
        finish();
        printer_->setDocName(QString::fromStdString(documentName));
        if (!painter_.begin(printer_.get())) return false;
        canvas_ = std::make_unique<QtCanvas>(painter_);
        pagesStarted_ = 0;
        return true;
    }

    void endDocument() override { finish(); }

    // The first page comes with the document; every further one is asked for.
    bool startPage() override {
        if (!painter_.isActive()) return false;
        if (pagesStarted_++ > 0 && !printer_->newPage()) return false;
        return true;
    }

    void endPage() override {}

    Canvas& canvas() override {
        if (!canvas_) canvas_ = QtCanvas::forImage(1, 1);
        return *canvas_;
    }

private:
    void finish() {
        canvas_.reset();
        if (painter_.isActive()) painter_.end();
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
    int pagesStarted_ = 0;
};

// The print dialog's options: the whole document always prints; printing to
// a file stays, as it is how a machine without a printer prints.
void limitOptions(QPrintDialog& dialog) {
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
}

// Whether the stored printer is one this machine has (the PDF file always is).
bool isKnownPrinter(const std::string& name) {
    return name.empty() || name == kPdfPrinterName ||
           !QPrinterInfo::printerInfo(QString::fromStdString(name)).isNull();
}

// The default printer's name, else the first installed one's, else the PDF file.
std::string fallbackPrinterName() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> installed = QPrinterInfo::availablePrinters();
        if (!installed.isEmpty()) info = installed.front();
    }
    return info.isNull() ? std::string(kPdfPrinterName) : info.printerName().toStdString();
}

std::string defaultPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir(folder).filePath("corvane.pdf").toStdString();
}

}  // namespace

QtPrinting::QtPrinting(QWidget* parent) : parent_(parent) {}

QtPrinting::~QtPrinting() = default;

std::unique_ptr<QPrinter> QtPrinting::printerFor(const PrinterSettings& settings) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // A printer this machine does not have (a project from elsewhere) gives
    // way to the default one; its page settings still apply.
    PrinterSettings usable = settings;
    if (usable.printerName.empty() || !isKnownPrinter(usable.printerName))
        usable.printerName = fallbackPrinterName();
    applyPrinterSettings(usable, *printer);
    if (printer->outputFormat() == QPrinter::PdfFormat && printer->outputFileName().isEmpty()) {
        printer->setOutputFileName(
            QString::fromStdString(pdfOutputPath_.empty() ? defaultPdfPath() : pdfOutputPath_));
    }
    return printer;
}

std::optional<PrinterSettings> QtPrinting::defaultPrinter() {
    QPrinter printer(QPrinter::HighResolution);
    PrinterSettings named;
    named.printerName = fallbackPrinterName();
    applyPrinterSettings(named, printer);
    if (!printer.isValid()) return std::nullopt;
    return printerSettingsOf(printer);
}

std::optional<PrinterSettings> QtPrinting::printSetupDialog(const PrinterSettings& preset) {
    std::unique_ptr<QPrinter> printer = printerFor(preset);
    QPrintDialog dialog(printer.get(), parent_);
    dialog.setWindowTitle("Print Setup");
    limitOptions(dialog);
    // Setting up prints nothing: the confirming button says OK, not Print.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText("OK");
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return printerSettingsOf(*printer, preset);
}

bool QtPrinting::printDialog(const PrinterSettings& settings) {
    std::unique_ptr<QPrinter> printer = printerFor(settings);
    QPrintDialog dialog(printer.get(), parent_);
    limitOptions(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        chosen_.reset();
        return false;
    }
    chosen_ = std::move(printer);
    return true;
}

PrinterSettings QtPrinting::chosenSettings(const PrinterSettings& asked) {
    return chosen_ ? printerSettingsOf(*chosen_, asked) : asked;
}

std::unique_ptr<PrinterDevice> QtPrinting::openPrinter(const PrinterSettings& settings) {
    // Without a dialog's choice the named printer itself must exist: a job
    // never goes silently somewhere else.
    if (!chosen_ && !isKnownPrinter(settings.printerName)) return nullptr;
    std::unique_ptr<QPrinter> printer = chosen_ ? std::move(chosen_) : printerFor(settings);
    if (!printer->isValid()) return nullptr;
    if (printer->outputFormat() == QPrinter::PdfFormat && printer->outputFileName().isEmpty())
        return nullptr;
    return std::make_unique<QtPrinterDevice>(std::move(printer));
}

}  // namespace corvane
