// Naming-and-usage rules that flag nets looking like clocks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"
#include "diagnostics/message_log.h"

namespace corvane {

// Source lines of the uses of one net, collected while the net is traced
// through the hierarchy, in the order met.
struct NetUsage {
    std::vector<int> inputLines;        // direction 0, kind neither pin nor child
    std::vector<int> outputLines;       // direction 1, any kind
    std::vector<int> inoutLines;        // direction 2, kind neither pin nor child
    std::vector<int> sensitivityLines;  // direction 16
};

// Terminal role of a sensitivity-list entry.
inline constexpr int kRoleSensitivity = 16;

// Files the terminal's line into the usage list its direction selects.
void recordUsage(const Terminal& terminal, NetUsage& usage);

// Net report rule on the name alone (compared in lower case): begins with "c"
// or contains "clk" or "clock", and contains neither "rst" nor "reset".
bool hasClockName(std::string_view netName);

// Net report rule: a clock name that appears in some sensitivity list.
bool isClockCandidate(std::string_view netName, const NetUsage& usage);

// Writes the "maybe clock" note and one note per logic (non-edge) use when the
// net is a candidate; writes nothing otherwise. Every note carries `filePath`.
void writeClockCheck(const std::string& netName, const std::string& filePath,
                     const NetUsage& usage, MessageLog& log);

// Schematic rule on the name alone: starts with "c" or "C", or contains
// "clk", "clock", "CLK" or "CLOCK", and contains neither "rst" nor "reset".
bool hasSchematicClockName(std::string_view netName);

// Schematic rule: a schematic clock name with a terminal that is a sensitivity
// entry of an always block (kind 4, role 16) or an initial-block terminal with
// role 1.
bool isSchematicClockNet(std::string_view netName, const Net& net);

}  // namespace corvane
