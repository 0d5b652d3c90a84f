#include "schematic/routing_occupancy.h"

#include <limits>

namespace corvane {

namespace {

// The tests on one piece; both forms of the queries use exactly these.
bool inRange(Coord value, Coord lo, Coord hi) {
    return lo <= value && value <= hi;
}

bool covers(const VerticalPiece& piece, Coord y) {
    return piece.y0 <= y && y <= piece.y1;
}

bool covers(const HorizontalPiece& piece, Coord x) {
    return piece.x0 <= x && x <= piece.x1;
}

bool ownVertical(const VerticalPiece& piece, int net, Coord lo, Coord hi) {
    return piece.net == net && inRange(piece.x, lo, hi);
}

bool ownHorizontalAcross(const HorizontalPiece& piece, int net, Coord lo, Coord hi, Coord x) {
    return piece.net == net && inRange(piece.y, lo, hi) && covers(piece, x);
}

// Stored coordinates are ints: a key outside that range matches nothing.
bool fitsInt(Coord value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}

}  // namespace

// ---- Direct scans -------------------------------------------------------

void DirectOccupancy::addVertical(const VerticalPiece& piece) {
    lists_.vertical.push_back(piece);
}

void DirectOccupancy::addHorizontal(const HorizontalPiece& piece) {
    lists_.horizontal.push_back(piece);
}

std::optional<VerticalPiece> DirectOccupancy::firstOwnVertical(int net, Coord lo, Coord hi) const {
    for (const VerticalPiece& piece : lists_.vertical) {
        if (ownVertical(piece, net, lo, hi)) return piece;
    }
    return std::nullopt;
}

std::optional<VerticalPiece> DirectOccupancy::firstOwnVerticalAcross(int net, Coord lo, Coord hi,
                                                                     Coord y) const {
    for (const VerticalPiece& piece : lists_.vertical) {
        if (ownVertical(piece, net, lo, hi) && covers(piece, y)) return piece;
    }
    return std::nullopt;
}

bool DirectOccupancy::columnTakenAt(Coord x, Coord y) const {
    for (const VerticalPiece& piece : lists_.vertical) {
        if (piece.x == x && covers(piece, y)) return true;
    }
    return false;
}

bool DirectOccupancy::columnUsed(Coord x) const {
    for (const VerticalPiece& piece : lists_.vertical) {
        if (piece.x == x) return true;
    }
    return false;
}

std::optional<HorizontalPiece> DirectOccupancy::firstOwnHorizontalAcross(
    int net, Coord lo, Coord hi, Coord x, const HorizontalFilter& accept) const {
    for (const HorizontalPiece& piece : lists_.horizontal) {
        if (ownHorizontalAcross(piece, net, lo, hi, x) && accept(piece)) return piece;
    }
    return std::nullopt;
}

bool DirectOccupancy::rowTakenAt(Coord y, Coord x) const {
    for (const HorizontalPiece& piece : lists_.horizontal) {
        if (piece.y == y && covers(piece, x)) return true;
    }
    return false;
}

bool DirectOccupancy::rowUsed(Coord y) const {
    for (const HorizontalPiece& piece : lists_.horizontal) {
        if (piece.y == y) return true;
    }
    return false;
}

bool DirectOccupancy::rowUsedByOther(Coord y, int net) const {
    for (const HorizontalPiece& piece : lists_.horizontal) {
        if (piece.y == y && piece.net != net) return true;
    }
    return false;
}

// ---- Indexed -------------------------------------------------------------

IndexedOccupancy::IndexedOccupancy(OccupancyLists& lists) : lists_(lists) {
    for (std::size_t i = 0; i < lists_.vertical.size(); ++i) indexVertical(i);
    for (std::size_t i = 0; i < lists_.horizontal.size(); ++i) indexHorizontal(i);
}

void IndexedOccupancy::indexVertical(std::size_t position) {
    const VerticalPiece& piece = lists_.vertical[position];
    verticalByColumn_[piece.x].push_back(position);
    verticalByNet_[piece.net].push_back(position);
}

void IndexedOccupancy::indexHorizontal(std::size_t position) {
    const HorizontalPiece& piece = lists_.horizontal[position];
    horizontalByRow_[piece.y].push_back(position);
    horizontalByNet_[piece.net].push_back(position);
    auto [row, added] = rowNets_.try_emplace(piece.y, RowNets{piece.net, false});
    if (!added && row->second.first != piece.net) row->second.mixed = true;
}

const IndexedOccupancy::Positions* IndexedOccupancy::find(
    const std::unordered_map<int, Positions>& index, Coord key) {
    if (!fitsInt(key)) return nullptr;
    const auto found = index.find(static_cast<int>(key));
    return found == index.end() ? nullptr : &found->second;
}

void IndexedOccupancy::addVertical(const VerticalPiece& piece) {
    lists_.vertical.push_back(piece);
    indexVertical(lists_.vertical.size() - 1);
}

void IndexedOccupancy::addHorizontal(const HorizontalPiece& piece) {
    lists_.horizontal.push_back(piece);
    indexHorizontal(lists_.horizontal.size() - 1);
}

std::optional<VerticalPiece> IndexedOccupancy::firstOwnVertical(int net, Coord lo, Coord hi) const {
    if (const Positions* own = find(verticalByNet_, net)) {
        for (std::size_t i : *own) {
            if (ownVertical(lists_.vertical[i], net, lo, hi)) return lists_.vertical[i];
        }
    }
    return std::nullopt;
}

std::optional<VerticalPiece> IndexedOccupancy::firstOwnVerticalAcross(int net, Coord lo, Coord hi,
                                                                      Coord y) const {
    if (const Positions* own = find(verticalByNet_, net)) {
        for (std::size_t i : *own) {
            const VerticalPiece& piece = lists_.vertical[i];
            if (ownVertical(piece, net, lo, hi) && covers(piece, y)) return piece;
        }
    }
    return std::nullopt;
}

bool IndexedOccupancy::columnTakenAt(Coord x, Coord y) const {
    if (const Positions* column = find(verticalByColumn_, x)) {
        for (std::size_t i : *column) {
            if (covers(lists_.vertical[i], y)) return true;
        }
    }
    return false;
}

bool IndexedOccupancy::columnUsed(Coord x) const {
    return find(verticalByColumn_, x) != nullptr;
}

std::optional<HorizontalPiece> IndexedOccupancy::firstOwnHorizontalAcross(
    int net, Coord lo, Coord hi, Coord x, const HorizontalFilter& accept) const {
    if (const Positions* own = find(horizontalByNet_, net)) {
        for (std::size_t i : *own) {
            const HorizontalPiece& piece = lists_.horizontal[i];
            if (ownHorizontalAcross(piece, net, lo, hi, x) && accept(piece)) return piece;
        }
    }
    return std::nullopt;
}

bool IndexedOccupancy::rowTakenAt(Coord y, Coord x) const {
    if (const Positions* row = find(horizontalByRow_, y)) {
        for (std::size_t i : *row) {
            if (covers(lists_.horizontal[i], x)) return true;
        }
    }
    return false;
}

bool IndexedOccupancy::rowUsed(Coord y) const {
    return find(horizontalByRow_, y) != nullptr;
}

bool IndexedOccupancy::rowUsedByOther(Coord y, int net) const {
    if (!fitsInt(y)) return false;
    const auto row = rowNets_.find(static_cast<int>(y));
    return row != rowNets_.end() && (row->second.mixed || row->second.first != net);
}

std::unique_ptr<OccupancyQueries> makeOccupancyQueries(OccupancyLists& lists,
                                                       OccupancyIndexing indexing) {
    if (indexing == OccupancyIndexing::kDirect) return std::make_unique<DirectOccupancy>(lists);
    return std::make_unique<IndexedOccupancy>(lists);
}

}  // namespace corvane
