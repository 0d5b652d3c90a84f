#include "reports/hierarchy_report.h"

#include <algorithm>
#include <set>
#include <utility>

#include "database/module_name_index.h"
#include "reports/report_text.h"
#include "reports/summary_report.h"

namespace corvane {

namespace {

class HierarchyTextWriter {
public:
    HierarchyTextWriter(const ModuleList& modules, const std::string& rootPath)
        : modules_(modules), rootPath_(rootPath) {}

    void node(const std::string& moduleName, const std::string& instanceName, int depth) {
        if (!walk_.takeNode()) {
            if (walk_.reportNodeCut()) cutLine(kNodeCutText, depth);
            return;
        }
        text_.append(static_cast<std::size_t>(depth), '\t');
        text_ += moduleName + " (" + instanceName + ") - ";
        const Module* module = modules_.find(moduleName);
        if (module == nullptr) {
            text_ += "?\r\n";
            return;
        }
        text_ += relativePath(module->filePath, rootPath_) + "\r\n";
        if (!walk_.mayDescend(moduleName, depth)) {
            if (InstanceWalk::cutByDepth(depth) && !module->children.empty()) {
                cutLine(kDepthCutText, depth + 1);
            }
            return;
        }
        walk_.enter(moduleName);
        for (const Child& child : module->children) node(child.moduleName, child.name, depth + 1);
        walk_.leave();
    }

    std::string& text() { return text_; }

private:
    // A line of its own where instances are left out, so a reader knows the
    // report is not complete.
    void cutLine(std::string_view what, int depth) {
        text_.append(static_cast<std::size_t>(depth), '\t');
        text_ += what;
        text_ += "\r\n";
    }

    ModuleNameIndex modules_;
    const std::string& rootPath_;
    InstanceWalk walk_;
    std::string text_;
};

class HierarchyTreeBuilder {
public:
    HierarchyTreeBuilder(const ModuleList& modules, const std::string& rootPath)
        : modules_(modules), rootPath_(rootPath) {}

    // Appends the item of one module (and its instances) to `siblings`.
    void insert(std::vector<HierarchyItem>& siblings, const std::string& moduleName,
                const std::string& instanceName, int depth) {
        if (!walk_.takeNode()) {
            if (walk_.reportNodeCut()) cutItem(siblings, kNodeCutText);
            return;
        }
        const Module* module = modules_.find(moduleName);
        HierarchyItem& item = siblings.emplace_back();
        item.moduleName = moduleName;
        item.instanceName = instanceName;
        item.analysed = module != nullptr;
        const std::string path = module ? relativePath(module->filePath, rootPath_) : "";
        item.text = moduleName + " (" + instanceName + ") : " + path;
        if (module == nullptr) return;
        if (!walk_.mayDescend(moduleName, depth)) {
            if (InstanceWalk::cutByDepth(depth) && !module->children.empty()) {
                cutItem(item.children, kDepthCutText);
            }
            return;
        }
        walk_.enter(moduleName);
        item.children.reserve(module->children.size());
        for (const Child& child : module->children) {
            insert(item.children, child.moduleName, child.name, depth + 1);
        }
        walk_.leave();
    }

private:
    // An item without a module that stands where instances are left out.
    static void cutItem(std::vector<HierarchyItem>& siblings, std::string_view what) {
        HierarchyItem& item = siblings.emplace_back();
        item.text = std::string(what);
    }

    ModuleNameIndex modules_;
    const std::string& rootPath_;
    InstanceWalk walk_;
};

}  // namespace

std::vector<std::string> topModuleNames(const ModuleList& modules) {
    std::set<std::string> instantiated;
    for (const Module& module : modules) {
        for (const Child& child : module.children) instantiated.insert(child.moduleName);
    }
    std::vector<std::string> tops;
    for (const Module& module : modules) {
        if (instantiated.count(module.name) == 0) tops.push_back(module.name);
    }
    std::stable_sort(tops.begin(), tops.end());
    return tops;
}

std::string buildHierarchyText(const ModuleList& modules, std::string& rootPath) {
    const std::string header = "\r\n======== Hierarchy view of Analyzed modules ========\r\n";
    if (modules.empty()) return header + "The analyzed module(s) is empty.\r\n\r\n";
    rootPath = computeRootPath(modules);
    HierarchyTextWriter writer(modules, rootPath);
    writer.text() = header;
    for (const std::string& top : topModuleNames(modules)) writer.node(top, "", 0);
    return std::move(writer.text());
}

void writeHierarchyReport(const ModuleList& modules, std::string& rootPath, MessageLog& log) {
    writeLinesToLog(buildHierarchyText(modules, rootPath), log);
}

void writeHierarchyReport(const ModuleList& modules, MessageLog& log) {
    std::string rootPath;
    writeHierarchyReport(modules, rootPath, log);
}

std::vector<HierarchyItem> buildHierarchyTree(const ModuleList& modules, std::string& rootPath) {
    std::vector<HierarchyItem> tops;
    if (modules.empty()) return tops;
    const std::vector<std::string> names = topModuleNames(modules);
    rootPath = computeRootPath(modules);
    HierarchyTreeBuilder builder(modules, rootPath);
    for (const std::string& top : names) builder.insert(tops, top, "", 0);
    if (!tops.empty()) tops.front().expanded = true;
    return tops;
}

std::string hierarchyItemModuleName(const std::string& itemText) {
    return itemText.substr(0, itemText.find(" ("));
}

}  // namespace corvane
