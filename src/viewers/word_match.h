// Whole-word matching as the source viewer uses it for folding and keyword
// colouring: a word counts only where the characters on either side, if
// any, are not letters, digits or "_". Matching is case-sensitive.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvane {

// Letters, digits and "_" (ASCII only; other bytes separate words).
bool isWordCharacter(char c);

// Whether `word` occurs in `text` at `position` as a whole word.
bool isWholeWordAt(std::string_view text, std::size_t position, std::string_view word);

// Whether `line` holds `word` as a whole word anywhere.
bool containsWholeWord(std::string_view line, std::string_view word);

}  // namespace corvane
