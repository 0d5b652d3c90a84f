// Runs the built corvane-batch on the VHDL fixture folder tests/fixtures/vhdl
// and compares what it prints with the expected text.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::TempDir;

// Runs corvane-batch with `arguments` in the VHDL fixture folder.
BatchRun runBatch(const std::vector<std::string>& arguments) {
    return testing::runBatchIn(testing::fixturePath("vhdl"), arguments);
}

// Takes the "- analyze <path>" lines out of `text` and returns them sorted:
// a folder is analysed in the order the file system lists it.
std::vector<std::string> takeAnalyzeLines(std::string& text) {
    std::vector<std::string> lines;
    std::string rest;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("- analyze ")) {
            lines.push_back(line);
        } else {
            rest += line + "\n";
        }
    }
    text = rest;
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(VhdlEndToEndTest, AnalysesAFolderAndListsItsModulesAndHierarchy) {
    BatchRun run = runBatch({"analyzefolder,serial", "list", "hierarchy"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(takeAnalyzeLines(run.out),
              (std::vector<std::string>{"- analyze serial/parity_gen.vhd",
                                        "- analyze serial/serial_tx.vhd"}));
    EXPECT_EQ(run.out,
              "\n\n\n\n"
              "======== Analyzed modules list ========\n"
              "Root Path : serial/\n"
              "Name        Regs    TotalRegs   Filesize  Lines  Path\n"
              "------------------------------------------------------------------\n"
              "parity_gen  0       0           514       20     parity_gen.vhd\n"
              "serial_tx   0       0           2046      74     serial_tx.vhd\n"
              "\n\n\n"
              "======== Hierarchy view of Analyzed modules ========\n"
              "serial_tx () - serial_tx.vhd\n"
              "\tparity_gen (u_par) - parity_gen.vhd\n"
              "\tparity_gen (u_chk) - parity_gen.vhd\n"
              "\n");
}

TEST(VhdlEndToEndTest, ReportsOnAnAnalysedVhdlModule) {
    const BatchRun run =
        runBatch({"analyzefolder,serial", "target,parity_gen", "summary", "connection", "net,odd"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::size_t reports = run.out.find("\n======== Summary");
    ASSERT_NE(reports, std::string::npos);
    // Ports d and mask (8 bits each) and odd; the xor chain reads bits one by one.
    EXPECT_EQ(run.out.substr(reports),
              "\n======== Summary ========\n"
              "Module name         : parity_gen\n"
              "Number of Pins      : 17 (Input : 16, Output : 1, Inout : 0)\n"
              "Number of Resisters : 0\n"
              "Total Number of Resisters : 0\n"
              "Child modules       : None\n"
              "\n"
              "File path           : serial/parity_gen.vhd\n"
              "File size           : 514 bytes (20 lines)\n"
              "\n"
              "\n======== Signal connection of module \"parity_gen\" ========\n"
              "Net : bits\n"
              "\t15 : wire : [7:0]\n"
              "\t17 : assign : OUT : [7:0]\n"
              "\t18 : assign : IN : [0]\n"
              "\t18 : assign : IN : [1]\n"
              "\t18 : assign : IN : [2]\n"
              "\t18 : assign : IN : [3]\n"
              "\t18 : assign : IN : [4]\n"
              "\t18 : assign : IN : [5]\n"
              "\t18 : assign : IN : [6]\n"
              "\t18 : assign : IN : [7]\n"
              "\n"
              "Net : d\n"
              "\t8 : pin : IN : [7:0]\n"
              "\t17 : assign : IN : [7:0]\n"
              "\n"
              "Net : mask\n"
              "\t9 : pin : IN : [7:0]\n"
              "\t17 : assign : IN : [7:0]\n"
              "\n"
              "Net : odd\n"
              "\t10 : pin : OUT\n"
              "\t18 : assign : OUT\n"
              "\n"
              "\n======== Net \"odd\" at module \"parity_gen\" ========\n"
              "parity_gen - odd\n"
              "\t10 : pin : OUT\n"
              "\t18 : assign : OUT\n"
              "\n");
}

}  // namespace
}  // namespace corvane
