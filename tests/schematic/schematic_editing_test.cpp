// The schematic window's editing: mouse drags with the finishing re-route,
// figures and text comments, depth order, undo, zoom and scrolling, and the
// commands of its menus and context menus.
#include <gtest/gtest.h>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "diagnostics/message_log.h"
#include "net_connectivity.h"
#include "platform/progress_sink.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_hit_test.h"
#include "schematic_test_support.h"
#include "support/route_helpers.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

using testing::seg;

// What the window asks of its host, answered from queues and logged.
class Host : public SchematicWindowHooks {
public:
    std::optional<CommentTextEntry> editCommentText(const CommentTextEntry& preset,
                                                    Point at) override {
        textPresets.push_back(preset);
        dialogPoints.push_back(at);
        return textAnswer;
    }
    std::optional<LineStyleChoice> chooseLineStyle(const LineStyleChoice& preset) override {
        stylePresets.push_back(preset);
        return styleAnswer;
    }
    void showContextMenu(const std::vector<SchematicMenuItem>& menu, Point) override {
        menus.push_back(menu);
    }
    void markProjectModified(CSchematicDlg&) override { ++projectMarks; }
    void copyBitmap(CSchematicDlg&) override { outputs.push_back("copy"); }
    void exportPicture(CSchematicDlg&) override { outputs.push_back("export"); }
    void print(CSchematicDlg&) override { outputs.push_back("print"); }

    std::optional<CommentTextEntry> textAnswer;
    std::optional<LineStyleChoice> styleAnswer;
    std::vector<CommentTextEntry> textPresets;
    std::vector<Point> dialogPoints;
    std::vector<LineStyleChoice> stylePresets;
    std::vector<std::vector<SchematicMenuItem>> menus;
    std::vector<std::string> outputs;  // copy, export and print requests in order
    int projectMarks = 0;
};

std::vector<std::string> texts(const std::vector<SchematicMenuItem>& menu) {
    std::vector<std::string> out;
    for (const SchematicMenuItem& item : menu) out.push_back(item.text);
    return out;
}

// The menu item of `command` anywhere in `menu`, or nullptr.
const SchematicMenuItem* findItem(const std::vector<SchematicMenuItem>& menu,
                                  SchematicCommand command) {
    for (const SchematicMenuItem& item : menu) {
        if (item.command == command && item.items.empty()) return &item;
        if (const SchematicMenuItem* inner = findItem(item.items, command)) return inner;
    }
    return nullptr;
}

// The counter read by the Verilog front end, generated with the real router.
class CounterWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string path = dir.write("counter.v", testing::kCounterSource);
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
        Module& module = modules.append();
        prepareAndParse(module, path, 1, context);
        ASSERT_EQ(module.name, "counter") << log.text();
        window = std::make_unique<CSchematicDlg>(modules, "counter", standardSchematicPasses());
        window->setHooks(host);
        window->setUi(ui);
        window->openWithoutFile();
        // The view shows the model at zoom 1 from its top-left corner.
        window->findModule()->zoom = 1;
    }

    Module& module() { return *window->findModule(); }

    // A press, a move by (dx, dy) and the release, in model units at zoom 1.
    void drag(Point from, int dx, int dy, SchematicModifiers modifiers = {}) {
        window->onLeftButtonDown(from, modifiers);
        window->onMouseMove({from.x + dx / 2, from.y + dy / 2}, modifiers);
        window->onMouseMove({from.x + dx, from.y + dy}, modifiers);
        window->onLeftButtonUp({from.x + dx, from.y + dy}, modifiers);
    }

    static Point middleOf(const Assign& block) { return {block.x, block.y + block.height / 2}; }

    testing::TempDir dir;
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
    Host host;
    ScriptedUiHost ui;
    std::unique_ptr<CSchematicDlg> window;
};

