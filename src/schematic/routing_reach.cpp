#include "schematic/routing_reach.h"

#include <algorithm>
#include <cstddef>

namespace corvane {

void RouteReach::catchUp(const std::vector<Segment>& route) {
    if (route.size() < pieces_.size()) *this = RouteReach{};
    for (std::size_t i = pieces_.size(); i < route.size(); ++i) add(boxOf(route[i]));
}

int RouteReach::groupAt(RoutePoint point) {
    int group = -1;
    forEachMeeting(Box{point.x, point.y, point.x, point.y}, [&group](int piece) {
        if (group < 0) group = piece;
    });
    return group < 0 ? -1 : root(group);
}

bool RouteReach::meets(int group, const HorizontalPiece& piece) {
    const Box box{std::min(piece.x0, piece.x1), piece.y, std::max(piece.x0, piece.x1), piece.y};
    bool found = false;
    forEachMeeting(box, [&](int other) { found = found || root(other) == group; });
    return found;
}

void RouteReach::add(const Box& box) {
    const int piece = static_cast<int>(pieces_.size());
    parent_.push_back(piece);
    forEachMeeting(box, [&](int other) { parent_[static_cast<std::size_t>(root(other))] = piece; });
    pieces_.push_back(box);
    if (box.y0 == box.y1) rows_[box.y0].push_back(piece);
    if (box.x0 == box.x1) columns_[box.x0].push_back(piece);
    if (box.y0 != box.y1 && box.x0 != box.x1) slanted_.push_back(piece);
}

// A horizontal piece that meets the box lies on a row inside it, a vertical
// one in a column inside it.
template <typename Visit>
void RouteReach::forEachMeeting(const Box& box, Visit visit) const {
    const auto scan = [&](const std::map<Coord, std::vector<int>>& lines, Coord lo, Coord hi) {
        for (auto line = lines.lower_bound(lo); line != lines.end() && line->first <= hi; ++line) {
            for (int piece : line->second) {
                if (meet(box, pieces_[static_cast<std::size_t>(piece)])) visit(piece);
            }
        }
    };
    scan(rows_, box.y0, box.y1);
    scan(columns_, box.x0, box.x1);
    for (int piece : slanted_) {
        if (meet(box, pieces_[static_cast<std::size_t>(piece)])) visit(piece);
    }
}

int RouteReach::root(int piece) {
    auto at = [](int i) { return static_cast<std::size_t>(i); };
    while (parent_[at(piece)] != piece) {
        parent_[at(piece)] = parent_[at(parent_[at(piece)])];  // halves the path
        piece = parent_[at(piece)];
    }
    return piece;
}

RouteReach::Box RouteReach::boxOf(const Segment& segment) {
    return Box{std::min(segment.x0, segment.x1), std::min(segment.y0, segment.y1),
               std::max(segment.x0, segment.x1), std::max(segment.y0, segment.y1)};
}

bool RouteReach::meet(const Box& a, const Box& b) {
    return std::max(a.x0, b.x0) <= std::min(a.x1, b.x1) &&
           std::max(a.y0, b.y0) <= std::min(a.y1, b.y1);
}

}  // namespace corvane
