// The net view window object on a design read by the Verilog front end:
// the trace, the boxes, drawing, selection, Open Source, the line colour,
// the schematic windows' query, scrolling and the printed pages.
#include "viewers/gui_net_dlg.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "support/parse_files.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

// An A4 page at 10 pixels per millimetre.
class FakePrinter : public PrinterDevice {
public:
    PageMetrics pageMetrics() const override { return {2100, 2970, 210, 297}; }
    bool startDocument(const std::string& name) override {
        events.push_back("doc " + name);
        return true;
    }
    void endDocument() override { events.push_back("end doc"); }
    bool startPage() override {
        pages.emplace_back();
        return true;
    }
    void endPage() override {}
    Canvas& canvas() override { return pages.back(); }

    std::vector<std::string> events;
    std::deque<RecordingCanvas> pages;
};

class RecordingHooks : public NetViewHooks {
public:
    void repaint() override { ++repaints; }
    void repaintSchematicWindows() override { ++schematicRepaints; }
    void copyToClipboard(Canvas& /*drawing*/, int width, int height) override {
        copies.push_back({width, height});
    }
    void placeControls(const Rect& frame, const Rect& vertical, const Rect& horizontal) override {
        placed = {frame, vertical, horizontal};
    }
    int repaints = 0;
    int schematicRepaints = 0;
    std::vector<Point> copies;
    std::vector<Rect> placed;
};

class NetView : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    NetView() : ParsedFiles(FrontEnds{parseVerilogModule, {}}) {}

    void SetUp() override {
        analyseFile(testing::fixturePath("viewers/net_trace.v"));
        ASSERT_EQ(modules.size(), 3u) << log.text();
    }

    CGuiNetDlg& view(const std::string& module, const std::string& net) {
        view_ = std::make_unique<CGuiNetDlg>(modules, ui, hooks, module, net);
        view_->buildNetView();
        return *view_;
    }

    // Presses and releases a button over canvas point `p` (scroll 0).
    static bool click(CGuiNetDlg& v, Point p, bool right = false) {
        v.onButtonDown();
        return v.onButtonUp({p.x + v.frame().left, p.y + v.frame().top}, right);
    }

    ScriptedUiHost ui;
    RecordingHooks hooks;
    std::unique_ptr<CGuiNetDlg> view_;
};

TEST_F(NetView, OutputFeedingAChildGivesADriverAndADeeperLoad) {
    CGuiNetDlg& v = view("top", "q");
    EXPECT_EQ(v.title(), "Net - top::q");
    EXPECT_EQ(v.trace().drivers, (std::vector<NetPortEntry>{{"top", "", "q", 0}}));
    EXPECT_EQ(v.trace().loads, (std::vector<NetPortEntry>{{"m1", "u1", "d", 1}}));

    ASSERT_EQ(v.layout().left.size(), 1u);
    ASSERT_EQ(v.layout().right.size(), 1u);
    const NetBox& left = v.layout().left[0];
    const NetBox& right = v.layout().right[0];
    EXPECT_EQ(left.label, "top()::q");
    EXPECT_EQ((Rect{left.x0, left.y0, left.x1, left.y1}), (Rect{32, 32, 112, 56}));
    EXPECT_EQ(right.label, "m1(u1)::d");
    // 112 + 32 + 32 + 32: a depth-0 load would start at 176.
    EXPECT_EQ((Rect{right.x0, right.y0, right.x1, right.y1}), (Rect{208, 32, 296, 56}));
    EXPECT_EQ(v.canvasWidth(), 336);
    EXPECT_EQ(v.canvasHeight(), 96);
}

TEST_F(NetView, APartSelectConnectionIsNotFollowed) {
    CGuiNetDlg& v = view("top", "r");
    EXPECT_EQ(v.trace().drivers, (std::vector<NetPortEntry>{{"top", "", "r", 0}}));
    EXPECT_TRUE(v.trace().loads.empty());
}

TEST_F(NetView, EachInstanceIsEnteredOnceAndMissingThingsGiveNoBoxes) {
    CGuiNetDlg& v = view("top", "w");
    EXPECT_EQ(v.trace().drivers,
              (std::vector<NetPortEntry>{{"m2", "u3", "o", 1}, {"m2", "u4", "o", 1}}));
    for (const auto& [module, net] : {std::pair{"top", "nothing"}, std::pair{"gone", "q"}}) {
        CGuiNetDlg& empty = view(module, net);
        EXPECT_TRUE(empty.layout().left.empty() && empty.layout().right.empty());
        EXPECT_EQ(empty.canvasWidth(), 48);
    }
}

