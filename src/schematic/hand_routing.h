// Hand routing: the user throws away the automatic route of one net and
// draws it again, chain by chain, from its terminals. The state machine lives
// here, free of the window; the schematic window forwards its mouse, keys and
// the start command while hand routing is on.
//
// While it runs, every segment the user draws carries a label in its text:
// the sorted terminal indices that piece of wire is connected to ("0,2").
// Guide lines from the first terminal to every other one are stored as
// segments with the text "temp-route" and x0 + 65536.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/schematic_comment.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

struct SchematicEditView;

// The label of a set of terminal indices: ascending, no repetitions, joined by ",".
std::string handRoutingLabel(std::vector<int> indices);
// The sorted union of two labels.
std::string mergeHandRoutingLabels(const std::string& a, const std::string& b);
// The label of every terminal that takes part: kind not -1, spare 0, point not negative.
std::string fullHandRoutingLabel(const Net& net);

class HandRouting {
public:
    // What a mouse event asks of the window besides what it changed.
    enum class Outcome {
        kIgnored,   // nothing changed
        kRepaint,   // the route or the preview changed
        kFinished,  // every terminal is joined: hand routing is off, the window is modified
        kCancel,    // the window must cancel hand routing (as by Esc)
    };

    bool on() const { return net_ >= 0; }
    // Position of the hand-routed net in the module's net map; -1 when off.
    int net() const { return net_; }
    // 0: no chain in progress; 1 or more: a chain is in progress; -1 after finishing.
    int stepCount() const { return steps_; }
    bool chainInProgress() const { return on() && steps_ >= 1; }
    const std::string& chainLabel() const { return label_; }
    Point lastPoint() const { return last_; }
    Point cursorPoint() const { return cursor_; }

    // Takes over net `position` of `module`: backs up and empties its route and
    // junctions and draws the guide lines. False (nothing changed) when
    // already on or there is no such net. Either way the chain state restarts.
    bool start(Module& module, const SensitivityPlaces& sensitivity, int position);

    // A left click: `p` is the unsnapped model point used for the hit test,
    // `click` the snapped one.
    Outcome leftButtonDown(Module& module, const SensitivityPlaces& sensitivity,
                           const std::vector<SchematicComment>& comments, Point p, Point click);
    // The mouse at snapped model point `p`; true when the preview changed.
    bool mouseMove(Point p);
    // A right click at unsnapped model point `p`: takes back the last step.
    Outcome rightButtonUp(Module& module, Point p);

    // Esc: the route and junctions as they were before start, colour black.
    void cancel(Module& module);
    // End: keeps what was drawn, drops the guide lines and the labels.
    void finish(Module& module);

    // What the drawing shows of hand routing.
    void fillView(SchematicEditView& view) const;

private:
    struct Reached {
        bool hit = false;
        Point point;
        std::string label;
        bool wire = false;
        bool horizontalWire = false;
    };
    Net* handNet(Module& module) const;
    Reached reachedBy(Module& module, const SensitivityPlaces& sensitivity,
                      const std::vector<SchematicComment>& comments, Point p, Point click) const;
    Outcome startChain(Net& net, const Reached& reached, Point click);
    Outcome extendChain(Net& net, const Reached& reached, Point click);
    void appendStep(Net& net, Point from, Point to);
    Outcome endChain(Net& net, const Reached& reached);
    void turnOff();

    int net_ = -1;
    int steps_ = -1;
    std::string label_;
    Point last_;
    Point cursor_;
    std::vector<Segment> routeBackup_;
    std::map<int, int> touchBackup_;
    bool styleSaved_ = false;
    int savedLineWidth_ = 0;
    int savedColor_ = 0;
};

}  // namespace corvane
