// Small builders and text forms for tests of hand-made routes: segments,
// bare terminals, and the compact texts the expected results are written in.
#pragma once

#include <string>
#include <vector>

#include "database/records.h"

namespace corvane::testing {

// A route piece from (x0, y0) to (x1, y1); `text` is the hand-routing label.
inline Segment seg(int x0, int y0, int x1, int y1, const char* text = "") {
    return Segment{x0, y0, x1, y1, text};
}

// A terminal on (x, y). By default it refers to nothing drawable, a bare point.
inline Terminal terminalAt(int x, int y, int kind = kKindWire, int index = -1, int portIndex = -1) {
    Terminal t;
    t.kind = kind;
    t.index = index;
    t.portIndex = portIndex;
    t.x = x;
    t.y = y;
    return t;
}

// A table row: a route, and the text of it a pass is expected to leave.
struct RouteCase {
    const char* what;
    std::vector<Segment> route;
    const char* expected;
};

// A route as "x0,y0-x1,y1 " per segment, in route order.
inline std::string text(const std::vector<Segment>& route) {
    std::string out;
    for (const Segment& s : route) {
        out += std::to_string(s.x0) + "," + std::to_string(s.y0) + "-" + std::to_string(s.x1) +
               "," + std::to_string(s.y1) + " ";
    }
    return out;
}

// Every net's route, one "name: route text" line each in net-name order.
inline std::string routes(const Module& module) {
    std::string out;
    for (const auto& [name, net] : module.nets) out += name + ": " + text(net.route) + "\n";
    return out;
}

// A route as its corner numbers {x0, y0, x1, y1} per segment, for comparing
// with brace lists.
inline std::vector<std::vector<int>> corners(const std::vector<Segment>& route) {
    std::vector<std::vector<int>> out;
    for (const Segment& s : route) out.push_back({s.x0, s.y0, s.x1, s.y1});
    return out;
}

}  // namespace corvane::testing
