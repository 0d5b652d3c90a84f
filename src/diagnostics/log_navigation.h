// Turning a log line into the source position it names (double-click in the log).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

struct LogNavigationTarget {
    std::string file;
    int line = 0;  // 0 when the line names a file only (the viewer shows line 1)
};

// The longest line text taken from the log for navigation.
inline constexpr std::size_t kMaxNavigationLineLength = 16383;

// Recognises the three navigable shapes: a diagnostic line ("#..." with file
// and line fields), the summary's "File path" line, and the lines that name an
// analysed file ("- analyze <path>" or an echoed ">analyze <path>" command).
// Whether the file can be opened is the caller's check.
std::optional<LogNavigationTarget> navigationTargetOf(std::string_view logLine);

}  // namespace corvane
