// The schematic window's mouse, wheel and key handling: selecting, dragging
// with the finishing re-route, drawing figures and text comments.
#include <algorithm>

#include "schematic/block_access.h"
#include "schematic/clamped_int.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/comment_attach.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_hit_test.h"
#include "schematic/schematic_zoom.h"
#include "schematic/terminal_refresh.h"
#include "schematic/wire_drag.h"

namespace corvane {

namespace {

constexpr int kPage = 64;
constexpr int kPinReach = 16;
constexpr int kTextDialogOffset = 4;
constexpr int kSegmentShift = 65536;
// Dragged things stay where junction keys and the file can hold them.
constexpr int kModelLimit = 65535;

int clampModel(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, kModelLimit));
}

bool isFigureTool(int mode) {
    return mode >= 2 && mode <= 5;
}

int figureKind(int mode) {
    static constexpr int kKinds[] = {kCommentLine, kCommentArrow, kCommentRect, kCommentEllipse};
    return kKinds[mode - 2];
}

// Moves a comment's corner or edge for a handle to `p`.
void moveHandle(SchematicComment& c, int handle, Point p) {
    switch (handle) {
        case kHandleLineStart:
        case kHandleArrowStart:
        case kHandleRectX0Y0:
            c.x0 = p.x, c.y0 = p.y;
            break;
        case kHandleLineEnd:
        case kHandleArrowEnd:
        case kHandleRectX1Y1:
            c.x1 = p.x, c.y1 = p.y;
            break;
        case kHandleRectX1Y0:
            c.x1 = p.x, c.y0 = p.y;
            break;
        case kHandleRectX0Y1:
            c.x0 = p.x, c.y1 = p.y;
            break;
        case kHandleEllipseLeft:
            c.x0 = p.x;
            break;
        case kHandleEllipseRight:
            c.x1 = p.x;
            break;
        case kHandleEllipseTop:
            c.y0 = p.y;
            break;
        case kHandleEllipseBottom:
            c.y1 = p.y;
            break;
        default:
            break;
    }
}

// The net at position `position` of the net map, or nullptr.
Net* netAt(Module& module, int position) {
    if (position < 0 || static_cast<std::size_t>(position) >= module.nets.size()) return nullptr;
    return &std::next(module.nets.begin(), position)->second;
}

// Raises needsRouting of every net once per terminal on object `index` of `kind`.
void flagNetsOf(Module& module, int kind, int index) {
    for (auto& [name, net] : module.nets) {
        for (const Terminal& t : net.terminals) {
            if (t.kind == kind && t.index == index) ++net.needsRouting;
        }
    }
}

// A net whose every end moved with the dragged objects moves as a whole.
void translateCarriedNets(Module& module, Point offset) {
    for (auto& [name, net] : module.nets) {
        const int ends = static_cast<int>(net.terminals.size());
        if (net.needsRouting == 0 || net.needsRouting != ends) continue;
        for (Segment& s : net.route) {
            s.x0 = addClamped(s.x0, offset.x), s.x1 = addClamped(s.x1, offset.x);
            s.y0 = addClamped(s.y0, offset.y), s.y1 = addClamped(s.y1, offset.y);
        }
        std::map<int, int> touch;
        for (const auto& [key, count] : net.touch) {
            int x = 0, y = 0;
            junctionPoint(key, x, y);
            touch[junctionKey(addClamped(x, offset.x), addClamped(y, offset.y))] += count;
        }
        net.touch = std::move(touch);
        net.needsRouting = 0;
    }
}

SchematicComment* commentAt(std::vector<SchematicComment>& comments, int index) {
    return elementAt(comments, index);
}

}  // namespace

void CSchematicDlg::selectRubber(const Module& module) {
    const Point a = rubber_.x0 == rubber_.x1 && rubber_.y0 == rubber_.y1
                        ? Point{rubber_.x0, rubber_.y0}
                        : snapped({rubber_.x0, rubber_.y0});
    selection_ = selectInRectangle(module, comments_, a, {rubber_.x1, rubber_.y1});
}

