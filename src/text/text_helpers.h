// Small text helpers shared by every part of the core.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Position of the first character of `text` that is one of the few in `set`,
// or npos: the same answer as find_first_of, which searches the set anew for
// every character of the text.
inline std::size_t findFirstOf(std::string_view text, std::string_view set) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (const char c : set) {
            if (text[i] == c) return i;
        }
    }
    return std::string_view::npos;
}

// Removes blanks and tabs at both ends.
std::string trimBlanks(std::string_view text);

// Maps A-Z to a-z and leaves every other byte unchanged.
std::string toLowerAscii(std::string_view text);

// Whether `text` ends in `suffix` (given in lower case), letter case ignored:
// for file extensions.
bool endsWithNoCase(std::string_view text, std::string_view suffix);

// toLowerAscii into `out`, reusing its storage: for a buffer kept across a loop.
void assignLowerAscii(std::string& out, std::string_view text);

// Replaces every occurrence of `from` by `to`, scanning left to right.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// As replaceAll, matching `from` with A-Z and a-z treated alike.
std::string replaceAllNoCase(std::string_view text, std::string_view from, std::string_view to);

// Splits at every occurrence of `separator`, keeping empty fields.
std::vector<std::string> splitAll(std::string_view text, std::string_view separator);

// Splits at every `separator` that stands outside double quotes.
std::vector<std::string> splitOutsideQuotes(std::string_view text, char separator);

// Splits at every `separator` where the nesting depth (openers minus closers
// counted from the start) is zero or less.
std::vector<std::string> splitOutsideBrackets(std::string_view text, char separator, char opener,
                                              char closer);

// Decimal value of the leading digits (after blanks and an optional sign);
// 0 when there are none. Saturates at the 32-bit limits.
int leadingInt(std::string_view text);

// Whether the whole text is a decimal number (one or more digits, nothing else).
bool isDecimalNumber(std::string_view text);

}  // namespace corvane
