#include "statemachine/diagram_print_page.h"

#include <cmath>

namespace corvane {

namespace {

// floor(millimetres * pixels / length), 0 for a page without a length or a
// margin that is not a number, kept within the page.
int marginPixels(double millimetres, int pixels, int length) {
    if (length <= 0 || !std::isfinite(millimetres)) return 0;
    const double value = std::floor(millimetres * pixels / length);
    if (value <= 0) return 0;
    return value >= pixels ? pixels : static_cast<int>(value);
}

}  // namespace

DiagramPageLayout diagramPageLayout(const PageMetrics& page, const PrintMargins& margins) {
    DiagramPageLayout layout;
    layout.leftMargin = marginPixels(margins.left, page.widthPixels, page.widthMillimetres);
    layout.rightMargin = marginPixels(margins.right, page.widthPixels, page.widthMillimetres);
    layout.topMargin = marginPixels(margins.top, page.heightPixels, page.heightMillimetres);
    layout.bottomMargin = marginPixels(margins.bottom, page.heightPixels, page.heightMillimetres);
    const int mm = page.heightMillimetres > 0 ? page.heightMillimetres : 1;
    layout.textHeight = page.heightPixels * 4 / mm;
    layout.frame = {layout.leftMargin, layout.topMargin + layout.textHeight,
                    page.widthPixels - layout.rightMargin,
                    page.heightPixels - layout.textHeight - layout.bottomMargin};
    const int inset = page.heightPixels / (4 * mm);
    layout.diagramArea = {layout.frame.left + inset, layout.frame.top + inset,
                          layout.frame.right - inset, layout.frame.bottom - inset};
    return layout;
}

std::string printDateText(const std::tm& time) {
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%Y/%m/%d %a %H:%M:%S", &time);
    return std::string(text, length);
}

void drawDiagramPageFrame(Canvas& dc, const DiagramPageLayout& layout, const std::string& header,
                          const std::string& date, const std::string& face) {
    const Rect& frame = layout.frame;
    dc.setPen(solidPen(0, rgb(0, 0, 0)));
    dc.setBrush(nullBrush());
    dc.drawRectangle(frame);
    dc.setFont(Font{face, layout.textHeight, 400});
    dc.setTextBackground(false, rgb(255, 255, 255));
    dc.setTextColor(rgb(0, 0, 0));
    dc.drawText({layout.leftMargin, layout.topMargin}, header);
    dc.drawText({frame.right - dc.textExtent(date).width, layout.topMargin}, date);
    const std::string pageNumber = "1 / 1";
    const int width = dc.textExtent(pageNumber).width;
    dc.drawText({(frame.left + frame.right) / 2 - width / 2, frame.bottom + 8}, pageNumber);
}

}  // namespace corvane