void CSchematicDlg::addDragEntry(const Module& module, int kind, int index, const std::string& name,
                                 Point click) {
    DragEntry e;
    e.kind = kind;
    e.name = name;
    e.index = index;
    if (kind == kKindPin) {
        const Pin* pin = elementAt(module.pins, index);
        if (!pin) return;
        e.x = clampToInt(static_cast<long long>(pin->x) - pin->width / 2 - kPinReach);
        e.y = clampToInt(static_cast<long long>(pin->y) - pin->height / 2);
        e.width = addClamped(pin->width, 2 * kPinReach);
        e.height = pin->height;
    } else if (isBlockKind(kind)) {
        bool found = false;
        forEachBlock(module, [&](int k, int i, const auto& block) {
            if (k != kind || i != index) return;
            e.x = clampToInt(static_cast<long long>(block.x) - block.width / 2);
            e.y = block.y;
            e.width = block.width;
            e.height = block.height;
            found = true;
        });
        if (!found) return;
    } else {
        const SchematicComment* c = elementAt(comments_, index);
        if (!c) return;
        e.x = c->x0, e.y = c->y0;
        e.width = differenceClamped(c->x1, c->x0);
        e.height = differenceClamped(c->y1, c->y0);
    }
    e.dx = static_cast<int>(std::clamp<long long>(static_cast<long long>(e.x) - click.x,
                                                  -2LL * kModelLimit, 2LL * kModelLimit));
    e.dy = static_cast<int>(std::clamp<long long>(static_cast<long long>(e.y) - click.y,
                                                  -2LL * kModelLimit, 2LL * kModelLimit));
    e.startX = e.x, e.startY = e.y;
    drags_.push_back(e);
}

void CSchematicDlg::onLeftButtonDown(Point area, SchematicModifiers) {
    Module* module = findModule();
    if (!module) return;
    lastMouse_ = area;
    if (handRouting_.on()) {
        handRoutingLeftDown(*module, area);
        return;
    }
    const Point p = modelPoint(area);
    rubber_ = {p.x, p.y, p.x, p.y};
    if (toolMode_ == 1) {
        createTextComment(*module, area);
        return;
    }
    buttonDown_ = true;
    if (isFigureTool(toolMode_)) {
        hooks_->setCapture(true);
        return;
    }
    if (toolMode_ == 0) startSelectDrag(*module, p);
    repaint();
}

void CSchematicDlg::startSelectDrag(Module& module, Point down) {
    const Point click = snapped(down);
    const SchematicHit hit = hitTestSchematic(module, sensitivity_, comments_, down);
    if (hit.kind == kHitNothing) {
        drags_.clear();
        selectRubber(module);
        return;
    }
    if (hit.kind == kKindWire) {
        drags_.clear();
        const Net* net = netAt(module, hit.index);
        if (!net || hit.segment < 0 || static_cast<std::size_t>(hit.segment) >= net->route.size())
            return;
        const Segment& s = net->route[static_cast<std::size_t>(hit.segment)];
        DragEntry e;
        e.kind = kKindWire;
        e.name = std::to_string(static_cast<long long>(hit.index) * kSegmentShift + hit.segment);
        e.index = hit.index;
        e.x = e.startX = s.x0;
        e.y = e.startY = s.y0;
        e.width = s.x1 - s.x0;
        e.height = s.y1 - s.y0;
        drags_.push_back(e);
        selectRubber(module);
        dragging_ = true;
        hooks_->setCapture(true);
        return;
    }
    if (!isHandleKind(hit.kind) && isSelected(selection_, hit.kind, hit.name)) {
        drags_.clear();
        for (const SelectionEntry& entry : selection_) {
            if (entry.kind == kKindWire) continue;
            addDragEntry(module, entry.kind, entry.index, entry.name, click);
        }
    } else {
        drags_.clear();
        addDragEntry(module, hit.kind, hit.index, hit.name, click);
        selectRubber(module);
    }
    dragging_ = !drags_.empty();
    if (dragging_) hooks_->setCapture(true);
}

void CSchematicDlg::onMouseMove(Point area, SchematicModifiers) {
    Module* module = findModule();
    if (!module) return;
    lastMouse_ = area;
    if (handRouting_.on()) {
        if (handRouting_.mouseMove(snapped(modelPoint(area)))) repaint();
        return;
    }
    if (!buttonDown_) return;
    // Beyond the drawing area the view scrolls one page towards the mouse.
    int dx = 0, dy = 0;
    if (area.x < 0) dx = -kPage;
    if (areaWidth_ > 0 && area.x > areaWidth_) dx = kPage;
    if (area.y < 0) dy = -kPage;
    if (areaHeight_ > 0 && area.y > areaHeight_) dy = kPage;
    if (dx != 0 || dy != 0) {
        scrollBy(dx, dy);
        hooks_->updateScrollRanges(*this);
    }
    const Point p = snapped(modelPoint(area));
    rubber_.x1 = p.x;
    rubber_.y1 = p.y;
    if (dragging_) {
        followMouse(p);
    } else if (toolMode_ == 0) {
        selectRubber(*module);
    }
    repaint();
}

