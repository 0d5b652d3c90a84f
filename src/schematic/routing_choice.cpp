#include "schematic/routing_choice.h"

namespace corvane {

Coord chooseColumn(const OccupancyQueries& occupancy, Coord x, Coord y, Coord px, Coord tx,
                   bool forceJog) {
    if (!forceJog && px == tx) return px;
    const Coord g = trunc8(px) - 8;
    const Coord h = trunc8((x + g) / 2);
    if (h <= x) return px;
    // Candidates h, h - 8, h + 8, h - 16, h + 16, ...; each one taken ends the
    // search, so it stops after at most one more candidate than there are
    // vertical pieces on row y.
    for (Coord k = 0;; ++k) {
        const Coord offset = 8 * ((k + 1) / 2);
        const Coord candidate = k % 2 == 1 ? h - offset : h + offset;
        if (candidate >= g || candidate <= x) return px;
        if (!occupancy.columnTakenAt(candidate, y)) return candidate;
    }
}

Coord endRowDown(const OccupancyQueries& occupancy, Coord x, Coord y, Coord m, Coord ty) {
    if (m == ty) return ty;
    const Coord o = trunc8(m) - 24;
    if (o <= y) return o;
    for (Coord row = o; row > y; row -= 8) {
        if (!occupancy.rowTakenAt(row, x)) return m;
    }
    return o;
}

Coord endRowUp(const OccupancyQueries& occupancy, Coord x, Coord y, Coord m, Coord ty,
               bool stoppedByBlock) {
    if (stoppedByBlock || m == ty) return m;
    const Coord o = trunc8(m) + 16;
    if (o >= y) return o;
    for (Coord row = o; row < y; row += 8) {
        if (!occupancy.rowTakenAt(row, x)) return m;
    }
    return o;
}

}  // namespace corvane
