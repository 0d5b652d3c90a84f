#include "database/vhdl_operator_table.h"

#include <array>
#include <cstdint>
#include <vector>

#include "text/text_helpers.h"

namespace corvane {

namespace {

constexpr bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// isWordChar by table, for the scan over the whole prepared text.
constexpr std::array<bool, 256> kWordChars = [] {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = isWordChar(static_cast<char>(c));
    return table;
}();

bool isWordByte(char c) {
    return kWordChars[static_cast<unsigned char>(c)];
}

constexpr char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

constexpr std::size_t kLongestWordOperator = 21;

constexpr std::size_t countWordOperators() {
    std::size_t count = 0;
    for (const OperatorEntry& entry : kVhdlOperators) count += isWordOperator(entry.text) ? 1 : 0;
    return count;
}

constexpr std::size_t kWordOperatorCount = countWordOperators();

// The word operators grouped by length, each with its position among the word
// operators, so that a word of the text is looked up without allocating.
struct WordOperatorTable {
    struct Word {
        std::string_view text;
        int index;
    };
    std::array<std::vector<Word>, kLongestWordOperator + 1> byLength;

    // Per length, the first and the last letters of the operators of that
    // length (bit 0 for "a"), so that most words of the text are rejected
    // on two tests.
    std::array<std::uint32_t, kLongestWordOperator + 1> firstLetters{};
    std::array<std::uint32_t, kLongestWordOperator + 1> lastLetters{};

    WordOperatorTable() {
        int next = 0;
        for (const OperatorEntry& entry : kVhdlOperators) {
            if (!isWordOperator(entry.text)) continue;
            byLength[entry.text.size()].push_back({entry.text, next++});
            firstLetters[entry.text.size()] |= letterBit(entry.text.front());
            lastLetters[entry.text.size()] |= letterBit(entry.text.back());
        }
    }

    // The bit of a word character's letter, either case; "_" gets a bit no
    // operator uses.
    static constexpr std::uint32_t letterBit(char c) {
        return std::uint32_t{1} << ((static_cast<unsigned>(c) | 0x20u) - 'a');
    }

    // The position of the word operator equal to `word` ignoring case, or -1.
    int find(std::string_view word) const {
        if (word.size() > kLongestWordOperator) return -1;
        if ((firstLetters[word.size()] & letterBit(word.front())) == 0) return -1;
        if ((lastLetters[word.size()] & letterBit(word.back())) == 0) return -1;
        for (const Word& candidate : byLength[word.size()]) {
            std::size_t i = 0;
            while (i < word.size() && lowerAscii(word[i]) == candidate.text[i]) ++i;
            if (i == word.size()) return candidate.index;
        }
        return -1;
    }
};

const WordOperatorTable& wordOperators() {
    static const WordOperatorTable table;
    return table;
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
// passes of other words and patterns see the same neighbours). The text
// between marked words is copied in runs.
std::string markVhdlWordOperators(std::string_view text) {
    const WordOperatorTable& table = wordOperators();
    std::array<std::size_t, kWordOperatorCount> consumedBlank;
    consumedBlank.fill(std::string_view::npos);
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    std::size_t copied = 0;  // text before this position is in the result
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (true) {
        while (pos < size && !isWordByte(text[pos])) ++pos;
        if (pos == size) break;
        // A whole run of word characters is passed at once; only a run that
        // follows a lead and ends before a trail can be an operator.
        std::size_t end = pos + 1;
        while (end < size && isWordByte(text[end])) ++end;
        const char lead = pos > 0 ? text[pos - 1] : '\0';
        const bool delimited =
            (lead == ' ' || lead == ')') && end < size && (text[end] == ' ' || text[end] == '(');
        const int found = delimited ? table.find(text.substr(pos, end - pos)) : -1;
        if (found >= 0) {
            const bool leadBlank = lead == ' ';
            const bool trailBlank = text[end] == ' ';
            auto& consumed = consumedBlank[static_cast<std::size_t>(found)];
            if (!(leadBlank && trailBlank && consumed == pos - 1)) {
                result.append(text.substr(copied, pos - copied));
                if (!leadBlank) result.push_back(' ');  // ")op" becomes ") $op$"
                result.push_back('$');
                for (std::size_t i = pos; i < end; ++i) result.push_back(lowerAscii(text[i]));
                result.push_back('$');
                copied = end;
                if (leadBlank && trailBlank) consumed = end;
            }
        }
        pos = end;
    }
    result.append(text.substr(copied));
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
