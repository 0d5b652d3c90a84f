// Printing through Qt: the default printer, the print-setup dialog
// (Printer...), the print dialog before a job, and the printer device the
// core draws its pages on.
//
// A project stores its printer as a name and nine device values; they map
// onto Qt's page settings here in one place. With no installed printer the
// user prints to a PDF file: that printer is named kPdfPrinterName.
#pragma once

#include <QPrinter>
#include <memory>
#include <optional>
#include <string>

#include "platform/printer_device.h"
#include "platform/ui_host.h"
#include "reports/text_printer.h"

class QWidget;

namespace corvane {

// The name a PrinterSettings carries for printing to a PDF file.
inline constexpr const char* kPdfPrinterName = "PDF file";

// Copies the nine stored device values (and the printer name) onto
// `printer`'s page settings.
void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer);
// The stored form of `printer`'s page settings.
PrinterSettings printerSettingsOf(const QPrinter& printer);

class QtPrinting final : public PrinterOpener {
public:
    explicit QtPrinting(QWidget* parent);
    ~QtPrinting() override;
    QtPrinting(const QtPrinting&) = delete;
    QtPrinting& operator=(const QtPrinting&) = delete;

    // The system's default printer, or the PDF printer when none is
    // installed; nothing when no printer can be used.
    std::optional<PrinterSettings> defaultPrinter();
    // Printer...: the setup dialog preset with `preset`; the choice on OK.
    std::optional<PrinterSettings> printSetupDialog(const PrinterSettings& preset);
    // The print dialog preset with `settings`; keeps the chosen printer for
    // openPrinter. False when cancelled.
    bool printDialog(const PrinterSettings& settings);
    // A device drawing on the printer the last print dialog chose (or one
    // set up from `settings` when there was none); nullptr when it cannot.
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) override;

    // The PDF file a PDF printer writes to (tests and unattended runs set it
    // instead of asking).
    void setPdfOutputPath(const std::string& path) { pdfOutputPath_ = path; }

private:
    QWidget* parent_;
    std::unique_ptr<QPrinter> chosen_;
    std::string pdfOutputPath_;
};

}  // namespace corvane
