#include "reports/connection_report.h"

#include <gtest/gtest.h>

#include <string>

#include "reports/net_report.h"

namespace corvane {
namespace {

Terminal terminal(int kind, int index, int role, int msb, int lsb, int line) {
    Terminal result;
    result.kind = kind;
    result.index = index;
    result.role = role;
    result.msb = msb;
    result.lsb = lsb;
    result.line = line;
    return result;
}

Module& addModule(ModuleList& modules, const std::string& name, const std::string& path) {
    Module& module = modules.append();
    module.name = name;
    module.filePath = path;
    return module;
}

// An instance of `moduleName` whose ports connect to the given signals (port, signal pairs).
void addChild(Module& parent, const std::string& moduleName, const std::string& instance,
              std::vector<std::pair<std::string, std::string>> ports) {
    Child child;
    child.moduleName = moduleName;
    child.name = instance;
    for (const auto& [port, signal] : ports) {
        Connection connection;
        connection.port = port;
        connection.signal = signal;
        child.connections.push_back(connection);
    }
    parent.children.push_back(child);
}

TEST(ConnectionReport, ListsEveryNetInNameOrderWithItsTerminals) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "sub", "u0", {{"a", "data"}});
    top.nets["data"].terminals = {
        terminal(kKindPin, 0, 0, 7, 0, 2),     terminal(kKindWire, 0, -1, 7, 0, 3),
        terminal(kKindAssign, 0, 1, 3, 3, 5),  terminal(kKindAlways, 0, 16, -1, -1, 6),
        terminal(kKindChild, 0, 2, 7, 4, 8),   terminal(kKindInitial, 0, 1, 0, -1, 9),
        terminal(kKindChild, 5, 0, -1, 2, 10),  // names no instance
        terminal(9, 0, 7, 1, 0, 11),
    };
    top.nets["a_clk"].terminals = {terminal(kKindReg, 0, -1, -1, -1, 4)};
    top.nets["b_empty"];

    MessageLog log;
    writeConnectionReport(modules, "top", log);
    EXPECT_EQ(log.text(),
              "\r\n"
              "======== Signal connection of module \"top\" ========\r\n"
              "Net : a_clk\r\n"
              "\t4 : reg\r\n"
              "\r\n"
              "Net : b_empty\r\n"
              "\r\n"
              "Net : data\r\n"
              "\t2 : pin : IN : [7:0]\r\n"
              "\t3 : wire : [7:0]\r\n"
              "\t5 : assign : OUT : [3]\r\n"
              "\t6 : formula in always section : Sensitivity list\r\n"
              "\t8 : child module sub (u0) : I/O : [7:4]\r\n"
              "\t9 : formula in initial section : OUT\r\n"
              "\t10 : ? unknown connect type : IN\r\n"
              "\t11 : ? unknown connect type : [1:0]\r\n"
              "\r\n");
}

TEST(ConnectionReport, WritesNothingWithoutAnAnalysedTarget) {
    ModuleList modules;
    addModule(modules, "top", "/w/top.v").nets["x"];
    for (const std::string target : {"", "TOP", "other"}) {
        MessageLog log;
        writeConnectionReport(modules, target, log);
        writeNetReport(modules, target, "x", log);
        EXPECT_EQ(log.text(), "") << target;
    }
}

// top.clk feeds a pin, the sensitivity list, an assign and two ports of
// instance u0 on one line; sub.ck feeds a sensitivity list and an assign.
ModuleList clockDesign() {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "sub", "u0", {{"ck", "clk"}, {"ck2", "clk"}});
    addChild(top, "missing", "u1", {{"p", "clk"}});
    top.nets["clk"].terminals = {
        terminal(kKindPin, 0, 0, -1, -1, 2),
        terminal(kKindAlways, 0, 16, -1, -1, 5),
        terminal(kKindAssign, 0, 0, -1, -1, 7),
        terminal(kKindChild, 0, 0, -1, -1, 9),
        terminal(kKindChild, 0, 0, 3, 3, 9),  // second port of u0 on the same line
        terminal(kKindChild, 1, 0, -1, -1, 10),
    };
    Module& sub = addModule(modules, "sub", "/w/sub.v");
    sub.nets["ck"].terminals = {
        terminal(kKindPin, 0, 0, -1, -1, 1),
        terminal(kKindAlways, 0, 16, -1, -1, 3),
        terminal(kKindAlways, 0, 2, -1, -1, 4),
        terminal(kKindAssign, 0, 0, -1, -1, 6),
    };
    return modules;
}

