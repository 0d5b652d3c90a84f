#include "reports/report_text.h"

#include <limits>

namespace corvane {

std::int64_t bitWidth(int msb, int lsb) {
    const std::int64_t difference = static_cast<std::int64_t>(msb) - lsb;
    return (difference < 0 ? -difference : difference) + 1;
}

std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    if (b > 0 && a > kMax - b) return kMax;
    if (b < 0 && a < kMin - b) return kMin;
    return a + b;
}

std::string padRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
}

void writeLinesToLog(std::string_view text, MessageLog& log) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        std::string line(text.substr(start, stop - start));
        line.append("\r\n");
        log.appendLog(line);
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
}

std::string_view directionText(int direction) {
    switch (direction) {
        case 0:
            return " : IN";
        case 1:
            return " : OUT";
        case 2:
            return " : I/O";
        case 16:
            return " : Sensitivity list";
        default:
            return "";
    }
}

std::string rangeText(int msb, int lsb) {
    if (msb == -1 || lsb == -1) return "";
    if (msb == lsb) return " : [" + std::to_string(msb) + "]";
    return " : [" + std::to_string(msb) + ":" + std::to_string(lsb) + "]";
}

const Child* terminalChild(const Module& module, const Terminal& terminal) {
    if (terminal.index < 0) return nullptr;
    const auto index = static_cast<std::size_t>(terminal.index);
    return index < module.children.size() ? &module.children[index] : nullptr;
}

std::string kindText(const Module& module, const Terminal& terminal) {
    switch (terminal.kind) {
        case kKindPin:
            return "pin";
        case kKindWire:
            return "wire";
        case kKindReg:
            return "reg";
        case kKindAssign:
            return "assign";
        case kKindAlways:
            return "formula in always section";
        case kKindInitial:
            return "formula in initial section";
        case kKindChild: {
            const Child* child = terminalChild(module, terminal);
            if (child != nullptr) {
                return "child module " + child->moduleName + " (" + child->name + ")";
            }
            break;
        }
        default:
            break;
    }
    return "? unknown connect type";
}

}  // namespace corvane
