// The drawing pass on a recording canvas: what is drawn where, with which
// pen, fill, font and text colour, and in which order.
#include "schematic/schematic_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <map>
#include <set>

#include "platform/recording_canvas.h"
#include "schematic/render_blocks.h"
#include "schematic/render_pins.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_passes.h"

namespace corvane {

void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}
void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}
void PrintTo(const Pen& pen, std::ostream* out) {
    *out << "pen(" << static_cast<int>(pen.style) << ", " << pen.width << ", " << std::hex
         << pen.color << std::dec << ")";
}

namespace {

// A window host whose selection and net views the test sets.
class FakeHost : public SchematicPaintHost {
public:
    bool isSelected(int kind, std::string_view name) const override {
        return selected.count({kind, std::string(name)}) != 0;
    }
    std::optional<Color> netViewColor(std::string_view, std::string_view pin) const override {
        const auto found = netViews.find(std::string(pin));
        if (found == netViews.end()) return std::nullopt;
        return found->second;
    }
    void requestCanvasSize(CanvasSize size) override { requested.push_back(size); }
    void copyToClipboard(Canvas&, CanvasSize size) override { copies.push_back(size); }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }

    std::set<std::pair<int, std::string>> selected;
    std::map<std::string, Color> netViews;
    std::vector<CanvasSize> requested;
    std::vector<CanvasSize> copies;
    std::vector<std::string> messages;
};

Pin makePin(const std::string& name, int direction, int x, int y, int width = 64) {
    Pin pin;
    pin.name = pin.displayName = name;
    pin.direction = direction;
    pin.x = x, pin.y = y, pin.width = width, pin.height = 16;
    return pin;
}

Terminal pinTerminal(int index) {
    Terminal terminal;
    terminal.kind = kKindPin;
    terminal.index = index;
    return terminal;
}

Net netWith(std::vector<Segment> route, std::vector<Terminal> terminals = {}, int color = 0,
            int lineWidth = 1) {
    Net net;
    net.route = std::move(route);
    net.terminals = std::move(terminals);
    net.color = color;
    net.lineWidth = lineWidth;
    return net;
}

class Renderer : public ::testing::Test {
protected:
    Renderer() {
        module.name = module.displayName = "m";
        module.gridVisible = 0;
    }

    // Draws one pass at `zoom` and scroll (0, 0) and returns its calls.
    std::vector<CanvasCall> draw(double zoom = 1.0, int print = 0) {
        modules.clear();
        modules.append(module);
        window = std::make_unique<CSchematicDlg>(modules, "m", placementOnlyPasses());
        window->setCanvasSize(canvas);
        window->setHotPin(hotPin, 0);
        window->comments() = comments.empty() ? window->comments() : comments;
        window->setToolMode(toolMode);
        if (sensitivity) sensitivity(*window);
        RecordingCanvas recording;
        SchematicRenderer renderer(*window, view, host);
        renderer.drawSchematic(recording, scaleCoordinate(canvas.width, zoom),
                               scaleCoordinate(canvas.height, zoom), zoom, view.scrollX,
                               view.scrollY, print);
        return recording.drawing();
    }

    Module module;
    ModuleList modules;
    std::unique_ptr<CSchematicDlg> window;
    CanvasSize canvas{800, 600};
    std::string hotPin;
    std::vector<SchematicComment> comments;
    int toolMode = 0;
    std::function<void(CSchematicDlg&)> sensitivity;
    SchematicViewState view;
    FakeHost host;
};

std::vector<CanvasCall> linesFrom(const std::vector<CanvasCall>& calls, Point from) {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : callsOf(calls, CanvasOp::kLine)) {
        if (call.points[0] == from) out.push_back(call);
    }
    return out;
}

// Index of the first call matching `match`, or -1.
template <typename Match>
int indexOf(const std::vector<CanvasCall>& calls, Match match) {
    const auto found = std::find_if(calls.begin(), calls.end(), match);
    return found == calls.end() ? -1 : static_cast<int>(found - calls.begin());
}

// --- Nets -----------------------------------------------------------------

struct NetPenCase {
    const char* name;
    bool hot;
    bool selected;
    bool netViewed;
    Pen wire;
    Pen dot;
};

TEST_F(Renderer, NetPenFollowsHotSelectedNetViewAndOwnInThatOrder) {
    const NetPenCase cases[] = {
        {"hot over selection", true, true, true, solidPen(4, 0xFF0000), solidPen(6, 0xFF0000)},
        {"selected", false, true, true, solidPen(3, 0x0000FF), solidPen(3, 0x0000FF)},
        {"net viewed", false, false, true, solidPen(2, 0x123456), solidPen(3, 0x123456)},
        {"own", false, false, false, solidPen(3, 0x00C000), solidPen(6, 0x00C000)},
    };
    module.pins = {makePin("a", 0, 100, 100)};
    for (const NetPenCase& c : cases) {
        SCOPED_TRACE(c.name);
        Net net = netWith({{200, 100, 300, 100, ""}}, {pinTerminal(0)}, 0x00C000, 3);
        net.touch[300 + 100 * 65536] = 2;
        module.nets = {{"a", net}};
        hotPin = c.hot ? "a" : "";
        host.selected.clear();
        if (c.selected) host.selected.insert({kKindWire, "0"});
        host.netViews.clear();
        if (c.netViewed) host.netViews["a"] = 0x123456;
        const auto calls = draw();
        const auto wires = linesFrom(calls, {200, 100});
        ASSERT_FALSE(wires.empty());  // a selected net is drawn once more in the feedback
        EXPECT_EQ(wires[0].state.pen, c.wire);
        const auto dots = callsOf(calls, CanvasOp::kPolyline);
        ASSERT_FALSE(dots.empty());
        EXPECT_EQ(dots[0].state.pen, c.dot);
        EXPECT_EQ(dots[0].points,
                  (std::vector<Point>{{299, 99}, {301, 99}, {301, 101}, {299, 101}, {299, 99}}));
    }
}

