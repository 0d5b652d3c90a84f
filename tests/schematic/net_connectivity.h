// Whether routed nets hang together: the segments of each net form one
// piece (a segment joins another where one's end lies on the other) and
// every placed terminal lies on a segment.
#pragma once

#include <algorithm>
#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "database/records.h"

namespace corvane::testing {

inline bool pointOnSegment(const Segment& s, int x, int y) {
    return std::min(s.x0, s.x1) <= x && x <= std::max(s.x0, s.x1) && std::min(s.y0, s.y1) <= y &&
           y <= std::max(s.y0, s.y1);
}

inline bool netConnected(const Net& net) {
    const std::size_t n = net.route.size();
    if (n == 0) return true;
    std::vector<std::size_t> parent(n);
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            const Segment& s = net.route[a];
            const Segment& t = net.route[b];
            if (pointOnSegment(t, s.x0, s.y0) || pointOnSegment(t, s.x1, s.y1)) {
                parent[root(a)] = root(b);
            }
        }
    }
    for (std::size_t i = 1; i < n; ++i) {
        if (root(i) != root(0)) return false;
    }
    return std::all_of(net.terminals.begin(), net.terminals.end(), [&](const Terminal& t) {
        return t.x <= 0 || std::any_of(net.route.begin(), net.route.end(), [&](const Segment& s) {
                   return pointOnSegment(s, t.x, t.y);
               });
    });
}

// The names of the nets that do not hang together.
inline std::set<std::string> brokenNets(const Module& module) {
    std::set<std::string> broken;
    for (const auto& [name, net] : module.nets) {
        if (!netConnected(net)) broken.insert(name);
    }
    return broken;
}

}  // namespace corvane::testing
