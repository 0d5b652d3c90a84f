// The header of an always block reduced to its event list, and the event list
// cut into sensitivity entries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "database/records.h"

namespace corvane {

// The separator that stands for an "or" between two events once blanks are
// removed from the header.
inline constexpr std::string_view kEventOrSeparator = "\tor\t";

// `header` is the keyword token and the header tokens joined by blanks, line
// markers left out. Marks every " or " with tabs, drops the keyword ("always",
// and a suffix such as "_ff" or "_comb"), removes every blank and, for the
// block form, the final "begin".
std::string reduceAlwaysHeader(std::string_view header, bool blockForm);

// Cuts an event list ("posedgeclk\tor\tnegedgerst") into entries: the text
// between the words "posedge", "negedge" and the or-separator, each entry
// with the edge of the word before it (0 posedge, 1 negedge, -1 otherwise).
void parseEventList(std::string_view events, std::vector<Sensitivity>& entries);

// Block form: drops a leading at sign, then a "(" and a final ")", and parses
// the rest as the event list.
void parseBlockEventList(std::string_view reduced, std::vector<Sensitivity>& entries);

// Single-statement form ("@(posedgeclk)q<=d;"): drops a leading at sign and
// returns the statement that follows the event list, setting `events` to the
// list inside the parentheses (or "*" for "@*"; empty when there is no list).
std::string_view splitSingleStatementHeader(std::string_view reduced, std::string_view& events);

}  // namespace corvane
