// Hand routing in the schematic window: chains from terminals and own wires,
// dog-legs, label merging, completion, taking back, Esc and End.
#include "schematic/hand_routing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/recording_canvas.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/schematic_dlg.h"

namespace corvane {
namespace {

using C = SchematicCommand;

Segment seg(int x0, int y0, int x1, int y1, std::string text = {}) {
    return {x0, y0, x1, y1, std::move(text)};
}

bool sameSegments(const std::vector<Segment>& a, const std::vector<Segment>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].x0 != b[i].x0 || a[i].y0 != b[i].y0 || a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1 ||
            a[i].text != b[i].text)
            return false;
    }
    return true;
}

std::string dump(const std::vector<Segment>& route) {
    std::string out;
    for (const Segment& s : route) {
        out += "(" + std::to_string(s.x0) + "," + std::to_string(s.y0) + ")-(" +
               std::to_string(s.x1) + "," + std::to_string(s.y1) + ")'" + s.text + "' ";
    }
    return out;
}

Pin pin(const std::string& name, int x, int y) {
    Pin p;
    p.name = name;
    p.displayName = name;
    p.direction = 0;
    p.x = x;
    p.y = y;
    p.width = 40;
    p.height = 16;
    return p;
}

Terminal pinTerminal(const Module& module, int index) {
    Terminal t;
    t.kind = kKindPin;
    t.index = index;
    t.x = module.pins[static_cast<std::size_t>(index)].x;
    t.y = module.pins[static_cast<std::size_t>(index)].y;
    return t;
}

class Recorder : public SchematicWindowHooks {
public:
    void repaint(CSchematicDlg&) override { ++repaints; }
    void showContextMenu(const std::vector<SchematicMenuItem>&, Point) override { ++menus; }
    int repaints = 0;
    int menus = 0;
};

// Net "n" (position 1 in the net map) joins pins p0 (100,100), p1 (100,300)
// and p2 (400,200); net "a" joins only pin p3 (600,400). The view is at
// zoom 1 without scrolling or snapping, so drawing-area points are model points.
class HandRoutingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Module& module = modules.append();
        module.name = "m";
        module.zoom = 1;
        module.gridSnap = 0;
        module.pins = {pin("p0", 100, 100), pin("p1", 100, 300), pin("p2", 400, 200),
                       pin("p3", 600, 400)};
        Net& n = module.nets["n"];
        for (int i = 0; i < 3; ++i) n.terminals.push_back(pinTerminal(module, i));
        n.route = {seg(100, 100, 250, 100), seg(250, 100, 250, 300), seg(100, 300, 250, 300),
                   seg(250, 200, 400, 200)};
        n.touch[junctionKey(250, 200)] = 2;
        n.lineWidth = 2;
        n.color = 0x00FF00;
        Net& a = module.nets["a"];
        a.terminals.push_back(pinTerminal(module, 3));
        a.route = {seg(600, 400, 700, 400)};
        originalRoute = n.route;
        originalTouch = n.touch;
        window = std::make_unique<CSchematicDlg>(modules, "m", standardSchematicPasses());
        window->setHooks(hooks);
    }

    Module& module() { return *window->findModule(); }
    Net& net() { return module().nets.at("n"); }
    const HandRouting& routing() { return window->handRouting(); }

    void start(int position = 1) {
        window->setSelection({{kKindWire, std::to_string(position), position}});
        window->onCommand(C::kStartHandRouting);
    }
    void click(Point p) { window->onLeftButtonDown(p), window->onLeftButtonUp(p); }
    void rightClick(Point p) { window->onRightButtonUp(p, p); }

    // The first chain: from p0 to p2, a horizontal-vertical-horizontal dog-leg.
    void routeP0ToP2() {
        click({100, 100});
        click({400, 200});
    }

    ModuleList modules;
    Recorder hooks;
    std::unique_ptr<CSchematicDlg> window;
    std::vector<Segment> originalRoute;
    std::map<int, int> originalTouch;
};

const std::vector<Segment> kP0ToP2 = {
    seg(100, 100, 250, 100, "0,2"), seg(250, 100, 250, 200, "0,2"), seg(250, 200, 400, 200, "0,2")};

