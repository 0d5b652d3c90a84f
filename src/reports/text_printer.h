// Printing text as pages: File > Print > Hierachy... and List..., and the
// source viewer's printout.
//
// The lines are wrapped to the printable width (continuations may repeat the
// line's leading blanks), gathered into pages without splitting a line, and
// drawn inside a frame with the title and date above it and "page / pages"
// below it. Distances come from the printer's pixels per millimetre.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/module_list.h"
#include "platform/canvas.h"
#include "platform/printer_device.h"
#include "platform/ui_host.h"
#include "project/project_file.h"

namespace corvane {

// Opens the printer a print dialog chose; the desktop program's printing
// implements it.
class PrinterOpener {
public:
    virtual ~PrinterOpener() = default;
    // The settings the last print dialog confirmed, offered `asked`: what
    // the user changed in it (printer, paper, copies...) is kept.
    virtual PrinterSettings chosenSettings(const PrinterSettings& asked) { return asked; }
    // The printer for `settings`; nullptr when it cannot be used.
    virtual std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) = 0;
};

// What a print command needs besides its text.
struct TextPrintJob {
    UiHost& ui;                  // the no-printer message and the print dialog
    PrinterSettings& printer;    // the stored choice: preset, and replaced on OK
    const PageMargins& margins;  // millimetres
    PrinterOpener& printers;
    std::tm now;       // the header's date and time
    std::string face;  // the body and header font face
};

// The page geometry in device pixels.
struct TextPageLayout {
    int leftMargin = 0;
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;
    int unit = 0;             // 4 mm vertically: text height and line pitch
    int printableWidth = 0;   // page width - 2 units - left and right margins
    int printableHeight = 0;  // page height - 4 units - top and bottom margins
    Rect frame;
    Rect clip;  // the frame shrunk by a quarter millimetre
};

TextPageLayout textPageLayout(const PageMetrics& page, const PageMargins& margins);

// The width in pixels of a text on one line.
using TextMeasure = std::function<int(std::string_view)>;

// The display lines of one input line, each no wider than `width` by
// `measure` (summed character by character) unless a single character is. With `indentContinuation`
// every continuation starts with the input line's leading blanks (unless those blanks alone fill
// the width). Multi-byte characters are kept whole.
std::vector<std::string> wrapTextLine(std::string_view line, int width, bool indentContinuation,
                                      const TextMeasure& measure);

// Pages of input lines: the index of each page's first line. A line taking
// `lineCounts[i]` units never splits; one taller than a page gets a page of
// its own. At least one page, even for no lines.
std::vector<std::size_t> paginateLines(const std::vector<int>& lineCounts, int unit,
                                       int printableHeight);

// What a printed page says around its body.
struct PageTexts {
    std::string title;   // at the left margin on the header line
    std::string date;    // right-aligned to the frame on the header line
    std::string footer;  // "%d / %d", 8 pixels below the frame
    std::string face;    // the font face; the text height is the layout's unit
};

// The page frame with the header and the footer centred on `footerCentre`.
void drawPageFrame(Canvas& dc, const TextPageLayout& layout, const PageTexts& texts,
                   int footerCentre);

// The header date, "%Y/%m/%d %a %H:%M:%S".
std::string textPrintDate(const std::tm& time);

// Prints `lines` titled `title`: asks for the printer, lays out and draws
// the pages. The messages go through the job's UiHost.
void printText(TextPrintJob& job, const std::string& title, const std::vector<std::string>& lines,
               bool indentContinuation);

// The report text split for printing: tabs become four blanks, the pieces
// between "\r\n" (empty ones kept).
std::vector<std::string> printableReportLines(const std::string& report);

// Print > Hierachy...: the hierarchy report titled "Hierachy - [<project>]".
void printHierarchy(TextPrintJob& job, const ModuleList& modules, const std::string& projectName);
// Print > List...: the module list (which sorts `modules`) titled "List - [<project>]".
void printModuleList(TextPrintJob& job, ModuleList& modules, const std::string& projectName);

}  // namespace corvane
