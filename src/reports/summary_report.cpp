#include "reports/summary_report.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "database/module_name_index.h"
#include "reports/report_text.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

// Most module visits one total computation makes; only a self-instantiating
// design with many paths through its cycle comes near it.
constexpr std::size_t kMaxTotalVisits = std::size_t{1} << 24;

// Total register bits with the instance-path guard. A module whose subtree is
// not cut against any of its ancestors has a total that does not depend on
// where it is met, so that total is kept and reused: an acyclic design is
// walked once however often its modules are instantiated.
class RegisterTotals {
public:
    explicit RegisterTotals(const ModuleList& modules) : modules_(modules) {}

    std::int64_t total(const std::string& name) { return walk(name).bits; }

private:
    static constexpr std::size_t kNoCut = static_cast<std::size_t>(-1);

    struct Walked {
        std::int64_t bits = 0;
        std::size_t lowestCut = kNoCut;  // shallowest path position a cut referred to
        bool bounded = false;            // cut by the depth or visit limit
    };

    Walked walk(const std::string& name) {
        const Module* module = modules_.find(name);
        if (module == nullptr) return {};
        if (const auto kept = known_.find(name); kept != known_.end()) return {kept->second};
        if (const auto on = onPath_.find(name); on != onPath_.end()) {
            return {0, on->second, false};  // met again on its own path
        }
        if (onPath_.size() >= static_cast<std::size_t>(kMaxInstanceDepth) ||
            visits_ >= kMaxTotalVisits) {
            return {0, kNoCut, true};
        }
        ++visits_;
        const std::size_t position = onPath_.size();
        onPath_.emplace(module->name, position);
        Walked result{registerBits(*module)};
        for (const Child& child : module->children) {
            const Walked below = walk(child.moduleName);
            result.bits = saturatingAdd(result.bits, below.bits);
            result.lowestCut = std::min(result.lowestCut, below.lowestCut);
            result.bounded = result.bounded || below.bounded;
        }
        onPath_.erase(module->name);
        if (result.lowestCut != kNoCut && result.lowestCut >= position) result.lowestCut = kNoCut;
        if (result.lowestCut == kNoCut && !result.bounded) known_[name] = result.bits;
        return result;
    }

    ModuleNameIndex modules_;
    // The names on the path from the walk's top with their positions; a name
    // is on it at most once.
    std::unordered_map<std::string_view, std::size_t> onPath_;
    std::map<std::string, std::int64_t> known_;
    std::size_t visits_ = 0;
};

struct PinBits {
    std::int64_t total = 0;
    std::int64_t input = 0;
    std::int64_t output = 0;
    std::int64_t inout = 0;
};

PinBits pinBits(const Module& module) {
    PinBits bits;
    for (const Pin& pin : module.pins) {
        const std::int64_t width = bitWidth(pin.msb, pin.lsb);
        bits.total = saturatingAdd(bits.total, width);
        if (pin.direction == 0) bits.input = saturatingAdd(bits.input, width);
        if (pin.direction == 1) bits.output = saturatingAdd(bits.output, width);
        if (pin.direction == 2) bits.inout = saturatingAdd(bits.inout, width);
    }
    return bits;
}

std::string childList(const Module& module) {
    if (module.children.empty()) return "None";
    std::string text;
    for (const Child& child : module.children) {
        if (!text.empty()) text += ", ";
        text += child.moduleName + "(" + child.name + ")";
    }
    return text;
}

// Stable sort of the list by name in byte order, done by moving the records
// out and back so the list keeps its own nodes.
void sortByName(ModuleList& modules) {
    std::vector<Module> sorted;
    sorted.reserve(modules.size());
    for (Module& module : modules) sorted.push_back(std::move(module));
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Module& a, const Module& b) { return a.name < b.name; });
    auto next = sorted.begin();
    for (Module& module : modules) module = std::move(*next++);
}

}  // namespace

