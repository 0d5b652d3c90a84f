// The DeleteThinCurve passes on small hand-made routes, their round bound, and
// the indexed versions against the passes exactly as stated.
#include "schematic/cleanup_thin_curve.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "schematic/cleanup_hit_test.h"
#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::routes;
using testing::seg;
using testing::terminalAt;
using testing::text;

// ---- DeleteThinCurve_Horz ----

// P on row 100 from 100 to 400; Q on row 110 inside it, with a vertical
// hanging down from each end and one standing exactly between the rows.
Module closeRows() {
    Module module;
    Net& net = module.nets["n"];
    net.route = {seg(100, 100, 400, 100), seg(150, 110, 300, 110), seg(150, 110, 150, 200),
                 seg(300, 50, 300, 110), seg(200, 100, 200, 110)};
    net.terminals = {terminalAt(100, 100), terminalAt(150, 200), terminalAt(300, 50)};
    return module;
}

TEST(DeleteThinCurveHorz, FoldsACloseRowIntoTheWiderOne) {
    Module module = closeRows();
    // Neither P nor Q may have a terminal at an end; drop the one at P's left end.
    module.nets["n"].terminals.erase(module.nets["n"].terminals.begin());
    EXPECT_EQ(deleteThinCurveHorz(module), 2);
    EXPECT_EQ(text(module.nets["n"].route), "100,100-400,100 150,100-150,200 300,50-300,100 ");
}

TEST(DeleteThinCurveHorz, KeepsRowsThatMayNotFold) {
    struct Case {
        const char* what;
        void (*change)(Net&);
    };
    const Case cases[] = {
        {"a terminal at the end of P", [](Net&) {}},
        {"a terminal at the end of Q", [](Net& n) { n.terminals = {terminalAt(150, 110)}; }},
        {"17 rows apart",
         [](Net& n) {
             n.terminals.clear();
             n.route[1] = seg(150, 117, 300, 117);
         }},
        {"Q is a zero-length point",
         [](Net& n) {
             n.terminals.clear();
             n.route[1] = seg(200, 110, 200, 110);
         }},
        {"Q reaches past P",
         [](Net& n) {
             n.terminals.clear();
             n.route[1] = seg(50, 110, 300, 110);
             n.route[0] = seg(100, 100, 400, 100);
             n.route.push_back(seg(400, 100, 400, 300));
             n.terminals = {terminalAt(400, 300), terminalAt(50, 110)};
         }},
        // What meets Q besides the verticals that end on its row would hang there.
        {"a horizontal going on from Q's end on its row",
         [](Net& n) {
             n.terminals.clear();
             n.route.push_back(seg(300, 110, 350, 110));
         }},
        {"a terminal inside Q", [](Net& n) { n.terminals = {terminalAt(250, 110)}; }},
        {"a vertical crossing Q short of P's row",
         [](Net& n) {
             n.terminals.clear();
             n.route.push_back(seg(250, 105, 250, 200));
         }},
    };
    for (const Case& c : cases) {
        Module module = closeRows();
        c.change(module.nets["n"]);
        const std::string before = routes(module);
        EXPECT_EQ(deleteThinCurveHorz(module), 1) << c.what;
        EXPECT_EQ(routes(module), before) << c.what;
    }
}

TEST(DeleteThinCurveHorz, LeavesNoPieceHanging) {
    // What the router laid for a net of a generated module: Q on row 368704
    // goes on to the right in two more pieces to the terminal at x 12400.
    // Folding Q into the row above would leave them hanging at x 9712.
    Module module;
    Net& net = module.nets["n"];
    net.route = {seg(7032, 368696, 9712, 368696),  seg(1888, 368712, 7128, 368712),
                 seg(7128, 368704, 7128, 368712),  seg(7128, 368704, 9712, 368704),
                 seg(9712, 368704, 11048, 368704), seg(11048, 368704, 12400, 368704),
                 seg(1888, 223616, 4208, 223616),  seg(1888, 223616, 1888, 904096)};
    net.terminals = {terminalAt(12400, 368704), terminalAt(4208, 223616)};
    const std::string before = routes(module);
    deleteThinCurveHorz(module);
    EXPECT_EQ(routes(module), before);

    // A vertical that crosses both rows keeps Q joined: Q folds.
    Module crossed = closeRows();
    crossed.nets["n"].terminals.clear();
    crossed.nets["n"].route.push_back(seg(250, 50, 250, 200));
    EXPECT_EQ(deleteThinCurveHorz(crossed), 2);
}

