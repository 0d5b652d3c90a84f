#include "console/console_menu.h"

namespace corvane {

namespace {

MenuEntry item(std::string text, MenuCommand command, std::string shortcut = {}) {
    MenuEntry entry;
    entry.text = std::move(text);
    entry.command = command;
    entry.shortcut = std::move(shortcut);
    return entry;
}

MenuEntry separator() {
    MenuEntry entry;
    entry.separator = true;
    return entry;
}

MenuEntry menu(std::string text, std::vector<MenuEntry> children) {
    MenuEntry entry;
    entry.text = std::move(text);
    entry.children = std::move(children);
    return entry;
}

std::vector<MenuEntry> buildMenuBar() {
    MenuEntry hierarchy = item("&Hierarchy", MenuCommand::kViewHierarchy);
    hierarchy.checkable = true;
    return {
        menu("&File", {item("&New Project...", MenuCommand::kNewProject, "Ctrl+N"),
                       item("&Open Project...", MenuCommand::kOpenProject, "Ctrl+O"),
                       item("Sa&ve Project", MenuCommand::kSaveProject, "Ctrl+S"),
                       item("Save Project As...", MenuCommand::kSaveProjectAs),
                       item("&Close Project", MenuCommand::kCloseProject), separator(),
                       item("Save I/O Table...", MenuCommand::kSaveIoTable),
                       item("Export Documentation Site...", MenuCommand::kExportSite),
                       item("Project &Setting...", MenuCommand::kProjectSetting), separator(),
                       menu("P&rint Setting", {item("&Printer...", MenuCommand::kPrinterSetting),
                                               item("&Margin...", MenuCommand::kMarginSetting)}),
                       menu("&Print", {item("&Hierachy...", MenuCommand::kPrintHierarchy),
                                       item("&List...", MenuCommand::kPrintList)}),
                       separator(), item("E&xit", MenuCommand::kExit, "Ctrl+Q")}),
        menu("&Edit", {item("&Copy", MenuCommand::kCopy, "Ctrl+C")}),
        menu("&Add", {item("&File...", MenuCommand::kAddFile),
                      item("Folde&r...", MenuCommand::kAddFolder)}),
        menu("&View", {item("&Schematic...", MenuCommand::kViewSchematic),
                       item("&View Source...", MenuCommand::kViewSource),
                       item("&Net...", MenuCommand::kViewNet), hierarchy}),
        menu("&Text Report", {item("&Net...", MenuCommand::kReportNet),
                              item("&Summary...", MenuCommand::kReportSummary),
                              item("&Connection...", MenuCommand::kReportConnection),
                              item("&List", MenuCommand::kReportList),
                              item("&Hierarchy", MenuCommand::kReportHierarchy)}),
        menu("&Help", {item("&Help...", MenuCommand::kHelp, "F1"),
                       item("&Version...", MenuCommand::kVersion)}),
    };
}

const MenuEntry* findIn(const std::vector<MenuEntry>& entries, MenuCommand command) {
    for (const MenuEntry& entry : entries) {
        if (entry.command == command) return &entry;
        if (const MenuEntry* found = findIn(entry.children, command)) return found;
    }
    return nullptr;
}

}  // namespace

const std::vector<MenuEntry>& consoleMenuBar() {
    static const std::vector<MenuEntry> menuBar = buildMenuBar();
    return menuBar;
}

const MenuEntry* findMenuEntry(MenuCommand command) {
    return findIn(consoleMenuBar(), command);
}

bool menuItemChecked(MenuCommand command, const MenuState& state) {
    return command == MenuCommand::kViewHierarchy && state.hierarchyVisible;
}

}  // namespace corvane