TEST(NetReport, TracesTheNetDownAndFlagsLogicUsesOfAClock) {
    const ModuleList modules = clockDesign();
    MessageLog log;
    writeNetReport(modules, "top", "clk", log);
    EXPECT_EQ(log.text(),
              "\r\n"
              "======== Net \"clk\" at module \"top\" ========\r\n"
              "top - clk\r\n"
              "\t2 : pin : IN\r\n"
              "\t5 : formula in always section : Sensitivity list\r\n"
              "\t7 : assign : IN\r\n"
              "\t9 : child module sub (u0)\r\n"
              "\tsub - ck\r\n"
              "\t\t1 : pin : IN\r\n"
              "\t\t3 : formula in always section : Sensitivity list\r\n"
              "\t\t4 : formula in always section : I/O\r\n"
              "\t\t6 : assign : IN\r\n"
              "\t9 :  : IN : [3]\r\n"
              "\t10 : child module missing (u1)\r\n"
              "\r\n"
              "#NOTE : /w/top.v :  : Net \"clk\" is maybe clock signal.\r\n"
              "#NOTE : /w/top.v : 7 : But it is inputted logical circuit as non-edge signal\r\n"
              "#NOTE : /w/top.v : 6 : But it is inputted logical circuit as non-edge signal\r\n"
              "#NOTE : /w/top.v : 4 : But it is inputted logical circuit as non-edge signal\r\n");
}

TEST(NetReport, UnknownNetGivesOnlyTheHeader) {
    const ModuleList modules = clockDesign();
    MessageLog log;
    writeNetReport(modules, "top", "CLK", log);
    EXPECT_EQ(log.text(), "\r\n======== Net \"CLK\" at module \"top\" ========\r\n\r\n");
}

TEST(NetReport, NetOnlyOnPinsAndInstancesGetsNoLogicNotes) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    addChild(top, "missing", "u0", {{"c", "clk_en"}});
    top.nets["clk_en"].terminals = {terminal(kKindPin, 0, 0, -1, -1, 2),
                                    terminal(kKindPin, 0, 2, -1, -1, 3),
                                    terminal(kKindChild, 0, 0, -1, -1, 4),
                                    terminal(kKindChild, 0, 2, -1, -1, 5),
                                    terminal(kKindAlways, 0, 16, -1, -1, 6)};
    MessageLog log;
    writeNetReport(modules, "top", "clk_en", log);
    const std::string text(log.text());
    EXPECT_NE(text.find("Net \"clk_en\" is maybe clock signal.\r\n"), std::string::npos);
    EXPECT_EQ(text.find("But it is"), std::string::npos);
}

TEST(NetTrace, SelfInstantiationIsListedButNotEntered) {
    ModuleList modules;
    Module& self = addModule(modules, "self", "/w/self.v");
    addChild(self, "self", "again", {{"n", "n"}});
    self.nets["n"].terminals = {terminal(kKindChild, 0, 0, -1, -1, 3)};
    Module& a = addModule(modules, "a", "/w/a.v");
    addChild(a, "b", "u0", {{"p", "n"}});
    a.nets["n"].terminals = {terminal(kKindChild, 0, 1, -1, -1, 4)};
    Module& b = addModule(modules, "b", "/w/b.v");
    addChild(b, "a", "back", {{"n", "p"}});
    b.nets["p"].terminals = {terminal(kKindChild, 0, 0, -1, -1, 5)};

    NetUsage usage;
    MessageLog log;
    traceNet(modules, "self", "n", 0, usage, log);
    EXPECT_EQ(log.text(), "self - n\r\n\t3 : child module self (again)\r\n");

    log.clear();
    traceNet(modules, "a", "n", 1, usage, log);
    EXPECT_EQ(log.text(),
              "\ta - n\r\n"
              "\t\t4 : child module b (u0)\r\n"
              "\t\tb - p\r\n"
              "\t\t\t5 : child module a (back)\r\n");
    EXPECT_EQ(usage.outputLines, std::vector<int>{4});
    EXPECT_TRUE(usage.inputLines.empty());  // child terminals are no logic uses
}

TEST(NetTrace, DescendsThroughTheFirstConnectionCarryingTheNet) {
    ModuleList modules;
    Module& top = addModule(modules, "top", "/w/top.v");
    // A positional connection has no port name, so nothing below it is traced.
    addChild(top, "sub", "u0", {{"x", "other"}, {"", "n"}, {"y", "n"}});
    top.nets["n"].terminals = {terminal(kKindChild, 0, 0, -1, -1, 3)};
    addModule(modules, "sub", "/w/sub.v").nets["y"].terminals = {
        terminal(kKindPin, 0, 0, -1, -1, 1)};
    NetUsage usage;
    MessageLog log;
    traceNet(modules, "top", "n", 0, usage, log);
    EXPECT_EQ(log.text(), "top - n\r\n\t3 : child module sub (u0)\r\n");
}

}  // namespace
}  // namespace corvane
