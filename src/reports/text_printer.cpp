#include "reports/text_printer.h"

#include <cmath>
#include <cstdio>

#include "platform/text_metrics.h"
#include "reports/hierarchy_report.h"
#include "reports/summary_report.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kNoPrinter = "Setting of an effective printer can't be acquired.";

// floor(millimetres * pixels / length): 0 for a page without a length or a
// distance that is not a positive number, and never more than the page.
int toPixels(double millimetres, int pixels, int length) {
    if (length <= 0 || pixels <= 0 || !std::isfinite(millimetres)) return 0;
    const double value = std::floor(millimetres * pixels / length);
    if (value <= 0) return 0;
    return value >= pixels ? pixels : static_cast<int>(value);
}

// The byte length of the character starting at `pos`: a whole UTF-8
// sequence, or one byte where the bytes are not well-formed.
std::size_t characterLength(std::string_view text, std::size_t pos) {
    char32_t codePoint = 0;
    const std::size_t length = decodeUtf8Sequence(text, pos, codePoint);
    return length == 0 ? 1 : length;
}

void notifyNoPrinter(UiHost& ui) {
    ui.messageBox({kCaption, kNoPrinter, MessageIcon::kExclamation, MessageButtons::kOk});
}

// Printing needs a default printer; the print dialog is preset with the
// stored printer when there is one, else with the default one, and the
// choice is stored. False when printing stops here.
bool choosePrinter(TextPrintJob& job) {
    const std::optional<PrinterSettings> fallback = job.ui.defaultPrinter();
    if (!fallback) {
        notifyNoPrinter(job.ui);
        return false;
    }
    PrinterSettings settings = job.printer.valid ? job.printer : *fallback;
    if (!job.ui.printDialog(settings)) return false;
    settings = job.printers.chosenSettings(settings);
    settings.valid = true;
    job.printer = settings;
    return true;
}

void drawPageBody(Canvas& dc, const TextPageLayout& layout, const std::vector<std::string>& lines) {
    dc.setClipRect(layout.clip);
    int top = layout.topMargin + 2 * layout.unit;
    for (const std::string& line : lines) {
        dc.drawText({layout.leftMargin + layout.unit, top}, line);
        top += layout.unit;
    }
    dc.clearClip();
}

}  // namespace

TextPageLayout textPageLayout(const PageMetrics& page, const PageMargins& margins) {
    TextPageLayout layout;
    layout.leftMargin = toPixels(margins.left, page.widthPixels, page.widthMillimetres);
    layout.rightMargin = toPixels(margins.right, page.widthPixels, page.widthMillimetres);
    layout.topMargin = toPixels(margins.top, page.heightPixels, page.heightMillimetres);
    layout.bottomMargin = toPixels(margins.bottom, page.heightPixels, page.heightMillimetres);
    layout.unit = toPixels(4.0, page.heightPixels, page.heightMillimetres);
    layout.printableWidth =
        page.widthPixels - 2 * layout.unit - layout.leftMargin - layout.rightMargin;
    layout.printableHeight =
        page.heightPixels - 4 * layout.unit - layout.topMargin - layout.bottomMargin;
    layout.frame = {layout.leftMargin, layout.topMargin + layout.unit,
                    page.widthPixels - layout.rightMargin,
                    page.heightPixels - layout.unit - layout.bottomMargin};
    const int insetX = toPixels(0.25, page.widthPixels, page.widthMillimetres);
    const int insetY = toPixels(0.25, page.heightPixels, page.heightMillimetres);
    layout.clip = {layout.frame.left + insetX, layout.frame.top + insetY,
                   layout.frame.right - insetX, layout.frame.bottom - insetY};
    return layout;
}

std::vector<std::string> wrapTextLine(std::string_view line, int width, bool indentContinuation,
                                      const TextMeasure& measure) {
    std::size_t leadingBlanks = 0;
    while (leadingBlanks < line.size() && line[leadingBlanks] == ' ') ++leadingBlanks;
    std::string indent;
    long long indentWidth = 0;
    if (indentContinuation && leadingBlanks > 0) {
        indent.assign(leadingBlanks, ' ');
        indentWidth = measure(indent);
        // An indent that fills the line would leave no room for the text.
        if (indentWidth >= width) {
            indent.clear();
            indentWidth = 0;
        }
    }
    // Widths add up character by character, as the column metric does, so
    // each character is measured once however long the line.
    std::vector<std::string> display(1);
    long long lineWidth = 0;
    std::size_t fresh = 0;  // bytes of the current display line that are its indent
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t length = characterLength(line, pos);
        const std::string_view character = line.substr(pos, length);
        pos += length;
        const int characterWidth = measure(character);
        // A character alone on a fresh line stays there even when wider
        // than the width, so wrapping always moves on.
        if (display.back().size() > fresh && lineWidth + characterWidth > width) {
            display.push_back(indent);
            lineWidth = indentWidth;
            fresh = indent.size();
        }
        display.back() += character;
        lineWidth += characterWidth;
    }
    return display;
}

