// A comment of a schematic window: a figure, a text box, or the marker record
// that separates comments drawn beneath the wiring from those drawn on top.
#pragma once

#include <string>

#include "platform/text_metrics.h"

namespace corvane {

// Comment kinds, the same numbers as the window's object kinds.
inline constexpr int kCommentLine = 8;
inline constexpr int kCommentArrow = 11;
inline constexpr int kCommentRect = 14;
inline constexpr int kCommentEllipse = 19;
inline constexpr int kCommentText = 24;
inline constexpr int kCommentMarker = 25;

struct SchematicComment {
    int kind = -1;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;      // model units; two corners, or start and end
    int pt = 1;                              // line width in points, or font height in pixels
    int color = 0;                           // 0x00BBGGRR
    std::string text;                        // text comments only; lines separated by CR LF
    std::string face = fontRuleFace();       // font face of a text comment
    int sx0 = 0, sy0 = 0, sx1 = 0, sy1 = 0;  // rectangle in the summary view
    int scpType = -1;            // kind of the object the comment is attached to; -1 none
    int scpId = 0;               // index of that object
    int scpIx = 0, scpIy = 0;    // object centre minus comment centre when attached
    int scpSix = 0, scpSiy = 0;  // the same offset in the summary view
};

// The size of a text comment's text: lines split at CR LF, each measured in a
// font of height pt and the comment's face; the widest line by the sum of
// the line heights.
TextExtent commentTextExtent(const SchematicComment& comment);

inline SchematicComment makeMarkerComment() {
    SchematicComment marker;
    marker.kind = kCommentMarker;
    return marker;
}

}  // namespace corvane