TEST_F(HandRoutingWindow, StartBacksUpTheRouteAndDrawsGuideLines) {
    start();
    ASSERT_TRUE(routing().on());
    EXPECT_EQ(routing().net(), 1);
    EXPECT_EQ(routing().stepCount(), 0);
    EXPECT_TRUE(sameSegments(net().route, {seg(100 + 65536, 100, 100, 300, "temp-route"),
                                           seg(100 + 65536, 100, 400, 200, "temp-route")}))
        << dump(net().route);
    EXPECT_TRUE(net().touch.empty());
    EXPECT_TRUE(window->selection().empty());
    // Starting again while on is ignored.
    start(0);
    EXPECT_EQ(routing().net(), 1);
}

TEST_F(HandRoutingWindow, TwoChainsJoinThreeTerminalsAndFinish) {
    start();
    routeP0ToP2();
    EXPECT_TRUE(sameSegments(net().route,
                             {net().route[0], net().route[1], kP0ToP2[0], kP0ToP2[1], kP0ToP2[2]}))
        << dump(net().route);
    EXPECT_EQ(routing().stepCount(), 0);
    EXPECT_FALSE(window->modified());

    // From p1 onto the horizontal wire at (175, 100), off its row and column:
    // vertical-horizontal-vertical with the horizontal piece halfway, at y 200.
    click({100, 300});
    click({175, 100});
    EXPECT_FALSE(routing().on());
    EXPECT_EQ(routing().stepCount(), -1);
    EXPECT_TRUE(window->modified());
    EXPECT_TRUE(sameSegments(
        net().route, {seg(100, 100, 250, 100), seg(250, 100, 250, 200), seg(250, 200, 400, 200),
                      seg(100, 300, 100, 200), seg(100, 200, 175, 200), seg(175, 200, 175, 100)}))
        << dump(net().route);
    EXPECT_EQ(net().touch, (std::map<int, int>{{junctionKey(175, 100), 2}}));
    EXPECT_EQ(net().lineWidth, 2);
    EXPECT_EQ(net().color, 0x00FF00);
    EXPECT_TRUE(sameSegments(module().nets.at("a").route, {seg(600, 400, 700, 400)}));
}

TEST_F(HandRoutingWindow, SecondChainRelabelsTheWireItReaches) {
    start();
    routeP0ToP2();
    // Unplug p0's guide from completion by asking for a fourth terminal far away.
    Terminal extra = pinTerminal(module(), 3);
    net().terminals.push_back(extra);
    click({100, 300});
    click({175, 100});
    ASSERT_TRUE(routing().on());
    for (const Segment& s : net().route) {
        if (s.text != "temp-route") {
            EXPECT_EQ(s.text, "0,1,2") << dump(net().route);
        }
    }
    EXPECT_EQ(routing().chainLabel(), "0,1,2");
}

TEST_F(HandRoutingWindow, FreeClicksStepAlongTheLongerDistance) {
    start();
    click({100, 100});
    struct Step {
        Point cursor;
        Segment expected;
    };
    // |dx| = |dy| steps vertically; otherwise the longer way wins.
    const Step steps[] = {{{150, 150}, seg(100, 100, 100, 150, "0")},
                          {{230, 170}, seg(100, 150, 230, 150, "0")},
                          {{240, 200}, seg(230, 150, 230, 200, "0")}};
    for (const Step& step : steps) {
        window->onMouseMove(step.cursor);
        EXPECT_EQ(routing().cursorPoint(), step.cursor);
        click(step.cursor);
        ASSERT_FALSE(net().route.empty());
        EXPECT_TRUE(sameSegments({net().route.back()}, {step.expected})) << dump(net().route);
    }
    EXPECT_EQ(routing().stepCount(), 4);
}

TEST_F(HandRoutingWindow, ClicksThatAddNothing) {
    start();
    const std::size_t guides = net().route.size();
    click({500, 500});  // nothing before a chain has started
    click({600, 400});  // a pin of another net
    EXPECT_EQ(routing().stepCount(), 0);
    click({100, 100});
    click({100, 100});  // the chain's last point
    click({102, 101});  // a free click whose step has no length
    EXPECT_EQ(net().route.size(), guides);
    EXPECT_EQ(routing().stepCount(), 1);
    EXPECT_EQ(routing().lastPoint(), (Point{100, 100}));
}