// The File menu holds the picture export and the print beside the schematic
// file commands; they and the bitmap copy reach the host, which shows the
// dialogs, and leave the schematic as it was.
TEST_F(CounterWindow, FileMenuExportPrintAndCopyReachTheHost) {
    const std::vector<SchematicMenuItem> bar = window->menuBar();
    ASSERT_FALSE(bar.empty());
    EXPECT_EQ(texts(bar.front().items),
              (std::vector<std::string>{"&Open...", "&Save", "Save &As...", "", "&Export",
                                        "&Print...", "", "&Close"}));
    const SchematicMenuItem* exportItem = findItem(bar, SchematicCommand::kExportPicture);
    ASSERT_NE(exportItem, nullptr);
    EXPECT_EQ(exportItem->text, "&EMF...");
    window->onCommand(SchematicCommand::kExportPicture);
    window->onCommand(SchematicCommand::kPrint);
    window->onKey(SchematicKey::kC);
    EXPECT_EQ(host.outputs, (std::vector<std::string>{"export", "print", "copy"}));
    EXPECT_FALSE(window->modified());
}

TEST_F(CounterWindow, DraggingABlockMovesItReroutesAndCanBeUndone) {
    ASSERT_TRUE(testing::brokenNets(module()).empty());
    const Assign before = module().assigns[0];
    const std::string routesBefore = testing::routes(module());
    EXPECT_FALSE(window->menuState().canUndo);

    drag(middleOf(before), 64, 32);
    EXPECT_EQ(module().assigns[0].x, before.x + 64);
    EXPECT_EQ(module().assigns[0].y, before.y + 32);
    EXPECT_EQ(module().assigns[0].ports[0].x, before.ports[0].x + 64);
    EXPECT_TRUE(testing::brokenNets(module()).empty()) << testing::routes(module());
    EXPECT_NE(testing::routes(module()), routesBefore);
    EXPECT_TRUE(window->modified());
    EXPECT_EQ(host.projectMarks, 1);
    EXPECT_TRUE(findItem(window->menuBar(), SchematicCommand::kUndo)->enabled);
    EXPECT_FALSE(window->dragging());
    EXPECT_FALSE(window->buttonDown());

    window->onCommand(SchematicCommand::kUndo);
    EXPECT_EQ(module().assigns[0].x, before.x);
    EXPECT_EQ(module().assigns[0].y, before.y);
    EXPECT_EQ(testing::routes(module()), routesBefore);
    EXPECT_TRUE(window->selection().empty());
    EXPECT_TRUE(findItem(window->menuBar(), SchematicCommand::kRedo)->enabled);
    window->onCommand(SchematicCommand::kRedo);
    EXPECT_EQ(module().assigns[0].x, before.x + 64);
}

TEST_F(CounterWindow, ABlockDraggedPastTheCanvasEdgeStopsAtIt) {
    const Assign before = module().assigns[0];
    drag(middleOf(before), -100000, -100000);
    EXPECT_EQ(module().assigns[0].x, before.width / 2);
    EXPECT_EQ(module().assigns[0].y, 0);
    EXPECT_TRUE(testing::brokenNets(module()).empty()) << testing::routes(module());
    window->onLeftButtonDown({1, 1});
    window->onMouseMove({2147483647, -2147483647});
    window->onLeftButtonUp({2147483647, -2147483647});
    window->findModule()->zoom = 1e-9;
    drag({2147483000, 2147483000}, 600, 600);
}

TEST_F(CounterWindow, APlainClickOnABlockFinishesButOneOnACommentDoesNot) {
    const std::size_t steps = window->undoHistory().size();
    window->onLeftButtonDown(middleOf(module().assigns[0]));
    window->onLeftButtonUp(middleOf(module().assigns[0]));
    EXPECT_EQ(window->undoHistory().size(), steps + 1);
    EXPECT_TRUE(window->modified());
    ASSERT_EQ(window->selection().size(), 1u);
    EXPECT_EQ(window->selection()[0].kind, kKindAssign);

    window->setModified(false);
    window->onCommand(SchematicCommand::kToolRectangle);
    drag({32, 32}, 96, 64);
    window->onCommand(SchematicCommand::kToolSelect);
    const std::size_t afterFigure = window->undoHistory().size();
    window->onLeftButtonDown({32, 64});
    window->onLeftButtonUp({32, 64});
    EXPECT_EQ(window->undoHistory().size(), afterFigure);
    EXPECT_FALSE(window->modified());
}

