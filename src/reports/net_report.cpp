#include "reports/net_report.h"

#include <optional>

#include "database/module_name_index.h"
#include "reports/report_text.h"

namespace corvane {

namespace {

// The child instance of the kind-5 terminal last met at one level; a further
// terminal with the same line and instance is a second port of that instance.
struct ChildUse {
    int line = 0;
    const Child* child = nullptr;

    bool repeatedBy(int otherLine, const Child& other) const {
        return line == otherLine && child->moduleName == other.moduleName &&
               child->name == other.name;
    }
};

class NetTracer {
public:
    NetTracer(const ModuleList& modules, NetUsage& usage, MessageLog& log)
        : modules_(modules), usage_(usage), log_(log) {}

    void trace(const std::string& moduleName, const std::string& netName, int depth) {
        const Module* module = modules_.find(moduleName);
        if (module == nullptr) return;
        const auto net = module->nets.find(netName);
        if (net == module->nets.end() || !walk_.takeNode()) return;
        log_.appendLog(std::string(static_cast<std::size_t>(depth), '\t') + moduleName + " - " +
                       netName + "\r\n");
        walk_.enter(moduleName);
        std::optional<ChildUse> previous;
        for (const Terminal& terminal : net->second.terminals) {
            recordUsage(terminal, usage_);
            std::string line(static_cast<std::size_t>(depth) + 1, '\t');
            line += std::to_string(terminal.line) + " : ";
            const Child* child =
                terminal.kind == kKindChild ? terminalChild(*module, terminal) : nullptr;
            if (child != nullptr && !(previous && previous->repeatedBy(terminal.line, *child))) {
                log_.appendLog(line + "child module " + child->moduleName + " (" + child->name +
                               ")\r\n");
                previous = ChildUse{terminal.line, child};
                descend(*child, netName, depth);
                continue;
            }
            // A second port of the same instance shows only its direction and range.
            if (child == nullptr) line += kindText(*module, terminal);
            line += std::string(directionText(terminal.role)) +
                    rangeText(terminal.msb, terminal.lsb) + "\r\n";
            log_.appendLog(line);
        }
        walk_.leave();
    }

private:
    // Follows the net into the instance through the first connection that
    // carries it, unless the instance's module is already on the path.
    void descend(const Child& child, const std::string& netName, int depth) {
        if (!walk_.mayDescend(child.moduleName, depth)) return;
        for (const Connection& connection : child.connections) {
            if (connection.signal != netName) continue;
            trace(child.moduleName, connection.port, depth + 1);
            return;
        }
    }

    ModuleNameIndex modules_;
    NetUsage& usage_;
    MessageLog& log_;
    InstanceWalk walk_;
};

}  // namespace

void traceNet(const ModuleList& modules, const std::string& moduleName, const std::string& netName,
              int depth, NetUsage& usage, MessageLog& log) {
    // A caller's starting depth only sets the indent; it is held to the walk's limit.
    const int start = depth < 0 ? 0 : (depth > kMaxInstanceDepth ? kMaxInstanceDepth : depth);
    NetTracer(modules, usage, log).trace(moduleName, netName, start);
}

}  // namespace corvane
