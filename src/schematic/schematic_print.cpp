#include "schematic/schematic_print.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "schematic/schematic_dlg.h"
#include "schematic/schematic_renderer.h"
#include "schematic/schematic_selection.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kNoPrinter = "Setting of an effective printer can't be acquired.";

void notifyNoPrinter(UiHost& ui) {
    ui.messageBox({kCaption, kNoPrinter, MessageIcon::kExclamation, MessageButtons::kOk});
}

// ceil(length / frame), at least 1 and at most the page limit.
int piecesAcross(double length, int frame) {
    const double pieces = std::ceil(length / frame);
    if (!(pieces >= 1.0)) return 1;
    return pieces >= kMaxSchematicPrintPages ? kMaxSchematicPrintPages : static_cast<int>(pieces);
}

// Printed pages show the window's selection in its selection colours; the
// rest goes to the caller's host.
class PrintPaintHost final : public SchematicPaintHost {
public:
    PrintPaintHost(const SchematicSelection& selection, SchematicPaintHost& outer)
        : selection_(selection), outer_(outer) {}
    bool isSelected(int kind, std::string_view name) const override {
        return corvane::isSelected(selection_, kind, name);
    }
    std::optional<Color> netViewColor(std::string_view module,
                                      std::string_view pin) const override {
        return outer_.netViewColor(module, pin);
    }
    void showMessage(std::string_view text) override { outer_.showMessage(text); }

private:
    const SchematicSelection& selection_;
    SchematicPaintHost& outer_;
};

}  // namespace

SchematicPrintPlan planSchematicPrint(int frameWidth, int frameHeight, CanvasSize canvas, int fit) {
    SchematicPrintPlan plan;
    if (frameWidth <= 0 || frameHeight <= 0 || canvas.width <= 0 || canvas.height <= 0) return plan;
    const double wf = frameWidth, hf = frameHeight;
    const double wc = canvas.width, hc = canvas.height;
    const bool pageWider = wf / hf >= wc / hc;
    plan.drawn = true;
    if (fit != kFitShortSide) {
        plan.zoom = pageWider ? hf / hc : wf / wc;
    } else if (pageWider) {
        plan.zoom = wf / wc;
        plan.rows = piecesAcross(hc * plan.zoom, frameHeight);
    } else {
        plan.zoom = hf / hc;
        plan.columns = piecesAcross(wc * plan.zoom, frameWidth);
    }
    return plan;
}

Point schematicPageOffset(const TextPageLayout& layout, const SchematicPrintPlan& plan, int page) {
    const long long frameWidth = layout.frame.width();
    const long long frameHeight = layout.frame.height();
    long long x = -static_cast<long long>(layout.leftMargin);
    long long y = -static_cast<long long>(layout.topMargin) - layout.unit;
    if (plan.columns > 1) x += page * frameWidth;
    if (plan.rows > 1) y += page * frameHeight;
    return {RenderContext::clampedSum(x, 0), RenderContext::clampedSum(y, 0)};
}

std::string schematicPrintTitle(const std::string& moduleName) {
    return "Schematic - " + moduleName;
}

bool printSchematicPages(CSchematicDlg& window, PrinterDevice& printer, const PageMargins& margins,
                         const std::tm& now, const std::string& face, SchematicPaintHost& host) {
    Module* module = window.findModule();
    if (module == nullptr) return false;
    if (!printer.startDocument(module->name)) return false;
    const TextPageLayout layout = textPageLayout(printer.pageMetrics(), margins);
    const SchematicPrintPlan plan = planSchematicPrint(layout.frame.width(), layout.frame.height(),
                                                       window.canvasSize(), margins.fit);
    const double savedZoom = module->zoom;
    if (plan.drawn) module->zoom = plan.zoom;
    const std::string title = schematicPrintTitle(window.moduleName());
    const std::string date = textPrintDate(now);
    const SchematicViewState view;
    PrintPaintHost paintHost(window.selection(), host);
    const SchematicRenderer renderer(window, view, paintHost);
    for (int page = 0; page < plan.pages(); ++page) {
        if (!printer.startPage()) break;
        Canvas& dc = printer.canvas();
        char footer[48];
        std::snprintf(footer, sizeof footer, "%d / %d", page + 1, plan.pages());
        // The footer is centred on the frame.
        drawPageFrame(dc, layout, {title, date, footer, face},
                      layout.frame.left + layout.frame.width() / 2);
        if (plan.drawn) {
            dc.setClipRect(layout.clip);
            renderer.paint(dc, layout.frame, 1, schematicPageOffset(layout, plan, page));
            dc.clearClip();
        }
        printer.endPage();
    }
    printer.endDocument();
    // The window's module may only be looked up again: drawing does not
    // change the module list, but the zoom goes back where it was found.
    if (Module* after = window.findModule()) after->zoom = savedZoom;
    return true;
}

void printSchematicCommand(CSchematicDlg& window, TextPrintJob& job, SchematicPaintHost& host) {
    if (window.findModule() == nullptr) return;
    const std::optional<PrinterSettings> fallback = job.ui.defaultPrinter();
    if (!fallback) return notifyNoPrinter(job.ui);
    PrinterSettings settings = job.printer.valid ? job.printer : *fallback;
    if (!job.ui.printDialog(settings)) return;
    settings = job.printers.chosenSettings(settings);
    settings.valid = true;
    job.printer = settings;
    std::unique_ptr<PrinterDevice> printer = job.printers.openPrinter(job.printer);
    // A printer that cannot be opened or refuses the job (a PDF file that
    // cannot be written) is a print that can go nowhere.
    if (!printer) return notifyNoPrinter(job.ui);
    if (!printSchematicPages(window, *printer, job.margins, job.now, job.face, host))
        notifyNoPrinter(job.ui);
    window.hooks().repaint(window);
}

}  // namespace corvane