TEST_F(CounterWindow, AttachedCommentsFollowTheBlockAndDoubleClicksOpenTheSource) {
    const Assign block = module().assigns[0];
    SchematicComment note;
    note.kind = kCommentRect;
    note.x0 = block.x - 20, note.y0 = block.y - 60, note.x1 = block.x + 20, note.y1 = block.y - 40;
    window->comments().push_back(note);
    window->comments().back().scpType = kKindAssign;  // as attaching leaves it
    window->comments().back().scpId = 0;
    window->comments().back().scpIx = 0;
    window->comments().back().scpIy = (2 * block.y + block.height) / 2 - (block.y - 50);
    drag(middleOf(block), 32, 48);
    EXPECT_EQ(window->comments().back().x0, note.x0 + 32);
    EXPECT_EQ(window->comments().back().y1, note.y1 + 48);

    window->onLeftDoubleClick(middleOf(module().assigns[0]));
    ASSERT_EQ(ui.openedDocuments.size(), 1u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSourceViewer);
    EXPECT_EQ(ui.openedDocuments[0].path, module().filePath);
    EXPECT_EQ(ui.openedDocuments[0].line, module().assigns[0].line);
    window->onCommand(SchematicCommand::kOpenModuleSource);
    EXPECT_EQ(ui.openedDocuments.back().line, 1);
}

TEST_F(CounterWindow, HiddenNetsAndClockHighlighting) {
    Net& net = module().nets.begin()->second;
    net.color = 0xFFFFFF;
    window->onCommand(SchematicCommand::kIndicateDisappeared);
    EXPECT_EQ(net.color, 0);
    const int before = module().highlightClock;
    window->onCommand(SchematicCommand::kHighlightClock);
    EXPECT_NE(module().highlightClock, before);
    EXPECT_EQ(findItem(window->menuBar(), SchematicCommand::kHighlightClock), nullptr);
    bool checked = false;
    for (const SchematicToolButton& button : window->toolBar()) {
        if (button.command == SchematicCommand::kHighlightClock) checked = button.checked;
    }
    EXPECT_EQ(checked, module().highlightClock == 1);
    EXPECT_FALSE(window->modified());
}

TEST_F(CounterWindow, DraggingAWireSegmentKeepsTheNetConnected) {
    // The first vertical segment of any net, pressed in its middle.
    int netIndex = 0;
    for (const auto& [name, net] : module().nets) {
        for (const Segment& s : net.route) {
            if (s.x0 != s.x1 || std::abs(s.y1 - s.y0) < 32) continue;
            const Point middle{s.x0, (s.y0 + s.y1) / 2};
            const SchematicHit hit =
                hitTestSchematic(module(), window->sensitivity(), window->comments(), middle);
            if (hit.kind != kKindWire || hit.index != netIndex) continue;
            const std::string netName = name;
            drag(middle, 32, 0);
            EXPECT_TRUE(testing::netConnected(module().nets.at(netName)))
                << testing::text(module().nets.at(netName).route);
            EXPECT_TRUE(window->modified());
            return;
        }
        ++netIndex;
    }
    GTEST_SKIP() << "no vertical segment to drag";
}

TEST_F(CounterWindow, FiguresKeepTheirDirectionWhenMoved) {
    window->onCommand(SchematicCommand::kToolArrow);
    drag({400, 80}, -160, 32);  // drawn right to left
    ASSERT_EQ(window->comments().size(), 2u);
    const SchematicComment arrow = window->comments()[1];
    EXPECT_EQ(arrow.kind, kCommentArrow);
    EXPECT_EQ((std::vector<int>{arrow.x0, arrow.y0, arrow.x1, arrow.y1}),
              (std::vector<int>{400, 80, 240, 112}));
    EXPECT_FALSE(window->modified());  // a new figure is an undo step only
    EXPECT_TRUE(window->selection().empty());

    window->onCommand(SchematicCommand::kToolSelect);
    drag({320, 96}, 16, 48);  // press on the arrow's body and move it whole
    const SchematicComment moved = window->comments()[1];
    EXPECT_EQ((std::vector<int>{moved.x0, moved.y0, moved.x1, moved.y1}),
              (std::vector<int>{416, 128, 256, 160}));
    EXPECT_TRUE(window->modified());

    // A handle resizes without an undo step or the modified mark.
    window->setModified(false);
    const std::size_t steps = window->undoHistory().size();
    drag({256, 160}, 32, 0);
    EXPECT_EQ(window->comments()[1].x1, 288);
    EXPECT_EQ(window->comments()[1].x0, 416);
    EXPECT_EQ(window->undoHistory().size(), steps);
    EXPECT_FALSE(window->modified());

    // A click with a figure tool draws nothing.
    window->onCommand(SchematicCommand::kToolEllipse);
    drag({500, 500}, 0, 0);
    EXPECT_EQ(window->comments().size(), 2u);
}