std::vector<std::size_t> paginateLines(const std::vector<int>& lineCounts, int unit,
                                       int printableHeight) {
    std::vector<std::size_t> starts{0};
    long long used = 0;
    for (std::size_t i = 0; i < lineCounts.size(); ++i) {
        const long long height = static_cast<long long>(lineCounts[i]) * unit;
        if (used > 0 && used + height > printableHeight) {
            starts.push_back(i);
            used = 0;
        }
        used += height;
    }
    return starts;
}

std::string textPrintDate(const std::tm& time) {
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%Y/%m/%d %a %H:%M:%S", &time);
    return std::string(text, length);
}

namespace {

// The display lines of each page: every input line wrapped, the lines
// gathered into pages without splitting one.
std::vector<std::vector<std::string>> layoutPages(const std::vector<std::string>& lines,
                                                  const TextPageLayout& layout,
                                                  bool indentContinuation,
                                                  const TextMeasure& measure) {
    std::vector<std::vector<std::string>> wrapped;
    std::vector<int> counts;
    wrapped.reserve(lines.size());
    counts.reserve(lines.size());
    for (const std::string& line : lines) {
        wrapped.push_back(wrapTextLine(line, layout.printableWidth, indentContinuation, measure));
        counts.push_back(static_cast<int>(wrapped.back().size()));
    }
    const std::vector<std::size_t> starts =
        paginateLines(counts, layout.unit, layout.printableHeight);
    std::vector<std::vector<std::string>> pages(starts.size());
    for (std::size_t page = 0; page < starts.size(); ++page) {
        const std::size_t end = page + 1 < starts.size() ? starts[page + 1] : lines.size();
        for (std::size_t i = starts[page]; i < end; ++i) {
            pages[page].insert(pages[page].end(), wrapped[i].begin(), wrapped[i].end());
        }
    }
    return pages;
}

}  // namespace

void printText(TextPrintJob& job, const std::string& title, const std::vector<std::string>& lines,
               bool indentContinuation) {
    if (!choosePrinter(job)) return;
    std::unique_ptr<PrinterDevice> printer = job.printers.openPrinter(job.printer);
    // A printer that cannot be opened or refuses the job (a PDF file that
    // cannot be written) is a print that can go nowhere.
    if (!printer || !printer->startDocument(title)) return notifyNoPrinter(job.ui);

    const TextPageLayout layout = textPageLayout(printer->pageMetrics(), job.margins);
    const TextMetrics metrics;
    const TextMeasure measure = [&](std::string_view text) {
        return metrics.width(job.face, layout.unit, text);
    };
    const std::vector<std::vector<std::string>> pages =
        layoutPages(lines, layout, indentContinuation, measure);
    const std::string date = textPrintDate(job.now);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (!printer->startPage()) break;
        char footer[48];
        std::snprintf(footer, sizeof footer, "%zu / %zu", page + 1, pages.size());
        Canvas& dc = printer->canvas();
        // The footer is centred on the printable text width.
        drawPageFrame(dc, layout, {title, date, footer, job.face},
                      layout.leftMargin + layout.unit + layout.printableWidth / 2);
        drawPageBody(dc, layout, pages[page]);
        printer->endPage();
    }
    printer->endDocument();
}

std::vector<std::string> printableReportLines(const std::string& report) {
    std::string text;
    text.reserve(report.size());
    for (const char c : report) {
        if (c == '\t')
            text += "    ";
        else
            text += c;
    }
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", start)) {
        pieces.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

void printHierarchy(TextPrintJob& job, const ModuleList& modules, const std::string& projectName) {
    std::string rootPath;
    const std::string report = buildHierarchyText(modules, rootPath);
    printText(job, "Hierachy - [" + projectName + "]", printableReportLines(report), true);
}

void printModuleList(TextPrintJob& job, ModuleList& modules, const std::string& projectName) {
    const std::string report = buildModuleListReport(modules, computeRootPath(modules));
    printText(job, "List - [" + projectName + "]", printableReportLines(report), false);
}

void drawPageFrame(Canvas& dc, const TextPageLayout& layout, const PageTexts& texts,
                   int footerCentre) {
    const Rect& frame = layout.frame;
    dc.setPen(solidPen(0, rgb(0, 0, 0)));
    dc.setBrush(nullBrush());
    dc.drawRectangle(frame);
    dc.setFont(Font{texts.face, layout.unit, 400});
    dc.setTextBackground(false, rgb(255, 255, 255));
    dc.setTextColor(rgb(0, 0, 0));
    dc.drawText({layout.leftMargin, layout.topMargin}, texts.title);
    dc.drawText({frame.right - dc.textExtent(texts.date).width, layout.topMargin}, texts.date);
    dc.drawText({footerCentre - dc.textExtent(texts.footer).width / 2, frame.bottom + 8},
                texts.footer);
}

}  // namespace corvane
