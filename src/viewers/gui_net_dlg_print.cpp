// Printing the net view: as many pages across and down as the canvas needs
// at six device pixels per canvas unit, each framed with a header, the date
// and its page number.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/text_metrics.h"
#include "viewers/gui_net_dlg.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kNoPrinter = "Setting of an effective printer can't be acquired.";
constexpr double kPrintScale = 6.0;

int pagesFor(int extent, int printable) {
    if (printable <= 0) {
        return 1;
    }
    const long long needed = (static_cast<long long>(extent) * 6 + printable - 1) / printable;
    return static_cast<int>(std::clamp<long long>(needed, 1, 10000));
}

int toPixels(double millimetres, int pixels, int millimetresOfAxis) {
    if (millimetresOfAxis <= 0) {
        return 0;
    }
    return static_cast<int>(std::floor(millimetres * pixels / millimetresOfAxis));
}

std::string dateText(const std::tm& time) {
    char text[64] = {};
    const std::size_t length = std::strftime(text, sizeof text, "%Y/%m/%d %a %H:%M:%S", &time);
    return std::string(text, length);
}

}  // namespace

NetPrintPages CGuiNetDlg::printPages(int canvasWidth, int canvasHeight, int printableWidth,
                                     int printableHeight) {
    NetPrintPages pages;
    pages.across = pagesFor(canvasWidth, printableWidth);
    pages.down = pagesFor(canvasHeight, printableHeight);
    pages.stepX = pages.across > 1 ? printableWidth / kPrintScale : 0;
    pages.stepY = pages.down > 1 ? printableHeight / kPrintScale : 0;
    return pages;
}

void CGuiNetDlg::onPrintCommand() {
    PrinterSettings settings = hooks_.storedPrinter();
    if (!settings.valid) {
        const std::optional<PrinterSettings> fallback = ui_.defaultPrinter();
        if (!fallback) {
            ui_.messageBox({kCaption, kNoPrinter, MessageIcon::kExclamation, MessageButtons::kOk});
            return;
        }
        settings = *fallback;
    }
    if (!ui_.printDialog(settings)) {
        return;
    }
    settings.valid = true;
    hooks_.storePrinter(settings);
    const std::unique_ptr<PrinterDevice> printer = hooks_.openPrinter(settings);
    if (!printer) {
        ui_.messageBox({kCaption, kNoPrinter, MessageIcon::kExclamation, MessageButtons::kOk});
        return;
    }
    printTo(*printer, hooks_.printMargins(), hooks_.localTime());
    hooks_.repaint();
}

void CGuiNetDlg::printTo(PrinterDevice& printer, const PageMargins& margins,
                         const std::tm& now) const {
    const PageMetrics page = printer.pageMetrics();
    const int left = toPixels(margins.left, page.widthPixels, page.widthMillimetres);
    const int right = toPixels(margins.right, page.widthPixels, page.widthMillimetres);
    const int top = toPixels(margins.top, page.heightPixels, page.heightMillimetres);
    const int bottom = toPixels(margins.bottom, page.heightPixels, page.heightMillimetres);
    const int unit = toPixels(4.0, page.heightPixels, page.heightMillimetres);
    const int printableWidth = page.widthPixels - left - right;
    const int printableHeight = page.heightPixels - 2 * unit - top - bottom;
    const NetPrintPages pages = printPages(canvasWidth_, canvasHeight_, printableWidth, printableHeight);
    const Rect frame{left, top + unit, page.widthPixels - right, page.heightPixels - unit - bottom};
    const int shrinkX = toPixels(0.25, page.widthPixels, page.widthMillimetres);
    const int shrinkY = toPixels(0.25, page.heightPixels, page.heightMillimetres);
    const Rect clip{frame.left + shrinkX, frame.top + shrinkY, frame.right - shrinkX,
                    frame.bottom - shrinkY};
    const std::string header = "Net - " + moduleName_ + "(" + netName_ + ")";
    const std::string date = dateText(now);

    if (!printer.startDocument(moduleName_)) {
        return;
    }
    for (int k = 0; k < pages.count(); ++k) {
        if (!printer.startPage()) {
            break;
        }
        Canvas& dc = printer.canvas();
        dc.setPen(solidPen(0, 0));
        dc.setBrush(nullBrush());
        dc.drawRectangle(frame);
        dc.setFont(Font{face_, unit, 400});
        dc.setTextColor(0);
        dc.setTextBackground(false, 0xffffff);
        dc.drawText({left, top}, header);
        dc.drawText({frame.right - dc.textExtent(date).width, top}, date);
        const std::string footer = std::to_string(k + 1) + " / " + std::to_string(pages.count());
        const int footerX = frame.left + (frame.width() - dc.textExtent(footer).width) / 2;
        dc.drawText({footerX, frame.bottom + 8}, footer);
        dc.setClipRect(clip);
        const int column = k % pages.across;
        const int row = k / pages.across;
        draw(dc, kPrintScale, column * pages.stepX, row * pages.stepY, {frame.left, frame.top});
        dc.clearClip();
        printer.endPage();
    }
    printer.endDocument();
}

}  // namespace corvane