TEST_F(CounterWindow, TextCommentsTakeTheDialogsTextAndItsSize) {
    window->onCommand(SchematicCommand::kToolTextbox);
    window->onLeftButtonDown({200, 300});
    EXPECT_TRUE(window->comments().size() == 1u);  // cancelled dialog: nothing
    host.textAnswer = CommentTextEntry{"ab\r\ncde", "Courier New", 16, 0x0000FF};
    window->onLeftButtonDown({200, 300});
    ASSERT_EQ(window->comments().size(), 2u);
    const SchematicComment& text = window->comments()[1];
    EXPECT_EQ(text.kind, kCommentText);
    EXPECT_EQ((std::vector<int>{text.x0, text.y0, text.x1, text.y1}),
              (std::vector<int>{196, 296, 196 + 3 * 8, 296 + 32}));
    EXPECT_EQ(host.textPresets.back().pt, 16);
    EXPECT_EQ(host.dialogPoints.back(), (Point{196, 296}));
    EXPECT_TRUE(window->modified());
    EXPECT_NE(text.scpType, -1);

    // Edit... on the selected text re-measures it.
    window->onCommand(SchematicCommand::kToolSelect);
    window->onLeftButtonDown({210, 310});
    window->onLeftButtonUp({210, 310});
    host.textAnswer = CommentTextEntry{"abcdef", "Courier New", 12, 0};
    window->onLeftDoubleClick({210, 310});
    EXPECT_EQ(window->comments()[1].text, "abcdef");
    EXPECT_EQ(window->comments()[1].x1, 196 + 6 * 6);
    EXPECT_EQ(window->comments()[1].y1, 296 + 12);
}

// Comments without module objects, for the commands on the comment vector.
class CommentWindow : public ::testing::Test {
protected:
    void SetUp() override {
        modules.append(testing::pinsOnlyModule());
        window = std::make_unique<CSchematicDlg>(modules, "pins", placementOnlyPasses());
        window->setHooks(host);
        window->setUi(ui);
        for (int i = 1; i <= 3; ++i) {
            SchematicComment c;
            c.kind = kCommentLine;
            c.x0 = i, c.x1 = 100, c.y0 = c.y1 = 1000 * i;
            window->comments().push_back(c);
        }
    }

    // The comments in order, marker "M", the others by their x0.
    std::string order() const {
        std::string out;
        for (const SchematicComment& c : window->comments()) {
            out += c.kind == kCommentMarker ? "M" : std::to_string(c.x0);
        }
        return out;
    }

    void select(std::initializer_list<int> indices) {
        SchematicSelection selection;
        for (int i : indices) selection.push_back({kCommentLine, std::to_string(i), i});
        window->setSelection(selection);
    }

    ModuleList modules;
    Host host;
    ScriptedUiHost ui;
    std::unique_ptr<CSchematicDlg> window;
};

