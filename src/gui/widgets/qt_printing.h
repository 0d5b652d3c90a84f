// Printing through Qt: the default printer, the print-setup dialog
// (Printer...), the print dialog before a job, and the printer device the
// core draws its pages on.
//
// With no installed printer the user prints to a PDF file: that printer is
// named kPdfPrinterName and the print dialog asks for the file. The stored
// settings map onto Qt's page settings in print_settings.h.
#pragma once

#include <QPrinter>
#include <memory>
#include <optional>
#include <string>

#include "gui/widgets/print_settings.h"
#include "platform/printer_device.h"
#include "platform/ui_host.h"
#include "reports/text_printer.h"

class QWidget;

namespace corvane {

class QtPrinting final : public PrinterOpener {
public:
    explicit QtPrinting(QWidget* parent);
    ~QtPrinting() override;
    QtPrinting(const QtPrinting&) = delete;
    QtPrinting& operator=(const QtPrinting&) = delete;

    // The system's default printer (else the first installed one, else the
    // PDF printer); nothing when no printer can be used.
    std::optional<PrinterSettings> defaultPrinter();
    // Printer...: the setup dialog preset with `preset`; the choice on OK.
    std::optional<PrinterSettings> printSetupDialog(const PrinterSettings& preset);
    // The print dialog preset with `settings` (a printer this machine does
    // not have gives way to the default one); keeps the chosen printer for
    // openPrinter. False when cancelled.
    bool printDialog(const PrinterSettings& settings);

    // The settings of the printer the last print dialog chose.
    PrinterSettings chosenSettings(const PrinterSettings& asked) override;
    // A device drawing on the printer the last print dialog chose, or one set
    // up from `settings` when no dialog chose one; nullptr when it cannot be
    // used (a printer this machine does not have).
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) override;

    // The file the PDF printer writes to: preset in the print dialog and used
    // when a PDF job starts without one (unattended runs and tests).
    void setPdfOutputPath(const std::string& path) { pdfOutputPath_ = path; }

private:
    std::unique_ptr<QPrinter> printerFor(const PrinterSettings& settings) const;

    QWidget* parent_;
    std::unique_ptr<QPrinter> chosen_;
    std::string pdfOutputPath_;
};

}  // namespace corvane