TEST_F(HandRoutingWindow, EscAfterSeveralChainsRestoresRouteAndJunctions) {
    start();
    routeP0ToP2();
    click({100, 300});
    click({100, 250});
    // Other commands keep working while hand routing runs.
    window->onCommand(C::kZoomIn);
    EXPECT_TRUE(routing().on());
    window->onKey(SchematicKey::kEscape);
    EXPECT_FALSE(routing().on());
    EXPECT_TRUE(sameSegments(net().route, originalRoute)) << dump(net().route);
    EXPECT_EQ(net().touch, originalTouch);
    EXPECT_EQ(net().color, 0);
    EXPECT_FALSE(window->modified());
}

TEST_F(HandRoutingWindow, EndKeepsThePartialRoute) {
    start();
    routeP0ToP2();
    window->onKey(SchematicKey::kEnd);
    EXPECT_FALSE(routing().on());
    EXPECT_TRUE(sameSegments(
        net().route, {seg(100, 100, 250, 100), seg(250, 100, 250, 200), seg(250, 200, 400, 200)}))
        << dump(net().route);
    EXPECT_EQ(net().color, 0);
    EXPECT_FALSE(window->modified());
}

TEST_F(HandRoutingWindow, RightClicksTakeBackStepsThenCancel) {
    start();
    click({100, 100});
    click({100, 150});
    click({200, 150});
    ASSERT_EQ(routing().stepCount(), 3);
    rightClick({300, 300});
    EXPECT_EQ(routing().stepCount(), 2);
    EXPECT_EQ(routing().lastPoint(), (Point{100, 150}));
    EXPECT_EQ(routing().cursorPoint(), (Point{300, 300}));
    rightClick({300, 300});
    EXPECT_EQ(routing().stepCount(), 1);
    EXPECT_EQ(routing().lastPoint(), (Point{100, 100}));
    EXPECT_EQ(net().route.size(), 2u) << dump(net().route);
    rightClick({300, 300});
    EXPECT_EQ(routing().stepCount(), 0);
    EXPECT_TRUE(routing().on());
    // Only guide lines left: the right click cancels as Esc does.
    rightClick({300, 300});
    EXPECT_FALSE(routing().on());
    EXPECT_TRUE(sameSegments(net().route, originalRoute)) << dump(net().route);
    EXPECT_EQ(net().touch, originalTouch);
    EXPECT_EQ(hooks.menus, 0);
}

TEST_F(HandRoutingWindow, RightClickAfterAChainReopensIt) {
    start();
    routeP0ToP2();
    rightClick({300, 300});
    EXPECT_EQ(routing().stepCount(), 2);
    EXPECT_EQ(routing().lastPoint(), (Point{250, 200}));
    EXPECT_EQ(routing().chainLabel(), "0,2");
    EXPECT_EQ(net().route.size(), 4u) << dump(net().route);
}

TEST_F(HandRoutingWindow, ChainFromOwnWireCountsAJunction) {
    start();
    routeP0ToP2();
    click({250, 150});
    EXPECT_EQ(routing().stepCount(), 1);
    EXPECT_EQ(routing().lastPoint(), (Point{250, 150}));
    EXPECT_EQ(routing().chainLabel(), "0,2");
    EXPECT_EQ(net().touch[junctionKey(250, 150)], 2);
    // Taking the first point back removes the junction again.
    rightClick({0, 0});
    EXPECT_EQ(routing().stepCount(), 0);
    EXPECT_EQ(net().touch.count(junctionKey(250, 150)), 0u);
}

TEST_F(HandRoutingWindow, StartWithoutAWireNet) {
    window->onCommand(C::kStartHandRouting);  // empty selection
    EXPECT_FALSE(routing().on());
    window->setSelection({{kKindPin, "p0", 0}});
    window->onCommand(C::kStartHandRouting);
    EXPECT_FALSE(routing().on());
    EXPECT_TRUE(sameSegments(net().route, originalRoute));
    window->setSelection({{kKindWire, "7", 7}});  // no such net
    window->onCommand(C::kStartHandRouting);
    EXPECT_FALSE(routing().on());
}

TEST_F(HandRoutingWindow, NetWithOneTerminalDrawsNoGuideAndEscRestores) {
    start(0);
    ASSERT_TRUE(routing().on());
    EXPECT_TRUE(module().nets.at("a").route.empty());
    click({600, 400});
    click({600, 400});
    EXPECT_TRUE(module().nets.at("a").route.empty());
    window->onKey(SchematicKey::kEscape);
    EXPECT_TRUE(sameSegments(module().nets.at("a").route, {seg(600, 400, 700, 400)}));
}

