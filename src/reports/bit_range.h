// Working out the bit range of one use of a net.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/message_log.h"
#include "database/records.h"

namespace corvane {

struct BitRange {
    int msb = -1;
    int lsb = -1;
};

// The range of the first pin, reg or wire named `name`, else of a generic of
// that name (both bounds its value), else -1, -1.
BitRange declaredRange(const Module& module, std::string_view name);

// Range of the Verilog operand at `index` of `tokens`; false after writing a
// connection error (1) to (3).
bool rangeFromTokens(const Module& module, const std::vector<FormulaToken>& tokens, std::size_t index,
                     MessageLog& log, BitRange& range);

// Range of a Verilog signal text such as "a[7:0]", "b[3]" or "c"; false after
// writing connection error (0).
bool rangeFromText(const Module& module, std::string_view text, MessageLog& log, BitRange& range);

}  // namespace corvane
