// The console window's main menu as data: every command with its text and
// mnemonic, the desktop shortcut beside it, and its check state. The desktop
// front end turns this into its menu bar; the tests read it without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

enum class MenuCommand {
    kNewProject,
    kOpenProject,
    kSaveProject,
    kSaveProjectAs,
    kCloseProject,
    kSaveIoTable,
    kExportSite,
    kProjectSetting,
    kPrinterSetting,
    kMarginSetting,
    kPrintHierarchy,
    kPrintList,
    kExit,
    kCopy,
    kAddFile,
    kAddFolder,
    kViewSchematic,
    kViewSource,
    kViewNet,
    kViewHierarchy,
    kReportNet,
    kReportSummary,
    kReportConnection,
    kReportList,
    kReportHierarchy,
    kHelp,
    kVersion,
};

// One entry of a menu: a command, a submenu (children, no command) or a separator.
struct MenuEntry {
    std::string text;  // with "&" before the mnemonic letter
    std::optional<MenuCommand> command;
    std::string shortcut;    // "Ctrl+N", "F1", ... ; empty when there is none
    bool checkable = false;  // View > Hierarchy: checked while the window is visible
    bool separator = false;
    std::vector<MenuEntry> children;
};

// The menus of the menu bar in order, each a MenuEntry with children.
const std::vector<MenuEntry>& consoleMenuBar();

// The entry of `command` in the menu bar (searching submenus); nullptr when absent.
const MenuEntry* findMenuEntry(MenuCommand command);

// What decides the check marks of the menu.
struct MenuState {
    bool hierarchyVisible = false;
};

// Whether the entry of `command` carries a check mark.
bool menuItemChecked(MenuCommand command, const MenuState& state);

}  // namespace corvane
