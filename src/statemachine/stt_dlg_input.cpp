// Scrolling, label dragging, resizing and the timers of the diagram window.
#include <algorithm>

#include "statemachine/stt_dlg.h"

namespace corvane {

namespace {

constexpr int kLineStep = 1;
constexpr int kPageStep = 64;

int saturated(long long value) {
    return static_cast<int>(std::clamp<long long>(value, -(1LL << 30), 1LL << 30));
}

bool contains(const Rect& box, Point point) {
    return point.x >= box.left && point.x <= box.right && point.y >= box.top &&
           point.y <= box.bottom;
}

}  // namespace

SttControlLayout sttControlLayout(const SttClientArea& area) {
    SttControlLayout layout;
    const Point origin = CSTTDlg::kCanvasOrigin;
    const int right = std::max(area.width - origin.x - area.verticalBarWidth, origin.x);
    const int bottom = std::max(area.height - area.horizontalBarHeight - 12, origin.y);
    layout.canvas = {origin.x, origin.y, right, bottom};
    layout.verticalBar = {right + 1, origin.y, right + 1 + area.verticalBarWidth, bottom};
    layout.horizontalBar = {origin.x, bottom + 1, right, bottom + 1 + area.horizontalBarHeight};
    return layout;
}

SttScrollBars CSTTDlg::scrollBars() const {
    return {canvas_.width,           canvas_.height, layout_.canvas.width(),
            layout_.canvas.height(), scrollX_,       scrollY_};
}

void CSTTDlg::refreshScrollBars() {
    hooks_.setScrollBars(scrollBars());
}

void CSTTDlg::onScroll(ScrollBarKind bar, ScrollCode code, int thumbPosition) {
    const bool horizontal = bar == ScrollBarKind::kHorizontal;
    int& position = horizontal ? scrollX_ : scrollY_;
    long long next = position;
    switch (code) {
        case ScrollCode::kLineUp:
            next -= kLineStep;
            break;
        case ScrollCode::kLineDown:
            next += kLineStep;
            break;
        case ScrollCode::kPageUp:
            next -= kPageStep;
            break;
        case ScrollCode::kPageDown:
            next += kPageStep;
            break;
        case ScrollCode::kThumbTrack:
            next = thumbPosition;
            break;
        case ScrollCode::kOther:
            return;
    }
    next = std::max(next, 0LL);
    // A window whose module is gone keeps only the lower bound.
    const int limit = horizontal ? canvas_.width : canvas_.height;
    if (findModule() != nullptr) next = std::min<long long>(next, limit);
    position = saturated(next);
    refreshScrollBars();
    hooks_.repaint(false);
}

void CSTTDlg::onMouseWheel(int delta, bool control) {
    if (delta == 0) return;
    onScroll(control ? ScrollBarKind::kHorizontal : ScrollBarKind::kVertical,
             delta > 0 ? ScrollCode::kPageUp : ScrollCode::kPageDown, 0);
}

void CSTTDlg::onLeftButtonDown(Point windowPoint) {
    const Point point{windowPoint.x - kCanvasOrigin.x, windowPoint.y - kCanvasOrigin.y};
    const TransitionLabels::iterator none = labels_.end();
    TransitionLabels::iterator hit = none;
    for (auto it = labels_.begin(); it != labels_.end(); ++it) {
        if (contains(labelInnerBox(it->second, {scrollX_, scrollY_}), point)) hit = it;
    }
    if (hit == none) return;
    dragKey_ = hit->first;
    dragStart_ = {hit->second.x, hit->second.y};
    dragDown_ = point;
    startTimer(kDragTimer, 200, dragTimer_);
}

void CSTTDlg::onMouseMove(Point windowPoint) {
    if (dragKey_.empty()) return;
    const auto found = labels_.find(dragKey_);
    if (found == labels_.end()) return;
    const Point point{windowPoint.x - kCanvasOrigin.x, windowPoint.y - kCanvasOrigin.y};
    found->second.x = saturated(static_cast<long long>(dragStart_.x) + point.x - dragDown_.x);
    found->second.y = saturated(static_cast<long long>(dragStart_.y) + point.y - dragDown_.y);
    modified_ = true;
}

void CSTTDlg::onLeftButtonUp() {
    dragKey_.clear();
    stopTimer(dragTimer_);
}

void CSTTDlg::onSize(const SttClientArea& area) {
    client_ = area;
    stopTimer(resizeTimer_);
    startTimer(kResizeTimer, 50, resizeTimer_);
}

void CSTTDlg::layoutControls() {
    layout_ = sttControlLayout(client_);
    hooks_.placeControls(layout_);
    refreshScrollBars();
}

void CSTTDlg::onTimer(int id) {
    if (id == kResizeTimer) {
        stopTimer(resizeTimer_);
        layoutControls();
        hooks_.repaint(true);
    } else if (id == kDragTimer) {
        hooks_.repaint(true);
    } else if (id == kCopyTimer) {
        stopTimer(copyTimer_);
        hooks_.repaint(true);
    }
}

void CSTTDlg::startTimer(int id, int milliseconds, int& running) {
    hooks_.startTimer(id, milliseconds);
    running = id;
}

void CSTTDlg::stopTimer(int& running) {
    if (running == 0) return;
    hooks_.stopTimer(running);
    running = 0;
}

}  // namespace corvane
