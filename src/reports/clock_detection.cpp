#include "reports/clock_detection.h"

#include "text/text_helpers.h"

namespace corvane {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool hasResetWord(std::string_view text) {
    return contains(text, "rst") || contains(text, "reset");
}

}  // namespace

void recordUsage(const Terminal& terminal, NetUsage& usage) {
    const bool logicBlock = terminal.kind != kKindPin && terminal.kind != kKindChild;
    switch (terminal.role) {
        case 0:
            if (logicBlock) usage.inputLines.push_back(terminal.line);
            break;
        case 1:
            usage.outputLines.push_back(terminal.line);
            break;
        case 2:
            if (logicBlock) usage.inoutLines.push_back(terminal.line);
            break;
        case kRoleSensitivity:
            usage.sensitivityLines.push_back(terminal.line);
            break;
        default:
            break;
    }
}

bool hasClockName(std::string_view netName) {
    const std::string name = toLowerAscii(netName);
    const bool clockLike =
        name.starts_with('c') || contains(name, "clk") || contains(name, "clock");
    return clockLike && !hasResetWord(name);
}

bool isClockCandidate(std::string_view netName, const NetUsage& usage) {
    return hasClockName(netName) && !usage.sensitivityLines.empty();
}

void writeClockCheck(const std::string& netName, const std::string& filePath,
                     const NetUsage& usage, MessageLog& log) {
    if (!isClockCandidate(netName, usage)) return;
    log.logNotePrefix(filePath, -1);
    log.appendLog("Net \"" + netName + "\" is maybe clock signal.\r\n");
    // Every logic use, here or in a child module, is reported against the target's file.
    for (const std::vector<int>* lines : {&usage.inputLines, &usage.inoutLines}) {
        for (const int line : *lines) {
            log.logNotePrefix(filePath, line);
            log.appendLog("But it is inputted logical circuit as non-edge signal\r\n");
        }
    }
}

bool hasSchematicClockName(std::string_view netName) {
    const bool clockLike = netName.starts_with('c') || netName.starts_with('C') ||
                           contains(netName, "clk") || contains(netName, "clock") ||
                           contains(netName, "CLK") || contains(netName, "CLOCK");
    return clockLike && !hasResetWord(netName);
}

bool isSchematicClockNet(std::string_view netName, const Net& net) {
    if (!hasSchematicClockName(netName)) return false;
    for (const Terminal& terminal : net.terminals) {
        if (terminal.kind == kKindAlways && terminal.role == kRoleSensitivity) return true;
        if (terminal.kind == kKindInitial && terminal.role == 1) return true;
    }
    return false;
}

}  // namespace corvane
