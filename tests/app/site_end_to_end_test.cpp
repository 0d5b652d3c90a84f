// corvane-batch --site: the site of the example design, a project's
// schematic file and keyword lists reaching it, and what the program says
// and returns when no site can be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "site/documentation_site.h"
#include "support/batch_run.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::BatchRun;
using testing::readAll;
using testing::runBatchIn;
using testing::shellQuoted;
using testing::TempDir;

const std::string kAnalyseRtl = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/rtl";
const std::string kAnalyseVhdl = "analyzefolder," + std::string(CORVANE_EXAMPLES) + "/vhdl";

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class SiteEndToEnd : public ::testing::Test {
protected:
    SiteEndToEnd() { std::filesystem::create_directories(dir.path() + "/config/corvane"); }
    // The program with its settings read from the test's own folder.
    BatchRun run(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), "--no-progress");
        return runBatchIn(dir.path(), arguments, "",
                          "env XDG_CONFIG_HOME=" + shellQuoted(dir.path() + "/config"));
    }
    std::string path(const std::string& name) const { return dir.path() + "/" + name; }
    TempDir dir;
};

TEST_F(SiteEndToEnd, WritesTheSiteAfterTheLinesWithTheSettingsKeywords) {
    writeText(path("config/corvane/corvane_setting.ini"),
              "verilog-word = module,0000FF\r\nvhdl-word = entity,FF0000\r\n");
    const BatchRun result = run({"--site", "site", kAnalyseRtl, kAnalyseVhdl, "list"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(contains(result.out, "Analyzed modules list"));  // the lines ran first
    const std::string script = std::string(CORVANE_FIXTURES) + "/../site/check_site.py";
    EXPECT_EQ(std::system(("python3 " + shellQuoted(script) + " " + shellQuoted(path("site")) +
                           " >/dev/null")
                              .c_str()),
              0);
    EXPECT_TRUE(contains(readAll(path("site/index.html")), "<h1>Design documentation</h1>"));
    EXPECT_TRUE(contains(readAll(path("site/sources/top.v.html")),
                         "<span style=\"color:#ff0000\">module</span>"));
    EXPECT_TRUE(contains(readAll(path("site/sources/uart_tx.vhd.html")),
                         "<span style=\"color:#0000ff\">entity</span>"));
    EXPECT_TRUE(std::filesystem::is_regular_file(path("site/modules/uart_tx.html")));
}

// A schematic file edited by hand (a net colour) and named by the project is
// what the site draws, and the project's name heads the pages.
TEST_F(SiteEndToEnd, DrawsTheProjectsSchematicFile) {
    ASSERT_EQ(run({kAnalyseRtl, "--export-schematic", "counter=gen.qsch"}).status, 0);
    std::string edited = readAll(path("gen.qsch"));
    const std::string plain = "name=\"count\" pt=\"3\" color=\"000000\"";
    const std::size_t at = edited.find(plain);
    ASSERT_NE(at, std::string::npos);
    edited.replace(at, plain.size(), "name=\"count\" pt=\"3\" color=\"0000FF\"");
    writeText(path("counter.qsch"), edited);
    writeText(path("p.cvproj"),
              "name = Counter project\r\nmodule.path = " + std::string(CORVANE_EXAMPLES) +
                  "/rtl/counter.v\r\nmodule.schname = counter\r\n"
                  "module.schpath = counter.qsch\r\n");
    const BatchRun result = run({"--project", "p.cvproj", "--site", "site"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(contains(readAll(path("site/modules/counter.schematic.svg")), "#ff0000"));
    EXPECT_TRUE(contains(readAll(path("site/modules/counter.html")), "#ff0000"));
    EXPECT_TRUE(contains(readAll(path("site/index.html")), "<h1>Counter project</h1>"));
}

TEST_F(SiteEndToEnd, NothingWrittenIsAFailureWithAMessage) {
    writeText(path("file"), "x");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--site", "file/site", kAnalyseRtl},
         "corvane-batch: cannot write the documentation site \"file/site\": "},
        {{"--site", "site", "list"},
         "corvane-batch: cannot write the documentation site \"site\": " +
             std::string(kNoModulesText) + "\n"},
    };
    for (const auto& c : cases) {
        const BatchRun result = run(c.arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_TRUE(result.err.starts_with(c.message)) << result.err;
        EXPECT_FALSE(std::filesystem::exists(path("site")));
    }
    // A folder that holds other things is not replaced.
    std::filesystem::create_directory(path("notes"));
    writeText(path("notes/mine.txt"), "keep");
    const BatchRun result = run({"--site", "notes", kAnalyseRtl});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(contains(result.err, "exists and is neither an empty folder nor an earlier site"));
    EXPECT_EQ(readAll(path("notes/mine.txt")), "keep");
}

}  // namespace
}  // namespace corvane