TEST_F(Renderer, WhiteNetIsDrawnNowhereEvenWhenHot) {
    module.pins = {makePin("a", 0, 100, 100)};
    Net net = netWith({{200, 100, 300, 100, ""}}, {pinTerminal(0)}, 0xFFFFFF);
    net.touch[300 + 100 * 65536] = 3;
    module.nets = {{"a", net}};
    hotPin = "a";
    const auto calls = draw();
    EXPECT_TRUE(linesFrom(calls, {200, 100}).empty());
    EXPECT_TRUE(callsOf(calls, CanvasOp::kPolyline).empty());
}

TEST_F(Renderer, SegmentsWithAZeroEndAreSkippedAndGuideLinesDrawnDottedFromTheirX) {
    module.nets = {{"n", netWith({{0, 50, 200, 50, ""},
                                  {120, 60, 0, 60, ""},
                                  {65536 + 100, 70, 180, 90, "temp-route"},
                                  {40, 80, 90, 80, ""}})}};
    const auto lines = callsOf(draw(), CanvasOp::kLine);
    ASSERT_EQ(lines.size(), 3u);  // the guide line again in the feedback, solid
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{100, 70}, {180, 90}}));
    EXPECT_EQ(lines[0].state.pen, dottedPen(2, 0xA0FFA0));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{40, 80}, {90, 80}}));
    EXPECT_EQ(lines[1].state.pen, solidPen(1, 0));
    EXPECT_EQ(lines[2].points, lines[0].points);
    EXPECT_EQ(lines[2].state.pen, solidPen(2, 0xA0FFA0));
}

TEST_F(Renderer, ModelPointsMapThroughZoomAndScroll) {
    module.nets = {{"n", netWith({{101, 33, 301, 33, ""}})}};
    view.scrollX = 10;
    view.scrollY = 5;
    const auto lines = callsOf(draw(1.5), CanvasOp::kLine);
    ASSERT_FALSE(lines.empty());
    // trunc(101 * 1.5) - 10 = 141, trunc(33 * 1.5) - 5 = 44, trunc(301 * 1.5) - 10 = 441.
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{141, 44}, {441, 44}}));
}

TEST_F(Renderer, OnlyJunctionsCountedMoreThanOnceGetDots) {
    Net net = netWith({{10, 10, 90, 10, ""}});
    net.touch = {{20 + 30 * 65536, 1}, {40 + 50 * 65536, 2}};
    module.nets = {{"n", net}};
    const auto dots = callsOf(draw(), CanvasOp::kPolyline);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].points.front(), (Point{39, 49}));
    EXPECT_EQ(dots[0].state.pen, solidPen(4, 0));
}

// --- Module pins ----------------------------------------------------------

