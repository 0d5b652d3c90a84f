// Random mouse, wheel, key and menu events on a schematic window: whatever
// the order, the window neither crashes nor leaves a wire that is not
// horizontal or vertical, and its selection names only existing items.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "database/analysis_context.h"
#include "database/chunk_preparation.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_hit_test.h"
#include "schematic_test_support.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

// Answers every dialog with something, so the commands behind them run.
class AnsweringHooks : public SchematicWindowHooks {
public:
    std::optional<CommentTextEntry> editCommentText(const CommentTextEntry& preset,
                                                    Point) override {
        CommentTextEntry entry = preset;
        entry.text = "note\r\n\r\nx";
        return entry;
    }
    std::optional<LineStyleChoice> chooseLineStyle(const LineStyleChoice&) override {
        return LineStyleChoice{3, 0xFFFFFF};
    }
};

// Every wire runs across or down; the diagonal guide lines of hand routing
// ("temp-route") are drawing aids, not wires.
bool straight(const Module& module) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            if (s.text != "temp-route" && s.x0 != s.x1 && s.y0 != s.y1) return false;
        }
    }
    return true;
}

bool selectionValid(const CSchematicDlg& window, const Module& module) {
    for (const SelectionEntry& e : window.selection()) {
        if (isCommentKind(e.kind) &&
            (e.index < 0 || static_cast<std::size_t>(e.index) >= window.comments().size() ||
             window.comments()[static_cast<std::size_t>(e.index)].kind != e.kind)) {
            return false;
        }
        if (e.kind == kKindWire && static_cast<std::size_t>(e.index) >= module.nets.size())
            return false;
    }
    return true;
}

// A window on the counter read by the Verilog front end, opened as a
// window opens without a schematic file.
struct CounterWindow {
    explicit CounterWindow(const std::string& path) {
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
        prepareAndParse(modules.append(), path, 1, context);
        window.setHooks(hooks);
        window.setUi(ui);
        window.openWithoutFile();
        window.onAreaSize(800, 600);
    }
    MessageLog log;
    NullProgressSink progress;
    SourceFileCache sources;
    ModuleList modules;
    ScriptedUiHost ui;
    AnsweringHooks hooks;
    CSchematicDlg window{modules, "counter", standardSchematicPasses()};
};

// `steps` random events; returns how many of them changed the drawing.
int runRandomEvents(CounterWindow& open, unsigned seed, int steps) {
    CSchematicDlg& window = open.window;
    std::mt19937 random(seed);
    // Mostly a point on or near a pin, block, wire or comment, seen through
    // the current zoom and scroll; sometimes anywhere at all.
    auto point = [&]() -> Point {
        if (random() % 6 == 0) {
            return {static_cast<int>(random() % 400000) - 200000,
                    static_cast<int>(random() % 400000) - 200000};
        }
        const Module& module = *window.findModule();
        std::vector<Point> targets;
        for (const Pin& pin : module.pins) targets.push_back({pin.x, pin.y});
        for (const Assign& block : module.assigns) targets.push_back({block.x, block.y + 8});
        for (const Always& block : module.alwaysBlocks) targets.push_back({block.x, block.y + 8});
        for (const auto& [name, net] : module.nets) {
            for (const Segment& s : net.route) targets.push_back({s.x0, s.y0});
        }
        for (const SchematicComment& c : window.comments()) targets.push_back({c.x0, c.y0});
        const Point target = targets[random() % targets.size()];
        const double zoom = window.zoom();
        const Point scroll = window.scrollPosition();
        const int jitter = static_cast<int>(random() % 41) - 20;
        return {static_cast<int>(std::clamp(target.x * zoom - scroll.x + jitter, -1e9, 1e9)),
                static_cast<int>(std::clamp(target.y * zoom - scroll.y + jitter, -1e9, 1e9))};
    };
    int edits = 0;
    for (int step = 0; step < steps; ++step) {
        const SchematicModifiers modifiers{random() % 4 == 0, random() % 6 == 0};
        switch (random() % 10) {
            case 0:
            case 1:
            case 2: {
                window.onLeftButtonDown(point(), modifiers);
                for (int moves = static_cast<int>(random() % 3); moves > 0; --moves) {
                    window.onMouseMove(point(), modifiers);
                }
                window.onLeftButtonUp(point(), modifiers);
                break;
            }
            case 3:
                window.onRightButtonUp(point(), point());
                break;
            case 4:
                window.onLeftDoubleClick(point(), modifiers);
                break;
            case 5:
                window.onMouseWheel(random() % 2 ? 120 : -120, modifiers);
                break;
            case 6:
                window.onKey(static_cast<SchematicKey>(random() % 9));
                break;
            default: {
                if (random() % 5 == 0) open.ui.messageAnswers.push_back(MessageResult::kYes);
                const int last = static_cast<int>(SchematicCommand::kViewSignals);
                auto command = static_cast<SchematicCommand>(random() % (last + 1));
                // Closing and the file commands are the file tests' concern.
                if (command == SchematicCommand::kCloseWindow ||
                    command == SchematicCommand::kSaveFile ||
                    command == SchematicCommand::kSaveFileAs ||
                    command == SchematicCommand::kOpenFile) {
                    command = SchematicCommand::kSelectAll;
                }
                window.onCommand(command);
                break;
            }
        }
        const Module& module = *window.findModule();
        EXPECT_TRUE(straight(module)) << "seed " << seed << " step " << step;
        EXPECT_TRUE(selectionValid(window, module)) << "seed " << seed << " step " << step;
        if (::testing::Test::HasFailure()) return edits;
        if (window.modified()) ++edits;
        window.setModified(false);
    }
    return edits;
}

TEST(SchematicWindowRobustness, RandomEventSequences) {
    testing::TempDir dir;
    const std::string path = dir.write("counter.v", testing::kCounterSource);
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        CounterWindow open(path);
        EXPECT_GT(runRandomEvents(open, seed, 1000), 0) << "seed " << seed;
    }
}

// Coordinates at the ends of the int range, as a damaged schematic file can
// leave them on blocks, pins, wires and comments.
TEST(SchematicWindowRobustness, ExtremeCoordinates) {
    testing::TempDir dir;
    const std::string path = dir.write("counter.v", testing::kCounterSource);
    for (unsigned seed : {6u, 7u}) {
        CounterWindow open(path);
        Module& module = *open.window.findModule();
        module.pins[0].x = INT_MAX;
        module.pins[1].y = INT_MIN;
        module.assigns[0].x = INT_MIN + 1;
        module.assigns[0].width = INT_MAX;
        module.nets.begin()->second.route.push_back({INT_MIN, 5, INT_MAX, 5, {}});
        for (int kind :
             {kCommentLine, kCommentArrow, kCommentRect, kCommentEllipse, kCommentText}) {
            SchematicComment c;
            c.kind = kind;
            c.x0 = INT_MIN, c.y0 = INT_MAX, c.x1 = INT_MAX, c.y1 = INT_MIN;
            c.scpType = kKindAssign;
            c.scpId = 0;
            c.scpIx = INT_MAX;
            open.window.comments().push_back(c);
        }
        runRandomEvents(open, seed, 600);
    }
}

}  // namespace
}  // namespace corvane
