// Formatting helpers shared by the text reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/message_log.h"
#include "database/records.h"

namespace corvane {

// Deepest instance level the reports descend into. Together with the
// instance-path check this bounds every walk of the hierarchy.
inline constexpr int kMaxInstanceDepth = 256;

// Most nodes one hierarchy walk writes; a design whose expanded hierarchy is
// larger is cut off there so a report's size stays bounded.
inline constexpr std::size_t kMaxReportNodes = 1000000;

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
