// Following one net of a module down the design hierarchy: the module ports
// it reaches, split into the output ports that drive it and the input and
// inout ports it feeds, and the boxes the net view draws for them.
#pragma once

#include <string>
#include <vector>

#include "database/module_list.h"

namespace corvane {

// One module port the net reaches.
struct NetPortEntry {
    std::string module;    // the module's name
    std::string instance;  // the instance the trace entered it through; empty at the start module
    std::string signal;    // the port's name in that module
    int depth = 0;         // 0 at the start module, one more per instance level
    bool operator==(const NetPortEntry&) const = default;
};

struct NetTrace {
    std::vector<NetPortEntry> drivers;
    std::vector<NetPortEntry> loads;
};

// The ports `net` of `module` reaches in that module and below it. A child
// is followed through the first connection whose signal is the net's name
// exactly (a part select or expression is not followed); consecutive
// terminals of one instance are followed once. Instances of a module that
// already encloses them, and levels past the hierarchy's depth limit, are
// not entered, so a recursive design ends.
NetTrace traceNet(const ModuleList& modules, const std::string& module, const std::string& net);

// One drawn box, in canvas coordinates.
struct NetBox {
    std::string label;  // module(instance)::signal
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    std::string module;
    std::string instance;
    std::string signal;
    bool operator==(const NetBox&) const = default;
};

struct NetLayout {
    std::vector<NetBox> left;   // the drivers, deeper ones further left
    std::vector<NetBox> right;  // the loads, deeper ones further right
    int canvasWidth = 0;
    int canvasHeight = 0;
};

// The label of an entry: module + "(" + instance + ")::" + signal.
std::string netBoxLabel(const NetPortEntry& entry);

// Boxes 24 units high stacked from y = 32, as wide as their label in the
// 16-pixel font plus 16; the leftmost driver box starts at x = 32 and the
// loads start 64 units right of the drivers' right edge, 32 more per depth.
NetLayout layoutNetBoxes(const NetTrace& trace, const std::string& face);

}  // namespace corvane
