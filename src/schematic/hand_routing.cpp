#include "schematic/hand_routing.h"

#include <algorithm>
#include <set>

#include "schematic/clamped_int.h"
#include "schematic/cleanup_junctions.h"
#include "schematic/render_context.h"
#include "schematic/render_feedback.h"
#include "schematic/schematic_hit_test.h"
#include "schematic/terminal_refresh.h"

namespace corvane {

namespace {

constexpr int kGuideOffset = 65536;
constexpr int kFirstGuideX = 32769;

bool isGuide(const Segment& s) {
    return s.text == kGuideSegmentText || s.x0 >= kFirstGuideX;
}

bool takesPart(const Terminal& t) {
    return t.kind != -1 && t.spare == 0;
}

bool isBlockKind(int kind) {
    return kind >= kKindAssign && kind <= kKindInitial;
}

int midpoint(int a, int b) {
    return static_cast<int>((static_cast<long long>(a) + b) / 2);
}

// Labels are written by this file only, but a file may hold any text: a
// piece that is not a number is left out.
std::set<int> labelIndices(const std::string& label) {
    std::set<int> out;
    std::size_t at = 0;
    while (at <= label.size()) {
        const std::size_t comma = std::min(label.find(',', at), label.size());
        const std::string piece = label.substr(at, comma - at);
        if (!piece.empty() && piece.size() < 10 &&
            std::all_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; }))
            out.insert(std::stoi(piece));
        at = comma + 1;
    }
    return out;
}

// The click point moved onto segment `s` (horizontal or vertical).
Point ontoSegment(const Segment& s, Point p) {
    if (s.x0 == s.x1) return {s.x0, std::clamp(p.y, std::min(s.y0, s.y1), std::max(s.y0, s.y1))};
    return {std::clamp(p.x, std::min(s.x0, s.x1), std::max(s.x0, s.x1)), s.y0};
}

// The junction check over the wires of `net`, guide lines left out.
void checkWireJunctions(Net& net) {
    Net wires;
    wires.touch = std::move(net.touch);
    for (const Segment& s : net.route) {
        if (!isGuide(s)) wires.route.push_back(s);
    }
    checkNetJunctions(wires);
    net.touch = std::move(wires.touch);
}

void removeGuidesAndLabels(Net& net) {
    std::erase_if(net.route, isGuide);
    for (Segment& s : net.route) s.text.clear();
}

}  // namespace

std::string handRoutingLabel(std::vector<int> indices) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::string out;
    for (int i : indices) {
        if (!out.empty()) out += ',';
        out += std::to_string(i);
    }
    return out;
}

std::string mergeHandRoutingLabels(const std::string& a, const std::string& b) {
    std::set<int> all = labelIndices(a);
    all.merge(labelIndices(b));
    return handRoutingLabel({all.begin(), all.end()});
}

std::string fullHandRoutingLabel(const Net& net) {
    std::vector<int> indices;
    for (std::size_t i = 0; i < net.terminals.size(); ++i) {
        const Terminal& t = net.terminals[i];
        if (takesPart(t) && t.x >= 0 && t.y >= 0) indices.push_back(static_cast<int>(i));
    }
    return handRoutingLabel(std::move(indices));
}

Net* HandRouting::handNet(Module& module) const {
    if (net_ < 0 || static_cast<std::size_t>(net_) >= module.nets.size()) return nullptr;
    return &std::next(module.nets.begin(), net_)->second;
}

bool HandRouting::start(Module& module, const SensitivityPlaces& sensitivity, int position) {
    if (on()) return false;
    steps_ = 0;
    label_.clear();
    net_ = position;
    Net* net = handNet(module);
    if (!net) {
        net_ = -1;
        return false;
    }
    routeBackup_ = std::move(net->route);
    net->route.clear();
    touchBackup_ = std::move(net->touch);
    net->touch.clear();
    std::vector<Point> points;
    for (const Terminal& t : net->terminals) {
        Point p;
        if (takesPart(t) && referencedPoint(module, sensitivity, t, p) && p.x >= 0 && p.y >= 0)
            points.push_back(p);
    }
    if (points.size() >= 2) {
        for (std::size_t i = 1; i < points.size(); ++i) {
            net->route.push_back({addClamped(points[0].x, kGuideOffset), points[0].y, points[i].x,
                                  points[i].y, std::string(kGuideSegmentText)});
        }
        styleSaved_ = true;
        savedLineWidth_ = net->lineWidth;
        savedColor_ = net->color;
    }
    return true;
}

HandRouting::Reached HandRouting::reachedBy(Module& module, const SensitivityPlaces& sensitivity,
                                            const std::vector<SchematicComment>& comments, Point p,
                                            Point click) const {
    Reached reached;
    const Net* net = handNet(module);
    const SchematicHit hit = hitTestSchematic(module, sensitivity, comments, p);
    if (!net) return reached;
    if ((hit.kind == kKindPin || isBlockKind(hit.kind)) && hit.hasConnection) {
        for (std::size_t i = 0; i < net->terminals.size(); ++i) {
            const Terminal& t = net->terminals[i];
            Point at;
            if (!takesPart(t) || t.kind != hit.kind || t.index != hit.index ||
                !referencedPoint(module, sensitivity, t, at) || !(at == hit.connection))
                continue;
            reached.hit = true;
            reached.point = hit.connection;
            reached.label = std::to_string(i);
            return reached;
        }
        return reached;
    }
    if (hit.kind != kKindWire || hit.index != net_ || hit.segment < 0 ||
        static_cast<std::size_t>(hit.segment) >= net->route.size())
        return reached;
    const Segment& s = net->route[static_cast<std::size_t>(hit.segment)];
    if (isGuide(s)) return reached;
    reached.hit = true;
    reached.wire = true;
    reached.horizontalWire = s.y0 == s.y1 && s.x0 != s.x1;
    reached.point = ontoSegment(s, click);
    reached.label = s.text;
    return reached;
}