void CSchematicDlg::followMouse(Point mouse) {
    // Dragged things stay on the canvas side of the origin and within the
    // coordinates the file and the junction keys can hold.
    const Point to{clampModel(mouse.x), clampModel(mouse.y)};
    for (DragEntry& e : drags_) {
        if (isHandleKind(e.kind)) {
            SchematicComment* c = commentAt(comments_, e.index);
            if (!c) continue;
            moveHandle(*c, e.kind, to);
            e.x = c->x0, e.y = c->y0;
            e.width = differenceClamped(c->x1, c->x0);
            e.height = differenceClamped(c->y1, c->y0);
        } else if (e.kind == kKindWire) {
            if (e.width == 0) {
                e.x = clampModel(static_cast<long long>(to.x) + e.dx);
            } else {
                e.y = clampModel(static_cast<long long>(to.y) + e.dy);
            }
        } else {
            e.x = clampModel(static_cast<long long>(to.x) + e.dx);
            e.y = clampModel(static_cast<long long>(to.y) + e.dy);
        }
    }
}

void CSchematicDlg::onLeftButtonUp(Point area, SchematicModifiers modifiers) {
    Module* module = findModule();
    lastMouse_ = area;
    if (module) {
        if (isFigureTool(toolMode_) && buttonDown_) {
            createFigure(*module);
        } else if (toolMode_ == 0 && dragging_) {
            finishDrag(*module, modifiers);
        }
    }
    buttonDown_ = false;
    dragging_ = false;
    drags_.clear();
    rubber_.x0 = rubber_.x1;
    rubber_.y0 = rubber_.y1;
    hooks_->setCapture(false);
    repaint();
}

void CSchematicDlg::createFigure(Module& module) {
    const Point start = snapped({rubber_.x0, rubber_.y0});
    if (start.x != rubber_.x1 || start.y != rubber_.y1) {
        SchematicComment c;
        c.kind = figureKind(toolMode_);
        c.x0 = clampModel(start.x), c.y0 = clampModel(start.y);
        c.x1 = clampModel(rubber_.x1), c.y1 = clampModel(rubber_.y1);
        c.pt = defaultLine_.pt;
        c.color = defaultLine_.color;
        attachComment(module, c);
        comments_.push_back(c);
        recordUndoStep();
        selection_.clear();
    }
}

void CSchematicDlg::finishDrag(Module& module, SchematicModifiers modifiers) {
    bool finish = false;
    Point lastOffset;
    for (const DragEntry& e : drags_) {
        if (e.kind == kKindPin) {
            Pin* pin = elementAt(module.pins, e.index);
            if (!pin) continue;
            const Point old{pin->x, pin->y};
            pin->x = clampModel(static_cast<long long>(e.x) + pin->width / 2 + kPinReach);
            pin->y = clampModel(static_cast<long long>(e.y) + pin->height / 2);
            lastOffset = {differenceClamped(pin->x, old.x), differenceClamped(pin->y, old.y)};
            finish = true;
            if (lastOffset == Point{}) continue;
            flagNetsOf(module, kKindPin, e.index);
            followObject(module, kKindPin, e.index, comments_);
        } else if (isBlockKind(e.kind)) {
            bool moved = false;
            forEachBlock(module, [&](int k, int i, auto& block) {
                if (k != e.kind || i != e.index) return;
                const int nx = clampModel(static_cast<long long>(e.x) + block.width / 2);
                const int ny = clampModel(e.y);
                lastOffset = {differenceClamped(nx, block.x), differenceClamped(ny, block.y)};
                block.x = nx, block.y = ny;
                for (Pin& port : block.ports) {
                    port.x = addClamped(port.x, lastOffset.x);
                    port.y = addClamped(port.y, lastOffset.y);
                }
                if (k == kKindAlways) {
                    for (LabelBox& box : sensitivity_.entriesOf(i)) {
                        box.x = addClamped(box.x, lastOffset.x);
                        box.y = addClamped(box.y, lastOffset.y);
                    }
                }
                finish = true;
                moved = lastOffset != Point{};
            });
            if (!moved) continue;
            flagNetsOf(module, e.kind, e.index);
            followObject(module, e.kind, e.index, comments_);
        } else if (isCommentKind(e.kind)) {
            SchematicComment* c = commentAt(comments_, e.index);
            if (!c || (c->x0 == e.x && c->y0 == e.y)) continue;
            const long long w = static_cast<long long>(c->x1) - c->x0;
            const long long h = static_cast<long long>(c->y1) - c->y0;
            c->x0 = e.x, c->y0 = e.y, c->x1 = addClamped(e.x, w), c->y1 = addClamped(e.y, h);
            attachComment(module, *c, modifiers.shift);
            finish = true;
        } else if (e.kind == kKindWire) {
            Net* net = netAt(module, e.index);
            const long long code = std::stoll(e.name);
            const int segment = static_cast<int>(code % kSegmentShift);
            const int offset =
                e.width == 0 ? differenceClamped(e.x, e.startX) : differenceClamped(e.y, e.startY);
            if (net && moveWireSegment(*net, segment, offset)) finish = true;
        }
    }
    if (!finish) return;
    translateCarriedNets(module, lastOffset);
    refreshTerminals(module, sensitivity_);
    routeFlaggedNets(module);
    cleanUpRoutes(module, false);
    for (int mode : {3, 1, 2}) routingSharpen(module, mode);
    checkJunctions(module);
    recordUndoStep();
    hooks_->refreshMenuStates(*this);
    markModified();
}