// ---- DeleteThinCurve_Vert ----

// Q at x 100 from 100 to 300; R at x 200 from 150 to 250, joined to Q by a
// horizontal at row 150, with a horizontal leaving R at row 200 and a
// terminal on R at row 250 from which a horizontal leaves.
Module closeColumns() {
    Module module;
    Net& net = module.nets["n"];
    net.route = {seg(100, 100, 100, 300), seg(200, 150, 200, 250), seg(100, 150, 200, 150),
                 seg(200, 200, 400, 200), seg(200, 250, 300, 250)};
    net.terminals = {terminalAt(200, 250), terminalAt(100, 100)};
    return module;
}

TEST(DeleteThinCurveVert, FoldsACloseColumnIntoTheLeftOne) {
    Module module = closeColumns();
    RecordingProgressSink progress;
    EXPECT_EQ(deleteThinCurveVert(module, {}, progress), 2);
    EXPECT_EQ(text(module.nets["n"].route),
              "100,100-100,300 100,200-400,200 200,250-300,250 100,250-200,250 ");
    EXPECT_EQ(progress.values, (std::vector<int>{0, 0}));  // rounds / limit, then the reset
}

TEST(DeleteThinCurveVert, TheEndRowsOfRMustHitNothingButWires) {
    struct Case {
        const char* what;
        void (*change)(Module&);
        std::vector<SchematicComment> comments;
        bool folds;
    };
    SchematicComment text;
    text.kind = kCommentText;
    text.x0 = 80, text.y0 = 330, text.x1 = 130, text.y1 = 370;
    const Case cases[] = {
        {"a block at (100, 150)",
         [](Module& m) {
             Assign block;
             block.x = 80, block.y = 140, block.width = 64, block.height = 32;
             m.assigns.push_back(block);
         },
         {},
         false},
        {"a module pin symbol near (100, 250)",
         [](Module& m) {
             Pin pin;
             pin.x = 70, pin.y = 250, pin.width = 32, pin.height = 16;
             m.pins.push_back(pin);
         },
         {},
         false},
        {"R reaches past Q, and a text comment covers (100, 350)",
         [](Module& m) { m.nets["n"].route[1] = seg(200, 150, 200, 350); },
         {text},
         false},
        {"the same with another net's wire through (100, 350)",
         [](Module& m) {
             m.nets["n"].route[1] = seg(200, 150, 200, 350);
             m.nets["o"].route = {seg(90, 352, 500, 352)};
         },
         {text},
         true},
        {"the comment elsewhere", [](Module&) {}, {text}, true},
        {"273 apart",
         [](Module& m) {
             Net& n = m.nets["n"];
             n.route = {seg(100, 100, 100, 300), seg(373, 150, 373, 250)};
         },
         {},
         false},
        {"R is a zero-length point",
         [](Module& m) {
             Net& n = m.nets["n"];
             n.route = {seg(100, 100, 100, 300), seg(200, 200, 200, 200)};
         },
         {},
         false},
        {"not overlapping in y",
         [](Module& m) {
             Net& n = m.nets["n"];
             n.route = {seg(100, 100, 100, 300), seg(200, 301, 200, 400)};
         },
         {},
         false},
    };
    for (const Case& c : cases) {
        Module module = closeColumns();
        c.change(module);
        const std::size_t before = module.nets["n"].route.size();
        NullProgressSink progress;
        deleteThinCurveVert(module, c.comments, progress);
        const bool folded =
            module.nets["n"].route.size() != before || module.nets["n"].route[0].y1 != 300;
        EXPECT_EQ(folded, c.folds) << c.what;
    }
}

