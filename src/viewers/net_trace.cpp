#include "viewers/net_trace.h"

#include <algorithm>

#include "platform/text_metrics.h"
#include "reports/report_text.h"

namespace corvane {

namespace {

// Pin roles that drive the net and that read it.
constexpr int kOutputRole = 1;
bool isLoadRole(int role) {
    return role == 0 || role == 2 || role == 16;
}

// The walk stops adding entries past this many, so a design whose hierarchy
// fans out enormously still gives a view in bounded time.
constexpr std::size_t kMaxEntries = std::size_t{1} << 16;

struct TraceWalk {
    const ModuleList& modules;
    NetTrace& trace;
    std::vector<std::string> enclosing;  // the modules of the current path

    bool full() const { return trace.drivers.size() + trace.loads.size() >= kMaxEntries; }

    void collect(const std::string& moduleName, const std::string& instance,
                 const std::string& netName, int depth) {
        const Module* module = modules.find(moduleName);
        if (module == nullptr || depth > kMaxInstanceDepth) {
            return;
        }
        const auto net = module->nets.find(netName);
        if (net == module->nets.end()) {
            return;
        }
        enclosing.push_back(moduleName);
        std::string lastModule;
        std::string lastInstance;
        for (const Terminal& terminal : net->second.terminals) {
            if (full()) {
                break;
            }
            if (terminal.kind == 5) {
                descend(*module, terminal.index, netName, depth, lastModule, lastInstance);
            } else if (terminal.kind == 0) {
                const NetPortEntry entry{moduleName, instance, netName, depth};
                if (terminal.role == kOutputRole) {
                    trace.drivers.push_back(entry);
                } else if (isLoadRole(terminal.role)) {
                    trace.loads.push_back(entry);
                }
            }
        }
        enclosing.pop_back();
    }

    void descend(const Module& module, int childIndex, const std::string& netName, int depth,
                 std::string& lastModule, std::string& lastInstance) {
        if (childIndex < 0 || static_cast<std::size_t>(childIndex) >= module.children.size()) {
            return;
        }
        const Child& child = module.children[static_cast<std::size_t>(childIndex)];
        if (child.moduleName == lastModule && child.name == lastInstance) {
            return;
        }
        const auto connection =
            std::find_if(child.connections.begin(), child.connections.end(),
                         [&](const Connection& c) { return c.signal == netName; });
        const bool recursive = std::find(enclosing.begin(), enclosing.end(), child.moduleName) !=
                               enclosing.end();
        if (connection != child.connections.end() && !connection->port.empty() && !recursive) {
            collect(child.moduleName, child.name, connection->port, depth + 1);
        }
        lastModule = child.moduleName;
        lastInstance = child.name;
    }
};

}  // namespace

NetTrace traceNet(const ModuleList& modules, const std::string& module, const std::string& net) {
    NetTrace trace;
    TraceWalk walk{modules, trace, {}};
    walk.collect(module, "", net, 0);
    return trace;
}

std::string netBoxLabel(const NetPortEntry& entry) {
    return entry.module + "(" + entry.instance + ")::" + entry.signal;
}

namespace {

NetBox boxOf(const NetPortEntry& entry, int x0, int y0, int x1) {
    return NetBox{netBoxLabel(entry), x0, y0, x1, y0 + 24, entry.module, entry.instance,
                  entry.signal};
}

int roundedUpSize(int extent) {
    return ((extent + 32) / 16 + 1) * 16;
}

}  // namespace

NetLayout layoutNetBoxes(const NetTrace& trace, const std::string& face) {
    const TextMetrics metrics;
    NetLayout layout;
    int leftmost = 0;
    for (std::size_t k = 0; k < trace.drivers.size(); ++k) {
        const NetPortEntry& entry = trace.drivers[k];
        const int width = metrics.width(face, 16, netBoxLabel(entry));
        const int x1 = -32 * (entry.depth + 1);
        const int x0 = x1 - width - 16;
        layout.left.push_back(boxOf(entry, x0, 32 + 24 * static_cast<int>(k), x1));
        leftmost = std::min(leftmost, x0);
    }
    int driversRight = 0;
    for (NetBox& box : layout.left) {
        box.x0 += 32 - leftmost;
        box.x1 += 32 - leftmost;
        driversRight = std::max(driversRight, box.x1);
    }
    for (std::size_t k = 0; k < trace.loads.size(); ++k) {
        const NetPortEntry& entry = trace.loads[k];
        const int width = metrics.width(face, 16, netBoxLabel(entry));
        const int x0 = driversRight + 32 + 32 * entry.depth + 32;
        layout.right.push_back(boxOf(entry, x0, 32 + 24 * static_cast<int>(k), x0 + width + 16));
    }
    int maxX = 0;
    int maxY = 0;
    for (const auto* boxes : {&layout.left, &layout.right}) {
        for (const NetBox& box : *boxes) {
            maxX = std::max(maxX, box.x1);
            maxY = std::max(maxY, box.y1);
        }
    }
    layout.canvasWidth = roundedUpSize(maxX);
    layout.canvasHeight = roundedUpSize(maxY);
    return layout;
}

}  // namespace corvane
