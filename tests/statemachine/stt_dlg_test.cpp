// The diagram window object on a machine read by the Verilog front end:
// building, painting, copying, scrolling, dragging labels, resizing,
// closing with its save question, and the printed page.
#include "statemachine/stt_dlg.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"
#include "support/parse_files.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

// IDLE loops on itself or goes to RUN; RUN has an output with no state
// change besides its way to DONE; DONE goes back to IDLE.
constexpr const char* kMachine = R"(module m(clk, rst, start, stop, ready);
input clk, rst, start, stop;
output ready;
reg ready;
reg [1:0] state;
parameter IDLE = 0, RUN = 1, DONE = 2;
always @(posedge clk)
  if (rst) state <= IDLE;
  else case (state)
    IDLE: begin
      if (start)
        state <= RUN;
      else
        state <= IDLE;
    end
    RUN: begin
      ready <= 1;
      if (stop)
        state <= DONE;
    end
    DONE: state <= IDLE;
  endcase
always @(posedge clk)
  ready <= start;
endmodule
)";

constexpr int kMachineLine = 7;

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
        events.push_back("page");
        return true;
    }
    void endPage() override { events.push_back("end page"); }
    Canvas& canvas() override { return page; }

    std::vector<std::string> events;
    RecordingCanvas page;
};

// Hands the print job to a FakePrinter that outlives it.
class ForwardingPrinter : public PrinterDevice {
public:
    explicit ForwardingPrinter(FakePrinter& printer) : printer_(printer) {}
    PageMetrics pageMetrics() const override { return printer_.pageMetrics(); }
    bool startDocument(const std::string& name) override { return printer_.startDocument(name); }
    void endDocument() override { printer_.endDocument(); }
    bool startPage() override { return printer_.startPage(); }
    void endPage() override { printer_.endPage(); }
    Canvas& canvas() override { return printer_.canvas(); }

private:
    FakePrinter& printer_;
};

class RecordingHooks : public SttWindowHooks {
public:
    void setTitle(const std::string& text) override { title = text; }
    Rect consoleWindowRect() const override { return {40, 100, 840, 700}; }
    void moveWindow(Point topLeft) override { movedTo = topLeft; }
    void showOnTop() override { calls.push_back("showOnTop"); }
    void placeControls(const SttControlLayout& placed) override { layout = placed; }
    void setScrollBars(const SttScrollBars& shown) override { bars = shown; }
    void repaint(bool erase) override { calls.push_back(erase ? "repaint(erase)" : "repaint"); }
    void startTimer(int id, int ms) override {
        calls.push_back("start" + std::to_string(id) + "/" + std::to_string(ms));
    }
    void stopTimer(int id) override { calls.push_back("stop" + std::to_string(id)); }
    void copyToClipboard(Canvas& drawing, DiagramSize size) override {
        copied = size;
        copiedCalls = dynamic_cast<RecordingCanvas&>(drawing).calls().size();
    }
    void destroyWindow() override { calls.push_back("destroy"); }
    PrinterSettings storedPrinter() const override { return stored; }
    void storePrinter(const PrinterSettings& settings) override { stored = settings; }
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings&) override;

    std::string title;
    Point movedTo{-1, -1};
    SttControlLayout layout;
    SttScrollBars bars;
    std::vector<std::string> calls;
    DiagramSize copied{0, 0};
    std::size_t copiedCalls = 0;
    PrinterSettings stored;
    bool printerAvailable = true;
    FakePrinter printer;
    bool printerOpened = false;
};

std::unique_ptr<PrinterDevice> RecordingHooks::openPrinter(const PrinterSettings&) {
    if (!printerAvailable) return nullptr;
    printerOpened = true;
    return std::make_unique<ForwardingPrinter>(printer);
}

