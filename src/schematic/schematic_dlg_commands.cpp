// The schematic window's menu, context menu and tool bar commands.
#include <algorithm>
#include <numeric>

#include "schematic/block_access.h"
#include "schematic/clamped_int.h"
#include "schematic/net_attributes.h"
#include "schematic/render_context.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_file_commands.h"
#include "schematic/schematic_hit_test.h"
#include "schematic/schematic_zoom.h"

namespace corvane {

namespace {

using C = SchematicCommand;

constexpr const char* kCaption = "Corvane";
constexpr int kTextDialogOffset = 4;

bool isFigureKind(int kind) {
    return kind == kCommentLine || kind == kCommentArrow || kind == kCommentRect ||
           kind == kCommentEllipse;
}

// The selected comments' positions, ascending.
std::vector<int> selectedComments(const SchematicSelection& selection, std::size_t count) {
    std::vector<int> indices;
    for (const SelectionEntry& e : selection) {
        if (isCommentKind(e.kind) && e.index >= 0 && static_cast<std::size_t>(e.index) < count) {
            indices.push_back(e.index);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

// Swaps comments a and b and keeps `order` (old position -> new position) in step.
void swapComments(std::vector<SchematicComment>& comments, std::vector<int>& order, int a, int b) {
    if (a < 0 || b < 0 || a >= static_cast<int>(comments.size()) ||
        b >= static_cast<int>(comments.size())) {
        return;
    }
    std::swap(comments[static_cast<std::size_t>(a)], comments[static_cast<std::size_t>(b)]);
    for (int& position : order) {
        if (position == a) {
            position = b;
        } else if (position == b) {
            position = a;
        }
    }
}

}  // namespace

void CSchematicDlg::onCommand(SchematicCommand command) {
    Module* module = findModule();
    if (!module) return;
    if (const int mode = toolModeOf(command); mode >= 0) {
        toolMode_ = mode;
        hooks_->refreshMenuStates(*this);
        return;
    }
    switch (command) {
        case C::kOpenFile:
        case C::kSaveFile:
        case C::kSaveFileAs:
        case C::kCloseWindow:
            fileCommand(command);
            return;
        case C::kOpenModuleSource:
            openSourceAt(*module, 1);
            return;
        case C::kOpenMotherSchematic:
            openMotherSchematic(*module);
            return;
        case C::kUndo:
            undo();
            return;
        case C::kRedo:
            redo();
            return;
        case C::kSelectAll:
            selectAll(*module);
            return;
        case C::kCopyBitmap:
            hooks_->copyBitmap(*this);
            return;
        case C::kExportPicture:
            hooks_->exportPicture(*this);
            return;
        case C::kPrint:
            hooks_->print(*this);
            return;
        case C::kIndicateDisappeared:
            for (auto& [name, net] : module->nets) {
                if (net.color == kHiddenNetColor) net.color = 0;
            }
            repaint();
            return;
        case C::kFlushLeftTop:
            flushLeftTop();
            return;
        case C::kInitialize:
            initialize();
            return;
        case C::kZOrderBottomMost:
        case C::kZOrderBottom:
        case C::kZOrderTop:
        case C::kZOrderTopMost:
            moveMarker(command);
            return;
        case C::kGridAppear:
            module->gridVisible = module->gridVisible == 1 ? 0 : 1;
            break;
        case C::kGridSnap:
            module->gridSnap = module->gridSnap == 1 ? 0 : 1;
            break;
        case C::kGridSmall:
            module->gridSize = 8;
            break;
        case C::kGridNormal:
            module->gridSize = 16;
            break;
        case C::kGridWide:
            module->gridSize = 64;
            break;
        case C::kZoomIn:
            setZoom(zoomInStep(zoom()));
            return;
        case C::kZoomOut:
            setZoom(zoomOutStep(zoom()));
            return;
        case C::kViewAll: {
            const CanvasSize size = module->summaryMode == 1 ? summaryCanvas_ : canvas_;
            setZoom(viewAllZoom(areaWidth_, areaHeight_, size.width, size.height, zoom()));
            return;
        }
        case C::kHighlightClock:
            module->highlightClock = module->highlightClock != 0 ? 0 : 1;
            highlightClockNets(*module, module->highlightClock);
            break;
        case C::kOpenSource:
        case C::kOpenSchematic:
        case C::kOpenTruthTable:
        case C::kOpenStateDiagram:
        case C::kViewNet:
            openSelected(*module, command);
            return;
        case C::kChangeLinestyle:
            changeLinestyle(*module);
            return;
        case C::kViewParameter:
            viewParameter(*module);
            return;
        case C::kEditText:
            editText(*module);
            return;
        case C::kDelete:
            deleteSelection();
            return;
        case C::kStartHandRouting:
            startHandRouting(*module);
            return;
        case C::kDepthBottomMost:
        case C::kDepthBottom:
        case C::kDepthTop:
        case C::kDepthTopMost:
            moveCommentsInDepth(command);
            return;
        default:
            // "&Insert Step", "&View Signal(s)" and the summary
            // view do nothing here.
            return;
    }
    hooks_->refreshMenuStates(*this);
    repaint();
}

bool CSchematicDlg::onClose() {
    if (!ui_) return true;
    SchematicFileCommands commands(*this, *ui_);
    return commands.onClose();
}

void CSchematicDlg::fileCommand(SchematicCommand command) {
    if (command == C::kCloseWindow) {
        if (onClose()) hooks_->closeWindow(*this);
        return;
    }
    if (!ui_) return;
    SchematicFileCommands commands(*this, *ui_);
    if (command == C::kOpenFile) commands.onOpen();
    if (command == C::kSaveFile) commands.onSave();
    if (command == C::kSaveFileAs) commands.onSaveAs();
}

void CSchematicDlg::selectAll(Module& module) {
    rubber_ = {0, 0, canvas_.width, canvas_.height};
    selection_ = selectInRectangle(module, comments_, {0, 0}, {canvas_.width, canvas_.height});
    repaint();
}

void CSchematicDlg::deleteSelection() {
    std::vector<int> doomed = selectedComments(selection_, comments_.size());
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        if (comments_[static_cast<std::size_t>(*it)].kind == kCommentMarker) continue;
        comments_.erase(comments_.begin() + *it);
    }
    clearSelection();
    repaint();
}

void CSchematicDlg::changeLinestyle(Module& module) {
    std::optional<LineStyleChoice> preset;
    for (const SelectionEntry& e : selection_) {
        if (e.kind != kKindWire) continue;
        auto it = module.nets.begin();
        if (e.index < 0 || static_cast<std::size_t>(e.index) >= module.nets.size()) continue;
        std::advance(it, e.index);
        preset = LineStyleChoice{it->second.lineWidth, it->second.color};
        break;
    }
    for (const SelectionEntry& e : selection_) {
        if (preset) break;
        const SchematicComment* c = elementAt(comments_, e.index);
        if (isFigureKind(e.kind) && c && c->kind == e.kind)
            preset = LineStyleChoice{c->pt, c->color};
    }
    if (!preset) return;
    const std::optional<LineStyleChoice> chosen = hooks_->chooseLineStyle(*preset);
    if (!chosen) return;
    for (const SelectionEntry& e : selection_) {
        if (e.kind == kKindWire && e.index >= 0 &&
            static_cast<std::size_t>(e.index) < module.nets.size()) {
            Net& net = std::next(module.nets.begin(), e.index)->second;
            net.lineWidth = chosen->pt;
            net.color = chosen->color;
        } else if (SchematicComment* c = elementAt(comments_, e.index);
                   isFigureKind(e.kind) && c && c->kind == e.kind) {
            c->pt = chosen->pt;
            c->color = chosen->color;
        }
    }
    clearSelection();
    repaint();
}

void CSchematicDlg::editText(Module&) {
    if (selection_.size() != 1 || selection_.front().kind != kCommentText) return;
    SchematicComment* c = elementAt(comments_, selection_.front().index);
    if (!c || c->kind != kCommentText) return;
    const std::optional<CommentTextEntry> entry = hooks_->editCommentText(
        {c->text, c->face, c->pt, c->color},
        {lastMouse_.x - kTextDialogOffset, lastMouse_.y - kTextDialogOffset});
    if (!entry) return;
    c->text = entry->text;
    c->face = entry->face;
    c->pt = entry->pt;
    c->color = entry->color;
    const TextExtent size = commentTextExtent(*c);
    c->x1 = addClamped(c->x0, size.width);
    c->y1 = addClamped(c->y0, size.height);
    repaint();
    markModified();
}

void CSchematicDlg::moveCommentsInDepth(SchematicCommand command) {
    std::vector<int> order(comments_.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> tracked = selectedComments(selection_, comments_.size());
    if (tracked.empty()) return;
    const bool down = command == C::kDepthBottom || command == C::kDepthBottomMost;
    const bool most = command == C::kDepthBottomMost || command == C::kDepthTopMost;
    const int last = static_cast<int>(comments_.size()) - 1;
    auto step = [&]() {
        std::vector<int> now(tracked.size());
        for (std::size_t i = 0; i < tracked.size(); ++i)
            now[i] = order[static_cast<std::size_t>(tracked[i])];
        std::sort(now.begin(), now.end());
        if (!down) std::reverse(now.begin(), now.end());
        for (int position : now)
            swapComments(comments_, order, position, down ? position - 1 : position + 1);
    };
    auto reached = [&]() {
        for (int old : tracked) {
            const int position = order[static_cast<std::size_t>(old)];
            if (position == (down ? 0 : last)) return true;
        }
        return false;
    };
    step();
    while (most && !reached()) step();
    afterComments(order);
    repaint();
    markModified();
}

void CSchematicDlg::moveMarker(SchematicCommand command) {
    const auto marker = std::find_if(comments_.begin(), comments_.end(),
                                     [](const auto& c) { return c.kind == kCommentMarker; });
    if (marker == comments_.end()) return;
    const int at = static_cast<int>(marker - comments_.begin());
    const int last = static_cast<int>(comments_.size()) - 1;
    std::vector<int> order(comments_.size());
    std::iota(order.begin(), order.end(), 0);
    if (command == C::kZOrderBottom) swapComments(comments_, order, at, at - 1);
    if (command == C::kZOrderTop) swapComments(comments_, order, at, at + 1);
    if (command == C::kZOrderBottomMost) {
        for (int p = at; p > 0; --p) swapComments(comments_, order, p, p - 1);
    }
    if (command == C::kZOrderTopMost) {
        for (int p = at; p < last; ++p) swapComments(comments_, order, p, p + 1);
    }
    afterComments(order);
    repaint();
    markModified();
}

// The selection follows comments that changed places; `order` maps each old
// position to its new one.
void CSchematicDlg::afterComments(const std::vector<int>& order) {
    for (SelectionEntry& e : selection_) {
        if (!isCommentKind(e.kind) || e.index < 0 ||
            static_cast<std::size_t>(e.index) >= order.size()) {
            continue;
        }
        e.index = order[static_cast<std::size_t>(e.index)];
        e.name = std::to_string(e.index);
    }
}

void CSchematicDlg::initialize() {
    Module* module = findModule();
    if (!module || !ui_) return;
    MessageBoxRequest request;
    request.caption = kCaption;
    request.text =
        "Do you initialize place and route really? When you initialize, Comments is also erased!";
    request.icon = MessageIcon::kQuestion;
    request.buttons = MessageButtons::kYesNo;
    if (ui_->messageBox(request) != MessageResult::kYes) return;
    clearSelection();
    module->schematicPath.clear();
    comments_.clear();
    comments_.push_back(makeMarkerComment());
    generate();
    hooks_->refreshMenuStates(*this);
    repaint();
}

void CSchematicDlg::viewParameter(Module& module) {
    if (selection_.empty() || selection_.front().kind != kKindChild) return;
    Child* child = elementAt(module.children, selection_.front().index);
    if (!child) return;
    if (child->overrides.empty()) {
        if (!ui_) return;
        MessageBoxRequest request;
        request.caption = kCaption;
        request.text = "The parameter of this child block is empty.";
        ui_->messageBox(request);
        return;
    }
    child->viewParam = child->viewParam == 1 ? 0 : 1;
    repaint();
}

void CSchematicDlg::openMotherSchematic(const Module& module) {
    if (!ui_) return;
    std::vector<std::string> parents;
    for (const Module& candidate : modules_) {
        const bool instantiates =
            std::any_of(candidate.children.begin(), candidate.children.end(),
                        [&](const Child& child) { return child.moduleName == module.name; });
        if (instantiates) parents.push_back(candidate.name);
    }
    if (parents.empty()) return;
    std::string chosen = parents.front();
    if (parents.size() > 1) {
        const std::optional<std::string> picked = ui_->selectModule(parents);
        if (!picked) return;
        chosen = *picked;
    }
    DocumentRequest request;
    request.kind = DocumentKind::kSchematic;
    request.module = chosen;
    openDocument(request);
}

void CSchematicDlg::openDocument(const DocumentRequest& request) {
    if (ui_) ui_->openDocumentWindow(request);
}

void CSchematicDlg::openSourceAt(const Module& module, int line) {
    DocumentRequest request;
    request.kind = DocumentKind::kSourceViewer;
    request.path = module.filePath;
    request.line = line;
    openDocument(request);
}

void CSchematicDlg::openSelected(const Module& module, SchematicCommand command) {
    // The selection may change while windows open; work on a copy.
    const SchematicSelection selection = selection_;
    for (const SelectionEntry& e : selection) {
        if (command == C::kOpenSchematic && e.kind == kKindChild) {
            if (const Child* child = elementAt(module.children, e.index)) {
                DocumentRequest request;
                request.kind = DocumentKind::kSchematic;
                request.module = child->moduleName;
                openDocument(request);
            }
        } else if (command == C::kOpenSource && (e.kind == kKindPin || isBlockKind(e.kind))) {
            int line = -1;
            if (e.kind == kKindPin) {
                if (const Pin* pin = elementAt(module.pins, e.index)) line = pin->line;
            }
            forEachBlock(module, [&](int k, int i, const auto& block) {
                if (k == e.kind && i == e.index) line = block.line;
            });
            if (line >= 0) openSourceAt(module, line);
        } else if (command == C::kViewNet && e.kind == kKindPin) {
            if (const Pin* pin = elementAt(module.pins, e.index)) {
                DocumentRequest request;
                request.kind = DocumentKind::kNetView;
                request.module = module.name;
                request.net = pin->name;
                openDocument(request);
            }
            return;
        } else if (command == C::kOpenStateDiagram && e.kind == kKindAlways) {
            if (const Always* block = elementAt(module.alwaysBlocks, e.index)) {
                DocumentRequest request;
                request.kind = DocumentKind::kStateDiagram;
                request.module = module.name;
                request.alwaysLine = block->line;
                openDocument(request);
            }
            return;
        } else if (command == C::kOpenTruthTable && e.kind == kKindAssign) {
            hooks_->openTruthTable(module.name, e.index);
            return;
        }
    }
}

void CSchematicDlg::doubleClickSelection(Module& module) {
    const int kind = selection_.front().kind;
    if (kind == kKindChild) {
        openSelected(module, C::kOpenSchematic);
    } else if (kind == kKindPin || isBlockKind(kind)) {
        openSelected(module, C::kOpenSource);
    } else if (kind == kCommentText) {
        editText(module);
    }
}

}  // namespace corvane
