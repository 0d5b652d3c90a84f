// The QPainter canvas on images: text on the metric's columns, fills and
// lightening to the pixel, buffers copied in place.
#include "gui/qt_canvas.h"

#include <gtest/gtest.h>

#include "gui/schematic_export.h"

namespace corvane {
namespace {

class QtCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }

    static std::unique_ptr<QtCanvas> blank(int width = 64, int height = 24) {
        return QtCanvas::forImage(width, height);
    }
};

TEST_F(QtCanvasTest, EmSizeMatchesTheCellHeight) {
    EXPECT_EQ(emPixelSize(16), 14);
    EXPECT_EQ(emPixelSize(12), 11);
    EXPECT_EQ(emPixelSize(1), 1);
    EXPECT_EQ(qtFont(Font{"Courier New", 16, 700}).pixelSize(), 14);
    EXPECT_EQ(qtFont(Font{"Courier New", 16, 700}).weight(), QFont::Bold);
}

TEST_F(QtCanvasTest, EveryCharacterStandsOnItsMetricColumn) {
    // A text drawn whole looks exactly like its characters drawn one by one
    // at multiples of the column advance (8 pixels at 16, a wide one two columns).
    for (const int height : {16, 12, 7}) {
        SCOPED_TRACE(height);
        const int advance = TextMetrics::columnAdvance(height);
        auto whole = blank(120, 24);
        auto pieces = blank(120, 24);
        for (QtCanvas* canvas : {whole.get(), pieces.get()}) {
            canvas->setFont(Font{"Courier New", height, 400});
        }
        whole->drawText({2, 3}, "W日ab");
        pieces->drawText({2, 3}, "W");
        pieces->drawText({2 + advance, 3}, "日");
        pieces->drawText({2 + 3 * advance, 3}, "a");
        pieces->drawText({2 + 4 * advance, 3}, "b");
        EXPECT_TRUE(*whole->finishImage() == *pieces->finishImage());
    }
}

TEST_F(QtCanvasTest, TextInkStaysInsideItsExtent) {
    auto canvas = blank(120, 30);
    canvas->setFont(Font{"Courier New", 16, 400});
    canvas->setTextColor(0x000000);
    canvas->drawText({10, 5}, "MMMMMMMMMM");
    const QImage* image = canvas->finishImage();
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 0; y < image->height(); ++y) {
        for (int x = 0; x < image->width(); ++x) {
            if (image->pixel(x, y) == qRgb(255, 255, 255)) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    // Ten columns of 8 pixels from x 10; one line of 16 from y 5.
    EXPECT_GE(left, 10);
    EXPECT_LE(right, 89);
    EXPECT_GE(right, 82);
    EXPECT_GE(top, 5);
    EXPECT_LE(bottom, 20);
}

TEST_F(QtCanvasTest, OpaqueTextFillsItsExtentWithTheBackground) {
    auto canvas = blank();
    canvas->setFont(Font{"Courier New", 16, 400});
    canvas->setTextBackground(true, 0xFFB0A0);
    canvas->drawText({4, 2}, "  ");
    const QImage* image = canvas->finishImage();
    EXPECT_EQ(image->pixel(4, 2), qRgb(0xA0, 0xB0, 0xFF));
    EXPECT_EQ(image->pixel(19, 17), qRgb(0xA0, 0xB0, 0xFF));
    EXPECT_EQ(image->pixel(20, 17), qRgb(255, 255, 255));
    EXPECT_EQ(image->pixel(19, 18), qRgb(255, 255, 255));
}

TEST_F(QtCanvasTest, FillCoversLeftToRightMinusOneAndLightenHalvesTheWayToWhite) {
    auto canvas = blank();
    canvas->fillRectangle({2, 3, 12, 8}, rgb(10, 100, 201));
    canvas->lighten({0, 0, 7, 24});
    const QImage* image = canvas->finishImage();
    EXPECT_EQ(image->pixel(11, 7), qRgb(10, 100, 201));
    EXPECT_EQ(image->pixel(12, 7), qRgb(255, 255, 255));
    EXPECT_EQ(image->pixel(11, 8), qRgb(255, 255, 255));
    EXPECT_EQ(image->pixel(6, 5), qRgb(132, 177, 228));  // (c + 255) / 2 per channel
    EXPECT_EQ(image->pixel(1, 1), qRgb(255, 255, 255));
}

TEST_F(QtCanvasTest, ThinPenLinesAndPolygonOutlineWithFill) {
    auto canvas = blank();
    canvas->setPen(solidPen(0, 0x0000FF));
    canvas->drawLine({1, 1}, {9, 1});
    canvas->setPen(solidPen(0, 0x000000));
    canvas->setBrush(solidBrush(0x00FF00));
    canvas->drawRectangle({20, 4, 30, 12});
    const QImage* image = canvas->finishImage();
    EXPECT_EQ(image->pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image->pixel(9, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image->pixel(5, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image->pixel(20, 4), qRgb(0, 0, 0));  // outline through the corners
    EXPECT_EQ(image->pixel(30, 12), qRgb(0, 0, 0));
    EXPECT_EQ(image->pixel(25, 8), qRgb(0, 255, 0));  // brush inside
}

TEST_F(QtCanvasTest, BufferIsCopiedAtItsPlace) {
    auto target = blank();
    std::unique_ptr<Canvas> buffer = target->createBuffer(5, 4);
    ASSERT_NE(buffer, nullptr);
    buffer->fillRectangle({0, 0, 5, 4}, 0x7F8285);
    target->drawBuffer(*buffer, {10, 6});
    const QImage* image = target->finishImage();
    EXPECT_EQ(image->pixel(10, 6), qRgb(0x85, 0x82, 0x7F));
    EXPECT_EQ(image->pixel(14, 9), qRgb(0x85, 0x82, 0x7F));
    EXPECT_EQ(image->pixel(15, 9), qRgb(255, 255, 255));
    EXPECT_EQ(target->createBuffer(0, 5), nullptr);
}

}  // namespace
}  // namespace corvane
