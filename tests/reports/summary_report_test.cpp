#include "reports/summary_report.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// Appends a module; with `regMsb` it holds one register [regMsb:0].
Module& addModule(ModuleList& modules, const std::string& name, const std::string& path,
                  int regMsb = -2) {
    Module& module = modules.append();
    module.name = name;
    module.displayName = name;
    module.filePath = path;
    if (regMsb != -2) {
        Reg reg;
        reg.name = "r";
        reg.msb = regMsb;
        reg.lsb = 0;
        module.regs.push_back(reg);
    }
    return module;
}

void addChild(Module& parent, const std::string& moduleName, const std::string& instance) {
    Child child;
    child.moduleName = moduleName;
    child.name = instance;
    parent.children.push_back(child);
}

Pin pin(const std::string& name, int direction, int msb, int lsb) {
    Pin result;
    result.name = name;
    result.direction = direction;
    result.msb = msb;
    result.lsb = lsb;
    return result;
}

TEST(SummaryReport, WritesSizesInstancesAndFile) {
    ModuleList modules;
    Module& cnt = addModule(modules, "cnt", "/work/cnt.v", 7);
    cnt.pins = {pin("q", 1, 7, 0), pin("clk", 0, -1, -1), pin("rst", 0, -1, -1)};
    cnt.charCount = 512;
    cnt.lineCount = 30;
    addChild(cnt, "sub", "u0");
    addModule(modules, "sub", "/work/sub.v", 3);

    MessageLog log;
    writeSummaryReport(modules, cnt, log);
    EXPECT_EQ(log.text(),
              "\r\n"
              "======== Summary ========\r\n"
              "Module name         : cnt\r\n"
              "Number of Pins      : 10 (Input : 2, Output : 8, Inout : 0)\r\n"
              "Number of Resisters : 8\r\n"
              "Total Number of Resisters : 12\r\n"
              "Child modules       : sub(u0)\r\n"
              "\r\n"
              "File path           : /work/cnt.v\r\n"
              "File size           : 512 bytes (30 lines)\r\n"
              "\r\n");
}

TEST(SummaryReport, CountsAscendingRangesInoutsAndUndeclaredPins) {
    ModuleList modules;
    Module& module = addModule(modules, "m", "m.v");
    // [0:7] is as wide as [7:0]; an undeclared direction counts in the total only.
    module.pins = {pin("a", 0, 0, 7), pin("b", 2, 3, 0), pin("c", -1, -1, -1)};
    const std::string text = buildSummaryReport(modules, module);
    EXPECT_NE(text.find("Number of Pins      : 13 (Input : 8, Output : 0, Inout : 4)\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Child modules       : None\r\n\r\n"), std::string::npos);
    EXPECT_NE(text.find("Number of Resisters : 0\r\n"), std::string::npos);
}

TEST(SummaryReport, ListsEveryInstanceInOrder) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "top.v");
    addChild(top, "alu", "u1");
    addChild(top, "ram", "u2");
    EXPECT_NE(buildSummaryReport(modules, top).find("Child modules       : alu(u1), ram(u2)\r\n"),
              std::string::npos);
}

TEST(TotalRegisterBits, SumsTheHierarchy) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "top.v", 7);  // 8 bits
    addChild(top, "leaf", "u0");
    addChild(top, "leaf", "u1");     // instantiated twice: counted twice
    addChild(top, "missing", "u2");  // not analysed: 0
    addChild(top, "mid", "u3");
    Module& mid = addModule(modules, "mid", "mid.v", 1);  // 2 bits
    addChild(mid, "leaf", "u0");
    addModule(modules, "leaf", "leaf.v", 3);  // 4 bits

    EXPECT_EQ(totalRegisterBits(modules, "leaf"), 4);
    EXPECT_EQ(totalRegisterBits(modules, "mid"), 6);
    EXPECT_EQ(totalRegisterBits(modules, "top"), 8 + 4 + 4 + 0 + 6);
    EXPECT_EQ(totalRegisterBits(modules, "missing"), 0);
    EXPECT_EQ(totalRegisterBits(modules, "TOP"), 0);  // names are compared byte for byte
}

TEST(TotalRegisterBits, CountsASelfInstantiatingModuleOnce) {
    ModuleList modules;
    Module& self = addModule(modules, "self", "self.v", 7);  // 8 bits, instantiates itself
    addChild(self, "self", "again");
    Module& a = addModule(modules, "a", "a.v", 7);  // 8 bits; a -> b -> a
    addChild(a, "b", "u0");
    Module& b = addModule(modules, "b", "b.v", 3);  // 4 bits
    addChild(b, "a", "u0");
    addChild(b, "leaf", "u1");
    addModule(modules, "leaf", "leaf.v", 0);  // 1 bit

    EXPECT_EQ(totalRegisterBits(modules, "self"), 8);
    EXPECT_EQ(totalRegisterBits(modules, "a"), 8 + 4 + 1);
    EXPECT_EQ(totalRegisterBits(modules, "b"), 4 + 8 + 1);
}

TEST(TotalRegisterBits, WalksADeepSharedHierarchyInFull) {
    // Each level instantiates the next twice: 2^41 - 1 one-bit registers in all.
    ModuleList modules;
    constexpr int kLevels = 40;
    for (int level = 0; level <= kLevels; ++level) {
        Module& module = addModule(modules, "m" + std::to_string(level), "m.v", 0);
        if (level == kLevels) continue;
        addChild(module, "m" + std::to_string(level + 1), "u0");
        addChild(module, "m" + std::to_string(level + 1), "u1");
    }
    EXPECT_EQ(totalRegisterBits(modules, "m0"), (std::int64_t{1} << (kLevels + 1)) - 1);
}

