// The indexed occupancy queries answer exactly as the direct scans do.
#include "schematic/routing_occupancy.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace corvane {
namespace {

bool same(const std::optional<VerticalPiece>& a, const std::optional<VerticalPiece>& b) {
    if (!a || !b) return a.has_value() == b.has_value();
    return a->y0 == b->y0 && a->y1 == b->y1 && a->x == b->x && a->net == b->net;
}

bool same(const std::optional<HorizontalPiece>& a, const std::optional<HorizontalPiece>& b) {
    if (!a || !b) return a.has_value() == b.has_value();
    return a->x0 == b->x0 && a->x1 == b->x1 && a->y == b->y && a->net == b->net;
}

TEST(RoutingOccupancy, IndexedAnswersLikeDirect) {
    std::mt19937 random(17);
    // Coordinates on a small grid of 8 so that columns and rows are shared;
    // a few keys far outside the int range.
    auto coord = [&random]() -> Coord {
        const unsigned pick = random() % 40;
        if (pick == 0) return Coord{INT_MAX} + 8;
        if (pick == 1) return Coord{INT_MIN} - 8;
        return static_cast<Coord>(random() % 24) * 8;
    };
    auto piece = [&random]() { return static_cast<int>(random() % 24) * 8; };
    OccupancyLists directLists;
    OccupancyLists indexedLists;
    DirectOccupancy direct(directLists);
    // Some pieces exist before the index is built; the rest arrive through it.
    for (int i = 0; i < 50; ++i) {
        const VerticalPiece v{piece(), piece(), piece(), static_cast<int>(random() % 4)};
        direct.addVertical(v);
        indexedLists.vertical.push_back(v);
    }
    IndexedOccupancy indexed(indexedLists);
    const HorizontalFilter anyPiece = [](const HorizontalPiece&) { return true; };
    const HorizontalFilter everyOtherRow = [](const HorizontalPiece& h) { return h.y % 16 == 0; };
    for (int round = 0; round < 4000; ++round) {
        const int net = static_cast<int>(random() % 4);
        if (round % 3 == 0) {
            const VerticalPiece v{piece(), piece(), piece(), net};
            direct.addVertical(v);
            indexed.addVertical(v);
        }
        if (round % 3 == 1) {
            const HorizontalPiece h{piece(), piece(), piece(), net};
            direct.addHorizontal(h);
            indexed.addHorizontal(h);
        }
        const Coord a = coord(), b = coord(), c = coord();
        ASSERT_TRUE(same(direct.firstOwnVertical(net, a, b), indexed.firstOwnVertical(net, a, b)));
        ASSERT_TRUE(same(direct.firstOwnVerticalAcross(net, a, b, c),
                         indexed.firstOwnVerticalAcross(net, a, b, c)));
        for (const HorizontalFilter& accept : {anyPiece, everyOtherRow}) {
            ASSERT_TRUE(same(direct.firstOwnHorizontalAcross(net, a, b, c, accept),
                             indexed.firstOwnHorizontalAcross(net, a, b, c, accept)));
        }
        ASSERT_EQ(direct.columnTakenAt(a, b), indexed.columnTakenAt(a, b)) << round;
        ASSERT_EQ(direct.columnUsed(a), indexed.columnUsed(a)) << round;
        ASSERT_EQ(direct.rowTakenAt(a, b), indexed.rowTakenAt(a, b)) << round;
        ASSERT_EQ(direct.rowUsed(a), indexed.rowUsed(a)) << round;
        ASSERT_EQ(direct.rowUsedByOther(a, net), indexed.rowUsedByOther(a, net)) << round;
    }
    EXPECT_EQ(directLists.vertical.size(), indexedLists.vertical.size());
    EXPECT_EQ(directLists.horizontal.size(), indexedLists.horizontal.size());
}

}  // namespace
}  // namespace corvane
