// Random mouse, wheel, key and menu events on a schematic window: whatever
// the order, the window neither crashes nor leaves a wire that is not
// horizontal or vertical, and its selection names only existing items.
#include <gtest/gtest.h>

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

bool straight(const Module& module) {
    for (const auto& [name, net] : module.nets) {
        for (const Segment& s : net.route) {
            if (s.x0 != s.x1 && s.y0 != s.y1) return false;
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

TEST(SchematicWindowRobustness, RandomEventSequences) {
    testing::TempDir dir;
    const std::string path = dir.write("counter.v", testing::kCounterSource);
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        MessageLog log;
        NullProgressSink progress;
        SourceFileCache sources;
        ModuleList modules;
        AnalysisContext context{log, progress, sources, FrontEnds{parseVerilogModule, nullptr}};
        prepareAndParse(modules.append(), path, 1, context);
        ScriptedUiHost ui;
        AnsweringHooks hooks;
        CSchematicDlg window(modules, "counter", standardSchematicPasses());
        window.setHooks(hooks);
        window.setUi(ui);
        window.openWithoutFile();
        window.onAreaSize(800, 600);
        std::mt19937 random(seed);
        // Mostly a point on or near a pin, block or wire end, seen through
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
            for (const Always& block : module.alwaysBlocks)
                targets.push_back({block.x, block.y + 8});
            for (const auto& [name, net] : module.nets) {
                for (const Segment& s : net.route)
                    targets.push_back({(s.x0 + s.x1) / 2, (s.y0 + s.y1) / 2});
            }
            for (const SchematicComment& c : window.comments()) targets.push_back({c.x0, c.y0});
            const Point target = targets[random() % targets.size()];
            const double zoom = window.zoom();
            const Point scroll = window.scrollPosition();
            const int jitter = static_cast<int>(random() % 41) - 20;
            return {static_cast<int>(target.x * zoom) - scroll.x + jitter,
                    static_cast<int>(target.y * zoom) - scroll.y + jitter / 2};
        };
        int edits = 0;
        for (int step = 0; step < 1000; ++step) {
            const SchematicModifiers modifiers{random() % 4 == 0, random() % 6 == 0};
            switch (random() % 10) {
                case 0:
                case 1:
                case 2: {
                    const Point from = point();
                    window.onLeftButtonDown(from, modifiers);
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
                    if (random() % 5 == 0) ui.messageAnswers.push_back(MessageResult::kYes);
                    const int last = static_cast<int>(SchematicCommand::kViewSignals);
                    auto command = static_cast<SchematicCommand>(random() % (last + 1));
                    // Closing and saving talk to files; the file tests cover them.
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
            ASSERT_TRUE(straight(module)) << "seed " << seed << " step " << step;
            ASSERT_TRUE(selectionValid(window, module)) << "seed " << seed << " step " << step;
            if (window.modified()) ++edits;
            window.setModified(false);
        }
        EXPECT_GT(edits, 0) << "seed " << seed << ": no event sequence changed the drawing";
    }
}

}  // namespace
}  // namespace corvane
