// The menus, context menus and tool bar of a schematic window as data: the
// host turns them into its own widgets, tests read them directly.
#pragma once

#include <string>
#include <vector>

namespace corvane {

enum class SchematicCommand {
    kNone,  // a separator, or the title of a submenu
    // File
    kOpenFile,
    kSaveFile,
    kSaveFileAs,
    kCloseWindow,
    kExportPicture,
    kPrint,
    // Open
    kOpenModuleSource,
    kOpenMotherSchematic,
    // Edit
    kUndo,
    kRedo,
    kSelectAll,
    kCopyBitmap,
    kIndicateDisappeared,
    kFlushLeftTop,
    kInitialize,
    kZOrderBottomMost,
    kZOrderBottom,
    kZOrderTop,
    kZOrderTopMost,
    // View
    kGridAppear,
    kGridSnap,
    kGridSmall,
    kGridNormal,
    kGridWide,
    // Tool bar
    kZoomIn,
    kZoomOut,
    kViewAll,
    kToolSelect,
    kToolTextbox,
    kToolLine,
    kToolArrow,
    kToolRectangle,
    kToolEllipse,
    kHighlightClock,
    kSummaryView,
    // Context menus
    kOpenSource,
    kViewNet,
    kChangeLinestyle,
    kStartHandRouting,
    kInsertStep,
    kOpenTruthTable,
    kOpenStateDiagram,
    kOpenSchematic,
    kViewParameter,
    kEditText,
    kDelete,
    kDepthBottomMost,
    kDepthBottom,
    kDepthTop,
    kDepthTopMost,
    kViewSignals,
};

struct SchematicMenuItem {
    SchematicCommand command = SchematicCommand::kNone;
    std::string text;  // empty with kNone: a separator
    bool enabled = true;
    bool checked = false;
    std::vector<SchematicMenuItem> items;  // a submenu when not empty
};

// What the menus show as enabled or checked.
struct SchematicMenuState {
    bool canUndo = false;
    bool canRedo = false;
    bool gridVisible = false;
    bool gridSnap = false;
    int gridSize = 16;
    int toolMode = 0;
    bool highlightClock = false;
};

// The menu bar: File, Open, Edit, View; each a titled item with its entries.
std::vector<SchematicMenuItem> schematicMenuBar(const SchematicMenuState& state);

// The context menu for a selection whose deciding entry has object kind
// `kind`; empty for kinds without one. `viewParameter` checks "&View Paramter".
std::vector<SchematicMenuItem> schematicContextMenu(int kind, bool viewParameter);

enum class ToolButtonKind { kPush, kRadio, kCheck };

struct SchematicToolButton {
    SchematicCommand command;
    std::string label;  // the letter the icon shows
    std::string tip;
    ToolButtonKind kind;
    bool enabled = true;
    bool checked = false;
};

std::vector<SchematicToolButton> schematicToolBar(const SchematicMenuState& state);

// The tool mode of a tool command (0 to 5), or -1 for any other command.
int toolModeOf(SchematicCommand command);

}  // namespace corvane
