// Every record the analysis builds for the example design, the HDL fixtures
// and small generated files, compared with the record dumps stored in
// tests/fixtures/analysis_golden. Guards the front ends and the connection
// checks against any change of their results while they are made faster.
//
// After an intended change of the analysis results, run this test with
// CORVANE_UPDATE_GOLDEN=1 to store the new dumps, and read the difference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../../bench/support/verilog_generator.h"
#include "../../bench/support/vhdl_generator.h"
#include "console/controller.h"
#include "platform/progress_sink.h"
#include "support/record_dump.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// Replaces every occurrence of `folder` by "<folder>", so dumps do not depend
// on where the sources lie.
std::string withoutFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find(folder); at != std::string::npos;
         at = text.find(folder, at)) {
        text.replace(at, folder.size(), "<folder>");
    }
    return text;
}

// The analysis log and the dump of every module of the folder, analysed as
// the analyze command does.
std::string analysedFolderDump(const std::string& folder) {
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller(ui, progress);
    controller.analyseFolder(folder);
    std::string dump = "log\n" + std::string(controller.log().text()) + "\n";
    for (const Module& module : controller.modules()) dump += test::recordDump(module);
    return withoutFolder(dump, folder);
}

void expectStoredDump(const std::string& group, const std::string& dump) {
    const std::string path = std::string(CORVANE_FIXTURES) + "/analysis_golden/" + group + ".txt";
    if (std::getenv("CORVANE_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << dump;
    }
    const std::string expected = testing::readAll(path);
    ASSERT_FALSE(expected.empty()) << "no stored dump " << path;
    if (dump == expected) return;
    std::size_t at = 0;
    while (at < dump.size() && at < expected.size() && dump[at] == expected[at]) ++at;
    const std::size_t lineStart = expected.rfind('\n', at) == std::string::npos
                                      ? 0
                                      : expected.rfind('\n', at) + 1;
    ADD_FAILURE() << path << " differs from byte " << at << ": expected \""
                  << expected.substr(lineStart, 160) << "\", got \""
                  << dump.substr(lineStart, 160) << "\"";
}

TEST(AnalysisGolden, SourceFoldersGiveTheStoredRecords) {
    const struct {
        const char* group;
        std::string folder;
    } groups[] = {
        {"rtl", std::string(CORVANE_EXAMPLES) + "/rtl"},
        {"vhdl", std::string(CORVANE_EXAMPLES) + "/vhdl"},
        {"verilog_fixture", std::string(CORVANE_FIXTURES) + "/verilog"},
        {"vhdl_fixture", std::string(CORVANE_FIXTURES) + "/vhdl"},
    };
    for (const auto& [group, folder] : groups) {
        SCOPED_TRACE(group);
        expectStoredDump(group, analysedFolderDump(folder));
    }
}

TEST(AnalysisGolden, GeneratedFilesGiveTheStoredRecords) {
    testing::TempDir verilog;
    verilog.write("generated.v", bench::generatedVerilog(24 << 10));
    expectStoredDump("generated_verilog", analysedFolderDump(verilog.path()));
    testing::TempDir vhdl;
    vhdl.write("generated.vhd", bench::generatedVhdl(24 << 10));
    expectStoredDump("generated_vhdl", analysedFolderDump(vhdl.path()));
}

}  // namespace
}  // namespace corvane