HandRouting::Outcome HandRouting::leftButtonDown(Module& module,
                                                 const SensitivityPlaces& sensitivity,
                                                 const std::vector<SchematicComment>& comments,
                                                 Point p, Point click) {
    Net* net = handNet(module);
    if (!net) return Outcome::kIgnored;
    const Reached reached = reachedBy(module, sensitivity, comments, p, click);
    if (!chainInProgress()) {
        if (!reached.hit) return Outcome::kRepaint;
        return startChain(*net, reached, click);
    }
    return extendChain(*net, reached, click);
}

HandRouting::Outcome HandRouting::startChain(Net& net, const Reached& reached, Point) {
    last_ = cursor_ = reached.point;
    steps_ = 1;
    if (reached.wire) net.touch[junctionKey(last_.x, last_.y)] += 2;
    label_ = reached.label;
    return Outcome::kRepaint;
}

void HandRouting::appendStep(Net& net, Point from, Point to) {
    net.route.push_back({from.x, from.y, to.x, to.y, label_});
}

HandRouting::Outcome HandRouting::extendChain(Net& net, const Reached& reached, Point click) {
    if (!reached.hit) {
        cursor_ = click;
        const Point candidate = handRoutingCandidate(last_, cursor_);
        if (candidate == last_) return Outcome::kIgnored;
        appendStep(net, last_, candidate);
        last_ = cursor_ = candidate;
        ++steps_;
        return Outcome::kRepaint;
    }
    const Point to = reached.point;
    if (to == last_) return Outcome::kIgnored;
    if (to.x == last_.x || to.y == last_.y) {
        appendStep(net, last_, to);
    } else if (reached.horizontalWire) {
        const int m = midpoint(last_.y, to.y);
        appendStep(net, last_, {last_.x, m});
        appendStep(net, {last_.x, m}, {to.x, m});
        appendStep(net, {to.x, m}, to);
    } else {
        const int m = midpoint(last_.x, to.x);
        appendStep(net, last_, {m, last_.y});
        appendStep(net, {m, last_.y}, {m, to.y});
        appendStep(net, {m, to.y}, to);
    }
    if (reached.wire) net.touch[junctionKey(to.x, to.y)] += 2;
    return endChain(net, reached);
}

HandRouting::Outcome HandRouting::endChain(Net& net, const Reached& reached) {
    const std::string merged = mergeHandRoutingLabels(label_, reached.label);
    for (Segment& s : net.route) {
        if (!s.text.empty() && !isGuide(s) && (s.text == label_ || s.text == reached.label))
            s.text = merged;
    }
    label_ = merged;
    const std::string full = fullHandRoutingLabel(net);
    const bool joined =
        !full.empty() && std::any_of(net.route.begin(), net.route.end(),
                                     [&](const Segment& s) { return s.text == full; });
    if (!joined) {
        steps_ = 0;
        return Outcome::kRepaint;
    }
    removeGuidesAndLabels(net);
    if (styleSaved_) {
        net.lineWidth = savedLineWidth_;
        net.color = savedColor_;
    }
    turnOff();
    return Outcome::kFinished;
}

bool HandRouting::mouseMove(Point p) {
    if (!chainInProgress() || p == cursor_) return false;
    cursor_ = p;
    return true;
}

HandRouting::Outcome HandRouting::rightButtonUp(Module& module, Point p) {
    Net* net = handNet(module);
    if (!net) return Outcome::kIgnored;
    if (steps_ <= 0) {
        if (net->route.empty() || isGuide(net->route.back())) return Outcome::kCancel;
        const Segment taken = net->route.back();
        net->route.pop_back();
        last_ = {taken.x0, taken.y0};
        cursor_ = p;
        label_ = taken.text;
        // Further right clicks take back the chain's earlier steps too.
        const bool more = !net->route.empty() && !isGuide(net->route.back()) &&
                          Point{net->route.back().x1, net->route.back().y1} == last_;
        steps_ = more ? 2 : 1;
    } else if (steps_ == 1) {
        net->touch.erase(junctionKey(last_.x, last_.y));
        steps_ = 0;
        last_ = cursor_ = {};
    } else {
        --steps_;
        if (!net->route.empty() && !isGuide(net->route.back())) {
            last_ = {net->route.back().x0, net->route.back().y0};
            net->route.pop_back();
        }
        cursor_ = p;
    }
    checkWireJunctions(*net);
    return Outcome::kRepaint;
}

void HandRouting::cancel(Module& module) {
    if (Net* net = handNet(module)) {
        net->color = 0;
        net->route = std::move(routeBackup_);
        for (Segment& s : net->route) s.text.clear();
        net->touch = std::move(touchBackup_);
    }
    turnOff();
}

void HandRouting::finish(Module& module) {
    if (Net* net = handNet(module)) {
        net->color = 0;
        removeGuidesAndLabels(*net);
        checkWireJunctions(*net);
    }
    turnOff();
}

void HandRouting::turnOff() {
    net_ = -1;
    steps_ = -1;
    label_.clear();
    last_ = cursor_ = {};
    routeBackup_.clear();
    touchBackup_.clear();
    styleSaved_ = false;
}

void HandRouting::fillView(SchematicEditView& view) const {
    view.handRouting = on();
    view.chainInProgress = chainInProgress();
    view.lastPoint = last_;
    view.cursorPoint = cursor_;
}

}  // namespace corvane
