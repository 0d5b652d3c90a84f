// The RoutingSharpen passes on small hand-made routes.
#include "schematic/cleanup_sharpen.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace corvane {
namespace {

Segment seg(int x0, int y0, int x1, int y1) {
    return Segment{x0, y0, x1, y1, {}};
}

std::string text(const std::vector<Segment>& route) {
    std::string out;
    for (const Segment& s : route) {
        out += std::to_string(s.x0) + "," + std::to_string(s.y0) + "-" + std::to_string(s.x1) +
               "," + std::to_string(s.y1) + " ";
    }
    return out;
}

Module oneNet(const std::vector<Segment>& route, int needsRouting) {
    Module module;
    module.nets["n"].route = route;
    module.nets["n"].needsRouting = needsRouting;
    return module;
}

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
    struct Case {
        const char* what;
        std::vector<Segment> route;
        const char* expected;
    };
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
    struct Case {
        const char* what;
        std::vector<Segment> route;
        const char* expected;
    };
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

std::string routes(const Module& module) {
    std::string out;
    for (const auto& [name, net] : module.nets) out += name + ": " + text(net.route) + "\n";
    return out;
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
    EXPECT_GT(loops, 40);
    EXPECT_GT(detours, 400);
}

}  // namespace
}  // namespace corvane
