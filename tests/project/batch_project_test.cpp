// Runs the built corvane-batch with --project and --save-project on copies of
// the project fixture.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::TempDir;

// Runs corvane-batch in `folder` with `arguments`.
BatchRun runBatch(const std::string& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "--no-progress");
    return testing::runBatchIn(folder, arguments);
}

class BatchProjectTest : public ::testing::Test {
protected:
    BatchProjectTest() {
        std::filesystem::copy(testing::fixturePath("project"), dir.path(),
                              std::filesystem::copy_options::recursive);
    }
    TempDir dir;
};

TEST_F(BatchProjectTest, OpensTheProjectBeforeTheLinesAndSavesTheSameBytes) {
    const BatchRun run =
        runBatch(dir.path(), {"--project", "demo.cvproj", "rev", "--save-project", "again.cvproj"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(readAll(dir.path() + "/again.cvproj"), readAll(dir.path() + "/demo.cvproj"));
    const BatchRun listed = runBatch(dir.path(), {"--project", "demo.cvproj", "list"});
    EXPECT_NE(listed.out.find("leaf  0"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("sub   0"), std::string::npos);
    EXPECT_NE(listed.out.find("top   0"), std::string::npos);
}

TEST_F(BatchProjectTest, PathsOutsideTheNewProjectFolderAreWrittenInFull) {
    TempDir elsewhere;
    const std::string saved = elsewhere.path() + "/moved.cvproj";
    const BatchRun run = runBatch(dir.path(), {"--project", dir.path() + "/demo.cvproj",
                                               "analyze,rtl/leaf.v", "--save-project", saved});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string text = readAll(saved);
    // The leaf analysed again replaces the one the project listed.
    EXPECT_NE(text.find("module.path = " + dir.path() +
                        "/rtl/top.v\r\n"
                        "module.path = " +
                        dir.path() + "/rtl/leaf.v\r\n\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("module.schpath = " + dir.path() + "/top.qsch\r\n"), std::string::npos);

    // The saved project opens from any folder.
    const BatchRun reopened = runBatch(elsewhere.path(), {"--project", "moved.cvproj", "list"});
    EXPECT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_NE(reopened.out.find("top   0"), std::string::npos) << reopened.out;
}

TEST_F(BatchProjectTest, ProjectsThatCannotBeOpenedOrWritten) {
    const BatchRun missing = runBatch(dir.path(), {"--project", "none.cvproj", "list"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "corvane-batch: cannot open the project \"none.cvproj\"\n");
    const BatchRun unwritable =
        runBatch(dir.path(), {"analyze,rtl/leaf.v", "--save-project", "no/such/p.cvproj"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "corvane-batch: cannot write the project \"no/such/p.cvproj\"\n");
    // Without --project the saved project has no name.
    const BatchRun unnamed =
        runBatch(dir.path(), {"analyze,rtl/leaf.v", "--save-project", "n.cvproj"});
    EXPECT_EQ(unnamed.status, 0);
    EXPECT_TRUE(readAll(dir.path() + "/n.cvproj").starts_with("name = \r\n\r\n"));
}

}  // namespace
}  // namespace corvane
