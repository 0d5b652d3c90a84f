// Runs the built corvane-batch on the fixtures written the way real designs
// are (directives and macros, generate constructs and statement forms in
// Verilog; several design units, records and generates in VHDL): every
// module is analysed, no error line is written and the run succeeds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// The names of the module list report, in its order.
std::vector<std::string> listedModules(const std::string& out) {
    std::vector<std::string> names;
    const std::size_t table = out.find("\n---");
    if (table == std::string::npos) return names;
    std::size_t line = out.find('\n', table + 1) + 1;
    while (line < out.size() && out[line] != '\n') {
        const std::size_t end = out.find('\n', line);
        names.push_back(out.substr(line, out.find(' ', line) - line));
        if (end == std::string::npos) break;
        line = end + 1;
    }
    return names;
}

TEST(RealConstructsEndToEnd, EveryModuleIsAnalysedWithoutAnErrorLine) {
    const struct {
        std::string folder;
        std::string file;
        std::vector<std::string> modules;
    } cases[] = {
        {"vhdl_constructs", "units.vhd", {"bus_pkg", "stage", "tb_stage"}},
        {"preprocessor", "design.v", {"fifo_ctrl", "fifo_top"}},
        {"verilog_constructs", "items_and_statements.v", {"shifter"}},
    };
    for (const auto& test : cases) {
        const testing::BatchRun run = testing::runBatchIn(
            testing::fixturePath(test.folder), {"analyze," + test.file, "list"});
        EXPECT_EQ(run.status, 0) << test.file;
        EXPECT_EQ(run.out.find("#ERROR"), std::string::npos) << run.out;
        EXPECT_EQ(listedModules(run.out), test.modules) << run.out;
    }
}

TEST(RealConstructsEndToEnd, StateMachineInARecordProcessIsListed) {
    const testing::BatchRun run = testing::runBatchIn(testing::fixturePath("vhdl_constructs"),
                                                      {"analyze,units.vhd", "--list-fsm"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nstage 48 state 2\n"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace corvane
