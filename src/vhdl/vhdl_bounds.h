// Generic substitution and the evaluation of VHDL range bounds.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "database/records.h"

namespace corvane {

// The generics of a module ordered for substitution: longer names first
// (lengths 100 down to 1; longer names are never substituted), names of one
// length in map order. Replacing a longer name before a shorter one that it
// contains keeps the longer one whole.
class GenericTable {
public:
    explicit GenericTable(const std::map<std::string, std::string>& generics);
    GenericTable(const GenericTable&) = delete;
    GenericTable& operator=(const GenericTable&) = delete;

    // Replaces, generic by generic in table order, every occurrence of the
    // name in the text (letter case ignored) by the value. A text is never
    // grown by more than kMaxGrowth characters: once a replacement would pass
    // that, the substitution stops there.
    std::string substitute(std::string_view text) const;

    bool empty() const { return entries_.empty(); }

    // Whether the name of any generic occurs in a lower-cased text, that is,
    // whether substitute() could change it.
    bool occursIn(std::string_view lowerText) const {
        return !entries_.empty() && lowerText.size() >= shortestName_ &&
               firstPresent(lowerText, 0) < entries_.size();
    }

    static constexpr std::size_t kMaxNameLength = 100;
    static constexpr std::size_t kMaxGrowth = 65536;

private:
    struct Entry {
        std::string name;
        std::string value;
        bool firstOfName = true;  // no earlier entry has the same name
    };

    // Up to this many entries, the names are searched one by one in table
    // order; larger tables look up the text's substrings by hash.
    static constexpr std::size_t kSearchedOneByOne = 16;

    // Position of the first entry at or after `from` whose name occurs in the
    // lower-cased text, or entries_.size().
    std::size_t firstPresent(std::string_view lowerText, std::size_t from) const;

    std::vector<Entry> entries_;
    std::unordered_map<std::string_view, std::size_t> positions_;  // name -> entry position
    std::vector<std::size_t> lengths_;                             // distinct name lengths
    std::array<bool, 256> startsName_{};                           // characters that begin a name
    std::size_t shortestName_ = 0;  // length of the shortest name (0 without names)
};

// The value of a bound: blanks and "$" removed, generics substituted, then
// a+b, a-b or a plain decimal number (0 when the text has no leading digits).
int evaluateVhdlBound(const GenericTable& generics, std::string_view text);
int evaluateVhdlBound(const Module& module, std::string_view text);

// A range "(a to b)" or "(a downto b)" that starts `text`: msb = value of a,
// lsb = value of b, in the order written. The group runs to its matching ")"
// (or to the end of the text); `groupEnd`, when given, receives the position
// after it. False when the text does not start with "(" or the group holds
// neither "to" nor "downto" (marked "$to$", "$downto$" or plain).
bool parseVhdlRange(const GenericTable& generics, std::string_view text, int& msb, int& lsb,
                    std::size_t* groupEnd = nullptr);

// Position after the ")" matching the "(" at `open`, or text.size() when it has none.
std::size_t matchingParenEnd(std::string_view text, std::size_t open);

}  // namespace corvane
