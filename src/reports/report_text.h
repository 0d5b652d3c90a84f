// Formatting helpers shared by the text reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Deepest instance level the reports descend into. Together with the
// instance-path check this bounds every walk of the hierarchy.
inline constexpr int kMaxInstanceDepth = 256;

// Most nodes one hierarchy walk writes; a design whose expanded hierarchy is
// larger is cut off there so a report's size stays bounded.
inline constexpr std::size_t kMaxReportNodes = 1000000;

// The instance path of one walk of the hierarchy, with the guard that keeps
// the walk finite: a module already on the path (its own ancestor, met again
// through self-instantiation) is not descended into again, nor is anything at
// kMaxInstanceDepth, and one walk takes at most kMaxReportNodes nodes.
class InstanceWalk {
public:
    // Whether one more node may be written; counts it.
    bool takeNode() {
        if (nodes_ >= kMaxReportNodes) return false;
        ++nodes_;
        return true;
    }

    // Whether the instances of `moduleName`, written at `depth`, may be walked.
    bool mayDescend(const std::string& moduleName, int depth) const {
        if (depth >= kMaxInstanceDepth) return false;
        return !onPath_.contains(moduleName);
    }

    // Whether the instances of a node written at `depth` are left out only
    // because of the depth limit (not because the module is its own ancestor).
    static bool cutByDepth(int depth) { return depth >= kMaxInstanceDepth; }

    // True once, at the first node refused by the node limit, so that a
    // walk can say where it stopped.
    bool reportNodeCut() {
        if (nodes_ < kMaxReportNodes || nodeCutReported_) return false;
        nodeCutReported_ = true;
        return true;
    }

    void enter(const std::string& moduleName) {
        path_.push_back(moduleName);
        ++onPath_[moduleName];
    }
    void leave() {
        const auto on = onPath_.find(path_.back());
        if (--on->second == 0) onPath_.erase(on);
        path_.pop_back();
    }

private:
    std::vector<std::string> path_;
    std::unordered_map<std::string, int> onPath_;  // how often each name is on path_
    std::size_t nodes_ = 0;
    bool nodeCutReported_ = false;
};

// The line that stands where a hierarchy walk leaves instances out.
inline constexpr std::string_view kDepthCutText = "... (instances below depth 256 are not shown)";
inline constexpr std::string_view kNodeCutText = "... (the hierarchy is cut after 1000000 nodes)";

// |msb - lsb| + 1, computed without overflow.
std::int64_t bitWidth(int msb, int lsb);

// a + b, held at the 64-bit limits instead of overflowing.
std::int64_t saturatingAdd(std::int64_t a, std::int64_t b);

// `text` followed by blanks up to `width` characters; longer text is kept whole.
std::string padRight(std::string_view text, std::size_t width);

// Splits `text` at every "\r\n" (keeping empty pieces) and appends each piece
// followed by "\r\n", so the log gets one more line end than the text holds.
void writeLinesToLog(std::string_view text, MessageLog& log);

// " : IN", " : OUT", " : I/O", " : Sensitivity list" or nothing.
std::string_view directionText(int direction);

// " : [msb]" or " : [msb:lsb]" when both are set (not -1), otherwise nothing.
std::string rangeText(int msb, int lsb);

// "pin", "wire", ..., "child module m (u)" or "? unknown connect type". A
// child terminal whose index names no instance of `module` counts as unknown.
std::string kindText(const Module& module, const Terminal& terminal);

// The instance a child terminal refers to, or nullptr when out of range.
const Child* terminalChild(const Module& module, const Terminal& terminal);

}  // namespace corvane
