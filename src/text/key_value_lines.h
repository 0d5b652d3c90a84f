// The line format shared by the project file and the settings file: lines of
// key, " = ", value, read by splitting at the first "=" and trimming both
// sides, with numbers read from their leading characters.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// Calls `onLine` for every line of `text` (split at line feeds) with its
// carriage returns removed.
void forEachTextLine(std::string_view text, const std::function<void(std::string_view)>& onLine);

// Splits `line` at its first "=" into key and value, trimming blanks and
// tabs from both; false for an empty line or one without "=".
bool splitKeyValueLine(std::string_view line, std::string& key, std::string& value);

// The value of the leading hexadecimal digits of `text`, at most six of them
// (a 24-bit colour); 0 when there are none.
int leadingHexColor(std::string_view text);

// The decimal number at the start of `text`, read as far as it goes
// ("12.5mm" is 12.5); 0 when there is none or it is not finite.
double leadingDouble(std::string_view text);

// "%06X": at least six upper-case hexadecimal digits.
std::string hexColorText(int color);

// "%lf": fixed notation with six decimals, whatever the process locale.
std::string fixedSixText(double value);

}  // namespace corvane
