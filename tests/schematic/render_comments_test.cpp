// The shape helpers of comments and tool previews, and text box wrapping.
#include "schematic/render_comments.h"

#include <gtest/gtest.h>

#include "platform/recording_canvas.h"

namespace corvane {

void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

namespace {

std::vector<std::vector<Point>> linesOf(const RecordingCanvas& canvas) {
    std::vector<std::vector<Point>> lines;
    for (const CanvasCall& call : callsOf(canvas.calls(), CanvasOp::kLine)) {
        lines.push_back(call.points);
    }
    return lines;
}

TEST(DrawArrow, OpenHeadSixPixelsBackFromTheTip) {
    struct Case {
        Point from, to;
        std::vector<std::vector<Point>> lines;
    };
    const Case cases[] = {
        {{0, 0}, {10, 0}, {{{0, 0}, {10, 0}}, {{10, 0}, {4, -3}}, {{10, 0}, {4, 3}}}},
        {{10, 20}, {10, 0}, {{{10, 20}, {10, 0}}, {{10, 0}, {7, 6}}, {{10, 0}, {13, 6}}}},
        // hx = hy = floor(-2.12) = -3 on a diagonal; coordinates truncated.
        {{0, 0}, {10, 10}, {{{0, 0}, {10, 10}}, {{10, 10}, {8, 2}}, {{10, 10}, {2, 8}}}},
        {{5, 5}, {5, 5}, {{{5, 5}, {5, 5}}}},  // equal points: the line alone
    };
    for (const Case& c : cases) {
        RecordingCanvas canvas;
        drawArrow(canvas, c.from.x, c.from.y, c.to.x, c.to.y);
        EXPECT_EQ(linesOf(canvas), c.lines) << c.from.x << "," << c.from.y;
    }
}

TEST(DrawHandle, FiveByFiveClosedSquare) {
    RecordingCanvas canvas;
    drawHandle(canvas, 10, 20);
    ASSERT_EQ(canvas.calls().size(), 1u);
    EXPECT_EQ(canvas.calls()[0].points,
              (std::vector<Point>{{8, 18}, {12, 18}, {12, 22}, {8, 22}, {8, 18}}));
}

TEST(EllipsePoints, ThirtySevenChordsFromTheRightmostPoint) {
    const std::vector<Point> points = ellipsePoints(0, 0, 40, 20);
    ASSERT_EQ(points.size(), 38u);
    EXPECT_EQ(points[0], (Point{40, 10}));  // cx + ratio * ry
    EXPECT_EQ(points[1], (Point{39, 11}));  // 10 degrees
    EXPECT_EQ(points[9], (Point{20, 20}));  // 90 degrees: the bottom
    EXPECT_EQ(points[18], (Point{0, 10}));  // 180 degrees: the left end
    // 270 degrees: the top; cos 270 is a hair below 0 in floating point, so floor gives -1.
    EXPECT_EQ(points[27], (Point{19, 0}));
    // Corners given the other way round give the same ellipse.
    EXPECT_EQ(ellipsePoints(40, 20, 0, 0), points);
}

TEST(EllipsePoints, DegenerateBoxes) {
    // No height: the line across the box.
    EXPECT_EQ(ellipsePoints(0, 5, 30, 5), (std::vector<Point>{{0, 5}, {30, 5}}));
    // No width: every point on the centre line.
    for (const Point& point : ellipsePoints(7, 0, 7, 20)) EXPECT_EQ(point.x, 7);
}

TEST(WrapCommentText, LinesBreakAtCrLfAndBetweenWords) {
    // 16-pixel font: 8-pixel columns.
    EXPECT_EQ(wrapCommentText("ab cd ef", "f", 16, 40), (std::vector<std::string>{"ab cd", "ef"}));
    EXPECT_EQ(wrapCommentText("ab\r\ncd ef", "f", 16, 1000),
              (std::vector<std::string>{"ab", "cd ef"}));
    // A word wider than the box keeps a line of its own.
    EXPECT_EQ(wrapCommentText("a verylongword b", "f", 16, 24),
              (std::vector<std::string>{"a", "verylongword", "b"}));
    EXPECT_EQ(wrapCommentText("", "f", 16, 24), (std::vector<std::string>{""}));
    EXPECT_EQ(wrapCommentText("x\r\n\r\ny", "f", 16, 24), (std::vector<std::string>{"x", "", "y"}));
}

}  // namespace
}  // namespace corvane
