// Reading a source file whole and turning it into the program's text (UTF-8).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class SourceEncoding { Ascii, Iso2022Jp, ShiftJis, EucJp, Utf8 };

// Classifies raw file bytes by the escape sequences and the byte patterns of
// the Japanese encodings and UTF-8; the class with the clearly largest count wins.
SourceEncoding classifyEncoding(std::string_view bytes);

// Converts raw bytes of the given class to UTF-8. ASCII and UTF-8 stay as they
// are (a UTF-8 byte-order mark is dropped); a byte that does not convert
// becomes U+FFFD.
std::string convertToUtf8(std::string_view bytes, SourceEncoding encoding);

// Files above this size are treated as unreadable, which keeps every offset in
// the 32-bit positions the front ends use.
inline constexpr std::size_t kMaxSourceFileBytes = std::size_t{1} << 30;

// The whole file as UTF-8 text; empty for an unreadable, empty, oversized or
// binary (NUL-holding) file.
std::string readSourceFile(const std::string& path);

// Start offsets of the lines of `text`: a line runs up to and including its
// line feed, and the last line counts even without one.
std::vector<std::size_t> lineStartOffsets(std::string_view text);

}  // namespace corvane
