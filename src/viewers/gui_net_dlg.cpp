// Building, drawing, selecting, scrolling, resizing and the menu commands
// of the net view; printing is in gui_net_dlg_print.cpp.
#include "viewers/gui_net_dlg.h"

#include <algorithm>
#include <cmath>

#include "platform/text_metrics.h"

namespace corvane {

namespace {

constexpr const char* kBitmapError = "OnDrawGuiNet : background bitmap image error.";

int scaled(int value, double scroll, double scale) {
    return static_cast<int>(std::trunc((value - scroll) * scale));
}

bool contains(const NetBox& box, Point p) {
    return box.x0 <= p.x && p.x <= box.x1 && box.y0 <= p.y && p.y <= box.y1;
}

}  // namespace

std::tm NetViewHooks::localTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

CGuiNetDlg::CGuiNetDlg(const ModuleList& modules, UiHost& ui, NetViewHooks& hooks,
                       std::string moduleName, std::string netName)
    : modules_(modules),
      ui_(ui),
      hooks_(hooks),
      moduleName_(std::move(moduleName)),
      netName_(std::move(netName)),
      face_(fontRuleFace()) {}

std::string CGuiNetDlg::title() const {
    return "Net - " + moduleName_ + "::" + netName_;
}

void CGuiNetDlg::buildNetView() {
    trace_ = traceNet(modules_, moduleName_, netName_);
    layout_ = layoutNetBoxes(trace_, face_);
    canvasWidth_ = layout_.canvasWidth;
    canvasHeight_ = layout_.canvasHeight;
    clampScroll();
    hooks_.setScrollRanges(canvasWidth_, canvasHeight_);
    hooks_.setScrollPositions(scrollX_, scrollY_);
}

void CGuiNetDlg::drawBox(Canvas& dc, const NetBox& box, double s, double sx, double sy,
                         Point offset) const {
    const bool selected = box.module == selection_.module && box.instance == selection_.instance &&
                          box.signal == selection_.signal;
    dc.setPen(selected ? solidPen(2, kSelectedBoxColor) : solidPen(0, 0));
    dc.drawRectangle({scaled(box.x0, sx, s) + offset.x, scaled(box.y0, sy, s) + offset.y,
                      scaled(box.x1, sx, s) + offset.x, scaled(box.y1, sy, s) + offset.y});
    dc.drawText({scaled(box.x0 + 8, sx, s) + offset.x, scaled(box.y0 + 8, sy, s) + offset.y},
                box.label);
}

void CGuiNetDlg::draw(Canvas& dc, double s, double sx, double sy, Point offset) const {
    auto at = [&](int x, int y) {
        return Point{scaled(x, sx, s) + offset.x, scaled(y, sy, s) + offset.y};
    };
    dc.setFont(Font{face_, static_cast<int>(std::trunc(16 * s)), 400});
    dc.setTextColor(0);
    dc.setTextBackground(false, 0xffffff);
    dc.setBrush(nullBrush());
    const Pen connector = solidPen(2, lineColor_);
    for (const NetBox& box : layout_.left) {
        const int mid = box.y0 + 12;
        dc.setPen(connector);
        dc.drawPolyline({at(box.x1, mid), at(box.x1 + 16, mid), at(box.x1 + 16, box.y0)});
        drawBox(dc, box, s, sx, sy, offset);
    }
    for (const NetBox& box : layout_.right) {
        const int mid = box.y0 + 12;
        dc.setPen(connector);
        dc.drawPolyline({at(box.x0, mid), at(box.x0 - 4, mid), at(box.x0 - 4, box.y0)});
        drawBox(dc, box, s, sx, sy, offset);
    }
    const int xR = layout_.right.empty() ? 0 : layout_.right.front().x0 - 4;
    const int xL = layout_.left.empty() ? xR - 32 : layout_.left.front().x1 + 16;
    dc.setPen(connector);
    dc.drawLine(at(xL, 32), at(xR, 32));
    dc.drawPolyline({at(xR - 8, 26), at(xR, 32), at(xR - 8, 38)});
}

void CGuiNetDlg::paint(Canvas& target) {
    if (modules_.find(moduleName_) == nullptr) {
        return;
    }
    const std::unique_ptr<Canvas> buffer =
        target.createBuffer(std::max(frame_.width(), 1), std::max(frame_.height(), 1));
    if (!buffer) {
        MessageBoxRequest message;
        message.text = kBitmapError;
        ui_.messageBox(message);
        return;
    }
    buffer->fillRectangle({0, 0, frame_.width(), frame_.height()}, 0xffffff);
    draw(*buffer, 1.0, scrollX_, scrollY_, {0, 0});
    target.drawBuffer(*buffer, {frame_.left, frame_.top});
    if (copyRequested_) {
        copyRequested_ = false;
        const std::unique_ptr<Canvas> whole = target.createBuffer(canvasWidth_, canvasHeight_);
        if (whole) {
            whole->fillRectangle({0, 0, canvasWidth_, canvasHeight_}, 0xffffff);
            draw(*whole, 1.0, 0, 0, {0, 0});
            hooks_.copyToClipboard(*whole, canvasWidth_, canvasHeight_);
        }
    }
}

void CGuiNetDlg::onButtonDown() {
    buttonDown_ = true;
}

bool CGuiNetDlg::onButtonUp(Point windowPoint, bool rightButton) {
    if (!buttonDown_) {
        return false;
    }
    buttonDown_ = false;
    const Point p{windowPoint.x - frame_.left + scrollX_, windowPoint.y - frame_.top + scrollY_};
    selection_ = {};
    bool hit = false;
    for (const auto* boxes : {&layout_.left, &layout_.right}) {
        const auto box = std::find_if(boxes->begin(), boxes->end(),
                                      [&](const NetBox& b) { return contains(b, p); });
        if (box != boxes->end()) {
            selection_ = {box->module, box->instance, box->signal, 0};
            hit = true;
            break;
        }
    }
    hooks_.repaint();
    return hit && rightButton;
}

void CGuiNetDlg::onOpenSource() {
    const Module* module = modules_.find(selection_.module);
    if (module == nullptr) {
        return;
    }
    const auto pin = std::find_if(module->pins.begin(), module->pins.end(),
                                  [&](const Pin& p) { return p.name == selection_.signal; });
    if (pin == module->pins.end()) {
        return;
    }
    DocumentRequest request;
    request.kind = DocumentKind::kSourceViewer;
    request.path = module->filePath;
    request.line = pin->line;
    ui_.openDocumentWindow(request);
}

void CGuiNetDlg::onLineColorCommand() {
    const std::optional<std::uint32_t> chosen = ui_.chooseColor(lineColor_);
    if (!chosen) {
        return;
    }
    lineColor_ = *chosen & 0xffffff;
    hooks_.repaint();
    hooks_.repaintSchematicWindows();
}

void CGuiNetDlg::onCopyCommand() {
    copyRequested_ = true;
    hooks_.repaint();
}

void CGuiNetDlg::onClose() {
    alive_ = false;
    visible_ = false;
}

void CGuiNetDlg::clampScroll() {
    scrollX_ = std::clamp(scrollX_, 0, std::max(canvasWidth_, 0));
    scrollY_ = std::clamp(scrollY_, 0, std::max(canvasHeight_, 0));
}

void CGuiNetDlg::onScroll(bool horizontal, NetScrollCode code, int thumbPosition) {
    int& position = horizontal ? scrollX_ : scrollY_;
    switch (code) {
        case NetScrollCode::kLineUp: position -= 1; break;
        case NetScrollCode::kLineDown: position += 1; break;
        case NetScrollCode::kPageUp: position -= 64; break;
        case NetScrollCode::kPageDown: position += 64; break;
        case NetScrollCode::kThumb: position = thumbPosition; break;
        case NetScrollCode::kOther: return;
    }
    clampScroll();
    hooks_.setScrollPositions(scrollX_, scrollY_);
    hooks_.repaint();
}

void CGuiNetDlg::onSize(const NetViewClientArea& area) {
    client_ = area;
    hooks_.stopTimer(kResizeTimer);
    hooks_.startTimer(kResizeTimer, 50);
    resizeTimer_ = kResizeTimer;
}

// The frame keeps its top-left corner; the vertical bar stands one pixel to
// its right and the horizontal bar one pixel below it, 12 pixels above the
// window's bottom edge.
void CGuiNetDlg::onTimer(int id) {
    if (id != kResizeTimer || resizeTimer_ == 0) {
        return;
    }
    hooks_.stopTimer(kResizeTimer);
    resizeTimer_ = 0;
    const int barWidth = client_.verticalBarWidth;
    const int barHeight = client_.horizontalBarHeight;
    frame_.right = std::max(frame_.left + 1, client_.width - barWidth - 1);
    frame_.bottom = std::max(frame_.top + 1, client_.height - barHeight - 1 - 12);
    const Rect verticalBar{frame_.right + 1, frame_.top, frame_.right + 1 + barWidth, frame_.bottom};
    const Rect horizontalBar{frame_.left, frame_.bottom + 1, frame_.right,
                             frame_.bottom + 1 + barHeight};
    hooks_.placeControls(frame_, verticalBar, horizontalBar);
    hooks_.setScrollRanges(canvasWidth_, canvasHeight_);
    hooks_.repaint();
}

std::optional<Color> CGuiNetDlg::isTracedBy(const std::string& moduleName,
                                            const std::string& pinName) const {
    if (!visible_) {
        return std::nullopt;
    }
    if (moduleName == moduleName_) {
        if (pinName == netName_) {
            return lineColor_;
        }
        return std::nullopt;
    }
    for (const auto* entries : {&trace_.loads, &trace_.drivers}) {
        for (const NetPortEntry& entry : *entries) {
            if (entry.module == moduleName && entry.signal == pinName) {
                return lineColor_;
            }
        }
    }
    return std::nullopt;
}

}  // namespace corvane
