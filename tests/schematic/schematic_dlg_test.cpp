#include "schematic/schematic_dlg.h"

#include <gtest/gtest.h>

#include "schematic/geometry_dump.h"
#include "schematic/terminal_refresh.h"
#include "schematic_test_support.h"

namespace corvane {
namespace {

using testing::kRead;
using testing::kSens;
using testing::kWrite;
using testing::ModuleBuilder;

// Logs every pass and hook call, with a few facts seen at the time of the call.
class Recorder : public SchematicPasses, public SchematicWindowHooks {
public:
    void route(SchematicLayoutContext& layout) const override {
        int flagged = 0;
        for (const auto& [name, net] : layout.module.nets) flagged += net.needsRouting;
        log("route flagged=" + std::to_string(flagged) +
            " canvas=" + std::to_string(layout.canvas.width));
    }
    void cleanUp(SchematicLayoutContext& layout, bool compaction) const override {
        log(std::string("cleanUp compaction=") + (compaction ? "1" : "0"));
        layout.canvas = canvasAfterCleanup(layout.module);
    }
    void routingSharpen(SchematicLayoutContext&, int mode) const override {
        log("sharpen " + std::to_string(mode));
    }
    void checkJunctions(SchematicLayoutContext&) const override { log("junctions"); }

    void recordUndoStep(CSchematicDlg&) override { log("undo"); }
    void restartUndoHistory(CSchematicDlg&) override { log("restartUndo"); }
    void refreshMenuStates(CSchematicDlg&) override { log("menus"); }
    void updateTitle(CSchematicDlg&) override { log("title"); }
    void updateScrollRanges(CSchematicDlg& window) override {
        log("scroll " + std::to_string(window.canvasSize().width));
    }
    void repaint(CSchematicDlg&) override { log("repaint"); }

    mutable std::vector<std::string> calls;

private:
    void log(const std::string& call) const { calls.push_back(call); }
};

class SchematicWindow : public ::testing::Test {
protected:
    CSchematicDlg& open(const Module& module, const SchematicPasses& passes) {
        modules.append(module);
        window = std::make_unique<CSchematicDlg>(modules, module.name, passes);
        window->setHooks(recorder);
        return *window;
    }