TEST_F(NetView, ConsecutiveTerminalsOfOneInstanceDescendOnce) {
    Module& top = *modules.find("top");
    Net& q = top.nets.at("q");
    const auto child = std::find_if(q.terminals.begin(), q.terminals.end(),
                                    [](const Terminal& t) { return t.kind == 5; });
    ASSERT_NE(child, q.terminals.end());
    q.terminals.insert(child, *child);
    EXPECT_EQ(view("top", "q").trace().loads.size(), 1u);
}

TEST_F(NetView, ARecursiveDesignEnds) {
    Module& m1 = *modules.find("m1");
    Child self;
    self.moduleName = "m1";
    self.name = "again";
    self.connections.push_back({"d", "d", "d", "d", 0});
    m1.children.push_back(self);
    m1.nets.at("d").terminals.push_back(Terminal{5, static_cast<int>(m1.children.size()) - 1});
    EXPECT_EQ(view("top", "q").trace().loads.size(), 1u);
}

TEST_F(NetView, AClickOnTheSharedEdgeSelectsTheUpperBox) {
    CGuiNetDlg& v = view("top", "w");
    ASSERT_EQ(v.layout().left.size(), 2u);
    const NetBox& upper = v.layout().left[0];
    ASSERT_EQ(upper.y1, v.layout().left[1].y0);
    EXPECT_FALSE(click(v, {upper.x0, upper.y1}));
    EXPECT_EQ(v.selection(), (NetPortEntry{"m2", "u3", "o", 0}));
    click(v, {upper.x0, upper.y1 + 1});
    EXPECT_EQ(v.selection().instance, "u4");
    click(v, {0, 0});
    EXPECT_EQ(v.selection(), NetPortEntry{});

    v.onButtonUp({upper.x0 + v.frame().left, upper.y0 + v.frame().top}, false);
    EXPECT_EQ(v.selection(), NetPortEntry{}) << "a release without a press selects nothing";
}

TEST_F(NetView, ARightClickOnABoxOffersOpenSourceAtThePortsLine) {
    CGuiNetDlg& v = view("top", "q");
    const NetBox& right = v.layout().right[0];
    EXPECT_TRUE(click(v, {right.x0 + 1, right.y0 + 1}, true));
    v.onOpenSource();
    ASSERT_EQ(ui.openedDocuments.size(), 1u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSourceViewer);
    EXPECT_EQ(ui.openedDocuments[0].path, modules.find("m1")->filePath);
    EXPECT_EQ(ui.openedDocuments[0].line, modules.find("m1")->pins.at(0).line);
    EXPECT_GT(ui.openedDocuments[0].line, 0);

    modules.removeByName("m1");
    v.onOpenSource();
    EXPECT_EQ(ui.openedDocuments.size(), 1u) << "the module is gone: nothing opens";
}

TEST_F(NetView, PaintingDrawsBoxesConnectorsAndTheArrow) {
    CGuiNetDlg& v = view("top", "q");
    click(v, {40, 40});
    RecordingCanvas screen(800, 600);
    v.paint(screen);
    const auto drawing = screen.drawing();
    const Point origin{v.frame().left, v.frame().top};
    auto at = [&](int x, int y) { return Point{x + origin.x, y + origin.y}; };

    const auto rectangles = callsOf(drawing, CanvasOp::kRectangle);
    ASSERT_EQ(rectangles.size(), 2u);
    EXPECT_EQ(rectangles[0].state.pen, solidPen(2, CGuiNetDlg::kSelectedBoxColor));
    EXPECT_EQ(rectangles[1].state.pen, solidPen(0, 0));
    const auto lines = callsOf(drawing, CanvasOp::kLine);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{at(128, 32), at(204, 32)}));
    EXPECT_EQ(lines[0].state.pen, solidPen(2, CGuiNetDlg::kDefaultLineColor));
    const auto polylines = callsOf(drawing, CanvasOp::kPolyline);
    ASSERT_EQ(polylines.size(), 3u);
    EXPECT_EQ(polylines[0].points, (std::vector<Point>{at(112, 44), at(128, 44), at(128, 32)}));
    EXPECT_EQ(polylines[1].points, (std::vector<Point>{at(208, 44), at(204, 44), at(204, 32)}));
    EXPECT_EQ(polylines[2].points, (std::vector<Point>{at(196, 26), at(204, 32), at(196, 38)}));
    EXPECT_EQ(textCalls(drawing, "m1(u1)::d").at(0).points[0], at(216, 40));
}

TEST_F(NetView, NothingIsPaintedForARemovedModuleAndABufferFailureIsSaid) {
    CGuiNetDlg& v = view("top", "q");
    RecordingCanvas failing;
    failing.setBuffersAvailable(false);
    v.paint(failing);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "OnDrawGuiNet : background bitmap image error.");

    modules.removeByName("top");
    RecordingCanvas screen;
    v.paint(screen);
    EXPECT_TRUE(screen.drawing().empty());
    v.buildNetView();
    EXPECT_TRUE(v.layout().left.empty());
}

