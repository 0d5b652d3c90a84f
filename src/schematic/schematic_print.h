// Printing a schematic window: the scaling of the canvas to the page frame
// (one page, or the short side across as many pages as it takes), the page
// offsets, and the pages with their frame, header, date and page numbers.
#pragma once

#include <ctime>
#include <string>

#include "platform/printer_device.h"
#include "project/project_file.h"
#include "reports/text_printer.h"
#include "schematic/canvas_size.h"
#include "schematic/render_context.h"

namespace corvane {

class CSchematicDlg;

// Fit modes of the page margins' `fit`.
inline constexpr int kFitOnePage = 0;
inline constexpr int kFitShortSide = 1;

// A print job stops growing at this many pages, so that a canvas of an
// absurd shape cannot keep the printer busy for ever.
inline constexpr int kMaxSchematicPrintPages = 1000;

// The zoom of a print job and its pages. Without a canvas or a frame to fill
// (`drawn` false) the job prints one page with its frame and texts only.
struct SchematicPrintPlan {
    double zoom = 1.0;
    int columns = 1;
    int rows = 1;
    bool drawn = false;
    int pages() const { return columns * rows; }
};

// Fit mode 0: the whole canvas on one page; fit mode 1 (any other value is
// taken as 0): the canvas's short side fills the frame and the long side
// runs on over further pages.
SchematicPrintPlan planSchematicPrint(int frameWidth, int frameHeight, CanvasSize canvas, int fit);

// The drawing offset of page `page` (from 0): canvas point (0, 0) lands on
// the frame's top-left corner of the first page, each further page shows the
// next frame-sized piece.
Point schematicPageOffset(const TextPageLayout& layout, const SchematicPrintPlan& plan, int page);

// The header title of a printed page: "Schematic - " and the module name.
std::string schematicPrintTitle(const std::string& moduleName);

// Prints the window's schematic on `printer` (the document named after the
// module) with `margins` and their fit mode, dated `now`, texts in `face`.
// The module's zoom is the job's zoom while the pages draw and is restored
// afterwards. False when the module is gone or the printer refuses the job.
bool printSchematicPages(CSchematicDlg& window, PrinterDevice& printer, const PageMargins& margins,
                         const std::tm& now, const std::string& face, SchematicPaintHost& host);

// The window's "&Print..." command: the print dialog preset with the stored
// printer (the default one when none is stored), the choice stored, then
// the pages; "Setting of an effective printer can't be acquired." when no
// printer can be used. Cancel ends the command.
void printSchematicCommand(CSchematicDlg& window, TextPrintJob& job, SchematicPaintHost& host);

}  // namespace corvane