TEST(RootPath, KeepsTheCommonFolder) {
    struct Case {
        std::vector<std::string> paths;
        std::string root;
        std::vector<std::string> relative;
    };
    const Case cases[] = {
        {{"/a/x/m1.v"}, "", {"/a/x/m1.v"}},
        {{"/a/x/m1.v", "/a/y/m2.v"}, "/a/", {"x/m1.v", "y/m2.v"}},
        // Files named without a folder: the root is the current folder, so
        // the paths show the file names.
        {{"m1.v", "m2.v"}, "", {"m1.v", "m2.v"}},
        {{"two_modules.v", "two_modules.v"}, "", {"two_modules.v", "two_modules.v"}},
        {{"/a/b/c.v", "/a/b/c.v"}, "/a/b/", {"c.v", "c.v"}},
        {{"/a/bc.v", "/a/b"}, "/a/", {"bc.v", "b"}},
        {{"/x.v", "y.v"}, "", {"/x.v", "y.v"}},
    };
    for (const Case& test : cases) {
        ModuleList modules;
        for (const std::string& path : test.paths) addModule(modules, "m", path);
        const std::string root = computeRootPath(modules);
        EXPECT_EQ(root, test.root) << test.paths.front();
        std::size_t i = 0;
        for (const Module& module : modules) {
            EXPECT_EQ(relativePath(module.filePath, root), test.relative[i++]);
        }
    }
    // Only the root's length counts; a path shorter than the root is kept whole.
    EXPECT_EQ(relativePath("/zz/q.v", "/a/"), "/q.v");
    EXPECT_EQ(relativePath("ab", "/abc/"), "ab");
}

TEST(ModuleList, WritesTheSortedTable) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v", 7);
    top.charCount = 1234;
    top.lineCount = 56;
    addChild(top, "alu", "u0");
    addChild(top, "alu", "u1");
    Module& alu = addModule(modules, "alu", "/w/lib/alu.v", 3);
    alu.charCount = 345678901;  // nine digits
    alu.lineCount = 9;
    Module& longName = addModule(modules, "memory_controller", "/w/mc.v");
    longName.charCount = 1;
    longName.lineCount = 1;

    const std::string text = buildModuleListReport(modules, "/w/");
    EXPECT_EQ(text,
              "\r\n"
              "======== Analyzed modules list ========\r\n"
              "Root Path : /w/\r\n"
              "Name               Regs    TotalRegs   Filesize  Lines  Path\r\n"
              "-------------------"
              "------------------------------------------------------\r\n"
              "alu                4       4           345678901 9      lib/alu.v\r\n"
              "memory_controller  0       0           1         1      mc.v\r\n"
              "top                8       16          1234      56     top.v\r\n"
              "\r\n");
    // The database list stays sorted: its newest module is now the last name.
    EXPECT_EQ(modules.back().name, "top");
    EXPECT_EQ(modules.begin()->name, "alu");
    EXPECT_EQ(modules.begin()->filePath, "/w/lib/alu.v");
}

TEST(ModuleList, ShortNamesKeepTheNameColumnAndWideValuesShiftIt) {
    ModuleList modules;
    Module& module = addModule(modules, "ab", "x.v");
    module.charCount = 1234567890;  // ten digits: no blank after it
    module.lineCount = 1234567;     // seven digits: no blank after it
    addModule(modules, "a", "y.v");  // a prefix sorts first
    EXPECT_EQ(buildModuleListReport(modules, ""),
              "\r\n"
              "======== Analyzed modules list ========\r\n"
              "Root Path : \r\n"
              "Name  Regs    TotalRegs   Filesize  Lines  Path\r\n"
              "------"
              "------------------------------------------------------\r\n"
              "a     0       0           0         0      y.v\r\n"
              "ab    0       0           12345678901234567x.v\r\n"
              "\r\n");
}

TEST(ModuleList, SortIsStableForEqualNames) {
    ModuleList modules;
    addModule(modules, "b", "first.v");
    addModule(modules, "a", "a.v");
    addModule(modules, "b", "second.v");
    buildModuleListReport(modules, "");
    std::vector<std::string> order;
    for (const Module& module : modules) order.push_back(module.filePath);
    EXPECT_EQ(order, (std::vector<std::string>{"a.v", "first.v", "second.v"}));
}

TEST(ModuleList, EmptyListSaysSo) {
    ModuleList modules;
    EXPECT_EQ(buildModuleListReport(modules, "/ignored/"),
              "\r\n======== Analyzed modules list ========\r\n"
              "The analyzed module list is empty.\r\n\r\n");
}

TEST(ModuleList, LogGetsBlanksForTabsAndOneMoreLineEnd) {
    ModuleList modules;
    addModule(modules, "m", "/w/a\tb.v");
    MessageLog log;
    writeModuleListReport(modules, "", log);
    const std::string expected = "\r\n"
                                 "======== Analyzed modules list ========\r\n"
                                 "Root Path : \r\n"
                                 "Name  Regs    TotalRegs   Filesize  Lines  Path\r\n"
                                 "------"
                                 "------------------------------------------------------\r\n"
                                 "m     0       0           0         0      /w/a    b.v\r\n"
                                 "\r\n"
                                 "\r\n";
    EXPECT_EQ(log.text(), expected);
}

}  // namespace
}  // namespace corvane