    ModuleList modules;
    Recorder recorder;
    std::unique_ptr<CSchematicDlg> window;
};

TEST_F(SchematicWindow, OpensWithTheInitialState) {
    CSchematicDlg& dlg = open(testing::oneAssignModule(), placementOnlyPasses());
    EXPECT_EQ(dlg.canvasSize(), (CanvasSize{816, 608}));
    EXPECT_EQ(dlg.summaryCanvasSize(), (CanvasSize{816, 608}));
    ASSERT_EQ(dlg.comments().size(), 1u);
    EXPECT_EQ(dlg.comments()[0].kind, kCommentMarker);
    EXPECT_EQ(dlg.hotPinName(), "");
    EXPECT_EQ(dlg.hotPinIo(), 0);
    EXPECT_EQ(dlg.toolMode(), 0);
    CSchematicDlg upper(modules, "TOP", placementOnlyPasses());
    EXPECT_NE(upper.findModule(), nullptr);
}

TEST_F(SchematicWindow, GenerateRunsTheStepsInOrder) {
    ModuleBuilder b("top");
    b.pin("data", 0, 7, 0);
    b.pin("y", 1);
    const int assign = b.assign("y");
    b.use("y", kKindAssign, assign, kWrite);
    b.use("data", kKindAssign, assign, kRead, 7, 0);
    CSchematicDlg& dlg = open(b.module, recorder);
    dlg.generate();
    const std::vector<std::string> expected = {"route flagged=2 canvas=800",
                                               "cleanUp compaction=1",
                                               "scroll 8512",
                                               "scroll 8512",
                                               "undo",
                                               "menus",
                                               "repaint"};
    EXPECT_EQ(recorder.calls, expected);
    const Module& module = *dlg.findModule();
    EXPECT_EQ(module.nets.at("data").lineWidth, 3);  // bus widths after the clean-up
    EXPECT_EQ(module.nets.at("y").lineWidth, 0);
    // The terminals were placed before routing; Flush Left-Top does not move them.
    EXPECT_EQ(module.nets.at("data").terminals[1].x, 4288 - 128);
    EXPECT_EQ(module.nets.at("data").terminals[1].side, kSideLeft);
}

TEST_F(SchematicWindow, OpeningWithoutAFileRunsTheFollowUpPasses) {
    ModuleBuilder b("top");
    b.pin("clk", 0);
    b.pin("q", 1);
    const int always = b.always({"clk"});
    b.use("clk", kKindAlways, always, kSens);
    b.use("q", kKindAlways, always, kWrite);
    Module module = b.module;
    module.highlightClock = 1;
    CSchematicDlg& dlg = open(module, recorder);
    dlg.openWithoutFile();
    const std::vector<std::string> expected = {"route flagged=2 canvas=800",
                                               "cleanUp compaction=1",
                                               "scroll 8512",
                                               "scroll 8512",
                                               "undo",
                                               "menus",
                                               "repaint",
                                               "junctions",
                                               "route flagged=2 canvas=8512",
                                               "cleanUp compaction=0",
                                               "scroll 8576",
                                               "sharpen 1",
                                               "sharpen 2",
                                               "sharpen 3",
                                               "menus",
                                               "title",
                                               "restartUndo"};
    EXPECT_EQ(recorder.calls, expected);
    const Module& shown = *dlg.findModule();
    EXPECT_EQ(shown.nets.at("clk").color, 0x00C000);
    // The terminal refresh after Generate gives the terminals the moved points.
    EXPECT_EQ(shown.nets.at("q").terminals[0].x, shown.pins[1].x);
    EXPECT_EQ(shown.nets.at("clk").terminals[1].y, dlg.sensitivity().find(0, 0)->y);
}

TEST_F(SchematicWindow, NothingHappensWhenTheModuleIsGone) {
    CSchematicDlg& dlg = open(testing::oneAssignModule(), recorder);
    modules.clear();
    dlg.generate();
    dlg.openWithoutFile();
    dlg.flushLeftTop();
    dlg.highlightClocks();
    dlg.refreshTerminalPoints();
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(dlg.canvasSize(), (CanvasSize{816, 608}));
    EXPECT_EQ(dumpGeometry(dlg), "canvas 816 608\nsummary 816 608\ncomment kind=25 0 0 0 0\n");
}

// The one-assign module generated without routing, as the dump shows it.
constexpr const char* kOneAssignDump =
    "canvas 8512 144\n"
    "summary 816 608\n"
    "comment kind=25 0 0 0 0\n"
    "module top\n"
    "pin 0 a dir=0 x=244 y=80 w=32 h=16\n"
    "pin 1 y dir=1 x=8436 y=80 w=32 h=16\n"
    "assign 0 x=4352 y=64 w=128 h=32\n"
    "  port 0 y dir=1 x=4416 y=80 w=8 h=16\n"
    "  port 1 a dir=0 x=4288 y=80 w=8 h=16\n"
    "net a lw=0 color=0 route=1\n"
    "  term kind=0 index=0 port=-1 role=0 side=1 x=180 y=64\n"
    "  term kind=3 index=0 port=1 role=0 side=0 x=4224 y=64\n"
    "net y lw=0 color=0 route=1\n"
    "  term kind=0 index=1 port=-1 role=1 side=0 x=8372 y=64\n"
    "  term kind=3 index=0 port=0 role=1 side=1 x=4352 y=64\n";

TEST_F(SchematicWindow, PlacementAloneGivesTheExpectedGeometry) {
    CSchematicDlg& dlg = open(testing::oneAssignModule(), placementOnlyPasses());
    dlg.generate();
    EXPECT_EQ(dumpGeometry(dlg), kOneAssignDump);
    // A second Flush Left-Top right after the first moves nothing.
    dlg.flushLeftTop();
    EXPECT_EQ(dumpGeometry(dlg), kOneAssignDump);
}

TEST_F(SchematicWindow, FlushMovesCommentsAndCountsThemInTheCanvas) {
    CSchematicDlg& dlg = open(testing::oneAssignModule(), placementOnlyPasses());
    dlg.generate();
    SchematicComment box;
    box.kind = kCommentRect;
    box.x0 = 9000;
    box.y0 = 3000;
    box.x1 = 9100;
    box.y1 = 3100;
    dlg.comments().push_back(box);
    dlg.flushLeftTop();
    EXPECT_EQ(dlg.comments()[1].x0, 9000);  // the pins still decide: nothing moves
    EXPECT_EQ(dlg.canvasSize(), (CanvasSize{9136, 3136}));
    dlg.comments()[1].x0 = 100;  // now the comment is leftmost
    dlg.flushLeftTop();
    EXPECT_EQ(dlg.comments()[1].x0, 100 + 144);  // dx = (-156 / 16) * 16
    EXPECT_EQ(dlg.findModule()->pins[0].x, 244 + 144);
    EXPECT_EQ(dlg.comments()[0].x0, 0);  // the marker stays where it is
}

TEST_F(SchematicWindow, ScrollExtentFollowsTheCurrentView) {
    CSchematicDlg& dlg = open(testing::oneAssignModule(), placementOnlyPasses());
    Module& module = *dlg.findModule();
    dlg.setCanvasSize({1000, 600});
    dlg.setSummaryCanvasSize({500, 400});
    module.zoom = 1.5;
    module.summaryZoom = 0.5;
    EXPECT_EQ(dlg.scrollExtent(module), (CanvasSize{1500, 900}));
    module.summaryMode = 1;
    EXPECT_EQ(dlg.scrollExtent(module), (CanvasSize{250, 200}));
    module.summaryZoom = 1e300;
    EXPECT_EQ(dlg.scrollExtent(module), (CanvasSize{2147483647, 2147483647}));
}

}  // namespace
}  // namespace corvane
