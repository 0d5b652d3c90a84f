#include "reports/hierarchy_report.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

const char kHeader[] = "\r\n======== Hierarchy view of Analyzed modules ========\r\n";

Module& addModule(ModuleList& modules, const std::string& name, const std::string& path) {
    Module& module = modules.append();
    module.name = name;
    module.filePath = path;
    return module;
}

void addChild(Module& parent, const std::string& moduleName, const std::string& instance) {
    Child child;
    child.moduleName = moduleName;
    child.name = instance;
    parent.children.push_back(child);
}

// top -> alu (u1), ram (u2, not analysed); a second top "spare" -> alu (u0).
ModuleList designWithMissingChild() {
    ModuleList modules;
    Module& spare = addModule(modules, "spare", "/w/lib/spare.v");
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "alu", "u1");
    addChild(top, "ram", "u2");
    addChild(spare, "alu", "u0");
    addModule(modules, "alu", "/w/alu.v");
    return modules;
}

TEST(HierarchyReport, WritesTopsInNameOrderWithTheirInstances) {
    const ModuleList modules = designWithMissingChild();
    std::string rootPath = "stale";
    EXPECT_EQ(buildHierarchyText(modules, rootPath), std::string(kHeader) +
                                                         "spare () - lib/spare.v\r\n"
                                                         "\talu (u0) - alu.v\r\n"
                                                         "top () - top.v\r\n"
                                                         "\talu (u1) - alu.v\r\n"
                                                         "\tram (u2) - ?\r\n");
    EXPECT_EQ(rootPath, "/w/");
}

TEST(HierarchyReport, LogGetsOneEmptyLineAfterTheReport) {
    const ModuleList modules = designWithMissingChild();
    MessageLog log;
    writeHierarchyReport(modules, log);
    std::string rootPath;
    EXPECT_EQ(log.text(), buildHierarchyText(modules, rootPath) + "\r\n");
}

TEST(HierarchyReport, EmptyListKeepsTheRootPath) {
    ModuleList modules;
    std::string rootPath = "/kept/";
    EXPECT_EQ(buildHierarchyText(modules, rootPath),
              std::string(kHeader) + "The analyzed module(s) is empty.\r\n\r\n");
    EXPECT_EQ(rootPath, "/kept/");
    EXPECT_TRUE(buildHierarchyTree(modules, rootPath).empty());
    EXPECT_EQ(rootPath, "/kept/");
}

TEST(HierarchyReport, ModulesInstantiatingEachOtherAreNoTops) {
    ModuleList modules;
    addChild(addModule(modules, "a", "/w/a.v"), "b", "u0");
    addChild(addModule(modules, "b", "/w/b.v"), "a", "u0");
    std::string rootPath;
    EXPECT_TRUE(topModuleNames(modules).empty());
    EXPECT_EQ(buildHierarchyText(modules, rootPath), kHeader);
    EXPECT_TRUE(buildHierarchyTree(modules, rootPath).empty());
}

TEST(HierarchyReport, ModuleUsedTwiceAppearsUnderEachParentAtItsDepth) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "mid", "m0");
    addChild(top, "leaf", "l0");
    Module& mid = addModule(modules, "mid", "/w/mid.v");
    addChild(mid, "leaf", "l1");
    addChild(mid, "leaf", "l2");
    addModule(modules, "leaf", "/w/leaf.v");
    std::string rootPath;
    EXPECT_EQ(buildHierarchyText(modules, rootPath), std::string(kHeader) +
                                                         "top () - top.v\r\n"
                                                         "\tmid (m0) - mid.v\r\n"
                                                         "\t\tleaf (l1) - leaf.v\r\n"
                                                         "\t\tleaf (l2) - leaf.v\r\n"
                                                         "\tleaf (l0) - leaf.v\r\n");
}

TEST(HierarchyReport, SelfInstantiationIsShownOnceWithoutDescent) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "self", "s0");
    addChild(top, "a", "a0");
    addChild(addModule(modules, "self", "/w/self.v"), "self", "again");
    addChild(addModule(modules, "a", "/w/a.v"), "b", "b0");
    Module& b = addModule(modules, "b", "/w/b.v");
    addChild(b, "a", "back");
    addChild(b, "self", "s1");
    std::string rootPath;
    EXPECT_EQ(buildHierarchyText(modules, rootPath), std::string(kHeader) +
                                                         "top () - top.v\r\n"
                                                         "\tself (s0) - self.v\r\n"
                                                         "\t\tself (again) - self.v\r\n"
                                                         "\ta (a0) - a.v\r\n"
                                                         "\t\tb (b0) - b.v\r\n"
                                                         "\t\t\ta (back) - a.v\r\n"
                                                         "\t\t\tself (s1) - self.v\r\n"
                                                         "\t\t\t\tself (again) - self.v\r\n");
}