TEST(DeleteThinCurve, StopAfterTheRoundLimit) {
    Module rows;
    rows.nets["a"] = closeRows().nets["n"];
    rows.nets["a"].terminals.clear();
    rows.nets["b"] = rows.nets["a"];
    Module columns;
    columns.nets["a"] = closeColumns().nets["n"];
    columns.nets["b"] = columns.nets["a"];
    NullProgressSink progress;

    Module limited = rows;
    EXPECT_EQ(deleteThinCurveHorz(limited, 1), 1);
    EXPECT_NE(text(limited.nets["a"].route), text(rows.nets["a"].route));
    EXPECT_EQ(text(limited.nets["b"].route), text(rows.nets["b"].route));
    limited = rows;
    EXPECT_EQ(deleteThinCurveHorz(limited, 0), 0);
    EXPECT_EQ(routes(limited), routes(rows));

    limited = columns;
    EXPECT_EQ(deleteThinCurveVert(limited, {}, progress, 1), 1);
    EXPECT_NE(text(limited.nets["a"].route), text(columns.nets["a"].route));
    EXPECT_EQ(text(limited.nets["b"].route), text(columns.nets["b"].route));
}

// ---- The indexed passes against the passes as stated ----

// Nets of random pieces on a small grid, so that many lie close together,
// with terminals on some ends and a few blocks and pins in the way.
Module randomModule(unsigned seed) {
    std::mt19937 random(seed);
    const auto coordinate = [&random](int range) { return static_cast<int>(random() % range) * 8; };
    Module module;
    for (int i = 0; i < 3; ++i) {
        Assign block;
        block.x = coordinate(100), block.y = coordinate(60);
        block.width = 64, block.height = 32 * (1 + static_cast<int>(random() % 3));
        module.assigns.push_back(block);
        Pin pin;
        pin.x = coordinate(100), pin.y = coordinate(60), pin.width = 32, pin.height = 16;
        module.pins.push_back(pin);
    }
    for (int n = 0; n < 6; ++n) {
        Net& net = module.nets["n" + std::to_string(n)];
        const int count = 5 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            const int x = coordinate(100), y = coordinate(60);
            const int length = coordinate(12);
            net.route.push_back(random() % 2 ? seg(x, y, x + length, y) : seg(x, y, x, y + length));
            if (random() % 4 == 0) net.terminals.push_back(terminalAt(x, y));
        }
    }
    return module;
}

TEST(DeleteThinCurve, IndexedPassesGiveTheResultsOfThePassesAsStated) {
    SchematicComment rect;
    rect.kind = kCommentRect;
    rect.x0 = 96, rect.y0 = 96, rect.x1 = 400, rect.y1 = 300;
    int folds = 0;  // the comparison means something only when folds happen
    for (unsigned seed = 1; seed <= 60; ++seed) {
        const Module start = randomModule(seed);
        for (const std::vector<SchematicComment>& comments :
             {std::vector<SchematicComment>{}, std::vector<SchematicComment>{rect}}) {
            Module fast = start, direct = start;
            RecordingProgressSink fastProgress, directProgress;
            const int rounds = deleteThinCurveVert(fast, comments, fastProgress);
            EXPECT_EQ(rounds, deleteThinCurveVertDirect(direct, comments, directProgress)) << seed;
            folds += rounds - 1;
            EXPECT_EQ(routes(fast), routes(direct)) << seed;
            EXPECT_EQ(fastProgress.values, directProgress.values) << seed;
            const int rowRounds = deleteThinCurveHorz(fast);
            EXPECT_EQ(rowRounds, deleteThinCurveHorzDirect(direct)) << seed;
            EXPECT_EQ(routes(fast), routes(direct)) << seed;
            folds += rowRounds - 1;
        }
        for (int limit : {1, 3, 7}) {
            Module fast = start, direct = start;
            NullProgressSink progress;
            EXPECT_EQ(deleteThinCurveVert(fast, {}, progress, limit),
                      deleteThinCurveVertDirect(direct, {}, progress, limit));
            EXPECT_EQ(deleteThinCurveHorz(fast, limit), deleteThinCurveHorzDirect(direct, limit));
            EXPECT_EQ(routes(fast), routes(direct)) << seed << " limit " << limit;
        }
    }
    EXPECT_GT(folds, 500);
}

TEST(CleanupHitTest, IndexedPinsAndBlocksAnswerAsTheScan) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const Module module = randomModule(seed);
        const CleanupHitTest index(module, {});
        for (int y = -8; y < 500; y += 4) {
            for (int x = -8; x < 820; x += 4) {
                ASSERT_EQ(index.hitsOnlyWires(x, y), hitsOnlyWiresDirect(module, {}, x, y))
                    << seed << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace corvane
