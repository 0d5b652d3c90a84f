// The hierarchy window's behaviour: its tree, the pop-up menus of an item and
// of the empty tree, and the commands Open Schematic, Open Source, Remove and Add.
#pragma once

#include <string>
#include <vector>

#include "console/controller.h"
#include "reports/hierarchy_report.h"

namespace corvane {

enum class HierarchyCommand { kOpenSchematic, kOpenSource, kRemove, kAdd };

struct HierarchyMenuEntry {
    std::string text;  // with "&" before the mnemonic letter
    HierarchyCommand command = HierarchyCommand::kAdd;
    bool separatorBefore = false;
};

// The pop-up menu of an item ("Open &Schematic", "Op&en Source", a separator,
// "&Remove"), or of the tree with no item ("&Add").
const std::vector<HierarchyMenuEntry>& hierarchyPopupMenu(bool onItem);

// Caption of the message for a module that is not analysed (its name is the text).
inline constexpr const char* kNotAnalysedCaption = "CORVANE has not analyze this module.";

class HierarchyCommands {
public:
    explicit HierarchyCommands(CMorvelDlg& controller);

    // The tree's top-level items for the current module list (empty when it is empty).
    std::vector<HierarchyItem> tree();

    // Runs `command` on the item whose text is `itemText` (ignored by Add).
    void run(HierarchyCommand command, const std::string& itemText);

    void openSchematic(const std::string& moduleName);
    void openSource(const std::string& moduleName);
    // Closes the module's source viewer, schematic and net windows, removes
    // it and refreshes title and tree; the current target module stays.
    void remove(const std::string& moduleName);

private:
    const Module* analysedModule(const std::string& moduleName);

    CMorvelDlg& controller_;
};

}  // namespace corvane