TEST_F(Renderer, PinShapeDirectionWordAndCommentFollowTheDirection) {
    struct Case {
        int direction;
        std::vector<Point> hexagon;
        const char* word;
        Point wordAt;
        bool comment;
    };
    // x 100, width 64: L = 52, R = 148, half height 8.
    const Case cases[] = {
        {0,
         {{52, 192}, {52, 200}, {52, 208}, {148, 208}, {156, 200}, {148, 192}},
         "INPUT",
         {-28, 192},
         true},
        {1,
         {{52, 192}, {52, 200}, {52, 208}, {148, 208}, {156, 200}, {148, 192}},
         "OUTPUT",
         {196, 192},
         true},
        {2,
         {{52, 192}, {44, 200}, {52, 208}, {148, 208}, {156, 200}, {148, 192}},
         "INOUT",
         {-28, 192},
         true},
        {-1, {{52, 192}, {52, 200}, {52, 208}, {148, 208}, {148, 200}, {148, 192}}, "", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        module.pins = {makePin("d", c.direction, 100, 200)};
        module.pins[0].comment = "note";
        const auto calls = draw();
        const auto polygons = callsOf(calls, CanvasOp::kPolygon);
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_EQ(polygons[0].points, c.hexagon);
        EXPECT_EQ(polygons[0].state.brush, solidBrush(0xFFFFFF));
        EXPECT_EQ(polygons[0].state.pen, solidPen(0, 0));
        const auto label = textCalls(calls, "d");
        ASSERT_EQ(label.size(), 1u);
        EXPECT_EQ(label[0].points[0], (Point{68, 192}));
        for (const char* word : {"INPUT", "OUTPUT", "INOUT"}) {
            const auto found = textCalls(calls, word);
            if (std::string(word) != c.word) {
                EXPECT_TRUE(found.empty()) << word;
                continue;
            }
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(found[0].points[0], c.wordAt);
        }
        const auto comment = textCalls(calls, "note");
        ASSERT_EQ(comment.size(), c.comment ? 1u : 0u);
        if (c.comment) {
            // Above the symbol; an output's comment ends at the right edge.
            const int x = c.direction == 1 ? 148 - 4 * 8 : 52;
            EXPECT_EQ(comment[0].points[0], (Point{x, 178}));
            EXPECT_EQ(comment[0].state.textColor, 0x008000u);
        }
    }
}

TEST_F(Renderer, PinLabelCarriesItsRangeAndTakesTheSelectionOrNetViewColour) {
    module.pins = {makePin("Data", 0, 100, 200)};
    module.pins[0].name = "data";
    module.pins[0].msb = 7;
    module.pins[0].lsb = 0;
    host.netViews["data"] = 0x00AA00;
    auto calls = draw();
    ASSERT_EQ(textCalls(calls, "Data[7:0]").size(), 1u);
    EXPECT_EQ(textCalls(calls, "Data[7:0]")[0].state.textColor, 0x00AA00u);
    EXPECT_EQ(callsOf(calls, CanvasOp::kPolygon)[0].state.pen, solidPen(2, 0x00AA00));

    host.selected.insert({kKindPin, "data"});
    calls = draw();
    EXPECT_EQ(textCalls(calls, "Data[7:0]")[0].state.textColor, 0x0000FFu);
    EXPECT_EQ(callsOf(calls, CanvasOp::kPolygon)[0].state.pen, selectionPen());
}

// --- Assign blocks --------------------------------------------------------

FormulaToken token(const std::string& text) {
    FormulaToken t;
    t.text = t.displayText = text;
    return t;
}

Assign makeAssign(const std::string& target, const std::string& expression,
                  std::vector<std::string> tokens, std::vector<std::pair<int, int>> ranges) {
    Assign assign;
    assign.name = assign.displayName = target;
    assign.expression = expression;
    for (const std::string& text : tokens) assign.rhsTokens.push_back(token(text));
    int row = 0;
    for (const auto& [msb, lsb] : ranges) {
        Pin port = makePin("p" + std::to_string(row), row == 0 ? 0 : 1, 0, 0, 16);
        port.msb = msb, port.lsb = lsb;
        assign.ports.push_back(port);
        ++row;
    }
    return assign;
}

TEST(AssignSymbolChoice, InverterBufferOrNone) {
    struct Case {
        const char* name;
        Assign assign;
        AssignSymbol expected;
    };
    const Case cases[] = {
        {"inverted copy", makeAssign("y", "~a", {"~", "a"}, {{-1, -1}, {-1, -1}}),
         AssignSymbol::kInverter},
        {"logical not", makeAssign("y", "!a", {"!", "a"}, {{-1, -1}, {-1, -1}}),
         AssignSymbol::kInverter},
        {"plain copy", makeAssign("y", "a", {"a"}, {{3, 0}, {3, 0}}), AssignSymbol::kBuffer},
        {"a lone tilde is no inversion", makeAssign("y", "~", {"~"}, {{-1, -1}, {-1, -1}}),
         AssignSymbol::kBuffer},
        {"and with a constant", makeAssign("y", "a & 1'b1", {"a", "&", "1'b1"}, {{0, 0}, {5, 5}}),
         AssignSymbol::kBuffer},
        {"equal widths either way round", makeAssign("y", "a", {"a"}, {{0, 3}, {7, 4}}),
         AssignSymbol::kBuffer},
        {"different widths", makeAssign("y", "a", {"a"}, {{3, 0}, {7, 0}}), AssignSymbol::kNone},
        {"three ports", makeAssign("y", "a & b", {"a", "&", "b"}, {{-1, -1}, {-1, -1}, {-1, -1}}),
         AssignSymbol::kNone},
        {"target equals expression", makeAssign("y", "y", {"y"}, {{-1, -1}, {-1, -1}}),
         AssignSymbol::kNone},
    };
    for (const Case& c : cases) EXPECT_EQ(assignSymbol(c.assign), c.expected) << c.name;
}

TEST(AssignTitle, LogicOrTheConstantOfAOnePortAssign) {
    EXPECT_EQ(assignTitle(makeAssign("y", "a & b", {}, {{-1, -1}})), " Logic ");
    EXPECT_EQ(assignTitle(makeAssign("y", "'b0", {}, {{-1, -1}})), "'b0");
    EXPECT_EQ(assignTitle(makeAssign("y", "\"0101\"", {}, {{-1, -1}})), "\"0101\"");
    EXPECT_EQ(assignTitle(makeAssign("y", "x\"FF\"", {}, {{-1, -1}})), "x\"FF\"");
    // A constant with a second port (or none) keeps the plain title.
    EXPECT_EQ(assignTitle(makeAssign("y", "'b0", {}, {{-1, -1}, {-1, -1}})), " Logic ");
    EXPECT_EQ(assignTitle(makeAssign("y", "8'h00", {}, {{-1, -1}})), " Logic ");
}

// An assign block at centre 200, top 100, 128 x 32 with ports on both edges.
Assign placedAssign(const std::string& expression, std::vector<std::string> tokens) {
    Assign assign = makeAssign("y", expression, std::move(tokens), {{-1, -1}, {-1, -1}});
    assign.x = 200, assign.y = 100, assign.width = 128, assign.height = 32;
    assign.ports[0].x = 136, assign.ports[0].y = 116, assign.ports[0].direction = 0;
    assign.ports[1].x = 264, assign.ports[1].y = 116, assign.ports[1].direction = 1;
    assign.ports[0].displayName = "a";
    assign.ports[1].displayName = "y";
    return assign;
}

TEST_F(Renderer, InverterSymbolWithBubbleAndRaisedBlackLabels) {
    module.assigns = {placedAssign("~a", {"~", "a"})};
    host.selected.insert({kKindAssign, "y"});
    const auto calls = draw();
    // c = 200, m = 116, e = 21.
    const auto triangle = callsOf(calls, CanvasOp::kPolyline);
    ASSERT_EQ(triangle.size(), 1u);
    EXPECT_EQ(triangle[0].points,
              (std::vector<Point>{{179, 100}, {221, 116}, {179, 132}, {179, 100}}));
    EXPECT_EQ(triangle[0].state.pen, selectionPen());
    EXPECT_EQ(linesFrom(calls, {136, 116})[0].points[1], (Point{179, 116}));
    EXPECT_EQ(linesFrom(calls, {273, 116})[0].points[1], (Point{221, 116}));
    const auto bubble = callsOf(calls, CanvasOp::kEllipse);
    ASSERT_EQ(bubble.size(), 1u);
    EXPECT_EQ(bubble[0].rect, (Rect{221, 112, 229, 120}));
    // No box, no title and no stubs; labels 8 pixels higher, black although selected.
    EXPECT_TRUE(textCalls(calls, " Logic ").empty());
    EXPECT_TRUE(linesFrom(calls, {132, 116}).empty());
    const auto label = textCalls(calls, "a");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].points[0], (Point{144, 100}));
    EXPECT_EQ(label[0].state.textColor, 0u);
}

