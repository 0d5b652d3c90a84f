// Terminal refresh: copies every net terminal's connection point from the
// pin, block port or sensitivity entry it refers to, and sets the side its
// wire leaves towards.
#pragma once

#include "database/records.h"
#include "platform/canvas.h"
#include "schematic/sensitivity_places.h"

namespace corvane {

// The role of a kind-4 terminal that stands for a sensitivity entry.
inline constexpr int kRoleSensitivity = 16;
// The role of a use on a statement's left side.
inline constexpr int kRoleWrite = 1;

// Terminal sides: the wire leaves towards +x (1) or towards -x (0).
inline constexpr int kSideLeft = 0;
inline constexpr int kSideRight = 1;

// Whether `terminal` refers to something drawable: a module pin (kind 0), a
// block port (kinds 3 to 6) or a sensitivity entry (kind 4, role 16) that
// exists. A sensitivity terminal's portIndex is the position of the block port
// the connection checks recorded for the use (direction 16, named after the
// entry); it stands for the entry of that name, the k-th such port of a name
// for the k-th entry of it. Declarations of wires and regs, and indexes outside their vectors,
// refer to nothing.
bool refersToDrawable(const Module& module, const SensitivityPlaces& sensitivity,
                      const Terminal& terminal);

// The connection point `terminal` refers to; false when it refers to nothing drawable.
bool referencedPoint(const Module& module, const SensitivityPlaces& sensitivity,
                     const Terminal& terminal, Point& point);

// Copies the referenced point into `terminal`; false (and no change) when it
// refers to nothing drawable.
bool refreshTerminal(const Module& module, const SensitivityPlaces& sensitivity,
                     Terminal& terminal);

// Refreshes every terminal of every net.
void refreshTerminals(Module& module, const SensitivityPlaces& sensitivity);

// The side generation gives `terminal`: kind 0 faces right unless the pin is an
// output; block ports face right when they are outputs; always-block terminals
// whose port index lies below the block's number of sensitivity entries face
// left. False (and `side` unchanged) when the terminal refers to nothing drawable.
bool generatedSide(const Module& module, const SensitivityPlaces& sensitivity,
                   const Terminal& terminal, int& side);

// Sets the generated side of every terminal that refers to something drawable.
void setTerminalSides(Module& module, const SensitivityPlaces& sensitivity);

// What every routing pass does first for a net it routes: a kind-4 terminal
// with role 1 (written by the block) and side 0 gets side 1.
void faceAlwaysWritesRight(Net& net);

}  // namespace corvane
