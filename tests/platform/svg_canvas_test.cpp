#include "platform/svg_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(SvgTextTest, EscapesMarkupAndReplacesWhatXmlCannotHold) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"a<b & \"c\" 'd'>", "a&lt;b &amp; &quot;c&quot; &#39;d&#39;&gt;"},
        {"tab\there\nline", "tab\there\nline"},
        {std::string("nul\0bell\x07", 9),
         "nul\xEF\xBF\xBD"
         "bell\xEF\xBF\xBD"},
        {"bad \xC3\x28 utf8 \xFF", "bad \xEF\xBF\xBD( utf8 \xEF\xBF\xBD"},
        {"\xEF\xBF\xBF", "\xEF\xBF\xBD"},  // U+FFFF is not an XML character
        {"k\xC3\xA9y \xE6\x97\xA5", "k\xC3\xA9y \xE6\x97\xA5"},
    };
    for (const auto& c : cases) EXPECT_EQ(escapeXmlText(c.in), c.out) << c.in;
}

TEST(SvgTextTest, ColoursAreWrittenRedFirst) {
    EXPECT_EQ(svgColor(0x123456), "#563412");
    EXPECT_EQ(svgColor(rgb(255, 0, 128)), "#ff0080");
}

TEST(SvgCanvasTest, ShapesKeepPixelSemanticsAndPenAndBrush) {
    SvgCanvas canvas(100, 50);
    canvas.setPen(solidPen(1, rgb(255, 0, 0)));
    canvas.drawLine({10, 20}, {30, 20});
    canvas.setPen(solidPen(2, 0));
    canvas.drawLine({0, 0}, {5, 5});
    canvas.setPen(dottedPen(1, 0));
    canvas.setBrush(nullBrush());
    canvas.drawRectangle({1, 2, 11, 12});
    canvas.setPen(Pen{PenStyle::Null, 1, 0});
    canvas.setBrush(solidBrush(rgb(0, 0, 255)));
    canvas.drawEllipse({10, 10, 15, 20});
    canvas.fillRectangle({3, 4, 3, 9}, 0);  // empty: nothing
    canvas.fillRectangle({3, 4, 8, 9}, rgb(0, 255, 0));
    canvas.lighten({0, 0, 4, 4});
    const std::string svg = canvas.element();
    // A one-pixel line lies on the pixel centres, a two-pixel one on the grid.
    EXPECT_TRUE(contains(svg,
                         "<line x1=\"10.5\" y1=\"20.5\" x2=\"30.5\" y2=\"20.5\" fill=\"none\" "
                         "stroke=\"#ff0000\" stroke-linecap=\"square\"/>"))
        << svg;
    EXPECT_TRUE(contains(svg,
                         "x1=\"0\" y1=\"0\" x2=\"5\" y2=\"5\" fill=\"none\" stroke=\"#000000\" "
                         "stroke-width=\"2\""));
    EXPECT_TRUE(contains(svg,
                         "points=\"1.5,2.5 11.5,2.5 11.5,12.5 1.5,12.5\" fill-rule=\"evenodd\" "
                         "fill=\"none\" stroke=\"#000000\" stroke-dasharray=\"1 2\""));
    EXPECT_TRUE(contains(svg,
                         "<ellipse cx=\"12.5\" cy=\"15\" rx=\"2.5\" ry=\"5\" fill=\"#0000ff\" "
                         "stroke=\"none\"/>"));
    EXPECT_TRUE(contains(svg, "<rect x=\"3\" y=\"4\" width=\"5\" height=\"5\" fill=\"#00ff00\"/>"));
    EXPECT_TRUE(contains(svg, "fill=\"#ffffff\" fill-opacity=\"0.5\""));
    EXPECT_EQ(count(svg, "<rect"), 3u);  // background, fill, lighten
}

TEST(SvgCanvasTest, TextIsStretchedToTheMetricWidthOnItsBaseline) {
    SvgCanvas canvas(200, 100);
    canvas.setFont(Font{"Courier New", 16, 700, false, false});
    canvas.setTextColor(rgb(0, 128, 0));
    canvas.setTextBackground(true, rgb(200, 200, 200));
    canvas.drawText({5, 10}, "a<b\t\xE6\x97\xA5");  // tab takes no column, the wide one two
    const std::string svg = canvas.element();
    EXPECT_EQ(canvas.textExtent("a<b\t\xE6\x97\xA5").width, 5 * 8);
    EXPECT_TRUE(
        contains(svg, "<rect x=\"5\" y=\"10\" width=\"40\" height=\"16\" fill=\"#c8c8c8\"/>"))
        << svg;
    // Baseline 16 * 1705 / 2320 = 11.76 below the top; em 16 * 2048 / 2320 = 14.
    EXPECT_TRUE(contains(svg, "<text x=\"5\" y=\"21.76\" font-family=\"Courier New, "));
    EXPECT_TRUE(contains(svg,
                         "font-size=\"14\" font-weight=\"bold\" fill=\"#008000\" "
                         "textLength=\"40\" lengthAdjust=\"spacingAndGlyphs\">a&lt;b\xE6\x97\xA5"
                         "</text>"));
    SvgCanvas empty(10, 10);
    empty.drawText({0, 0}, "\t\r");
    EXPECT_FALSE(contains(empty.element(), "<text"));
}

TEST(SvgCanvasTest, ClipsAndLinksNestAndClose) {
    SvgCanvas canvas(64, 32);
    canvas.setIdPrefix("p1-");
    canvas.setClipRect({0, 0, 10, 10});
    canvas.beginLink("child.html#x", "a <child>");
    canvas.fillRectangle({1, 1, 2, 2}, 0);
    canvas.setClipRect({0, 0, 20, 20});
    canvas.endLink();
    canvas.addLinkArea({4, 5, 14, 25}, "other page.html", "");
    canvas.clearClip();
    canvas.beginLink("left-open.html", "");
    const std::string svg = canvas.element();
    EXPECT_EQ(count(svg, "<clipPath id=\"p1-clip"), 5u);  // set, reopened by each link change
    EXPECT_EQ(count(svg, "<g "), count(svg, "</g>"));
    EXPECT_EQ(count(svg, "<a "), count(svg, "</a>"));
    EXPECT_TRUE(contains(svg, "<a href=\"child.html#x\"><title>a &lt;child&gt;</title>"));
    EXPECT_TRUE(contains(svg,
                         "<a href=\"other page.html\"><rect class=\"link-area\" x=\"4\" y=\"5\" "
                         "width=\"10\" height=\"20\" fill=\"#0060df\" fill-opacity=\"0\"/></a>"));
}

TEST(SvgCanvasTest, DocumentIsTheSameForTheSameDrawing) {
    const auto draw = [] {
        SvgCanvas canvas(0, -5);  // a picture is at least one pixel
        canvas.drawPolyline({{0, 0}, {3, 4}, {-2, 7}});
        canvas.drawPolyline({{1, 1}});  // one point draws nothing
        return canvas.document("Title & more");
    };
    const std::string first = draw();
    EXPECT_EQ(first, draw());
    EXPECT_EQ(first.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_TRUE(contains(first, "width=\"1\" height=\"1\" viewBox=\"0 0 1 1\""));
    EXPECT_TRUE(contains(first, "<title>Title &amp; more</title>"));
    EXPECT_TRUE(contains(first, "points=\"0.5,0.5 3.5,4.5 -1.5,7.5\""));
    EXPECT_EQ(count(first, "<polyline"), 1u);
}

}  // namespace
}  // namespace corvane