TEST_F(Renderer, BufferSymbolHasNoBubble) {
    module.assigns = {placedAssign("a", {"a"})};
    const auto calls = draw();
    EXPECT_EQ(callsOf(calls, CanvasOp::kPolyline).size(), 1u);
    EXPECT_TRUE(callsOf(calls, CanvasOp::kEllipse).empty());
    EXPECT_EQ(linesFrom(calls, {264, 116})[0].points[1], (Point{221, 116}));
}

TEST_F(Renderer, AssignWithoutSymbolIsABoxWithAnOpaqueTitleAndStubs) {
    Assign assign = placedAssign("a & b", {"a", "&", "b"});
    assign.ports[1].msb = 3, assign.ports[1].lsb = 0;  // widths differ: no symbol
    assign.ports[1].width = 32;
    module.assigns = {assign};
    host.selected.insert({kKindAssign, "y"});
    const auto calls = draw();
    const auto frame = callsOf(calls, CanvasOp::kRectangle);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].rect, (Rect{136, 100, 264, 132}));
    EXPECT_EQ(frame[0].state.pen, selectionPen());
    const auto title = textCalls(calls, " Logic ");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].points[0], (Point{200 - 28, 92}));
    EXPECT_TRUE(title[0].state.opaqueText);
    EXPECT_EQ(title[0].state.textBackground, 0xFFFFFFu);
    EXPECT_EQ(title[0].state.textColor, 0x0000FFu);
    // Stubs stay black when selected; the output label ends 8 left of its point.
    EXPECT_EQ(linesFrom(calls, {132, 116})[0].state.pen, solidPen(0, 0));
    const auto output = textCalls(calls, "y[3:0]");
    ASSERT_EQ(output.size(), 1u);
    EXPECT_EQ(output[0].points[0], (Point{264 - 32 - 8, 108}));
    EXPECT_FALSE(output[0].state.opaqueText);
    EXPECT_EQ(output[0].state.textColor, 0x0000FFu);
}

TEST_F(Renderer, PortLabelAboveTheSurfaceIsNotDrawn) {
    Assign assign = placedAssign("a", {"a"});
    view.scrollY = 200;  // the labels' tops land above y 0
    module.assigns = {assign};
    const auto calls = draw();
    EXPECT_TRUE(textCalls(calls, "a").empty());
    EXPECT_TRUE(textCalls(calls, "y").empty());
}

// --- Always, instance and initial blocks ------------------------------------

Always placedAlways(int sensitivityCount) {
    Always always;
    always.line = 12;
    for (int i = 0; i < sensitivityCount; ++i) {
        Sensitivity entry;
        entry.name = entry.displayName = i == 0 ? "clk" : "rst";
        entry.edge = i;
        always.sensitivity.push_back(entry);
    }
    always.x = 300, always.y = 100, always.width = 160, always.height = 96;
    Pin q = makePin("q", 1, 380, 180, 8);
    q.msb = 3, q.lsb = 0;
    always.ports = {q};
    return always;
}

TEST_F(Renderer, AlwaysBlockTitleFollowsTheLanguage) {
    module.alwaysBlocks = {placedAlways(0)};
    EXPECT_EQ(textCalls(draw(), " Always ").size(), 1u);
    module.language = kVhdl;
    const auto calls = draw();
    EXPECT_EQ(textCalls(calls, " Process ").size(), 1u);
    EXPECT_TRUE(textCalls(calls, " Always ").empty());
}

TEST_F(Renderer, AlwaysBlockBandSensitivityAndPorts) {
    module.alwaysBlocks = {placedAlways(2)};
    sensitivity = [](CSchematicDlg& w) {
        w.sensitivity().fit(*w.findModule());
        *w.sensitivity().find(0, 0) = {220, 116, 24, 16};
        *w.sensitivity().find(0, 1) = {220, 148, 24, 16};
    };
    const auto calls = draw();
    const auto fills = callsOf(calls, CanvasOp::kFill);
    // Canvas, band (two rows of 32) and the white rest.
    ASSERT_GE(fills.size(), 3u);
    EXPECT_EQ(fills[1].rect, (Rect{220, 100, 380, 164}));
    EXPECT_EQ(fills[1].color, 0xFFB0A0u);
    EXPECT_EQ(fills[2].rect, (Rect{220, 164, 380, 196}));
    EXPECT_EQ(linesFrom(calls, {220, 164})[0].state.pen, solidPen(0, 0xAF0000));
    EXPECT_EQ(callsOf(calls, CanvasOp::kRectangle)[0].state.pen, solidPen(2, 0xAF0000));
    const auto clk = textCalls(calls, "clk [pos edge]");
    ASSERT_EQ(clk.size(), 1u);
    EXPECT_EQ(clk[0].points[0], (Point{228, 108}));
    EXPECT_EQ(clk[0].state.textColor, 0x0000A0u);
    EXPECT_EQ(textCalls(calls, "rst [neg edge]").size(), 1u);
    const auto q = textCalls(calls, "q[3:0]");
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].state.textColor, 0xAF0000u);
    EXPECT_EQ(linesFrom(calls, {376, 180})[0].state.pen, solidPen(2, 0xAF0000));
}

TEST(EdgeSuffix, PosNegOrAnyEdge) {
    EXPECT_STREQ(edgeSuffix(0), " [pos edge]");
    EXPECT_STREQ(edgeSuffix(1), " [neg edge]");
    EXPECT_STREQ(edgeSuffix(-1), " [edge]");
    EXPECT_STREQ(edgeSuffix(7), " [edge]");
}

