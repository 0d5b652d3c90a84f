#include "gui/widgets/print_settings.h"

#include <QPageLayout>
#include <QPageSize>
#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

std::int16_t toStored(double value) {
    const double rounded = std::round(value);
    if (!std::isfinite(rounded)) return 0;
    return static_cast<std::int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

// The paper of the stored code, or of the stored length and width when the
// code names no size Qt knows.
QPageSize storedPageSize(const PrinterSettings& settings) {
    const int code = settings.values[kPaperSize];
    if (code > 0 && code != kUserPaperSize) {
        const QPageSize::PageSizeId id = QPageSize::id(code);
        if (id != QPageSize::Custom) return QPageSize(id);
    }
    const int length = settings.values[kPaperLength];
    const int width = settings.values[kPaperWidth];
    if (length > 0 && width > 0) {
        return QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter);
    }
    return QPageSize();
}

QPrinter::DuplexMode duplexMode(int stored, QPrinter::DuplexMode current) {
    switch (stored) {
        case 1:
            return QPrinter::DuplexNone;
        case 2:
            return QPrinter::DuplexLongSide;
        case 3:
            return QPrinter::DuplexShortSide;
        default:
            return current;
    }
}

std::int16_t storedDuplex(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexNone:
            return 1;
        case QPrinter::DuplexShortSide:
            return 3;
        default:
            return 2;
    }
}

}  // namespace

void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer) {
    if (settings.printerName == kPdfPrinterName) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else if (!settings.printerName.empty()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(QString::fromStdString(settings.printerName));
    }
    const std::int16_t* values = settings.values;
    const QPageSize size = storedPageSize(settings);
    if (size.isValid()) printer.setPageSize(size);
    if (values[kOrientation] == 1) printer.setPageOrientation(QPageLayout::Portrait);
    if (values[kOrientation] == 2) printer.setPageOrientation(QPageLayout::Landscape);
    if (values[kCopies] > 0) printer.setCopyCount(values[kCopies]);
    if (values[kPrintQuality] > 0) printer.setResolution(values[kPrintQuality]);
    if (values[kColor] == 1) printer.setColorMode(QPrinter::GrayScale);
    if (values[kColor] == 2) printer.setColorMode(QPrinter::Color);
    printer.setDuplex(duplexMode(values[kDuplex], printer.duplex()));
}

PrinterSettings printerSettingsOf(const QPrinter& printer, const PrinterSettings& base) {
    PrinterSettings settings;
    settings.valid = true;
    settings.printerName = printer.outputFormat() == QPrinter::PdfFormat
                               ? std::string(kPdfPrinterName)
                               : printer.printerName().toStdString();
    std::int16_t* values = settings.values;
    const QPageLayout layout = printer.pageLayout();
    values[kOrientation] = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    const QPageSize size = layout.pageSize();
    const int code = size.id() == QPageSize::Custom ? 0 : size.windowsId();
    values[kPaperSize] = toStored(code > 0 ? code : kUserPaperSize);
    const QSizeF millimetres = size.size(QPageSize::Millimeter);
    values[kPaperLength] = toStored(millimetres.height() * 10);
    values[kPaperWidth] = toStored(millimetres.width() * 10);
    values[kScale] = base.valid && base.values[kScale] > 0 ? base.values[kScale] : 100;
    values[kCopies] = toStored(printer.copyCount());
    values[kPrintQuality] = base.valid && base.values[kPrintQuality] < 0
                                ? base.values[kPrintQuality]
                                : toStored(printer.resolution());
    values[kColor] = printer.colorMode() == QPrinter::Color ? 2 : 1;
    // A PDF file has no sides: the duplex chosen for a real printer stays.
    const bool keepsDuplex =
        printer.outputFormat() == QPrinter::PdfFormat && base.valid && base.values[kDuplex] > 0;
    values[kDuplex] = keepsDuplex ? base.values[kDuplex] : storedDuplex(printer.duplex());
    return settings;
}

}  // namespace corvane
