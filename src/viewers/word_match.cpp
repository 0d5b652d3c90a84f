#include "viewers/word_match.h"

namespace corvane {

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '_';
}

bool isWholeWordAt(std::string_view text, std::size_t position, std::string_view word) {
    if (word.empty() || position > text.size() || text.size() - position < word.size() ||
        text.compare(position, word.size(), word) != 0) {
        return false;
    }
    const std::size_t after = position + word.size();
    const bool freeBefore = position == 0 || !isWordCharacter(text[position - 1]);
    const bool freeAfter = after == text.size() || !isWordCharacter(text[after]);
    return freeBefore && freeAfter;
}

bool containsWholeWord(std::string_view line, std::string_view word) {
    if (word.empty()) {
        return false;
    }
    for (std::size_t at = line.find(word); at != std::string_view::npos;
         at = line.find(word, at + 1)) {
        if (isWholeWordAt(line, at, word)) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane
