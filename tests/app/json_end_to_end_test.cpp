// corvane-batch --json: the design database of the example design after the
// lines have run, and the failures that leave no file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::runBatchWithoutDisplay;
using testing::TempDir;

TEST(JsonEndToEnd, WritesTheDatabaseOfEveryAnalysedModule) {
    const TempDir dir;
    const BatchRun run = runBatchWithoutDisplay(
        dir.path(),
        {"--json", "design.json", "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/rtl",
         "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/vhdl"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const nlohmann::json design = nlohmann::json::parse(readAll(dir.path() + "/design.json"));
    EXPECT_EQ(design["format"], "corvane-design-database");
    std::vector<std::string> names;
    for (const auto& module : design["modules"]) names.push_back(module["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"bus_mux", "counter", "handshake_fsm", "top",
                                               "uart_top", "uart_tx"}));
}

TEST(JsonEndToEnd, FailuresSayWhyAndWriteNothing) {
    const TempDir dir;
    dir.write("file", "x");
    const std::string analyse = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/rtl";
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--json", "file/design.json", analyse},
         "corvane-batch: cannot write the design database \"file/design.json\"\n"},
        {{"--json", "design.json", "list"},
         "corvane-batch: no module is analysed, so there is no design database to write\n"},
    };
    for (const auto& c : cases) {
        const BatchRun run = runBatchWithoutDisplay(dir.path(), c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(readAll(dir.path() + "/design.json"), "");
    }
}

}  // namespace
}  // namespace corvane