Child placedChild() {
    Child child;
    child.moduleName = "counter";
    child.moduleDisplayName = "Counter";
    child.name = child.displayName = "u0";
    child.x = 400, child.y = 100, child.width = 160, child.height = 112;
    Pin clk = makePin("clk", 0, 320, 164, 24);
    clk.msb = 7, clk.lsb = 0;
    child.ports = {clk};
    return child;
}

TEST_F(Renderer, SelectedBlockIsRedAndPinkOnScreenButInItsOwnColoursOnACopy) {
    module.children = {placedChild()};
    host.selected.insert({kKindChild, "u0"});
    auto calls = draw();
    EXPECT_EQ(callsOf(calls, CanvasOp::kFill)[1].color, 0xCCCCFFu);
    EXPECT_EQ(textCalls(calls, " Sub module ")[0].state.textColor, 0x0000FFu);
    EXPECT_EQ(callsOf(calls, CanvasOp::kRectangle)[0].state.pen, selectionPen());

    view.copyRequested = 1;
    calls = draw();
    EXPECT_EQ(callsOf(calls, CanvasOp::kFill)[1].color, 0x80FFFFu);
    EXPECT_EQ(textCalls(calls, " Sub module ")[0].state.textColor, 0x008080u);
    EXPECT_EQ(callsOf(calls, CanvasOp::kRectangle)[0].state.pen, solidPen(2, 0x008080));
    ASSERT_EQ(host.copies.size(), 1u);
    EXPECT_EQ(host.copies[0], canvas);

    view.copyRequested = 0;
    view.exportMode = 1;  // a metafile export keeps the selection colours
    EXPECT_EQ(callsOf(draw(), CanvasOp::kFill)[1].color, 0xCCCCFFu);
}

TEST_F(Renderer, InstanceTextsAndPortLabelsWithoutRange) {
    module.children = {placedChild()};
    const auto calls = draw();
    const auto name = textCalls(calls, "Counter");
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].state.font.weight, 700);
    EXPECT_EQ(name[0].points[0], (Point{400 - 28, 108}));
    const auto instance = textCalls(calls, "Instance:u0");
    ASSERT_EQ(instance.size(), 1u);
    EXPECT_EQ(instance[0].state.font.weight, 400);
    EXPECT_EQ(instance[0].points[0], (Point{400 - 44, 124}));
    EXPECT_EQ(textCalls(calls, "clk").size(), 1u);
    EXPECT_TRUE(textCalls(calls, "clk[7:0]").empty());
}

TEST_F(Renderer, ParameterBoxIsLightenedOutlinedAndGrowsTheCanvas) {
    Child child = placedChild();
    child.viewParam = 1;
    child.overrides = {{"width", "WIDTH", "8"}, {"depth", "DEPTH", "1024"}};
    child.x = 740;  // right edge 820, beyond the 800 canvas
    module.children = {child};
    host.selected.insert({kKindChild, "u0"});
    const auto calls = draw();
    const auto lightened = callsOf(calls, CanvasOp::kLighten);
    ASSERT_EQ(lightened.size(), 1u);
    // "DEPTH = 1024" is 12 columns: 96 pixels, plus 16; three rows of 16.
    EXPECT_EQ(lightened[0].rect, (Rect{820, 212, 820 + 112, 212 + 48}));
    const auto box = callsOf(calls, CanvasOp::kRectangle);
    ASSERT_EQ(box.size(), 2u);
    EXPECT_EQ(box[1].rect, lightened[0].rect);
    EXPECT_EQ(box[1].state.pen, dottedPen(0, 0x008000));
    EXPECT_EQ(textCalls(calls, "WIDTH = 8")[0].points[0], (Point{828, 220}));
    EXPECT_EQ(textCalls(calls, "DEPTH = 1024")[0].points[0], (Point{828, 236}));
    // After a box the stubs use the olive pen even on a selected block.
    EXPECT_EQ(linesFrom(calls, {316, 164})[0].state.pen, solidPen(2, 0x008080));
    // Right edge 932 -> ((932 + 16) / 16 + 1) * 16 = 960; bottom 260 stays inside 600.
    ASSERT_EQ(host.requested.size(), 1u);
    EXPECT_EQ(host.requested[0], (CanvasSize{960, 600}));
}

TEST_F(Renderer, InitialBlockFillFrameAndTitle) {
    Initial initial;
    initial.line = 40;
    initial.x = 100, initial.y = 300, initial.width = 96, initial.height = 32;
    module.initialBlocks = {initial};
    const auto calls = draw();
    EXPECT_EQ(callsOf(calls, CanvasOp::kFill)[1].rect, (Rect{52, 300, 148, 332}));
    EXPECT_EQ(callsOf(calls, CanvasOp::kFill)[1].color, 0xE0E0E0u);
    EXPECT_EQ(callsOf(calls, CanvasOp::kRectangle)[0].state.pen, solidPen(2, 0x404040));
    const auto title = textCalls(calls, " Initial ");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_EQ(title[0].state.textBackground, 0xE0E0E0u);
    EXPECT_EQ(title[0].state.textColor, 0u);
}

// --- Fonts, grid, order -----------------------------------------------------

TEST_F(Renderer, SchematicFontScalesWithTheZoomButNeverBelowOnePixel) {
    module.pins = {makePin("a", 0, 200, 200)};
    for (const auto& [zoom, height] :
         {std::pair{1.0, 16}, {0.5, 8}, {0.05, 1}, {0.01, 1}, {2.0, 32}}) {
        const auto text = textCalls(draw(zoom), "a");
        ASSERT_EQ(text.size(), 1u) << zoom;
        EXPECT_EQ(text[0].state.font.pixelHeight, height) << zoom;
    }
}

