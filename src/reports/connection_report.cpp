#include "reports/connection_report.h"

#include "reports/clock_detection.h"
#include "reports/net_report.h"
#include "reports/report_text.h"

namespace corvane {

namespace {

const Module* targetModule(const ModuleList& modules, const std::string& moduleName) {
    return moduleName.empty() ? nullptr : modules.find(moduleName);
}

std::string netBlock(const Module& module, const std::string& netName, const Net& net) {
    std::string text = "Net : " + netName + "\r\n";
    for (const Terminal& terminal : net.terminals) {
        text += "\t" + std::to_string(terminal.line) + " : " + kindText(module, terminal);
        text += std::string(directionText(terminal.role)) + rangeText(terminal.msb, terminal.lsb);
        text += "\r\n";
    }
    return text + "\r\n";
}

}  // namespace

void writeConnectionReport(const ModuleList& modules, const std::string& moduleName,
                           MessageLog& log) {
    const Module* module = targetModule(modules, moduleName);
    if (module == nullptr) return;
    log.appendLog("\r\n======== Signal connection of module \"" + moduleName + "\" ========\r\n");
    for (const auto& [netName, net] : module->nets) log.appendLog(netBlock(*module, netName, net));
}

void writeNetReport(const ModuleList& modules, const std::string& moduleName,
                    const std::string& netName, MessageLog& log) {
    const Module* module = targetModule(modules, moduleName);
    if (module == nullptr) return;
    log.appendLog("\r\n======== Net \"" + netName + "\" at module \"" + moduleName +
                  "\" ========\r\n");
    NetUsage usage;
    traceNet(modules, moduleName, netName, 0, usage, log);
    log.appendLog("\r\n");
    writeClockCheck(netName, module->filePath, usage, log);
}

}  // namespace corvane