class DiagramWindow : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    DiagramWindow() : ParsedFiles(FrontEnds{parseVerilogModule, {}}) {}

    void SetUp() override {
        ASSERT_EQ(analyseText(dir, "m.v", kMachine).alwaysBlocks.size(), 2u) << log.text();
        ASSERT_EQ(modules.begin()->alwaysBlocks[0].line, kMachineLine);
    }

    std::unique_ptr<CSTTDlg> open(int line = kMachineLine) {
        auto window = std::make_unique<CSTTDlg>(modules, ui, hooks, "m", line);
        window->buildDiagram();
        return window;
    }

    bool called(const std::string& call) const {
        return std::find(hooks.calls.begin(), hooks.calls.end(), call) != hooks.calls.end();
    }

    corvane::testing::TempDir dir;
    ScriptedUiHost ui;
    RecordingHooks hooks;
};

TEST_F(DiagramWindow, BuildLaysOutTheMachineAndPlacesTheWindow) {
    auto window = open();
    EXPECT_EQ(window->result(), 0);
    EXPECT_EQ(hooks.title, "State Transition Diagram - m : 7 : state");
    EXPECT_EQ(hooks.movedTo, Point(40, 400));  // console left, half its height
    EXPECT_TRUE(called("showOnTop"));
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_EQ(window->canvasSize(), (DiagramSize{1020, 808}));
    EXPECT_EQ(hooks.bars.horizontalMax, 1020);
    EXPECT_EQ(hooks.bars.verticalMax, 808);
    ASSERT_EQ(window->states().size(), 4u);
    std::string keys;
    for (const auto& [key, label] : window->labels()) keys += key + " ";
    EXPECT_EQ(keys, "done:idle idle:idle idle:run run: run:done ");
}

TEST_F(DiagramWindow, NoMachineLeavesAnEmptyWindowAndSaysSo) {
    auto window = open(modules.begin()->alwaysBlocks[1].line);
    EXPECT_EQ(window->result(), -2);
    EXPECT_TRUE(window->states().empty());
    EXPECT_TRUE(window->labels().empty());
    EXPECT_EQ(window->canvasSize(), (DiagramSize{1024, 1024}));
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text, "No state machine was detected.");
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::kOk);
    EXPECT_EQ(hooks.title, "State Transition Diagram - m : 23 : ");
}

TEST_F(DiagramWindow, PaintDrawsThroughABufferAtTheScrollPosition) {
    auto window = open();
    window->onScroll(ScrollBarKind::kVertical, ScrollCode::kPageDown, 0);
    RecordingCanvas screen(700, 500);
    window->paint(screen, {12, 29, 612, 429});
    const std::vector<CanvasCall> buffers = callsOf(screen.calls(), CanvasOp::kBuffer);
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_EQ(buffers[0].rect, (Rect{0, 0, 600, 400}));
    EXPECT_EQ(buffers[0].points[0], Point(12, 29));
    // White first; the filler is not drawn; IDLE's circle is 64 higher.
    ASSERT_FALSE(buffers[0].buffer.empty());
    EXPECT_EQ(buffers[0].buffer[0].op, CanvasOp::kFill);
    EXPECT_EQ(buffers[0].buffer[0].color, rgb(255, 255, 255));
    const std::vector<CanvasCall> circles = callsOf(buffers[0].buffer, CanvasOp::kEllipse);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[0].rect, (Rect{460, 36, 560, 136}));
    // The self loop of IDLE places its label at the loop's tip; the
    // unresolved transition of RUN keeps its label unplaced.
    const TransitionLabel& loop = window->labels().at("idle:idle");
    EXPECT_EQ(Point(loop.x, loop.y), Point(510, 50));
    EXPECT_EQ(loop.quadrant, 3);
    EXPECT_FALSE(window->labels().at("run:").placed());
    EXPECT_TRUE(window->labels().at("run:done").placed());
}

