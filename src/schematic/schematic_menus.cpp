#include "schematic/schematic_menus.h"

#include "database/records.h"
#include "schematic/schematic_comment.h"

namespace corvane {

namespace {

using C = SchematicCommand;

SchematicMenuItem item(C command, std::string text, bool enabled = true, bool checked = false) {
    return {command, std::move(text), enabled, checked, {}};
}

SchematicMenuItem submenu(std::string text, std::vector<SchematicMenuItem> items) {
    return {C::kNone, std::move(text), true, false, std::move(items)};
}

SchematicMenuItem separator() {
    return {};
}

std::vector<SchematicMenuItem> depthEntries(C bottomMost, C bottom, C top, C topMost) {
    return {item(bottomMost, "bottom most"), item(bottom, "bottom"), item(top, "top"),
            item(topMost, "top most")};
}

}  // namespace

std::vector<SchematicMenuItem> schematicMenuBar(const SchematicMenuState& s) {
    std::vector<SchematicMenuItem> bar;
    bar.push_back(submenu("&File", {item(C::kOpenFile, "&Open..."), item(C::kSaveFile, "&Save"),
                                    item(C::kSaveFileAs, "Save &As..."), separator(),
                                    submenu("&Export", {item(C::kExportPicture, "&EMF...")}),
                                    item(C::kPrint, "&Print..."), separator(),
                                    item(C::kCloseWindow, "&Close")}));
    bar.push_back(submenu("&Open", {item(C::kOpenModuleSource, "Sourc&e"),
                                    item(C::kOpenMotherSchematic, "&Mother module's Schematic")}));
    bar.push_back(submenu(
        "&Edit",
        {item(C::kUndo, "&Undo", s.canUndo), item(C::kRedo, "&Redo", s.canRedo), separator(),
         item(C::kSelectAll, "Select &All"), item(C::kCopyBitmap, "&Copy on Clipboard(BMP Format)"),
         separator(), item(C::kIndicateDisappeared, "Indicate All disappeared net(s)"),
         item(C::kFlushLeftTop, "&Flush Left-Top"), item(C::kInitialize, "&Initialize..."),
         submenu("Schematic &Z Order", depthEntries(C::kZOrderBottomMost, C::kZOrderBottom,
                                                    C::kZOrderTop, C::kZOrderTopMost))}));
    bar.push_back(submenu(
        "&View",
        {submenu("&Grid",
                 {item(C::kGridAppear, "&Appear", true, s.gridVisible),
                  item(C::kGridSnap, "&Snap", true, s.gridSnap),
                  submenu("&Width", {item(C::kGridSmall, "&Small", true, s.gridSize == 8),
                                     item(C::kGridNormal, "&Normal", true, s.gridSize == 16),
                                     item(C::kGridWide, "&Wide", true, s.gridSize == 64)})})}));
    return bar;
}

std::vector<SchematicMenuItem> schematicContextMenu(int kind, bool viewParameter) {
    const auto depth =
        depthEntries(C::kDepthBottomMost, C::kDepthBottom, C::kDepthTop, C::kDepthTopMost);
    std::vector<SchematicMenuItem> menu;
    switch (kind) {
        case kKindPin:
            return {item(C::kOpenSource, "Op&en Source"), item(C::kViewNet, "View &Net")};
        case kKindWire:
            return {item(C::kChangeLinestyle, "&Change Linestyle..."),
                    item(C::kStartHandRouting, "Start &Hand Routing"),
                    item(C::kInsertStep, "&Insert Step", false)};
        case kKindAssign:
            return {item(C::kOpenSource, "Op&en Source"),
                    item(C::kOpenTruthTable, "Open &Truth-table")};
        case kKindAlways:
            return {item(C::kOpenSource, "Op&en Source"),
                    item(C::kOpenStateDiagram, "Open State-Transition-Diagram")};
        case kKindChild:
            return {item(C::kOpenSchematic, "Open &Schematic"),
                    item(C::kOpenSource, "Op&en Source"),
                    item(C::kViewParameter, "&View Paramter", true, viewParameter)};
        case kKindInitial:
            return {item(C::kOpenSource, "Op&en Source")};
        case kCommentLine:
        case kCommentArrow:
        case kCommentRect:
        case kCommentEllipse:
            menu = {item(C::kDelete, "&Delete"), item(C::kChangeLinestyle, "&Change Linestyle...")};
            break;
        case kCommentText:
            menu = {item(C::kEditText, "&Edit..."), item(C::kDelete, "&Delete")};
            break;
        default:
            return {};
    }
    menu.insert(menu.end(), depth.begin(), depth.end());
    return menu;
}

std::vector<SchematicToolButton> schematicToolBar(const SchematicMenuState& s) {
    using K = ToolButtonKind;
    std::vector<SchematicToolButton> bar{
        {C::kZoomIn, "T", "Tele", K::kPush},
        {C::kZoomOut, "W", "Wide", K::kPush},
        {C::kViewAll, "A", "View All", K::kPush},
        {C::kToolSelect, "S", "Select", K::kRadio},
        {C::kToolTextbox, "A", "Textbox", K::kRadio},
        {C::kToolLine, "/", "Line", K::kRadio},
        {C::kToolArrow, "->", "Arrow", K::kRadio},
        {C::kToolRectangle, "[]", "Rectangle", K::kRadio},
        {C::kToolEllipse, "O", "Ellipse", K::kRadio},
        {C::kHighlightClock, "P", "Highlight Clock", K::kCheck, true, s.highlightClock},
        {C::kSummaryView, "S", "Summary View", K::kCheck, false, false},
    };
    for (SchematicToolButton& button : bar) {
        if (button.kind == K::kRadio) button.checked = toolModeOf(button.command) == s.toolMode;
    }
    return bar;
}

int toolModeOf(SchematicCommand command) {
    switch (command) {
        case C::kToolSelect:
            return 0;
        case C::kToolTextbox:
            return 1;
        case C::kToolLine:
            return 2;
        case C::kToolArrow:
            return 3;
        case C::kToolRectangle:
            return 4;
        case C::kToolEllipse:
            return 5;
        default:
            return -1;
    }
}

}  // namespace corvane