TEST_F(CommentWindow, DepthOrderMovesTheSelectedCommentsAndStopsAtTheEnds) {
    struct Case {
        SchematicCommand command;
        std::initializer_list<int> selected;
        const char* expected;
    };
    const Case cases[] = {
        {SchematicCommand::kDepthBottom, {1, 3}, "1M32"},
        {SchematicCommand::kDepthBottom, {0}, "M123"},
        {SchematicCommand::kDepthBottomMost, {2}, "2M13"},
        {SchematicCommand::kDepthTop, {1}, "M213"},
        {SchematicCommand::kDepthTop, {3}, "M123"},
        {SchematicCommand::kDepthTopMost, {0, 1}, "23M1"},
        {SchematicCommand::kZOrderBottom, {}, "M123"},
        {SchematicCommand::kZOrderTop, {}, "1M23"},
        {SchematicCommand::kZOrderTopMost, {}, "123M"},
    };
    for (const Case& c : cases) {
        SetUp();
        select(c.selected);
        window->onCommand(c.command);
        EXPECT_EQ(order(), c.expected) << static_cast<int>(c.command);
        EXPECT_TRUE(window->modified());
    }
}

TEST_F(CommentWindow, TheSelectionFollowsItsCommentsInDepth) {
    select({3});
    window->onCommand(SchematicCommand::kDepthBottomMost);
    EXPECT_EQ(order(), "3M12");
    ASSERT_EQ(window->selection().size(), 1u);
    EXPECT_EQ(window->selection()[0].index, 0);
    EXPECT_EQ(window->selection()[0].name, "0");
}

TEST_F(CommentWindow, EveryHandleMovesItsCornerOrEdge) {
    struct Case {
        int kind;
        Point handle;
        std::vector<int> expected;  // x0, y0, x1, y1 after a move by (32, 48)
    };
    const Case cases[] = {
        {kCommentLine, {96, 992}, {128, 1040, 320, 1216}},
        {kCommentLine, {320, 1216}, {96, 992, 352, 1264}},
        {kCommentArrow, {320, 1216}, {96, 992, 352, 1264}},
        {kCommentRect, {96, 992}, {128, 1040, 320, 1216}},
        {kCommentRect, {320, 992}, {96, 1040, 352, 1216}},
        {kCommentRect, {320, 1216}, {96, 992, 352, 1264}},
        {kCommentRect, {96, 1216}, {128, 992, 320, 1264}},
        {kCommentEllipse, {96, 1104}, {128, 992, 320, 1216}},
        {kCommentEllipse, {208, 992}, {96, 1040, 320, 1216}},
        {kCommentEllipse, {320, 1104}, {96, 992, 352, 1216}},
        {kCommentEllipse, {208, 1216}, {96, 992, 320, 1264}},
    };
    for (const Case& c : cases) {
        window->comments().resize(1);
        SchematicComment figure;
        figure.kind = c.kind;
        figure.x0 = 96, figure.y0 = 992, figure.x1 = 320, figure.y1 = 1216;
        window->comments().push_back(figure);
        window->onLeftButtonDown(c.handle);
        window->onMouseMove({c.handle.x + 32, c.handle.y + 48});
        window->onLeftButtonUp({c.handle.x + 32, c.handle.y + 48});
        const SchematicComment& moved = window->comments()[1];
        EXPECT_EQ((std::vector<int>{moved.x0, moved.y0, moved.x1, moved.y1}), c.expected)
            << "kind " << c.kind << " at " << c.handle.x << "," << c.handle.y;
    }
    EXPECT_FALSE(window->modified());
}

TEST_F(CommentWindow, DeleteRemovesSelectedCommentsButNeverTheMarker) {
    SchematicSelection selection{{kCommentLine, "1", 1},
                                 {kCommentLine, "3", 3},
                                 {kCommentMarker, "0", 0},
                                 {kKindPin, "a", 0}};
    window->setSelection(selection);
    window->onKey(SchematicKey::kDelete);
    EXPECT_EQ(order(), "M2");
    EXPECT_TRUE(window->selection().empty());
    EXPECT_FALSE(window->modified());
}

TEST_F(CommentWindow, ChangeLinestyleGoesToEverySelectedFigure) {
    select({1});
    window->onCommand(SchematicCommand::kChangeLinestyle);  // cancelled
    EXPECT_EQ(window->comments()[1].pt, 1);
    select({1, 2});
    window->comments()[1].pt = 3;
    host.styleAnswer = LineStyleChoice{5, 0xFFFFFF};
    window->onCommand(SchematicCommand::kChangeLinestyle);
    EXPECT_EQ(host.stylePresets.back().pt, 3);
    EXPECT_EQ(window->comments()[1].pt, 5);
    EXPECT_EQ(window->comments()[2].color, 0xFFFFFF);
    EXPECT_EQ(window->comments()[3].pt, 1);
    EXPECT_TRUE(window->selection().empty());
}