TEST_F(NetView, CopyPutsTheWholeCanvasOnTheClipboardOnce) {
    CGuiNetDlg& v = view("top", "q");
    v.onCopyCommand();
    EXPECT_TRUE(v.copyRequested());
    RecordingCanvas screen;
    v.paint(screen);
    v.paint(screen);
    EXPECT_EQ(hooks.copies, (std::vector<Point>{{336, 96}}));
}

TEST_F(NetView, LineColourReachesTheSchematicQuery) {
    CGuiNetDlg& v = view("top", "q");
    struct Case {
        const char* module;
        const char* pin;
        bool traced;
    };
    for (const Case& c : {Case{"top", "q", true}, Case{"m1", "d", true}, Case{"top", "clk", false},
                          Case{"m1", "clk", false}, Case{"top", "d", false}}) {
        EXPECT_EQ(v.isTracedBy(c.module, c.pin).has_value(), c.traced) << c.module << "." << c.pin;
    }
    ui.colorAnswers.push_back(0x00FF00);
    v.onLineColorCommand();
    EXPECT_EQ(v.isTracedBy("m1", "d"), Color{0x00FF00});
    EXPECT_EQ(hooks.schematicRepaints, 1);
    v.onLineColorCommand();  // cancelled
    EXPECT_EQ(v.lineColor(), Color{0x00FF00});
    v.setVisible(false);
    EXPECT_FALSE(v.isTracedBy("top", "q"));
}

TEST_F(NetView, ScrollingStaysOnTheCanvas) {
    CGuiNetDlg& v = view("top", "q");
    v.onScroll(true, NetScrollCode::kLineUp, 0);
    EXPECT_EQ(v.scrollPosition(), (Point{0, 0}));
    v.onScroll(true, NetScrollCode::kPageDown, 0);
    v.onScroll(false, NetScrollCode::kLineDown, 0);
    EXPECT_EQ(v.scrollPosition(), (Point{64, 1}));
    v.onScroll(true, NetScrollCode::kThumb, 5000);
    v.onScroll(false, NetScrollCode::kThumb, -3);
    EXPECT_EQ(v.scrollPosition(), (Point{336, 0}));
}

TEST_F(NetView, ResizingPlacesTheFrameAndBarsAfterTheTimer) {
    CGuiNetDlg& v = view("top", "q");
    v.onSize({600, 400, 16, 16});
    EXPECT_TRUE(hooks.placed.empty());
    v.onTimer(CGuiNetDlg::kResizeTimer);
    EXPECT_EQ(hooks.placed, (std::vector<Rect>{{8, 8, 583, 371}, {584, 8, 600, 371},
                                               {8, 372, 583, 388}}));
}

TEST_F(NetView, AWideCanvasPrintsOnPagesAcrossAtScaleSix) {
    const NetPrintPages pages = CGuiNetDlg::printPages(336, 96, 1900, 2690);
    EXPECT_EQ(pages.across, 2);
    EXPECT_EQ(pages.down, 1);
    EXPECT_DOUBLE_EQ(pages.stepX, 1900 / 6.0);
    EXPECT_EQ(pages.stepY, 0);
    EXPECT_EQ(CGuiNetDlg::printPages(0, 0, 1900, 2690).count(), 1);

    CGuiNetDlg& v = view("top", "q");
    FakePrinter printer;
    std::tm now{};
    now.tm_year = 126;
    now.tm_mday = 1;
    v.printTo(printer, PageMargins{}, now);
    ASSERT_EQ(printer.pages.size(), 2u);
    EXPECT_EQ(printer.events.front(), "doc top");
    const std::vector<int> rightBoxLeft = {100 + 208 * 6, 100 + static_cast<int>((208 - 1900 / 6.0) * 6)};
    for (int k = 0; k < 2; ++k) {
        const auto drawing = printer.pages[k].drawing();
        EXPECT_EQ(textCalls(drawing, "Net - top(q)").size(), 1u);
        EXPECT_EQ(textCalls(drawing, std::to_string(k + 1) + " / 2").size(), 1u);
        const auto rectangles = callsOf(drawing, CanvasOp::kRectangle);
        ASSERT_EQ(rectangles.size(), 3u);  // the frame, then the two boxes
        EXPECT_EQ(rectangles[0].rect, (Rect{100, 140, 2000, 2830}));
        EXPECT_EQ(rectangles[2].rect.left, rightBoxLeft[k]) << "page " << k + 1;
        EXPECT_EQ(callsOf(drawing, CanvasOp::kClip).at(0).rect, (Rect{102, 142, 1998, 2828}));
    }
}

TEST_F(NetView, PrintingWithoutAPrinterSaysSo) {
    CGuiNetDlg& v = view("top", "q");
    v.onPrintCommand();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text, "Setting of an effective printer can't be acquired.");
}

}  // namespace
}  // namespace corvane
