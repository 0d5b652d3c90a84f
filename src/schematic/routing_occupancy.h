// The questions the router asks of the occupancy lists, in two forms that
// give the same answers: one scans the lists as they stand, the other keeps
// indexes beside them so a pass over a large module stays fast.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "schematic/occupancy.h"
#include "schematic/routing_geometry.h"

namespace corvane {

// Which of the pieces that meet a query's other conditions may answer it.
using HorizontalFilter = std::function<bool(const HorizontalPiece&)>;

class OccupancyQueries {
public:
    virtual ~OccupancyQueries() = default;

    // Appends a piece to its list.
    virtual void addVertical(const VerticalPiece& piece) = 0;
    virtual void addHorizontal(const HorizontalPiece& piece) = 0;

    // The first vertical piece of `net` in list order in a column lo <= x <= hi.
    virtual std::optional<VerticalPiece> firstOwnVertical(int net, Coord lo, Coord hi) const = 0;
    // The same, among pieces that also cover row y (y0 <= y <= y1).
    virtual std::optional<VerticalPiece> firstOwnVerticalAcross(int net, Coord lo, Coord hi,
                                                                Coord y) const = 0;
    // Whether a vertical piece of any net stands in column x and covers row y.
    virtual bool columnTakenAt(Coord x, Coord y) const = 0;
    // Whether any vertical piece stands in column x.
    virtual bool columnUsed(Coord x) const = 0;

    // The first horizontal piece of `net` in list order on a row lo <= y <= hi
    // that covers column x (x0 <= x <= x1) and that `accept` takes.
    virtual std::optional<HorizontalPiece> firstOwnHorizontalAcross(
        int net, Coord lo, Coord hi, Coord x, const HorizontalFilter& accept) const = 0;
    // Whether a horizontal piece of any net lies on row y and covers column x.
    virtual bool rowTakenAt(Coord y, Coord x) const = 0;
    // Whether any horizontal piece lies on row y.
    virtual bool rowUsed(Coord y) const = 0;
    // Whether a horizontal piece of a net other than `net` lies on row y.
    virtual bool rowUsedByOther(Coord y, int net) const = 0;
};

// Answers every question by scanning the whole list.
class DirectOccupancy final : public OccupancyQueries {
public:
    explicit DirectOccupancy(OccupancyLists& lists) : lists_(lists) {}

    void addVertical(const VerticalPiece& piece) override;
    void addHorizontal(const HorizontalPiece& piece) override;
    std::optional<VerticalPiece> firstOwnVertical(int net, Coord lo, Coord hi) const override;
    std::optional<VerticalPiece> firstOwnVerticalAcross(int net, Coord lo, Coord hi,
                                                        Coord y) const override;
    bool columnTakenAt(Coord x, Coord y) const override;
    bool columnUsed(Coord x) const override;
    std::optional<HorizontalPiece> firstOwnHorizontalAcross(
        int net, Coord lo, Coord hi, Coord x, const HorizontalFilter& accept) const override;
    bool rowTakenAt(Coord y, Coord x) const override;
    bool rowUsed(Coord y) const override;
    bool rowUsedByOther(Coord y, int net) const override;

private:
    OccupancyLists& lists_;
};

// Keeps, beside the lists, the pieces of each column, row and net in list
// order, so each question looks only at the pieces that can answer it.
class IndexedOccupancy final : public OccupancyQueries {
public:
    // Indexes what the lists already hold.
    explicit IndexedOccupancy(OccupancyLists& lists);

    void addVertical(const VerticalPiece& piece) override;
    void addHorizontal(const HorizontalPiece& piece) override;
    std::optional<VerticalPiece> firstOwnVertical(int net, Coord lo, Coord hi) const override;
    std::optional<VerticalPiece> firstOwnVerticalAcross(int net, Coord lo, Coord hi,
                                                        Coord y) const override;
    bool columnTakenAt(Coord x, Coord y) const override;
    bool columnUsed(Coord x) const override;
    std::optional<HorizontalPiece> firstOwnHorizontalAcross(
        int net, Coord lo, Coord hi, Coord x, const HorizontalFilter& accept) const override;
    bool rowTakenAt(Coord y, Coord x) const override;
    bool rowUsed(Coord y) const override;
    bool rowUsedByOther(Coord y, int net) const override;

private:
    using Positions = std::vector<std::size_t>;  // positions in a list, ascending
    // Which nets have pieces on a row: the first one seen, and whether others did too.
    struct RowNets {
        int first = 0;
        bool mixed = false;
    };

    void indexVertical(std::size_t position);
    void indexHorizontal(std::size_t position);
    static const Positions* find(const std::unordered_map<int, Positions>& index, Coord key);

    OccupancyLists& lists_;
    std::unordered_map<int, Positions> verticalByColumn_;
    std::unordered_map<int, Positions> verticalByNet_;
    std::unordered_map<int, Positions> horizontalByRow_;
    std::unordered_map<int, Positions> horizontalByNet_;
    std::unordered_map<int, RowNets> rowNets_;
};

enum class OccupancyIndexing { kDirect, kIndexed };

std::unique_ptr<OccupancyQueries> makeOccupancyQueries(OccupancyLists& lists,
                                                       OccupancyIndexing indexing);

}  // namespace corvane