TEST_F(CommentWindow, RightClickShowsTheMenuOfWhatLiesUnderTheMouse) {
    window->onRightButtonUp({5000, 5000});
    EXPECT_TRUE(host.menus.empty());
    window->onRightButtonUp({50, 2000});
    ASSERT_EQ(host.menus.size(), 1u);
    EXPECT_EQ(texts(host.menus[0]),
              (std::vector<std::string>{"&Delete", "&Change Linestyle...", "bottom most", "bottom",
                                        "top", "top most"}));
    // A selected wire anywhere in the selection chooses the wire menu.
    window->setSelection({{kCommentLine, "1", 1}, {kKindWire, "0", 0}});
    EXPECT_EQ(window->contextMenu().at(0).text, "&Change Linestyle...");
    EXPECT_FALSE(window->contextMenu().at(2).enabled);
}

TEST_F(CommentWindow, ZoomWheelAndKeysKeepTheScrollWithinTheCanvas) {
    window->onAreaSize(408, 304);
    window->onMouseWheel(120, {true, false});
    EXPECT_DOUBLE_EQ(window->zoom(), 1.25);
    window->onMouseWheel(-120, {true, false});
    window->onMouseWheel(-120, {true, false});
    EXPECT_DOUBLE_EQ(window->zoom(), 0.75);
    window->onCommand(SchematicCommand::kViewAll);
    EXPECT_DOUBLE_EQ(window->zoom(), 0.5);  // 816 x 608 into 408 x 304
    window->onCommand(SchematicCommand::kZoomIn);
    EXPECT_DOUBLE_EQ(window->zoom(), 0.75);
    for (int i = 0; i < 20; ++i) window->onKey(SchematicKey::kRight);
    window->onMouseWheel(-120, {false, false});
    EXPECT_EQ(window->scrollPosition(), (Point{612, 64}));  // 816 * 0.75
    window->onMouseWheel(120, {false, true});
    EXPECT_EQ(window->scrollPosition().x, 612 - 64);
    window->onKey(SchematicKey::kUp);
    window->onKey(SchematicKey::kUp);
    EXPECT_EQ(window->scrollPosition().y, 0);
    window->onScroll(true, -5);
    EXPECT_EQ(window->scrollPosition().x, 0);
}

TEST_F(CommentWindow, GridCommandsAndTheirCheckMarks) {
    window->onCommand(SchematicCommand::kGridWide);
    window->onCommand(SchematicCommand::kGridSnap);
    const auto bar = window->menuBar();
    EXPECT_TRUE(findItem(bar, SchematicCommand::kGridWide)->checked);
    EXPECT_FALSE(findItem(bar, SchematicCommand::kGridNormal)->checked);
    EXPECT_FALSE(findItem(bar, SchematicCommand::kGridSnap)->checked);
    EXPECT_TRUE(findItem(bar, SchematicCommand::kGridAppear)->checked);
    EXPECT_EQ(window->snapped({40, 40}), (Point{40, 40}));
    window->onCommand(SchematicCommand::kGridSnap);
    EXPECT_EQ(window->snapped({31, 33}), (Point{0, 64}));
    EXPECT_FALSE(window->modified());
}

TEST_F(CommentWindow, ToolButtonsBehaveAsOneRadioGroup) {
    window->onCommand(SchematicCommand::kToolEllipse);
    int checked = 0;
    for (const SchematicToolButton& button : window->toolBar()) {
        if (button.kind == ToolButtonKind::kRadio && button.checked) {
            ++checked;
            EXPECT_EQ(button.tip, "Ellipse");
        }
        if (button.tip == "Summary View") {
            EXPECT_FALSE(button.enabled);
        }
    }
    EXPECT_EQ(checked, 1);
}

