// What lies under a point of a schematic: the one hit test every mouse
// action of the schematic window uses, and the single-comment rules that
// rectangle selection applies to a click.
#pragma once

#include <string>
#include <vector>

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/schematic_comment.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

// Object kinds of the schematic window besides the database and comment
// kinds: handles of the figures.
inline constexpr int kHitNothing = -1;
inline constexpr int kHandleLineStart = 9;
inline constexpr int kHandleLineEnd = 10;
inline constexpr int kHandleArrowStart = 12;
inline constexpr int kHandleArrowEnd = 13;
inline constexpr int kHandleRectX0Y0 = 15;
inline constexpr int kHandleRectX1Y0 = 16;
inline constexpr int kHandleRectX1Y1 = 17;
inline constexpr int kHandleRectX0Y1 = 18;
inline constexpr int kHandleEllipseLeft = 20;
inline constexpr int kHandleEllipseTop = 21;
inline constexpr int kHandleEllipseRight = 22;
inline constexpr int kHandleEllipseBottom = 23;

inline bool isCommentKind(int kind) {
    return kind == kCommentLine || kind == kCommentArrow || kind == kCommentRect ||
           kind == kCommentEllipse || kind == kCommentText;
}
inline bool isHandleKind(int kind) {
    return kind >= kHandleLineStart && kind <= kHandleEllipseBottom && !isCommentKind(kind);
}

struct SchematicHit {
    int kind = kHitNothing;
    int index = 0;     // position in the object's vector (a net's position in the map)
    std::string name;  // the selection name of the object
    int segment = -1;  // wires: the segment's index in the route
    bool hasConnection = false;
    Point connection;  // pins, and blocks hit near a port
};

// The hit test at model point `p`: pins, blocks (assign, always, instance,
// initial), wires but hand-routing guides, then comments in vector order with
// their handles first. A click near a corner that has no handle on that
// comment hits nothing at all.
SchematicHit hitTestSchematic(const Module& module, const SensitivityPlaces& sensitivity,
                              const std::vector<SchematicComment>& comments, Point p);

// The hit of comment `index` alone at `p`: a handle kind, the comment's own
// kind, kHitNothing when `p` misses it, or -2 when `p` lies near a corner the
// comment has no handle at (which ends a hit test).
inline constexpr int kHitBlockedCorner = -2;
int hitComment(const SchematicComment& comment, Point p);

// The selection name of block `index` of `kind`: an assign's name, an
// instance's instance name, an always or initial block's line in decimal.
std::string blockSelectionName(const Module& module, int kind, int index);

}  // namespace corvane
