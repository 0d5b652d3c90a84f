#include "database/vhdl_operator_table.h"

#include <map>

#include "database/text_helpers.h"

namespace corvane {

namespace {

bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// Word operator (lower-case) -> its position among the word operators.
const std::map<std::string, int, std::less<>>& wordOperatorIndex() {
    static const auto* index = [] {
        auto* map = new std::map<std::string, int, std::less<>>();
        int next = 0;
        for (const OperatorEntry& entry : kVhdlOperators) {
            if (isWordOperator(entry.text)) map->emplace(std::string(entry.text), next++);
        }
        return map;
    }();
    return *index;
}

}  // namespace

std::string markedOperatorText(std::string_view text) {
    if (!isWordOperator(text)) return std::string(text);
    return "$" + std::string(text) + "$";
}

// One left-to-right pass. An occurrence is a word operator standing between a
// lead (" " or ")") and a trail (" " or "("). The plain passes replace " op "
// non-overlapping, so an occurrence whose leading blank was the trailing blank
// of the previous " op " match of the same word is left alone there; every
// other occurrence is marked (the replacements keep their delimiters, so the
// passes of other words and patterns see the same neighbours).
std::string markVhdlWordOperators(std::string_view text) {
    const auto& index = wordOperatorIndex();
    std::vector<std::size_t> consumedBlank(index.size(), std::string_view::npos);
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const bool atWordStart = pos > 0 && (text[pos - 1] == ' ' || text[pos - 1] == ')') &&
                                 isWordChar(text[pos]) && !isWordChar(text[pos - 1]);
        if (!atWordStart) {
            result.push_back(text[pos++]);
            continue;
        }
        std::size_t end = pos;
        while (end < text.size() && isWordChar(text[end])) ++end;
        const std::string word = toLowerAscii(text.substr(pos, end - pos));
        const auto found = (end < text.size() && (text[end] == ' ' || text[end] == '('))
                               ? index.find(word)
                               : index.end();
        if (found == index.end()) {
            result.append(text.substr(pos, end - pos));
            pos = end;
            continue;
        }
        const bool leadBlank = text[pos - 1] == ' ';
        const bool trailBlank = text[end] == ' ';
        const bool blocked = leadBlank && trailBlank && consumedBlank[found->second] == pos - 1;
        if (blocked) {
            result.append(text.substr(pos, end - pos));
        } else {
            if (!leadBlank) result.push_back(' ');  // ")op" becomes ") $op$"
            result.append("$").append(word).append("$");
            if (leadBlank && trailBlank) consumedBlank[found->second] = end;
        }
        pos = end;
    }
    return result;
}

std::string markVhdlWordOperatorsByPasses(std::string_view text) {
    std::string result(text);
    for (const OperatorEntry& entry : kVhdlOperators) {
        if (!isWordOperator(entry.text)) continue;
        const std::string op(entry.text);
        const std::string marked = "$" + op + "$";
        result = replaceAllNoCase(result, " " + op + " ", " " + marked + " ");
        result = replaceAllNoCase(result, ")" + op + " ", ") " + marked + " ");
        result = replaceAllNoCase(result, " " + op + "(", " " + marked + "(");
        result = replaceAllNoCase(result, ")" + op + "(", ") " + marked + "(");
    }
    return result;
}

}  // namespace corvane
