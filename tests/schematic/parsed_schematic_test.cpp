// Schematics of modules read by the Verilog front end, whose connection checks
// leave the terminals and block ports the schematic works from.
#include <gtest/gtest.h>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "schematic/cleanup_support.h"
#include "schematic/geometry_dump.h"
#include "schematic/schematic_dlg.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

constexpr const char* kCounter = testing::kCounterSource;

class ParsedSchematic : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = dir.write("counter.v", kCounter);
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
        Module& module = modules.append();
        prepareAndParse(module, path, 1, context);
        ASSERT_EQ(module.name, "counter") << log.text();
        module.highlightClock = 1;
    }

    testing::TempDir dir;
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
};

TEST_F(ParsedSchematic, CounterPlacesInTwoColumns) {
    CSchematicDlg window(modules, "counter", placementOnlyPasses());
    window.openWithoutFile();
    const Module& module = *window.findModule();
    ASSERT_EQ(module.assigns.size(), 1u);
    ASSERT_EQ(module.alwaysBlocks.size(), 1u);
    const Assign& assign = module.assigns[0];
    const Always& always = module.alwaysBlocks[0];
    // The assign is fed by inputs (left column); the always block drives the
    // output, and with no middle block it drops to the middle column (C = 2).
    EXPECT_EQ(always.x - assign.x, 8384 - 4288);
    EXPECT_EQ(always.y - assign.y, 1072 - 48);

    // Sensitivity entries take the first left rows; the ports repeating their
    // names are not drawn; the other ports follow from row 2 on both edges.
    ASSERT_EQ(window.sensitivity().entriesOf(0).size(), 2u);
    EXPECT_EQ(window.sensitivity().find(0, 0)->y, always.y + 16);
    EXPECT_EQ(window.sensitivity().find(0, 1)->y, always.y + 48);
    int leftRows = 0;
    int rightRows = 0;
    for (const Pin& port : always.ports) {
        if (port.width == 0) {
            // A duplicate label stays unplaced through Flush Left-Top.
            EXPECT_TRUE(port.name == "clk" || port.name == "rst") << port.name;
            EXPECT_EQ(port.x, 0) << port.name;
            EXPECT_EQ(port.y, 0) << port.name;
            continue;
        }
        const int row = (port.y - always.y - 16) / 32;
        EXPECT_EQ(row, 2 + (port.direction == 1 ? rightRows++ : leftRows++)) << port.name;
    }
    EXPECT_EQ(always.height, (2 + std::max(leftRows, rightRows)) * 32);

    EXPECT_EQ(module.nets.at("q").lineWidth, 3);
    EXPECT_EQ(module.nets.at("clk").color, 0x00C000);
    EXPECT_EQ(module.nets.at("rst").color, 0);
    for (const auto& [name, net] : module.nets) {
        for (const Terminal& t : net.terminals) {
            if (!refersToDrawable(module, window.sensitivity(), t)) continue;
            if (t.kind != kKindPin && t.kind != kKindAlways && t.kind != kKindAssign) continue;
            Point point;
            referencedPoint(module, window.sensitivity(), t, point);
            EXPECT_EQ(t.x, point.x) << name;
        }
    }
}

// Every sensitivity terminal of the example's next-state block lands on the
// row of the entry named after its net (start is recorded as the block's
// first port but is its second entry).
TEST(ParsedSchematicExample, SensitivityTerminalsLandOnTheirEntries) {
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
    AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
    prepareAndParse(modules.append(), std::string(CORVANE_EXAMPLES) + "/rtl/handshake_fsm.v", 1,
                    context);
    ASSERT_EQ(modules.back().name, "handshake_fsm") << log.text();
    CSchematicDlg window(modules, "handshake_fsm", standardSchematicPasses());
    window.openWithoutFile();
    const Module& module = *window.findModule();
    int checked = 0;
    for (const auto& [name, net] : module.nets) {
        for (const Terminal& t : net.terminals) {
            if (t.kind != kKindAlways || t.role != kRoleSensitivity) continue;
            const Always& block = module.alwaysBlocks.at(static_cast<std::size_t>(t.index));
            bool onItsEntry = false;
            for (std::size_t e = 0; e < block.sensitivity.size(); ++e) {
                const LabelBox* box = window.sensitivity().find(t.index, static_cast<int>(e));
                if (block.sensitivity[e].name == name && box->x == t.x && box->y == t.y)
                    onItsEntry = true;
            }
            EXPECT_TRUE(onItsEntry) << name;
            // The wire reaches the entry.
            bool reached = false;
            for (const Segment& s : net.route) reached = reached || endsAt(s, t.x, t.y);
            EXPECT_TRUE(reached) << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 5);  // clk, rst_n; state, start, ack
}

TEST_F(ParsedSchematic, SameModuleTwiceGivesTheSameDump) {
    modules.append(modules.back()).name = "copy";
    CSchematicDlg first(modules, "counter", placementOnlyPasses());
    CSchematicDlg second(modules, "copy", placementOnlyPasses());
    first.openWithoutFile();
    second.openWithoutFile();
    std::string a = dumpGeometry(first);
    std::string b = dumpGeometry(second);
    a.replace(a.find("module counter"), 14, "module copy");
    EXPECT_EQ(a, b);
}

}  // namespace
}  // namespace corvane