TEST_F(DiagramWindow, PaintWithoutABufferSaysSoAndDrawsStraightOn) {
    auto window = open();
    RecordingCanvas screen(700, 500);
    screen.setBuffersAvailable(false);
    window->paint(screen, {12, 29, 612, 429});
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "");
    EXPECT_EQ(ui.messageBoxes[0].text, "OnDrawSTT : background bitmap image error.");
    const std::vector<CanvasCall> circles = callsOf(screen.calls(), CanvasOp::kEllipse);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[0].rect, (Rect{472, 129, 572, 229}));  // in the control at (12, 29)
    EXPECT_EQ(callsOf(screen.calls(), CanvasOp::kClip).at(0).rect, (Rect{12, 29, 612, 429}));
}

TEST_F(DiagramWindow, AWindowWhoseModuleIsGoneDrawsNothing) {
    auto window = open();
    modules.removeByName("m");
    RecordingCanvas screen(700, 500);
    window->paint(screen, {12, 29, 612, 429});
    EXPECT_TRUE(screen.calls().empty());
}

TEST_F(DiagramWindow, CopyDrawsTheWholeCanvasOntoTheClipboardOnce) {
    auto window = open();
    window->onScroll(ScrollBarKind::kHorizontal, ScrollCode::kPageDown, 0);
    window->onCopyCommand();
    EXPECT_TRUE(window->copyRequested());
    RecordingCanvas screen(700, 500);
    window->paint(screen, {12, 29, 612, 429});
    const std::vector<CanvasCall> buffers = callsOf(screen.calls(), CanvasOp::kBuffer);
    ASSERT_EQ(buffers.size(), 1u);
    EXPECT_EQ(buffers[0].rect, (Rect{0, 0, 1020, 808}));
    EXPECT_EQ(buffers[0].points[0], Point(0, 0));
    EXPECT_EQ(callsOf(buffers[0].buffer, CanvasOp::kEllipse).at(0).rect,
              (Rect{460, 100, 560, 200}));  // no scroll offset
    EXPECT_EQ(hooks.copied, (DiagramSize{1020, 808}));
    EXPECT_EQ(hooks.copiedCalls, buffers[0].buffer.size());
    EXPECT_FALSE(window->copyRequested());
    EXPECT_TRUE(called("start4/500"));
    hooks.calls.clear();
    window->onTimer(CSTTDlg::kCopyTimer);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"stop4", "repaint(erase)"}));
}

TEST_F(DiagramWindow, ScrollingStepsAndClampsToTheCanvas) {
    auto window = open();
    struct Step {
        ScrollBarKind bar;
        ScrollCode code;
        int thumb;
        Point expected;
    };
    const Step steps[] = {
        {ScrollBarKind::kVertical, ScrollCode::kLineUp, 0, {0, 0}},
        {ScrollBarKind::kVertical, ScrollCode::kPageDown, 0, {0, 64}},
        {ScrollBarKind::kVertical, ScrollCode::kLineDown, 0, {0, 65}},
        {ScrollBarKind::kVertical, ScrollCode::kThumbTrack, 5000, {0, 808}},
        {ScrollBarKind::kHorizontal, ScrollCode::kThumbTrack, 1019, {1019, 808}},
        {ScrollBarKind::kHorizontal, ScrollCode::kPageDown, 0, {1020, 808}},
        {ScrollBarKind::kHorizontal, ScrollCode::kOther, 7, {1020, 808}},
        {ScrollBarKind::kHorizontal, ScrollCode::kThumbTrack, -5, {0, 808}},
    };
    for (const Step& step : steps) {
        window->onScroll(step.bar, step.code, step.thumb);
        EXPECT_EQ(window->scrollPosition(), step.expected);
    }
    EXPECT_EQ(hooks.bars.verticalPosition, 808);
    EXPECT_EQ(hooks.calls.back(), "repaint");
}

TEST_F(DiagramWindow, TheWheelPagesVerticallyOrWithCtrlHorizontally) {
    auto window = open();
    window->onMouseWheel(-120, false);
    window->onMouseWheel(-120, true);
    window->onMouseWheel(-120, true);
    EXPECT_EQ(window->scrollPosition(), Point(128, 64));
    window->onMouseWheel(120, false);
    EXPECT_EQ(window->scrollPosition(), Point(128, 0));
}