TEST_F(Renderer, GridStartsAtTheCanvasEdgeAndIsLeftOutOfExportsAndPrints) {
    module.gridVisible = 1;
    module.gridSize = 64;
    canvas = {200, 130};
    auto lines = callsOf(draw(), CanvasOp::kLine);
    // Rows at 0, 64, 128 and columns at 0, 64, 128, 192.
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{0, 128}, {200, 128}}));
    EXPECT_EQ(lines[6].points, (std::vector<Point>{{192, 0}, {192, 130}}));
    EXPECT_EQ(lines[0].state.pen, dottedPen(0, 0xC0C0C0));

    module.gridSize = 8;
    EXPECT_TRUE(callsOf(draw(0.1), CanvasOp::kLine).empty());  // step 0
    module.gridSize = 64;
    EXPECT_TRUE(callsOf(draw(1.0, 1), CanvasOp::kLine).empty());
    view.exportMode = 1;
    EXPECT_TRUE(callsOf(draw(), CanvasOp::kLine).empty());
}

SchematicComment lineComment(int y) {
    SchematicComment comment;
    comment.kind = kCommentLine;
    comment.x0 = 10, comment.y0 = y, comment.x1 = 50, comment.y1 = y;
    comment.pt = 2;
    comment.color = 0x112233;
    return comment;
}

TEST_F(Renderer, MarkerPositionDecidesWhichCommentsLieBeneathTheWiring) {
    module.nets = {{"n", netWith({{100, 300, 200, 300, ""}})}};
    const auto order = [&](std::vector<SchematicComment> list) {
        comments = std::move(list);
        const auto calls = draw();
        const int wire = indexOf(calls, [](const CanvasCall& c) {
            return c.op == CanvasOp::kLine && c.points[0] == Point{100, 300};
        });
        std::string result;
        for (int y : {1, 2}) {
            const int at = indexOf(calls, [y](const CanvasCall& c) {
                return c.op == CanvasOp::kLine && c.points[0] == Point{10, y};
            });
            result += at < wire ? "below " : "above ";
        }
        return result;
    };
    EXPECT_EQ(order({lineComment(1), lineComment(2), makeMarkerComment()}), "below below ");
    EXPECT_EQ(order({makeMarkerComment(), lineComment(1), lineComment(2)}), "above above ");
    EXPECT_EQ(order({lineComment(1), makeMarkerComment(), lineComment(2)}), "below above ");
    EXPECT_EQ(order({lineComment(1), lineComment(2)}), "above above ");  // no marker
}

TEST_F(Renderer, CommentPensHandlesAndTextFont) {
    SchematicComment rect = lineComment(0);
    rect.kind = kCommentRect;
    rect.x0 = 10, rect.y0 = 20, rect.x1 = 60, rect.y1 = 80;
    SchematicComment text;
    text.kind = kCommentText;
    text.x0 = 100, text.y0 = 100, text.x1 = 140, text.y1 = 140;
    text.pt = 20;
    text.color = 0x445566;
    text.face = "Some Face";
    text.text = "one two three\r\nfour";
    comments = {makeMarkerComment(), rect, text};
    host.selected.insert({kCommentRect, "1"});
    const auto calls = draw(0.5);
    const auto outlines = callsOf(calls, CanvasOp::kPolyline);
    ASSERT_EQ(outlines.size(), 5u);  // the rectangle and its four corner handles
    EXPECT_EQ(outlines[0].state.pen, solidPen(2, 0x0000FF));
    EXPECT_EQ(outlines[0].points,
              (std::vector<Point>{{5, 10}, {30, 10}, {30, 40}, {5, 40}, {5, 10}}));
    EXPECT_EQ(outlines[1].points.front(), (Point{3, 8}));
    // Text at zoom 0.5: 10 pixels high, 5-pixel columns, wrapped into 20 pixels.
    const auto lines = callsOf(calls, CanvasOp::kText);
    std::vector<std::string> texts;
    for (const CanvasCall& call : lines) texts.push_back(call.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"one", "two", "three", "four"}));
    EXPECT_EQ(lines[0].state.font.face, "Some Face");
    EXPECT_EQ(lines[0].state.font.pixelHeight, 10);
    EXPECT_EQ(lines[0].state.textColor, 0x445566u);
    EXPECT_EQ(lines[3].points[0], (Point{50, 80}));
}

TEST_F(Renderer, DrawingOrderPutsPinsAndBlocksOverWiresAndFeedbackLast) {
    module.pins = {makePin("a", 0, 100, 100)};
    module.assigns = {placedAssign("a & b", {"a", "&", "b"})};
    module.assigns[0].ports.push_back(module.assigns[0].ports[0]);
    module.nets = {{"a", netWith({{164, 100, 300, 100, ""}})}};
    Net& net = module.nets["a"];
    net.touch[300 + 100 * 65536] = 2;
    view.edit.rubberX0 = 5, view.edit.rubberY0 = 5, view.edit.rubberX1 = 50;
    view.edit.rubberY1 = 50;
    const auto calls = draw();
    const auto first = [&](CanvasOp op) {
        return indexOf(calls, [op](const CanvasCall& c) { return c.op == op; });
    };
    const int wire = indexOf(calls, [](const CanvasCall& c) {
        return c.op == CanvasOp::kLine && c.points[0] == Point{164, 100};
    });
    const int dot = first(CanvasOp::kPolyline);
    const int pin = first(CanvasOp::kPolygon);
    const int block = first(CanvasOp::kRectangle);
    const int rubber = static_cast<int>(calls.size()) - 1;
    EXPECT_EQ(first(CanvasOp::kFill), 0);
    EXPECT_LT(wire, dot);
    EXPECT_LT(dot, pin);
    EXPECT_LT(pin, block);
    EXPECT_LT(block, rubber);
    EXPECT_EQ(calls[rubber].state.pen, solidPen(0, 0xFF7000));
}