TEST(HierarchyReport, DeepChainStopsAtTheDepthLimit) {
    ModuleList modules;
    constexpr int kModules = 400;
    for (int i = 0; i < kModules; ++i) {
        Module& module = addModule(modules, "m" + std::to_string(i), "m.v");
        if (i + 1 < kModules) addChild(module, "m" + std::to_string(i + 1), "u");
    }
    std::string rootPath;
    const std::string text = buildHierarchyText(modules, rootPath);
    const std::string deepest = std::string(256, '\t') + "m256 (u) - m.v\r\n";
    const std::string cut =
        std::string(257, '\t') + "... (instances below depth 256 are not shown)\r\n";
    EXPECT_TRUE(text.ends_with(deepest + cut)) << text.substr(text.size() - 400);
    EXPECT_EQ(text.find("m257 "), std::string::npos);

    // The tree ends the branch with an item that says so.
    const std::vector<HierarchyItem> tops = buildHierarchyTree(modules, rootPath);
    const HierarchyItem* item = &tops.at(0);
    for (int depth = 0; depth < 256; ++depth) item = &item->children.at(0);
    EXPECT_EQ(item->text, "m256 (u) : m.v");
    ASSERT_EQ(item->children.size(), 1u);
    EXPECT_EQ(item->children[0].text, "... (instances below depth 256 are not shown)");
    EXPECT_FALSE(item->children[0].analysed);
}

TEST(HierarchyReport, LeafAtTheDepthLimitHasNoCutLine) {
    ModuleList modules;
    for (int i = 0; i <= 256; ++i) {
        Module& module = addModule(modules, "m" + std::to_string(i), "m.v");
        if (i < 256) addChild(module, "m" + std::to_string(i + 1), "u");
    }
    std::string rootPath;
    EXPECT_EQ(buildHierarchyText(modules, rootPath).find("not shown"), std::string::npos);
}

TEST(HierarchyTree, ItemsCarryTextIconAndOrder) {
    const ModuleList modules = designWithMissingChild();
    std::string rootPath;
    const std::vector<HierarchyItem> tops = buildHierarchyTree(modules, rootPath);
    EXPECT_EQ(rootPath, "/w/");
    ASSERT_EQ(tops.size(), 2u);
    EXPECT_EQ(tops[0].text, "spare () : lib/spare.v");
    EXPECT_TRUE(tops[0].expanded);
    EXPECT_FALSE(tops[1].expanded);
    ASSERT_EQ(tops[0].children.size(), 1u);
    EXPECT_EQ(tops[0].children[0].text, "alu (u0) : alu.v");
    EXPECT_FALSE(tops[0].children[0].expanded);

    const HierarchyItem& top = tops[1];
    EXPECT_EQ(top.text, "top () : top.v");
    EXPECT_EQ(hierarchyIcon(top), kIconAnalysed);
    ASSERT_EQ(top.children.size(), 2u);
    EXPECT_EQ(top.children[0].text, "alu (u1) : alu.v");
    EXPECT_EQ(top.children[0].moduleName, "alu");
    EXPECT_EQ(top.children[0].instanceName, "u1");
    const HierarchyItem& ram = top.children[1];
    EXPECT_EQ(ram.text, "ram (u2) : ");
    EXPECT_EQ(hierarchyIcon(ram), kIconNotAnalysed);
    EXPECT_TRUE(ram.children.empty());
    EXPECT_EQ(hierarchyItemModuleName(ram.text), "ram");
}

TEST(HierarchyTree, RemovedModuleTurnsItsInstancesNotAnalysed) {
    ModuleList modules = designWithMissingChild();
    modules.removeByName("alu");
    std::string rootPath;
    const std::vector<HierarchyItem> tops = buildHierarchyTree(modules, rootPath);
    ASSERT_EQ(tops.size(), 2u);
    EXPECT_EQ(tops[1].children[0].text, "alu (u1) : ");
    EXPECT_FALSE(tops[1].children[0].analysed);
}

TEST(HierarchyTree, SelfInstantiationEndsTheBranch) {
    ModuleList modules;
    addChild(addModule(modules, "top", "/w/top.v"), "self", "s0");
    addChild(addModule(modules, "self", "/w/self.v"), "self", "again");
    std::string rootPath;
    const std::vector<HierarchyItem> tops = buildHierarchyTree(modules, rootPath);
    ASSERT_EQ(tops.size(), 1u);
    ASSERT_EQ(tops[0].children.size(), 1u);
    const HierarchyItem& self = tops[0].children[0];
    ASSERT_EQ(self.children.size(), 1u);
    EXPECT_EQ(self.children[0].text, "self (again) : self.v");
    EXPECT_TRUE(self.children[0].analysed);
    EXPECT_TRUE(self.children[0].children.empty());
}

}  // namespace
}  // namespace corvane