TEST_F(DiagramWindow, AWindowWhoseModuleIsGoneScrollsWithoutTheUpperBound) {
    auto window = open();
    modules.removeByName("m");
    window->onScroll(ScrollBarKind::kVertical, ScrollCode::kThumbTrack, 5000);
    EXPECT_EQ(window->scrollPosition(), Point(0, 5000));
}

TEST_F(DiagramWindow, DraggingALabelMovesItAndMarksTheDiagram) {
    auto window = open();
    RecordingCanvas screen(700, 500);
    window->paint(screen, {12, 29, 612, 429});
    // The self-loop label: quadrant 3 at (510, 50), one condition line of
    // "not (start)" wrapped in parentheses: 13 characters.
    const TransitionLabel& label = window->labels().at("idle:idle");
    ASSERT_EQ(label.lines.size(), 1u);
    EXPECT_EQ(labelInnerBox(label, {0, 0}), (Rect{514, 34, 514 + 78, 46}));

    window->onLeftButtonDown({12 + 600, 29 + 40});  // outside every box
    EXPECT_EQ(window->dragKey(), "");
    window->onLeftButtonDown({12 + 514, 29 + 46});  // the corner counts
    EXPECT_EQ(window->dragKey(), "idle:idle");
    EXPECT_TRUE(called("start3/200"));
    window->onMouseMove({12 + 530, 29 + 40});
    window->onMouseMove({12 + 550, 29 + 16});
    EXPECT_EQ(Point(label.x, label.y), Point(546, 20));
    EXPECT_TRUE(window->modified());
    hooks.calls.clear();
    window->onTimer(CSTTDlg::kDragTimer);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"repaint(erase)"}));
    window->onLeftButtonUp();
    EXPECT_EQ(window->dragKey(), "");
    EXPECT_TRUE(called("stop3"));
    window->onMouseMove({0, 0});
    EXPECT_EQ(Point(label.x, label.y), Point(546, 20));
}

TEST_F(DiagramWindow, ResizingLaysOutTheControlsWhenTheTimerFires) {
    auto window = open();
    window->onSize({800, 600, 17, 17});
    window->onSize({900, 700, 17, 17});
    EXPECT_EQ(hooks.calls.back(), "start1/50");
    EXPECT_TRUE(called("stop1"));
    window->onTimer(CSTTDlg::kResizeTimer);
    const SttControlLayout expected{
        {12, 29, 900 - 12 - 17, 700 - 17 - 12}, {872, 29, 889, 671}, {12, 672, 871, 689}};
    EXPECT_EQ(hooks.layout, expected);
    EXPECT_EQ(hooks.bars.horizontalPage, 871 - 12);
    EXPECT_EQ(hooks.bars.verticalPage, 671 - 29);
    EXPECT_EQ(hooks.calls.back(), "repaint(erase)");
}

TEST_F(DiagramWindow, CloseAsksOnlyAboutAModifiedDiagramOfAnExistingModule) {
    auto unchanged = open();
    EXPECT_TRUE(unchanged->onClose());
    EXPECT_TRUE(ui.messageBoxes.empty());
    EXPECT_FALSE(unchanged->alive());

    auto window = open();
    window->setModified(true);
    window->setFilePath("/tmp/m.qstm");
    ui.messageAnswers = {MessageResult::kCancel, MessageResult::kNo};
    EXPECT_FALSE(window->onClose());
    EXPECT_TRUE(window->alive());
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text,
              "Do you save State Machine Diagram config file?\r\n\r\n/tmp/m.qstm");
    EXPECT_EQ(ui.messageBoxes[0].buttons, MessageButtons::kYesNoCancel);
    EXPECT_TRUE(window->onClose());  // No: closes without writing
    EXPECT_FALSE(window->alive());
    EXPECT_TRUE(window->modified());
    EXPECT_TRUE(ui.fileDialogs.empty());

    auto gone = open();
    gone->setModified(true);
    modules.removeByName("m");
    EXPECT_TRUE(gone->onClose());
    EXPECT_EQ(ui.messageBoxes.size(), 2u);
}

