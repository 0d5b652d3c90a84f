// The RoutingSharpen passes on small hand-made routes.
#include "schematic/cleanup_sharpen.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/route_helpers.h"

namespace corvane {
namespace {

using testing::routes;
using testing::seg;
using testing::text;

Module oneNet(const std::vector<Segment>& route, int needsRouting,
              const std::vector<std::pair<int, int>>& terminals = {}) {
    Module module;
    module.nets["n"].route = route;
    module.nets["n"].needsRouting = needsRouting;
    for (const auto& [x, y] : terminals) {
        Terminal& t = module.nets["n"].terminals.emplace_back();
        t.kind = kKindPin;
        t.x = x;
        t.y = y;
    }
    return module;
}

// A removal case whose route must come through unchanged.
struct KeptCase {
    const char* what;
    std::vector<Segment> route;
    std::vector<std::pair<int, int>> terminals;
};

// The loop of two parallel horizontals between verticals at x 200 and 400,
// with a branch leaving the x-400 vertical to the right at row 120.
std::vector<Segment> loopRoute() {
    return {seg(200, 100, 400, 100), seg(200, 140, 400, 140), seg(400, 100, 400, 140),
            seg(400, 120, 500, 120), seg(200, 100, 200, 140)};
}

TEST(RoutingSharpen0, DeletesTheLowerHorizontalOfALoopAndShortensItsVertical) {
    Module module = oneNet(loopRoute(), 1);
    RecordingProgressSink progress;
    routingSharpen0(module, progress);
    EXPECT_EQ(text(module.nets["n"].route),
              "200,100-400,100 400,100-400,120 400,120-500,120 200,100-200,140 ");
    EXPECT_EQ(module.nets["n"].needsRouting, 0);
    EXPECT_EQ(progress.values, (std::vector<int>{25, 75}));
}

TEST(RoutingSharpen0, LeavesIncompleteLoopsAndUnflaggedNets) {
    struct Case {
        const char* what;
        std::vector<Segment> route;
        int flag;
    };
    std::vector<Segment> noBranch = loopRoute();
    noBranch.erase(noBranch.begin() + 3);
    std::vector<Segment> noSpan = loopRoute();
    noSpan.back() = seg(200, 110, 200, 140);  // does not reach row 100
    std::vector<Segment> branchOutside = loopRoute();
    branchOutside[3] = seg(400, 150, 500, 150);
    const Case cases[] = {
        {"no branch", noBranch, 1},
        {"the x0 vertical does not span the rows", noSpan, 1},
        {"the branch lies outside the rows", branchOutside, 1},
        {"net not flagged", loopRoute(), 0},
    };
    for (const Case& c : cases) {
        Module module = oneNet(c.route, c.flag);
        NullProgressSink progress;
        routingSharpen0(module, progress);
        EXPECT_EQ(text(module.nets["n"].route), text(c.route)) << c.what;
        EXPECT_EQ(module.nets["n"].needsRouting, 0) << c.what;
    }
}

TEST(RoutingSharpen0, KeepsALoopWhoseRemovalWouldCutSomethingOff) {
    const auto with = [](std::vector<Segment> extra) {
        std::vector<Segment> route = loopRoute();
        route.insert(route.end(), extra.begin(), extra.end());
        return route;
    };
    const KeptCase cases[] = {
        {"a piece ending on the x-400 vertical below the branch",
         with({seg(350, 130, 400, 130)}),
         {}},
        {"a terminal on the lower horizontal", loopRoute(), {{300, 140}}},
        {"a terminal on the x-400 vertical below the branch", loopRoute(), {{400, 130}}},
        // What the router laid for a net of a generated module: the stub to
        // the terminal at (8464, 732704) stands on the joint below the branch.
        {"a router's route",
         {seg(4592, 51096, 4592, 867472), seg(4592, 118240, 8488, 118240),
          seg(4592, 736520, 8488, 736520), seg(8488, 118240, 8488, 736520),
          seg(4592, 595424, 12400, 595424), seg(8488, 591248, 13224, 591248),
          seg(8464, 732704, 8488, 732704)},
         {{12400, 595424}, {8464, 732704}}},
    };
    for (const KeptCase& c : cases) {
        Module module = oneNet(c.route, 1, c.terminals);
        NullProgressSink progress;
        routingSharpen0(module, progress);
        EXPECT_EQ(text(module.nets["n"].route), text(c.route)) << c.what;
    }
}

TEST(RoutingSharpen1, MergesOverlappingAndTouchingCollinearPieces) {
    Module module = oneNet({seg(300, 50, 150, 50), seg(100, 50, 200, 50), seg(10, 400, 10, 300),
                            seg(10, 300, 10, 250), seg(10, 100, 10, 240)},
                           1);
    routingSharpen1(module);
    // The first horizontal takes the union written left to right; the touching
    // verticals merge, the one 10 apart stays.
    EXPECT_EQ(text(module.nets["n"].route), "100,50-300,50 10,250-10,400 10,100-10,240 ");
    EXPECT_EQ(module.nets["n"].needsRouting, 0);

    Module unflagged = oneNet({seg(300, 50, 150, 50), seg(100, 50, 200, 50)}, 0);
    routingSharpen1(unflagged);
    EXPECT_EQ(unflagged.nets["n"].route.size(), 2u);
}

TEST(RoutingSharpen2, TrimsTheShorterOfTwoPiecesSharingAStoredEnd) {
    using Case = testing::RouteCase;
    const Case cases[] = {
        {"shared start: the shorter one starts at the other's end",
         {seg(100, 50, 300, 50), seg(100, 80, 200, 80)},
         "100,50-300,50 300,80-200,80 "},
        {"shared end: the one starting first ends at the other's start",
         {seg(100, 50, 300, 50), seg(200, 80, 300, 80)},
         "100,50-200,50 200,80-300,80 "},
        {"verticals alike", {seg(40, 10, 40, 90), seg(60, 10, 60, 30)}, "40,10-40,90 60,90-60,30 "},
        {"same row: untouched",
         {seg(100, 50, 300, 50), seg(100, 50, 200, 50)},
         "100,50-300,50 100,50-200,50 "},
        {"equal pieces: untouched",
         {seg(100, 50, 300, 50), seg(100, 80, 300, 80)},
         "100,50-300,50 100,80-300,80 "},
    };
    for (const Case& c : cases) {
        Module module = oneNet(c.route, 1);
        routingSharpen2(module);
        EXPECT_EQ(text(module.nets["n"].route), c.expected) << c.what;
    }
}

TEST(RoutingSharpen3, RemovesDetoursAboveAndBelow) {
    using Case = testing::RouteCase;
    // C on row 200 from 100 to 400; the detour Q on row 100 (or 300) from 200
    // to 300 with R joining it to C at x 300 and P spanning both rows at x 200.
    const Case cases[] = {
        {"above: Q and R go",
         {seg(100, 200, 400, 200), seg(200, 100, 300, 100), seg(300, 100, 300, 200),
          seg(200, 50, 200, 200)},
         "100,200-400,200 200,50-200,200 "},
        {"above with a branch at x 300 on row 150: R starts there",
         {seg(100, 200, 400, 200), seg(200, 100, 300, 100), seg(300, 100, 300, 200),
          seg(200, 50, 200, 200), seg(300, 150, 350, 150)},
         "100,200-400,200 300,150-300,200 200,50-200,200 300,150-350,150 "},
        {"below: Q and R go",
         {seg(100, 200, 400, 200), seg(200, 300, 300, 300), seg(300, 200, 300, 300),
          seg(200, 200, 200, 350)},
         "100,200-400,200 200,200-200,350 "},
        {"below with two branches: R ends at the lower one",
         {seg(100, 200, 400, 200), seg(200, 300, 300, 300), seg(300, 200, 300, 300),
          seg(200, 200, 200, 350), seg(250, 240, 300, 240), seg(300, 260, 360, 260)},
         "100,200-400,200 300,200-300,260 200,200-200,350 250,240-300,240 300,260-360,260 "},
        {"no spanning vertical: kept",
         {seg(100, 200, 400, 200), seg(200, 100, 300, 100), seg(300, 100, 300, 200),
          seg(200, 120, 200, 200)},
         "100,200-400,200 200,100-300,100 300,100-300,200 200,120-200,200 "},
    };
    for (const Case& c : cases) {
        Module module = oneNet(c.route, 0);  // the pass ignores the flag
        RecordingProgressSink progress;
        routingSharpen3(module, progress);
        EXPECT_EQ(text(module.nets["n"].route), c.expected) << c.what;
        EXPECT_EQ(progress.values, (std::vector<int>{25, 50, 75})) << c.what;
        EXPECT_EQ(progress.hides, 1) << c.what;
    }
}

TEST(RoutingSharpen3, KeepsADetourWhoseRemovalWouldCutSomethingOff) {
    // The detour of RemovesDetoursAboveAndBelow with something more on it.
    const auto with = [](std::vector<Segment> extra) {
        std::vector<Segment> route = {seg(100, 200, 400, 200), seg(200, 100, 300, 100),
                                      seg(300, 100, 300, 200), seg(200, 50, 200, 200)};
        route.insert(route.end(), extra.begin(), extra.end());
        return route;
    };
    const KeptCase cases[] = {
        {"a terminal where Q meets R", with({}), {{300, 100}}},
        {"a terminal on R", with({}), {{300, 150}}},
        {"a terminal inside Q", with({}), {{250, 100}}},
        {"a horizontal going on from Q's x1 end", with({seg(300, 100, 350, 100)}), {}},
        {"a vertical ending inside Q", with({seg(250, 60, 250, 100)}), {}},
        {"a horizontal crossing R", with({seg(250, 150, 350, 150)}), {}},
        // What the router laid for a net of a generated module: the terminal
        // at (8304, 330848) is the x1 end of the detour below the longer row.
        {"a router's route",
         {seg(4032, 330608, 8304, 330608), seg(8304, 330608, 8304, 330848),
          seg(4504, 330848, 8304, 330848), seg(4504, 124992, 4504, 817024),
          seg(4368, 664320, 4504, 664320)},
         {{8304, 330848}, {4368, 664320}}},
    };
    for (const KeptCase& c : cases) {
        Module module = oneNet(c.route, 0, c.terminals);
        NullProgressSink progress;
        routingSharpen3(module, progress);
        EXPECT_EQ(text(module.nets["n"].route), text(c.route)) << c.what;
    }
    // A piece on Q that also meets C stays joined through C: the detour goes.
    Module module = oneNet(with({seg(250, 100, 250, 200)}), 0);
    NullProgressSink progress;
    routingSharpen3(module, progress);
    EXPECT_EQ(text(module.nets["n"].route), "100,200-400,200 200,50-200,200 250,100-250,200 ");
}

// Nets of random pieces on a coarse grid, so that loops and detours are common.
Module randomModule(unsigned seed) {
    std::mt19937 random(seed);
    const auto coordinate = [&random] { return 40 * static_cast<int>(random() % 6); };
    Module module;
    for (int n = 0; n < 8; ++n) {
        Net& net = module.nets["n" + std::to_string(n)];
        net.needsRouting = 1;
        const int count = 4 + static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            const int a = coordinate(), b = coordinate(), c = coordinate();
            net.route.push_back(random() % 2 ? seg(a, c, b, c) : seg(c, a, c, b));
        }
    }
    return module;
}

TEST(RoutingSharpen, LookupsGiveTheResultsOfTheFullScans) {
    int loops = 0, detours = 0;  // the comparison means something only when the passes act
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        const Module start = randomModule(seed);
        NullProgressSink progress;
        Module fast = start, direct = start;
        routingSharpen0(fast, progress);
        routingSharpen0Direct(direct, progress);
        ASSERT_EQ(routes(fast), routes(direct)) << seed;
        loops += routes(fast) != routes(start);
        const std::string beforeDetours = routes(fast);
        routingSharpen3(fast, progress);
        routingSharpen3Direct(direct, progress);
        ASSERT_EQ(routes(fast), routes(direct)) << seed;
        detours += routes(fast) != beforeDetours;
    }
    // Most random detours carry other pieces and stay; some hundreds go.
    EXPECT_GT(loops, 40);
    EXPECT_GT(detours, 100);
}

}  // namespace
}  // namespace corvane
