// Runs the built corvane-batch on the fixtures of tests/fixtures/driver and
// compares what it prints with the expected text.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::TempDir;

// Runs corvane-batch with `arguments` in the driver fixture folder, feeding `input`.
BatchRun runBatch(const std::vector<std::string>& arguments, const std::string& input = "") {
    return testing::runBatchIn(testing::fixturePath("driver"), arguments, input);
}

std::string summary(const std::string& name, const std::string& pins, int regs, int totalRegs,
                    const std::string& children, const std::string& path, int bytes, int lines) {
    std::string text = "\n======== Summary ========\n";
    text += "Module name         : " + name + "\n";
    text += "Number of Pins      : " + pins + "\n";
    text += "Number of Resisters : " + std::to_string(regs) + "\n";
    text += "Total Number of Resisters : " + std::to_string(totalRegs) + "\n";
    text += "Child modules       : " + children + "\n\n";
    text += "File path           : " + path + "\n";
    text += "File size           : " + std::to_string(bytes) + " bytes (" + std::to_string(lines) +
            " lines)\n\n";
    return text;
}

const std::string kTopSummary =
    summary("top", "9 (Input : 5, Output : 4, Inout : 0)", 0, 4, "sub(u0)", "design.v", 132, 8);

TEST(BatchEndToEndTest, AnalysesAFileAndWritesTheReports) {
    const BatchRun run = runBatch({"analyze,design.v", "list", "hierarchy", "target,sub", "summary",
                                   "connection", "net,clk"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kTopSummary +
                           "\n======== Analyzed modules list ========\n"
                           "Root Path : \n"
                           "Name  Regs    TotalRegs   Filesize  Lines  Path\n"
                           "------------------------------------------------------------\n"
                           "sub   4       4           248       9      design.v\n"
                           "top   0       4           132       8      design.v\n"
                           "\n\n"
                           "\n======== Hierarchy view of Analyzed modules ========\n"
                           "top () - design.v\n"
                           "\tsub (u0) - design.v\n"
                           "\n" +
                           summary("sub", "9 (Input : 5, Output : 4, Inout : 0)", 4, 4, "None",
                                   "design.v", 248, 9) +
                           "\n======== Signal connection of module \"sub\" ========\n"
                           "Net : clk\n"
                           "\t2 : pin : IN\n"
                           "\t7 : formula in always section : Sensitivity list\n\n"
                           "Net : d\n"
                           "\t2 : pin : IN : [3:0]\n"
                           "\t7 : formula in always section : IN : [3:0]\n\n"
                           "Net : q\n"
                           "\t2 : pin : OUT : [3:0]\n"
                           "\t7 : formula in always section : OUT : [3:0]\n\n"
                           "\n======== Net \"clk\" at module \"sub\" ========\n"
                           "sub - clk\n"
                           "\t2 : pin : IN\n"
                           "\t7 : formula in always section : Sensitivity list\n\n"
                           "#NOTE : design.v :  : Net \"clk\" is maybe clock signal.\n");
}

TEST(BatchEndToEndTest, AModuleAnalysedAgainReplacesTheOlderOneWithAWarning) {
    const BatchRun run = runBatch({"analyze,design.v", "analyze,other_top.v", "list"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              kTopSummary +
                  "#WARNING : other_top.v :  : Module \"top\" is already analyzed. CORVANE deletes "
                  "the older data and leaves the newer data. \n" +
                  summary("top", "2 (Input : 1, Output : 1, Inout : 0)", 0, 0, "None",
                          "other_top.v", 63, 6) +
                  "\n======== Analyzed modules list ========\n"
                  "Root Path : \n"
                  "Name  Regs    TotalRegs   Filesize  Lines  Path\n"
                  "------------------------------------------------------------\n"
                  "sub   4       4           248       9      design.v\n"
                  "top   0       0           63        6      other_top.v\n"
                  "\n\n");
}

TEST(BatchEndToEndTest, CommandErrorsAndFailedAnalyses) {
    const BatchRun run = runBatch({"bogus", "analyze", "analyze,no_module.v", "analyze,missing.v",
                                   "target,nope", "net", ",,rev", ",,,", "analyze,broken.v",
                                   "analyzefolder,tree", "analyzedir,missing"});
    // Files that cannot be analysed and a folder that cannot be opened fail the run.
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const std::string e = "#ERROR :  :  : ";
    EXPECT_EQ(run.out,
              "Command not found.\n" + e +
                  "its command is too short. analyze,[path_of_filename]\n" + e +
                  "no_module.v : Corvane cannot analyze this file.(0)\n" + e +
                  "missing.v : Corvane cannot analyze this file.(0)\n" + e +
                  "Module \"nope\" is unknown.\n"
                  "Revision 8\n"
                  "#ERROR : broken.v :  : Pin \"a\" is undefined.\n" +
                  summary("first", "2 (Input : 1, Output : 1, Inout : 0)", 0, 0, "None", "broken.v",
                          64, 6) +
                  "\n\n\n- analyze tree/sub/leaf.v\n\n"
                  "\nFolder \"missing\" is invalid name. CORVANE cannot open this folder.\n\n");
}

TEST(BatchEndToEndTest, ExitStatusTellsWhetherEveryNamedPathWasAnalysed) {
    const struct {
        std::vector<std::string> arguments;
        int status;
    } cases[] = {
        {{"analyze,design.v"}, 0},
        {{"analyzefolder,tree"}, 0},
        {{"analyze,missing.v", "analyze,design.v"}, 1},
        {{"analyze,no_module.v"}, 1},
        {{"analyzefolder,missing"}, 1},
        {{"-f", "script.txt", "analyze,missing.v"}, 1},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(runBatch(test.arguments).status, test.status) << test.arguments.back();
    }
}

TEST(BatchEndToEndTest, ScriptsRunInOrderWithLinesFromFilesAndStandardInput) {
    const BatchRun run = runBatch({"rev", "-f", "script.txt", "--script", "-", "list ,x"},
                                  "target,top\r\nconnection\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Revision 8\n" + kTopSummary +
                           summary("sub", "9 (Input : 5, Output : 4, Inout : 0)", 4, 4, "None",
                                   "design.v", 248, 9) +
                           "Revision 8\n"
                           "\n======== Signal connection of module \"top\" ========\n"
                           "Net : clk\n"
                           "\t10 : pin : IN\n"
                           "\t14 : child module sub (u0) : IN\n\n"
                           "Net : din\n"
                           "\t10 : pin : IN : [3:0]\n"
                           "\t14 : child module sub (u0) : IN : [3:0]\n\n"
                           "Net : dout\n"
                           "\t10 : pin : OUT : [3:0]\n"
                           "\t14 : child module sub (u0) : OUT : [3:0]\n\n"
                           "Command not found.\n");
}

TEST(BatchEndToEndTest, CrlfKeepsTheLogsOwnLineEnds) {
    const BatchRun run = runBatch({"--crlf", "rev", "target"});
    EXPECT_EQ(run.out,
              "Revision 8\r\n#ERROR :  :  : its command is too short. target,[modulename]\r\n");
}

TEST(BatchEndToEndTest, LongRunsLoseNothingToTheLogCapacity) {
    TempDir scratch;
    std::string script = "analyze," + testing::fixturePath("driver/design.v") + "\n";
    for (int i = 0; i < 1000; ++i) script += "summary\n";
    const std::string path = scratch.write("long.txt", script);
    const BatchRun run = runBatch({"-f", path});
    EXPECT_EQ(run.status, 0);
    std::size_t count = 0;
    for (std::size_t at = run.out.find("======== Summary"); at != std::string::npos;
         at = run.out.find("======== Summary", at + 1)) {
        ++count;
    }
    EXPECT_EQ(count, 1001u);
    EXPECT_GT(run.out.size(), 131072u);
}

TEST(BatchEndToEndTest, MessageBoxesGoToStandardError) {
    const BatchRun run = runBatch({"edit,missing.v,4", "rev"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "CORVANE cannot open this file.: missing.v\n");
    EXPECT_EQ(run.out, "Revision 8\n");
}

TEST(BatchEndToEndTest, WritesTheIoTable) {
    TempDir scratch;
    const std::string all = scratch.path() + "/all.csv";
    const std::string one = scratch.path() + "/one.csv";
    const BatchRun run =
        runBatch({"analyze,design.v", "--io-table", "*=" + all, "--io-table=top=" + one});
    EXPECT_EQ(run.status, 0);
    const std::string topTable =
        "module name,top,,\r\n"
        "I/O,Width,Signal Name,Description\r\n"
        "Input,1,clk,\r\n"
        "Input,[3:0],din,\r\n"
        "Output,[3:0],dout,\r\n"
        ",,,\r\n";
    EXPECT_EQ(readAll(one), topTable);
    EXPECT_EQ(readAll(all),
              "module name,sub,,\r\n"
              "I/O,Width,Signal Name,Description\r\n"
              "Input,1,clk,clock\r\n"
              "Input,[3:0],d,data in\r\n"
              "Output,[3:0],q,registered data\r\n"
              ",,,\r\n" +
                  topTable);
    const BatchRun failed = runBatch({"--io-table", "top=" + scratch.path() + "/no/such/x.csv"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("cannot write the I/O table"), std::string::npos);
}

TEST(BatchEndToEndTest, CommandLineErrorsExitWithStatusTwo) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--bogus"},
                                                      {"-f"},
                                                      {"--io-table", "top"},
                                                      {"--project", "x.cvproj", "list"}}) {
        const BatchRun run = runBatch(arguments);
        EXPECT_EQ(run.status, 2) << arguments.front();
        EXPECT_EQ(run.out, "") << arguments.front();
        EXPECT_TRUE(run.err.starts_with("corvane-batch: ")) << run.err;
    }
    EXPECT_NE(runBatch({"--bogus"}).err.find("usage: corvane-batch"), std::string::npos);
    const BatchRun missingScript = runBatch({"-f", "no_such_script.txt", "rev"});
    EXPECT_EQ(missingScript.status, 1);
    EXPECT_EQ(missingScript.out, "Revision 8\n");
}

TEST(BatchEndToEndTest, HelpAndVersion) {
    const BatchRun help = runBatch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: corvane-batch [OPTIONS] [LINE ...]\n"));
    const BatchRun version = runBatch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("corvane-batch "));
}

}  // namespace
}  // namespace corvane
