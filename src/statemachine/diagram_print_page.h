// The printed page of a state transition diagram: margins, the frame, the
// header with the date, the page number, and the area the diagram fills.
#pragma once

#include <ctime>
#include <string>

#include "platform/canvas.h"
#include "platform/printer_device.h"

namespace corvane {

// Page margins in millimetres.
struct PrintMargins {
    double top = 10.0;
    double bottom = 10.0;
    double left = 10.0;
    double right = 10.0;
};

struct DiagramPageLayout {
    int leftMargin = 0;  // pixels
    int topMargin = 0;
    int rightMargin = 0;
    int bottomMargin = 0;
    int textHeight = 0;  // 4 mm in pixels
    Rect frame;          // the drawn rectangle
    Rect diagramArea;    // the frame shrunk by a quarter millimetre: the clip of the diagram
};

// Margins in pixels rounded down per axis, a 4 mm text height, the frame
// from (left, top + text) to (width - right, height - text - bottom).
DiagramPageLayout diagramPageLayout(const PageMetrics& page, const PrintMargins& margins);

// The header date, "%Y/%m/%d %a %H:%M:%S".
std::string printDateText(const std::tm& time);

// The frame, the header at the top margin, the date right-aligned to the
// frame's right edge on the same line and "1 / 1" centred 8 pixels below
// the frame, in a font of the layout's text height.
void drawDiagramPageFrame(Canvas& dc, const DiagramPageLayout& layout, const std::string& header,
                          const std::string& date, const std::string& face);

}  // namespace corvane
