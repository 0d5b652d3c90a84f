#include "site/index_page.h"

#include <algorithm>

#include "reports/hierarchy_report.h"
#include "reports/summary_report.h"
#include "site/site_page.h"

namespace corvane {

namespace {

class TreeWriter {
public:
    explicit TreeWriter(const SiteNames& names) : names_(names) {}

    std::string write(const std::vector<HierarchyItem>& items) {
        std::string text = "<ul class=\"tree\">\n";
        for (const HierarchyItem& item : items) writeItem(item, text);
        text += "</ul>\n";
        if (cut_) {
            text += "<p class=\"note\">The tree is cut after " +
                    std::to_string(kMaxIndexTreeEntries) + " entries.</p>\n";
        }
        return text;
    }

private:
    void writeItem(const HierarchyItem& item, std::string& text) {
        if (entries_ >= kMaxIndexTreeEntries) {
            cut_ = true;
            return;
        }
        ++entries_;
        const std::string page = names_.modulePage(item.moduleName);
        const std::string name = hierarchyItemModuleName(item.text);
        text += "<li>";
        if (item.moduleName.empty()) {
            text += "<span class=\"missing\">" + html(item.text) + "</span>";  // a cut marker
        } else if (item.analysed && !page.empty()) {
            text += link(std::string(kModuleFolder) + "/" + page, name);
        } else {
            text += "<code>" + html(name) + "</code> <span class=\"missing\">(not analysed)</span>";
        }
        if (!item.instanceName.empty()) text += " (<code>" + html(item.instanceName) + "</code>)";
        if (!item.children.empty()) {
            text += "\n<ul>\n";
            for (const HierarchyItem& child : item.children) writeItem(child, text);
            text += "</ul>\n";
        }
        text += "</li>\n";
    }

    const SiteNames& names_;
    std::size_t entries_ = 0;
    bool cut_ = false;
};

std::vector<const Module*> sortedByName(const ModuleList& modules) {
    std::vector<const Module*> sorted;
    for (const Module& module : modules) sorted.push_back(&module);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Module* a, const Module* b) { return a->name < b->name; });
    return sorted;
}

std::string moduleTable(const IndexPageInput& input) {
    const std::string root = computeRootPath(input.modules);
    std::string text = "<h2 id=\"modules\">Modules</h2>\n";
    if (!root.empty()) text += "<p class=\"lead\">Root path: <code>" + html(root) + "</code></p>\n";
    text +=
        "<div class=\"scroll\"><table>\n<thead><tr><th>Name</th><th>Regs</th><th>TotalRegs</th>"
        "<th>Filesize</th><th>Lines</th><th>Path</th></tr></thead>\n<tbody>\n";
    for (const Module* module : sortedByName(input.modules)) {
        const std::string source = input.names.sourcePage(module->filePath);
        const std::string path = relativePath(module->filePath, root);
        text +=
            "<tr><td>" +
            link(std::string(kModuleFolder) + "/" + input.names.modulePage(module->name),
                 module->displayName) +
            "</td><td class=\"num\">" + std::to_string(registerBits(*module)) +
            "</td><td class=\"num\">" +
            std::to_string(totalRegisterBits(input.modules, module->name)) +
            "</td><td class=\"num\">" + std::to_string(module->charCount) +
            "</td><td class=\"num\">" + std::to_string(module->lineCount) + "</td><td>" +
            (source.empty() ? html(path) : link(std::string(kSourceFolder) + "/" + source, path)) +
            "</td></tr>\n";
    }
    return text + "</tbody>\n</table></div>\n";
}

std::string stateMachineTable(const IndexPageInput& input) {
    std::string text = "<h2 id=\"state-machines\">State machines</h2>\n";
    if (input.stateMachines.empty()) return text + "<p class=\"missing\">None found.</p>\n";
    text +=
        "<div class=\"scroll\"><table>\n<thead><tr><th>Module</th><th>Line</th>"
        "<th>State register</th><th>States</th></tr></thead>\n<tbody>\n";
    for (const StateMachineEntry& entry : input.stateMachines) {
        const std::string page =
            std::string(kModuleFolder) + "/" + input.names.modulePage(entry.moduleName);
        text += "<tr><td>" + link(page, entry.moduleDisplayName) + "</td><td class=\"num\">" +
                link(page + "#fsm-" + std::to_string(entry.line), std::to_string(entry.line)) +
                "</td><td><code>" + html(entry.stateRegister) + "</code></td><td class=\"num\">" +
                std::to_string(entry.states) + "</td></tr>\n";
    }
    return text + "</tbody>\n</table></div>\n";
}

}  // namespace

std::string buildIndexPage(const IndexPageInput& input) {
    std::string text = pageStart(input.projectName, input.projectName, "");
    text += "<h1>" + html(input.projectName) + "</h1>\n";
    text += "<p class=\"lead\">" + std::to_string(input.modules.size()) + " analysed modules, " +
            std::to_string(input.stateMachines.size()) + " state machines. " +
            link("#hierarchy", "Hierarchy") + " &#183; " + link("#modules", "Modules") +
            " &#183; " + link("#state-machines", "State machines") + "</p>\n";
    text += "<h2 id=\"hierarchy\">Hierarchy</h2>\n";
    std::string root;
    text += TreeWriter(input.names).write(buildHierarchyTree(input.modules, root));
    text += moduleTable(input);
    text += stateMachineTable(input);
    return text + pageEnd();
}

}  // namespace corvane