void CSchematicDlg::createTextComment(Module& module, Point area) {
    CommentTextEntry preset;
    preset.face = fontRuleFace();
    const std::optional<CommentTextEntry> entry =
        hooks_->editCommentText(preset, {area.x - kTextDialogOffset, area.y - kTextDialogOffset});
    if (!entry) return;
    SchematicComment c;
    c.kind = kCommentText;
    c.x0 = clampModel(static_cast<long long>(rubber_.x0) - kTextDialogOffset);
    c.y0 = clampModel(static_cast<long long>(rubber_.y0) - kTextDialogOffset);
    c.text = entry->text;
    c.face = entry->face;
    c.pt = entry->pt;
    c.color = entry->color;
    const TextExtent size = commentTextExtent(c);
    c.x1 = addClamped(c.x0, size.width);
    c.y1 = addClamped(c.y0, size.height);
    attachComment(module, c);
    comments_.push_back(c);
    repaint();
    markModified();
}

void CSchematicDlg::onLeftDoubleClick(Point area, SchematicModifiers) {
    lastMouse_ = area;
    Module* module = findModule();
    // The second press of a quick double click is a click of hand routing.
    if (module && handRouting_.on()) {
        handRoutingLeftDown(*module, area);
        return;
    }
    if (module && selection_.size() == 1) doubleClickSelection(*module);
}

void CSchematicDlg::onRightButtonUp(Point area, Point screen) {
    Module* module = findModule();
    if (!module) return;
    lastMouse_ = area;
    if (handRouting_.on()) {
        handRoutingRightUp(*module, area);
        return;
    }
    if (selection_.size() <= 1) {
        const Point p = modelPoint(area);
        rubber_ = {p.x, p.y, p.x, p.y};
        selection_ = selectInRectangle(*module, comments_, p, p);
    }
    if (selection_.empty()) return;
    const std::vector<SchematicMenuItem> menu = contextMenu();
    if (menu.empty()) return;
    popupPoint_ = screen;
    repaint();
    hooks_->showContextMenu(menu, area);
}

void CSchematicDlg::onMouseWheel(int delta, SchematicModifiers modifiers) {
    if (!findModule() || delta == 0) return;
    if (modifiers.shift) {
        onCommand(delta > 0 ? SchematicCommand::kZoomIn : SchematicCommand::kZoomOut);
        return;
    }
    if (modifiers.control) {
        scrollBy(delta > 0 ? -kPage : kPage, 0);
    } else {
        scrollBy(0, delta > 0 ? -kPage : kPage);
    }
    repaint();
}

void CSchematicDlg::onKey(SchematicKey key) {
    Module* module = findModule();
    if (!module) return;
    if (handRouting_.on() && (key == SchematicKey::kEscape || key == SchematicKey::kEnd)) {
        handRoutingKey(*module, key);
        return;
    }
    switch (key) {
        case SchematicKey::kLeft:
            scrollBy(-kPage, 0);
            break;
        case SchematicKey::kRight:
            scrollBy(kPage, 0);
            break;
        case SchematicKey::kUp:
            scrollBy(0, -kPage);
            break;
        case SchematicKey::kDown:
            scrollBy(0, kPage);
            break;
        case SchematicKey::kDelete:
            onCommand(SchematicCommand::kDelete);
            return;
        case SchematicKey::kC:
            onCommand(SchematicCommand::kCopyBitmap);
            return;
        default:
            // Esc and End belong to hand routing; Esc never closes the window.
            return;
    }
    repaint();
}

}  // namespace corvane
