// Coordinates, points and fixed numbers shared by the parts of the router.
//
// The router computes in 64 bits: a loaded schematic may hold coordinates
// anywhere in the int range, and track arithmetic (+16, midpoints, sums with
// the half widest block) must not overflow on them. Pieces are stored as the
// model's ints.
#pragma once

#include <cstdint>

namespace corvane {

using Coord = std::int64_t;

struct RoutePoint {
    Coord x = 0;
    Coord y = 0;

    friend bool operator==(const RoutePoint&, const RoutePoint&) = default;
};

// The point a route step or stub returns when a connection is finished.
inline constexpr RoutePoint kRouteDone{0, 0};

// Tracks lie on multiples of 8: v rounded towards zero to a multiple of 8.
constexpr Coord trunc8(Coord v) {
    return v / 8 * 8;
}

// Bound of the row searches downwards, in canvas units (1677216, not 2^24).
inline constexpr Coord kRowSearchLimit = 1677216;
// Far limit of the right stub's ray.
inline constexpr Coord kRightStubReach = 262144;

}  // namespace corvane