std::string computeRootPath(const ModuleList& modules) {
    if (modules.size() < 2) return "";
    auto it = modules.begin();
    std::string common = it->filePath;
    for (++it; it != modules.end(); ++it) {
        const std::string& path = it->filePath;
        std::size_t length = 0;
        while (length < common.size() && length < path.size() && common[length] == path[length]) {
            ++length;
        }
        common.resize(length);
    }
    // The root is a folder: without any "/" in common the files lie in the
    // current folder, and the root is empty rather than a file name.
    const std::size_t slash = common.rfind('/');
    common.resize(slash == std::string::npos ? 0 : slash + 1);
    return common;
}

std::string relativePath(const std::string& filePath, const std::string& rootPath) {
    if (filePath.size() >= rootPath.size()) return filePath.substr(rootPath.size());
    return filePath;
}

std::int64_t registerBits(const Module& module) {
    std::int64_t bits = 0;
    for (const Reg& reg : module.regs) bits = saturatingAdd(bits, bitWidth(reg.msb, reg.lsb));
    return bits;
}

std::int64_t totalRegisterBits(const ModuleList& modules, const std::string& moduleName) {
    return RegisterTotals(modules).total(moduleName);
}

std::string buildSummaryReport(const ModuleList& modules, const Module& module) {
    const PinBits pins = pinBits(module);
    std::string text = "\r\n======== Summary ========\r\n";
    text += "Module name         : " + module.name + "\r\n";
    text += "Number of Pins      : " + std::to_string(pins.total) +
            " (Input : " + std::to_string(pins.input) +
            ", Output : " + std::to_string(pins.output) +
            ", Inout : " + std::to_string(pins.inout) + ")\r\n";
    text += "Number of Resisters : " + std::to_string(registerBits(module)) + "\r\n";
    text +=
        "Total Number of Resisters : " + std::to_string(totalRegisterBits(modules, module.name)) +
        "\r\n";
    text += "Child modules       : " + childList(module) + "\r\n\r\n";
    text += "File path           : " + module.filePath + "\r\n";
    text += "File size           : " + std::to_string(module.charCount) + " bytes (" +
            std::to_string(module.lineCount) + " lines)\r\n";
    text += "\r\n";
    return text;
}

void writeSummaryReport(const ModuleList& modules, const Module& module, MessageLog& log) {
    log.appendLog(buildSummaryReport(modules, module));
}

std::string buildModuleListReport(ModuleList& modules, const std::string& rootPath) {
    std::string text = "\r\n======== Analyzed modules list ========\r\n";
    if (modules.empty()) return text + "The analyzed module list is empty.\r\n\r\n";
    text += "Root Path : " + rootPath + "\r\n";
    sortByName(modules);

    std::size_t width = 4;
    for (const Module& module : modules) width = std::max(width, module.name.size());
    const std::size_t nameColumn = width + 2;
    text += "Name" + std::string(width - 2, ' ') + "Regs    TotalRegs   Filesize  Lines  Path\r\n";
    text += std::string(nameColumn, '-') + std::string(54, '-') + "\r\n";

    RegisterTotals totals(modules);
    for (const Module& module : modules) {
        text += padRight(module.name, nameColumn);
        text += padRight(std::to_string(registerBits(module)), 8);
        text += padRight(std::to_string(totals.total(module.name)), 12);
        text += padRight(std::to_string(module.charCount), 10);
        text += padRight(std::to_string(module.lineCount), 7);
        text += relativePath(module.filePath, rootPath) + "\r\n";
    }
    return text + "\r\n";
}

void writeModuleListReport(ModuleList& modules, const std::string& rootPath, MessageLog& log) {
    writeLinesToLog(replaceAll(buildModuleListReport(modules, rootPath), "\t", "    "), log);
}

void writeModuleListReport(ModuleList& modules, MessageLog& log) {
    writeModuleListReport(modules, computeRootPath(modules), log);
}

}  // namespace corvane
