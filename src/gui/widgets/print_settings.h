// The stored printer choice and Qt's page settings, one onto the other.
//
// A project keeps its printer as a name and nine device values in their
// stored meaning: orientation (1 portrait, 2 landscape), paper size (the
// paper codes: 1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, ..., 256 a size of the
// user's), paper length and width (tenths of a millimetre, portrait), scale
// (percent), copies, print quality (dots per inch, or a negative draft to
// high code), colour (1 monochrome, 2 colour) and duplex (1 simplex, 2 long
// side, 3 short side). A value of 0 leaves the printer's own setting.
#pragma once

#include <QPrinter>

#include "platform/ui_host.h"

namespace corvane {

// The name a PrinterSettings carries for printing to a PDF file.
inline constexpr const char* kPdfPrinterName = "PDF file";

// Indices of the nine stored device values.
enum PrinterValue {
    kOrientation = 0,
    kPaperSize,
    kPaperLength,
    kPaperWidth,
    kScale,
    kCopies,
    kPrintQuality,
    kColor,
    kDuplex,
};

// The paper code of a size chosen by the user, given by length and width.
inline constexpr int kUserPaperSize = 256;

// Sets `printer` from the stored settings: the printer (a PDF file for
// kPdfPrinterName) and the page settings Qt has. The scale has no
// counterpart in Qt and is not applied.
void applyPrinterSettings(const PrinterSettings& settings, QPrinter& printer);

// The stored form of `printer`'s settings, marked valid. What Qt does not
// know (the scale, a print quality given as a code, the duplex of a PDF
// file) comes from `base`.
PrinterSettings printerSettingsOf(const QPrinter& printer, const PrinterSettings& base = {});

}  // namespace corvane
