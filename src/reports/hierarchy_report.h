// The instance hierarchy: a text report and the tree shown in the hierarchy window.
//
// Both start at the top modules (analysed modules that no analysed module
// instantiates, in byte order of their names) and descend through each
// module's instances in declaration order. Guard against self-instantiation:
// a module that appears again on its own instance path (as its own ancestor)
// is shown once at that place but not descended into, and no node deeper than
// kMaxInstanceDepth is descended into either: a line (an item in the tree) of
// its own stands where instances are left out for depth or for the node limit.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Names of the top modules in ascending byte order.
std::vector<std::string> topModuleNames(const ModuleList& modules);

// The hierarchy report. Recomputes `rootPath` unless the list is empty.
std::string buildHierarchyText(const ModuleList& modules, std::string& rootPath);

// Writes the report to the log line by line (tabs kept). The first form stores
// the recomputed root path for the module list report; the second discards it.
void writeHierarchyReport(const ModuleList& modules, std::string& rootPath, MessageLog& log);
void writeHierarchyReport(const ModuleList& modules, MessageLog& log);

// One item of the hierarchy window's tree.
struct HierarchyItem {
    std::string text;          // module + " (" + instance + ") : " + relative path
    std::string moduleName;    // lower-cased module name
    std::string instanceName;  // lower-cased instance name; empty for a top
    bool analysed = false;     // icon 0 when the module is analysed, icon 1 when not
    bool expanded = false;     // only the first top starts expanded
    std::vector<HierarchyItem> children;  // one per instance, in declaration order
};

// Icon indices of the hierarchy window's image list.
inline constexpr int kIconAnalysed = 0;
inline constexpr int kIconNotAnalysed = 1;

inline int hierarchyIcon(const HierarchyItem& item) {
    return item.analysed ? kIconAnalysed : kIconNotAnalysed;
}

// The tree's top-level items in display order; empty for an empty list.
// Recomputes `rootPath` unless the list is empty.
std::vector<HierarchyItem> buildHierarchyTree(const ModuleList& modules, std::string& rootPath);

// The module name of an item: its text up to the first " (".
std::string hierarchyItemModuleName(const std::string& itemText);

}  // namespace corvane
