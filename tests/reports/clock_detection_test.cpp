#include "reports/clock_detection.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

Terminal terminal(int kind, int role, int line) {
    Terminal result;
    result.kind = kind;
    result.role = role;
    result.line = line;
    return result;
}

TEST(ClockDetection, NetReportNameRule) {
    struct Case {
        const char* name;
        bool clock;
    };
    const Case cases[] = {
        {"clk", true},        {"clk_en", true},       {"count", true},  // begins with c
        {"sys_clock", true},  {"CLK", true},          {"Sys_Clk", true},  // compared in lower case
        {"rst_clk", false},   {"reset_clock", false}, {"clk_rst", false},
        {"data", false},      {"", false},
    };
    for (const Case& test : cases) EXPECT_EQ(hasClockName(test.name), test.clock) << test.name;
}

TEST(ClockDetection, CandidateNeedsASensitivityUse) {
    NetUsage usage;
    usage.inputLines = {3};
    EXPECT_FALSE(isClockCandidate("clk", usage));
    usage.sensitivityLines = {4};
    EXPECT_TRUE(isClockCandidate("clk", usage));
    EXPECT_FALSE(isClockCandidate("rst_clk", usage));
}

TEST(ClockDetection, UsesAreFiledByDirectionAndKind) {
    NetUsage usage;
    const Terminal terminals[] = {
        terminal(kKindAssign, 0, 1),   terminal(kKindPin, 0, 2),      terminal(kKindChild, 0, 3),
        terminal(kKindAlways, 1, 4),   terminal(kKindPin, 1, 5),      terminal(kKindChild, 2, 6),
        terminal(kKindInitial, 2, 7),  terminal(kKindAlways, 16, 8),  terminal(kKindWire, -1, 9),
        terminal(kKindAlways, 0, 10),
    };
    for (const Terminal& use : terminals) recordUsage(use, usage);
    EXPECT_EQ(usage.inputLines, (std::vector<int>{1, 10}));
    EXPECT_EQ(usage.outputLines, (std::vector<int>{4, 5}));
    EXPECT_EQ(usage.inoutLines, (std::vector<int>{7}));
    EXPECT_EQ(usage.sensitivityLines, (std::vector<int>{8}));
}

TEST(ClockDetection, NotesNameTheTargetFileForEveryLogicUse) {
    NetUsage usage;
    usage.inputLines = {12, 3};
    usage.inoutLines = {7};
    usage.outputLines = {20};
    usage.sensitivityLines = {5};
    MessageLog log;
    writeClockCheck("clk_en", "/w/top.v", usage, log);
    EXPECT_EQ(log.text(),
              "#NOTE : /w/top.v :  : Net \"clk_en\" is maybe clock signal.\r\n"
              "#NOTE : /w/top.v : 12 : But it is inputted logical circuit as non-edge signal\r\n"
              "#NOTE : /w/top.v : 3 : But it is inputted logical circuit as non-edge signal\r\n"
              "#NOTE : /w/top.v : 7 : But it is inputted logical circuit as non-edge signal\r\n");

    log.clear();
    writeClockCheck("reset_clock", "/w/top.v", usage, log);
    EXPECT_EQ(log.text(), "");
}

TEST(ClockDetection, SchematicRule) {
    Net sensitivity;
    sensitivity.terminals = {terminal(kKindAssign, 0, 1), terminal(kKindAlways, 16, 2)};
    Net initialOutput;
    initialOutput.terminals = {terminal(kKindInitial, 1, 3)};
    Net logicOnly;
    logicOnly.terminals = {terminal(kKindAssign, 0, 1), terminal(kKindAlways, 0, 2),
                           terminal(kKindInitial, 0, 3), terminal(kKindPin, 16, 4)};
    struct Case {
        const char* name;
        const Net* net;
        bool clock;
    };
    const Case cases[] = {
        {"clk", &sensitivity, true},
        {"Ck_a", &sensitivity, true},
        {"sys_CLOCK", &sensitivity, true},
        {"sys_Clk", &sensitivity, false},  // the schematic rule is case-sensitive
        {"clock_rst", &sensitivity, false},
        {"ck_reset", &sensitivity, false},
        {"clk", &initialOutput, true},
        {"clk_div", &logicOnly, false},  // a candidate name feeding only logic
        {"data", &sensitivity, false},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(isSchematicClockNet(test.name, *test.net), test.clock) << test.name;
    }
    EXPECT_TRUE(hasSchematicClockName("clk_div"));
}

}  // namespace
}  // namespace corvane
