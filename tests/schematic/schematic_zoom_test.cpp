#include "schematic/schematic_zoom.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ZoomSteps, TeleFollowsItsTable) {
    const std::pair<double, double> cases[] = {
        {0.02, 0.04}, {0.05, 0.1}, {0.1, 0.25}, {0.2, 0.25}, {0.25, 0.5}, {0.3, 0.5},
        {0.5, 0.75},  {0.6, 0.75}, {0.75, 1},   {0.8, 1},    {1, 1.25},   {1.25, 1.5},
        {1.5, 2},     {2, 3},      {3, 4},      {4, 4},      {1.1, 1.1},  {2.5, 2.5},
    };
    for (const auto& [from, to] : cases) EXPECT_DOUBLE_EQ(zoomInStep(from), to) << from;
}

TEST(ZoomSteps, WideFollowsItsTable) {
    const std::pair<double, double> cases[] = {
        {4, 3},      {3, 2},      {2, 1.5},    {1.5, 1.25}, {1.25, 1},  {1, 0.75},
        {0.75, 0.5}, {0.5, 0.25}, {0.25, 0.1}, {0.1, 0.1},  {0.8, 0.8}, {5, 5},
    };
    for (const auto& [from, to] : cases) EXPECT_DOUBLE_EQ(zoomOutStep(from), to) << from;
}

TEST(ZoomSteps, ViewAllTakesTheSmallerRatio) {
    EXPECT_DOUBLE_EQ(viewAllZoom(800, 300, 1600, 400, 1), 0.5);
    EXPECT_DOUBLE_EQ(viewAllZoom(800, 100, 1600, 400, 1), 0.25);
    EXPECT_DOUBLE_EQ(viewAllZoom(0, 100, 1600, 400, 1.5), 1.5);  // no area yet
    EXPECT_DOUBLE_EQ(viewAllZoom(800, 600, 0, 400, 2), 2);
}

}  // namespace
}  // namespace corvane
