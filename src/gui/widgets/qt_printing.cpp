#include "gui/widgets/qt_printing.h"

#include <QWidget>

namespace corvane {

void applyPrinterSettings(const PrinterSettings& /*settings*/, QPrinter& /*printer*/) {}

PrinterSettings printerSettingsOf(const QPrinter& /*printer*/) { return {}; }

QtPrinting::QtPrinting(QWidget* parent) : parent_(parent) {}

QtPrinting::~QtPrinting() = default;

std::optional<PrinterSettings> QtPrinting::defaultPrinter() { return std::nullopt; }

std::optional<PrinterSettings> QtPrinting::printSetupDialog(const PrinterSettings& /*preset*/) {
    return std::nullopt;
}

bool QtPrinting::printDialog(const PrinterSettings& /*settings*/) { return false; }

std::unique_ptr<PrinterDevice> QtPrinting::openPrinter(const PrinterSettings& /*settings*/) {
    return nullptr;
}

}  // namespace corvane