TEST_F(DiagramWindow, YesWithoutAFileAsksForOneAndClosesEitherWay) {
    auto window = open();
    window->setModified(true);
    ui.messageAnswers = {MessageResult::kYes};
    ui.saveFileAnswers = {std::nullopt};
    EXPECT_TRUE(window->onClose());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please input the name of State Machine Diagram config file");
    EXPECT_EQ(request.proposedName, "m$7");
    EXPECT_EQ(request.defaultExtension, "qstm");
    EXPECT_EQ(request.filter, "State Machine Diagram config file(*.qstm)|*.qstm||");
    EXPECT_FALSE(window->alive());
}

TEST_F(DiagramWindow, PrintsOnePageWithHeaderFrameAndTheFittedDiagram) {
    auto window = open();
    ui.defaultPrinterAnswer = PrinterSettings{true, "office", {}};
    ui.printAnswers = {true};
    window->onPrintCommand();
    EXPECT_EQ(hooks.stored.printerName, "office");
    ASSERT_TRUE(hooks.printerOpened);
    FakePrinter& printer = hooks.printer;
    EXPECT_EQ(printer.events, (std::vector<std::string>{"doc m", "page", "end page", "end doc"}));
    const std::vector<CanvasCall>& page = printer.page.calls();
    // 10 mm margins are 100 pixels; the text height of 4 mm is 40.
    const std::vector<CanvasCall> frames = callsOf(page, CanvasOp::kRectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (Rect{100, 140, 2000, 2830}));
    const std::vector<CanvasCall> header =
        textCalls(page, "State Transition Diagram - m : 7 : state");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].points[0], Point(100, 100));
    EXPECT_EQ(header[0].state.font.pixelHeight, 40);
    const std::vector<CanvasCall> number = textCalls(page, "1 / 1");
    ASSERT_EQ(number.size(), 1u);
    EXPECT_EQ(number[0].points[0].y, 2838);
    // The frame shrunk by a quarter millimetre clips the diagram, whose
    // 1020 units of width fill the 1896 pixels between.
    EXPECT_EQ(callsOf(page, CanvasOp::kClip).at(0).rect, (Rect{102, 142, 1998, 2828}));
    const std::vector<CanvasCall> circles = callsOf(page, CanvasOp::kEllipse);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[0].rect, (Rect{102 + 855, 142 + 185, 102 + 1040, 142 + 371}));
    EXPECT_TRUE(called("repaint(erase)"));
}

TEST_F(DiagramWindow, PrintingWithoutAPrinterSaysSo) {
    auto window = open();
    window->onPrintCommand();  // no stored and no default printer
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "Setting of an effective printer can't be acquired.");
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");

    hooks.stored = PrinterSettings{true, "kept", {}};
    ui.printAnswers = {false};
    window->onPrintCommand();  // the print dialog was cancelled
    EXPECT_FALSE(hooks.printerOpened);
    EXPECT_EQ(ui.callsNamed("printDialog").back(), "printDialog(kept)");

    hooks.printerAvailable = false;
    ui.printAnswers = {true};
    window->onPrintCommand();
    EXPECT_EQ(ui.messageBoxes.size(), 2u);
}

TEST(DiagramPrintPage, DatesFollowTheHeaderFormat) {
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 5;
    time.tm_wday = 2;
    time.tm_hour = 9;
    time.tm_min = 7;
    time.tm_sec = 3;
    EXPECT_EQ(printDateText(time), "2024/03/05 Tue 09:07:03");
}

}  // namespace
}  // namespace corvane
