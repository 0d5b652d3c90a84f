// Full generation of the example design's modules and of the HDL fixtures,
// compared with the geometry dumps stored in tests/fixtures/schematic_golden.
//
// After an intended change of placement, routing or clean-up, run this test
// with CORVANE_UPDATE_GOLDEN=1 to store the new dumps, and read them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "console/controller.h"
#include "platform/progress_sink.h"
#include "schematic/cleanup_support.h"
#include "schematic/geometry_dump.h"
#include "schematic/schematic_dlg.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// A folder of sources analysed together; its modules' dumps are stored as
// <group>_<module>.txt.
struct SourceGroup {
    const char* name;
    std::string folder;
};

const SourceGroup kGroups[] = {
    {"rtl", std::string(CORVANE_EXAMPLES) + "/rtl"},
    {"vhdl", std::string(CORVANE_EXAMPLES) + "/vhdl"},
    {"verilog_fixture", std::string(CORVANE_FIXTURES) + "/verilog"},
    {"vhdl_fixture", std::string(CORVANE_FIXTURES) + "/vhdl"},  // with its serial/ folder
};

std::string goldenPath(const SourceGroup& group, const std::string& module) {
    return std::string(CORVANE_FIXTURES) + "/schematic_golden/" + group.name + "_" + module +
           ".txt";
}

// Every segment is horizontal or vertical.
void expectStraight(const Module& module) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            EXPECT_TRUE(isHorizontal(s) || isVertical(s))
                << module.name << " net " << name << ": " << s.x0 << "," << s.y0 << "-" << s.x1
                << "," << s.y1;
        }
    }
}

// The dump of every module of the group, generated as a window opening
// without a schematic file does.
std::map<std::string, std::string> generatedDumps(const SourceGroup& group) {
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller(ui, progress);
    controller.analyseFolder(group.folder);
    std::map<std::string, std::string> dumps;
    for (const Module& module : controller.modules()) {
        CSchematicDlg window(controller.modules(), module.name, standardSchematicPasses());
        window.openWithoutFile();
        expectStraight(*window.findModule());
        dumps[module.name] = dumpGeometry(window);
    }
    return dumps;
}

// The first line where two dumps differ, for the failure message.
std::string firstDifference(const std::string& actual, const std::string& expected) {
    std::size_t line = 1, start = 0;
    while (start < actual.size() || start < expected.size()) {
        const std::size_t a = actual.find('\n', start);
        const std::size_t e = expected.find('\n', start);
        const std::string lineA = actual.substr(start, a == std::string::npos ? a : a - start);
        const std::string lineE = expected.substr(start, e == std::string::npos ? e : e - start);
        if (lineA != lineE || a != e) {
            return "line " + std::to_string(line) + ": \"" + lineA + "\" instead of \"" + lineE +
                   "\"";
        }
        start = a + 1;
        ++line;
    }
    return "";
}

TEST(SchematicGolden, GeneratedDumpsMatchTheStoredOnes) {
    const bool update = std::getenv("CORVANE_UPDATE_GOLDEN") != nullptr;
    for (const SourceGroup& group : kGroups) {
        SCOPED_TRACE(group.name);
        const std::map<std::string, std::string> dumps = generatedDumps(group);
        EXPECT_FALSE(dumps.empty()) << group.folder;
        for (const auto& [module, dump] : dumps) {
            const std::string path = goldenPath(group, module);
            if (update) {
                std::filesystem::create_directories(std::filesystem::path(path).parent_path());
                std::ofstream(path, std::ios::binary) << dump;
            }
            const std::string expected = testing::readAll(path);
            ASSERT_FALSE(expected.empty()) << "no stored dump " << path;
            EXPECT_EQ(firstDifference(dump, expected), "") << path;
        }
    }
}

TEST(SchematicGolden, TheSameSourcesGiveByteIdenticalDumps) {
    for (const SourceGroup& group : kGroups) {
        EXPECT_EQ(generatedDumps(group), generatedDumps(group)) << group.name;
    }
}

}  // namespace
}  // namespace corvane