TEST_F(CommentWindow, InitializeAsksFirstAndErasesTheComments) {
    modules.find("pins")->schematicPath = "old.qsch";
    window->onCommand(SchematicCommand::kInitialize);  // the queue answers No
    EXPECT_EQ(window->comments().size(), 4u);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text,
              "Do you initialize place and route really? When you initialize, Comments is also "
              "erased!");
    ui.messageAnswers.push_back(MessageResult::kYes);
    window->onCommand(SchematicCommand::kInitialize);
    ASSERT_EQ(window->comments().size(), 1u);
    EXPECT_EQ(window->comments()[0].kind, kCommentMarker);
    EXPECT_EQ(modules.find("pins")->schematicPath, "");
}

TEST(SchematicWindowParents, MotherModuleOpensNoneOneOrTheChosenParent) {
    ModuleList modules;
    modules.append(testing::pinsOnlyModule());
    ScriptedUiHost ui;
    CSchematicDlg window(modules, "pins", placementOnlyPasses());
    window.setUi(ui);
    window.onCommand(SchematicCommand::kOpenMotherSchematic);
    EXPECT_TRUE(ui.openedDocuments.empty());

    testing::ModuleBuilder first("p1");
    first.child("pins", "u0");
    modules.append(first.module);
    window.onCommand(SchematicCommand::kOpenMotherSchematic);
    ASSERT_EQ(ui.openedDocuments.size(), 1u);
    EXPECT_EQ(ui.openedDocuments[0].module, "p1");

    testing::ModuleBuilder second("p2");
    second.child("pins", "u1");
    modules.append(second.module);
    ui.moduleAnswers.push_back(std::string("p2"));
    window.onCommand(SchematicCommand::kOpenMotherSchematic);
    ASSERT_EQ(ui.openedDocuments.size(), 2u);
    EXPECT_EQ(ui.openedDocuments[1].module, "p2");
    window.onCommand(SchematicCommand::kOpenMotherSchematic);  // the list is cancelled
    EXPECT_EQ(ui.openedDocuments.size(), 2u);
}

TEST(SchematicWindowParameters, ViewParamterTogglesOrSaysThereIsNone) {
    testing::ModuleBuilder b("top");
    b.child("sub", "u_plain");
    b.child("sub", "u_param");
    b.module.children[1].overrides.push_back({"w", "W", "8"});
    ModuleList modules;
    modules.append(b.module);
    ScriptedUiHost ui;
    CSchematicDlg window(modules, "top", placementOnlyPasses());
    window.setUi(ui);
    window.setSelection({{kKindChild, "u_plain", 0}});
    window.onCommand(SchematicCommand::kViewParameter);
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "The parameter of this child block is empty.");
    window.setSelection({{kKindChild, "u_param", 1}});
    window.onCommand(SchematicCommand::kViewParameter);
    EXPECT_EQ(modules.find("top")->children[1].viewParam, 1);
    EXPECT_TRUE(window.contextMenu().at(2).checked);
    window.onCommand(SchematicCommand::kOpenSchematic);
    ASSERT_EQ(ui.openedDocuments.size(), 1u);
    EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSchematic);
    EXPECT_EQ(ui.openedDocuments[0].module, "sub");
}

TEST(SchematicWindowGone, EveryEventOnAWindowWithoutItsModuleDoesNothing) {
    ModuleList modules;
    modules.append(testing::oneAssignModule());
    ScriptedUiHost ui;
    CSchematicDlg window(modules, "top", placementOnlyPasses());
    window.setUi(ui);
    window.openWithoutFile();
    modules.clear();
    window.onLeftButtonDown({10, 10});
    window.onMouseMove({-500, 99999});
    window.onLeftButtonUp({10, 10});
    window.onLeftDoubleClick({10, 10});
    window.onRightButtonUp({10, 10});
    window.onMouseWheel(120, {true, true});
    for (SchematicKey key : {SchematicKey::kLeft, SchematicKey::kDelete, SchematicKey::kC}) {
        window.onKey(key);
    }
    for (int c = 0; c <= static_cast<int>(SchematicCommand::kViewSignals); ++c) {
        window.onCommand(static_cast<SchematicCommand>(c));
    }
    EXPECT_TRUE(window.onClose());
    EXPECT_TRUE(ui.messageBoxes.empty());
}

}  // namespace
}  // namespace corvane