// Every line the window's paint draws, buffers included.
void collectLines(const std::vector<CanvasCall>& calls, std::vector<CanvasCall>& lines) {
    for (const CanvasCall& call : calls) {
        if (call.op == CanvasOp::kLine) lines.push_back(call);
        collectLines(call.buffer, lines);
    }
}

bool drawsLine(CSchematicDlg& window, Point from, Point to, Pen pen) {
    RecordingCanvas canvas(800, 600);
    window.paint(canvas, {0, 0, 800, 600});
    std::vector<CanvasCall> lines;
    collectLines(canvas.drawing(), lines);
    return std::any_of(lines.begin(), lines.end(), [&](const CanvasCall& line) {
        return line.points == std::vector<Point>{from, to} && line.state.pen == pen;
    });
}

TEST_F(HandRoutingWindow, PaintShowsGuidesDrawnPiecesAndTheNextStep) {
    window->setCanvasSize({800, 600});
    start();
    const Pen guide{PenStyle::Dot, 2, 0xA0FFA0};
    const Pen selection{PenStyle::Solid, 3, 0x0000FF};
    EXPECT_TRUE(drawsLine(*window, {100, 100}, {400, 200}, guide));
    click({100, 100});
    click({100, 150});
    window->onMouseMove({160, 210});
    EXPECT_TRUE(drawsLine(*window, {100, 100}, {100, 150}, selection));
    EXPECT_TRUE(drawsLine(*window, {100, 150}, {100, 210}, selection));
    window->onMouseMove({260, 200});
    EXPECT_TRUE(drawsLine(*window, {100, 150}, {260, 150}, selection));
    window->onKey(SchematicKey::kEnd);
    EXPECT_FALSE(drawsLine(*window, {100, 100}, {400, 200}, guide));
}

// Random clicks, moves, take-backs, Esc, End and restarts near the
// terminals and wires: stored wires stay horizontal or vertical, labels and
// guide lines never outlive hand routing.
TEST_F(HandRoutingWindow, RandomEventsKeepTheRouteStraight) {
    std::mt19937 random(7);
    const Point targets[] = {{100, 100}, {100, 300}, {400, 200}, {600, 400}, {175, 100},
                             {250, 150}, {100, 200}, {300, 250}, {0, 0},     {65535, 65535}};
    auto point = [&] {
        const Point t = targets[random() % std::size(targets)];
        return Point{t.x + static_cast<int>(random() % 9) - 4,
                     t.y + static_cast<int>(random() % 9) - 4};
    };
    for (int step = 0; step < 3000; ++step) {
        switch (random() % 8) {
            case 0:
                start(static_cast<int>(random() % 3));
                break;
            case 1:
                window->onRightButtonUp(point(), {});
                break;
            case 2:
                window->onKey(random() % 2 ? SchematicKey::kEscape : SchematicKey::kEnd);
                break;
            case 3:
                window->onMouseMove(point());
                break;
            default:
                click(point());
                break;
        }
        for (const auto& [name, n] : module().nets) {
            for (const Segment& s : n.route) {
                if (s.text == "temp-route") {
                    ASSERT_TRUE(routing().on()) << "step " << step;
                    continue;
                }
                ASSERT_TRUE(s.x0 == s.x1 || s.y0 == s.y1)
                    << "step " << step << " " << dump(n.route);
                if (!routing().on()) {
                    ASSERT_TRUE(s.text.empty()) << "step " << step;
                }
            }
        }
    }
}

TEST(HandRoutingLabels, MergeSortsAndDropsRepeats) {
    EXPECT_EQ(mergeHandRoutingLabels("2,10", "1,2"), "1,2,10");
    EXPECT_EQ(mergeHandRoutingLabels("", "3"), "3");
    EXPECT_EQ(mergeHandRoutingLabels("x,,4", "99999999999"), "4");
}

TEST(HandRoutingLabels, FullLabelSkipsTerminalsThatTakeNoPart) {
    Net net;
    net.terminals.resize(4);
    net.terminals[1].kind = -1;
    net.terminals[2].spare = 1;
    net.terminals[0].x = 5;
    net.terminals[3].x = 7;
    EXPECT_EQ(fullHandRoutingLabel(net), "0,3");
    net.terminals[3].y = -1;
    EXPECT_EQ(fullHandRoutingLabel(net), "0");
}

}  // namespace
}  // namespace corvane