TEST_F(Renderer, OnScreenTheGridKeepsToTheFrame) {
    module.gridVisible = 1;
    module.gridSize = 8;
    canvas = {1 << 20, 1 << 20};
    draw();
    view.scrollX = 4000;
    view.scrollY = 1000;
    RecordingCanvas target;
    SchematicRenderer(*window, view, host).paint(target, {0, 0, 200, 100}, 0);
    const auto lines = callsOf(target.drawing(), CanvasOp::kLine);
    // The two canvas edges and the lines inside the 200 x 100 frame, not 2^18 lines.
    EXPECT_LT(lines.size(), 50u);
    EXPECT_EQ(lines[1].points[0], (Point{-4000, 0}));
    EXPECT_EQ(lines[3].points[0], (Point{-4000, 16}));
}

TEST_F(Renderer, ExtremeGeometryAndZoomDrawWithoutFault) {
    Pin pin = makePin("p", 2, INT_MAX, INT_MIN, INT_MAX);
    pin.height = INT_MIN;
    pin.comment = "c";
    module.pins = {pin, makePin("q", 1, INT_MIN, INT_MAX, INT_MIN)};
    Assign assign = placedAssign("a", {"a"});
    assign.x = INT_MAX, assign.width = INT_MAX, assign.y = INT_MAX, assign.height = INT_MAX;
    assign.ports[0].x = INT_MIN, assign.ports[0].width = INT_MAX;
    module.assigns = {assign};
    Always always = placedAlways(2);
    always.x = INT_MIN, always.width = INT_MIN, always.height = INT_MIN;
    module.alwaysBlocks = {always};
    Child child = placedChild();
    child.x = INT_MAX, child.y = INT_MAX, child.viewParam = 1;
    child.overrides = {{"w", "W", std::string(300, '9')}};
    module.children = {child};
    Net net = netWith({{INT_MAX, INT_MIN, INT_MIN, INT_MAX, ""}, {40000, 1, INT_MAX, 1, ""}},
                      {pinTerminal(0), pinTerminal(-5), pinTerminal(99)}, 0, INT_MAX);
    net.touch = {{INT_MIN, 2}, {INT_MAX, 5}, {-70000, 3}};
    module.nets = {{"n", net}};
    SchematicComment ellipse = lineComment(0);
    ellipse.kind = kCommentEllipse;
    ellipse.x0 = INT_MIN, ellipse.y0 = INT_MIN, ellipse.x1 = INT_MAX, ellipse.y1 = INT_MAX;
    ellipse.pt = INT_MAX;
    SchematicComment arrow = ellipse;
    arrow.kind = kCommentArrow;
    SchematicComment text = ellipse;
    text.kind = kCommentText;
    text.text = "a b\r\nc";
    comments = {makeMarkerComment(), ellipse, arrow, text};
    view.edit.rubberX0 = INT_MIN, view.edit.rubberX1 = INT_MAX;
    view.edit.drags = {{kCommentEllipse, INT_MAX, INT_MAX, INT_MAX, INT_MAX}};
    view.edit.handRouting = view.edit.chainInProgress = true;
    view.edit.lastPoint = {INT_MIN, INT_MIN};
    view.edit.cursorPoint = {INT_MAX, INT_MAX};
    toolMode = 5;
    module.gridVisible = 1;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double zoom : {1.0, 1e300, -1e300, nan, inf, 0.0}) {
        SCOPED_TRACE(zoom);
        view.scrollX = INT_MAX;
        view.scrollY = INT_MIN;
        EXPECT_FALSE(draw(zoom).empty());
    }
}

TEST_F(Renderer, NothingIsDrawnWithoutTheModule) {
    draw();
    modules.clear();
    RecordingCanvas recording;
    SchematicRenderer renderer(*window, view, host);
    renderer.drawSchematic(recording, 800, 600, 1.0, 0, 0, 0);
    renderer.paint(recording, {0, 0, 100, 100}, 0);
    EXPECT_TRUE(recording.calls().empty());
}

// --- Editing feedback -------------------------------------------------------

TEST_F(Renderer, DragRectangleAndTheToolPreview) {
    view.edit.rubberX0 = 10, view.edit.rubberY0 = 20;
    view.edit.rubberX1 = 70, view.edit.rubberY1 = 20;
    struct Case {
        int tool;
        CanvasOp previewOp;  // kFill: none
        Pen pen;
    };
    const Case cases[] = {{0, CanvasOp::kFill, {}},
                          {1, CanvasOp::kPolyline, selectionPen()},
                          {2, CanvasOp::kLine, selectionPen()},
                          {3, CanvasOp::kLine, selectionPen()},
                          {4, CanvasOp::kPolyline, selectionPen()},
                          {5, CanvasOp::kPolyline, solidPen(0, 0xFF7000)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tool);
        toolMode = c.tool;
        const auto calls = draw();
        const int rubber = indexOf(calls, [](const CanvasCall& call) {
            return call.state.pen == solidPen(0, 0xFF7000) && call.op == CanvasOp::kPolyline;
        });
        ASSERT_GE(rubber, 0);
        const std::size_t after = calls.size() - static_cast<std::size_t>(rubber) - 1;
        if (c.previewOp == CanvasOp::kFill) {
            EXPECT_EQ(after, 0u);
            continue;
        }
        ASSERT_GE(after, 1u);
        EXPECT_EQ(calls[rubber + 1].op, c.previewOp);
        EXPECT_EQ(calls[rubber + 1].state.pen, c.pen);
        if (c.tool == 3) {
            EXPECT_EQ(after, 3u);  // the line and two strokes of the head
        }
    }
    // Two equal corners draw no rectangle.
    view.edit.rubberX1 = 10;
    toolMode = 4;
    EXPECT_TRUE(callsOf(draw(), CanvasOp::kPolyline).empty());
}

