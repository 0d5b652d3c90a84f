#include "console/hierarchy_commands.h"

#include "console/menu_commands.h"

namespace corvane {

const std::vector<HierarchyMenuEntry>& hierarchyPopupMenu(bool onItem) {
    static const std::vector<HierarchyMenuEntry> itemMenu = {
        {"Open &Schematic", HierarchyCommand::kOpenSchematic, false},
        {"Op&en Source", HierarchyCommand::kOpenSource, false},
        {"&Remove", HierarchyCommand::kRemove, true},
    };
    static const std::vector<HierarchyMenuEntry> emptyMenu = {
        {"&Add", HierarchyCommand::kAdd, false},
    };
    return onItem ? itemMenu : emptyMenu;
}

HierarchyCommands::HierarchyCommands(CMorvelDlg& controller) : controller_(controller) {}

std::vector<HierarchyItem> HierarchyCommands::tree() {
    return buildHierarchyTree(controller_.modules(), controller_.rootPath());
}

void HierarchyCommands::run(HierarchyCommand command, const std::string& itemText) {
    const std::string name = hierarchyItemModuleName(itemText);
    switch (command) {
        case HierarchyCommand::kOpenSchematic:
            openSchematic(name);
            break;
        case HierarchyCommand::kOpenSource:
            openSource(name);
            break;
        case HierarchyCommand::kRemove:
            remove(name);
            break;
        case HierarchyCommand::kAdd:
            controller_.addFiles();
            break;
    }
}

// The module of that name, or nullptr after telling the user it is not analysed.
const Module* HierarchyCommands::analysedModule(const std::string& moduleName) {
    if (const Module* module = controller_.findModuleExact(moduleName)) return module;
    controller_.ui().messageBox(
        {kNotAnalysedCaption, moduleName, MessageIcon::kExclamation, MessageButtons::kOk});
    return nullptr;
}

void HierarchyCommands::openSchematic(const std::string& moduleName) {
    if (analysedModule(moduleName) != nullptr) openSchematicWindow(controller_, moduleName);
}

void HierarchyCommands::openSource(const std::string& moduleName) {
    if (const Module* module = analysedModule(moduleName)) {
        controller_.openSourceViewer(module->filePath, 1);
    }
}

void HierarchyCommands::remove(const std::string& moduleName) {
    if (controller_.findModuleExact(moduleName) == nullptr) return;
    controller_.ui().closeDocumentWindow(DocumentKind::kNetView, moduleName);
    controller_.removeModule(moduleName);
    controller_.refreshTitle();
    controller_.refreshHierarchyTree();
}

}  // namespace corvane