TEST_F(Renderer, SelectedNetIsDrawnAgainAndHandRoutingShowsItsPiecesAndNextStep) {
    module.nets = {{"a", netWith({{10, 10, 90, 10, ""}})},
                   {"b", netWith({{10, 50, 10, 90, "0,1"}, {10, 90, 60, 90, ""}})}};
    host.selected.insert({kKindWire, "0"});
    view.edit.handRouting = true;
    view.edit.chainInProgress = true;
    view.edit.lastPoint = {60, 90};
    view.edit.cursorPoint = {70, 200};  // farther down than across: a vertical step
    const auto calls = draw();
    const auto again = linesFrom(calls, {10, 10});
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[1].state.pen, selectionPen());
    const auto piece = linesFrom(calls, {10, 50});
    ASSERT_EQ(piece.size(), 2u);
    EXPECT_EQ(piece[1].state.pen, selectionPen());
    EXPECT_EQ(linesFrom(calls, {10, 90}).size(), 1u);  // an automatic piece: once
    const auto step = linesFrom(calls, {60, 90});
    ASSERT_EQ(step.size(), 1u);
    EXPECT_EQ(step[0].points[1], (Point{60, 200}));
}

TEST(HandRoutingCandidate, VerticalWhenNotFartherAcross) {
    EXPECT_EQ(handRoutingCandidate({10, 10}, {15, 15}), (Point{10, 15}));
    EXPECT_EQ(handRoutingCandidate({10, 10}, {16, 15}), (Point{16, 10}));
    EXPECT_EQ(handRoutingCandidate({10, 10}, {4, 30}), (Point{10, 30}));
}

TEST_F(Renderer, DraggedItemsAreOutlinedWithTheSelectionPen) {
    view.edit.drags = {{kKindAssign, 100, 100, 64, 32},
                       {kCommentLine, 10, 10, 30, -5},
                       {kCommentText, 200, 200, 40, 16},
                       {9, 1, 1, 2, 2}};
    const auto calls = draw();
    const auto outlines = callsOf(calls, CanvasOp::kPolyline);
    // The block, two line handles and the text box; a handle entry adds nothing.
    ASSERT_EQ(outlines.size(), 4u);
    EXPECT_EQ(outlines[0].points,
              (std::vector<Point>{{100, 100}, {164, 100}, {164, 132}, {100, 132}, {100, 100}}));
    EXPECT_EQ(outlines[0].state.pen, selectionPen());
    EXPECT_EQ(linesFrom(calls, {10, 10})[0].points[1], (Point{40, 5}));
}

// --- The wrapper ------------------------------------------------------------

TEST(PaintSetup, ZoomScrollFrameAndTargetByMode) {
    SchematicViewState view;
    view.scrollX = 30, view.scrollY = 40;
    const Rect frame{5, 6, 305, 206};
    const CanvasSize canvas{1000, 500};

    PaintSetup screen = choosePaintSetup(0.5, canvas, view, frame, 0, {});
    EXPECT_FALSE(screen.direct);
    EXPECT_EQ(screen.zoom, 0.5);
    EXPECT_EQ(screen.scrollX, 30);
    EXPECT_EQ(screen.frame, frame);
    EXPECT_EQ(screen.width, 500);
    EXPECT_EQ(screen.height, 250);

    view.copyRequested = 1;
    const PaintSetup copy = choosePaintSetup(0.5, canvas, view, frame, 0, {});
    EXPECT_FALSE(copy.direct);
    EXPECT_EQ(copy.zoom, 1.0);
    EXPECT_EQ(copy.scrollX, 0);
    EXPECT_EQ(copy.scrollY, 0);
    EXPECT_EQ(copy.frame, (Rect{0, 0, 1000, 500}));
    EXPECT_EQ(copy.width, 1000);

    const PaintSetup print = choosePaintSetup(2.0, canvas, view, frame, 1, {-50, -70});
    EXPECT_TRUE(print.direct);
    EXPECT_EQ(print.zoom, 2.0);
    EXPECT_EQ(print.scrollX, -50);
    EXPECT_EQ(print.scrollY, -70);
    EXPECT_EQ(print.width, 2000);

    view.copyRequested = 0;
    view.exportMode = 1;
    const PaintSetup exported = choosePaintSetup(0.5, canvas, view, frame, 0, {});
    EXPECT_TRUE(exported.direct);
    EXPECT_EQ(exported.zoom, 1.0);
    EXPECT_EQ(exported.scrollX, 0);
    EXPECT_EQ(exported.height, 500);
}

TEST_F(Renderer, ScreenPaintGoesThroughAGreyBufferCopiedAtTheFrame) {
    draw();
    view.scrollX = 20;
    RecordingCanvas target;
    SchematicRenderer(*window, view, host).paint(target, {8, 9, 208, 109}, 0);
    ASSERT_EQ(target.calls().size(), 1u);
    const CanvasCall& copy = target.calls()[0];
    EXPECT_EQ(copy.op, CanvasOp::kBuffer);
    EXPECT_EQ(copy.points[0], (Point{8, 9}));
    EXPECT_EQ(copy.rect, (Rect{0, 0, 200, 100}));
    const auto fills = callsOf(copy.buffer, CanvasOp::kFill);
    ASSERT_GE(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (Rect{0, 0, 200, 100}));
    EXPECT_EQ(fills[0].color, 0x7F8285u);
    EXPECT_EQ(fills[1].rect, (Rect{-20, 0, 780, 600}));  // the canvas, scrolled
    EXPECT_EQ(fills[1].color, 0xFFFFFFu);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Renderer, WithoutABufferTheMessageIsShownAndTheFrameDrawnDirectly) {
    draw();
    RecordingCanvas target;
    target.setBuffersAvailable(false);
    SchematicRenderer(*window, view, host).paint(target, {8, 9, 208, 109}, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "OnDrawSchematic : background bitmap image error.");
    const auto calls = target.drawing();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].op, CanvasOp::kClip);
    EXPECT_EQ(callsOf(calls, CanvasOp::kFill)[1].rect, (Rect{8, 9, 808, 609}));
    EXPECT_EQ(calls.back().op, CanvasOp::kClearClip);
}

}  // namespace
}  // namespace corvane
