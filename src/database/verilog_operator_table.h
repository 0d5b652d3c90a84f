// The Verilog operator table used by the expression tokenizer and by the
// connection checks (which look for "[" and ":" tokens).
#pragma once

#include <array>
#include <string_view>

#include "database/vhdl_operator_table.h"  // OperatorEntry

namespace corvane {

// From this index on the entries are brackets and the comma: their numbers are
// bracket weights, not priorities.
inline constexpr int kVerilogFirstBracket = 24;

inline constexpr std::array<OperatorEntry, 31> kVerilogOperators = {{
    {"!", 15},  {"~", 15},  {"*", 14},   {"/", 14},   {"%", 14},  {"+", 13},  {"-", 13},
    {"<<", 12}, {">>", 12}, {"<", 11},   {">", 11},   {"<=", 11}, {">=", 11}, {"==", 10},
    {"!=", 10}, {"===", 10}, {"!==", 10}, {"&", 9},   {"^", 8},   {"|", 7},   {"&&", 6},
    {"||", 5},  {"?", 4},   {":", 3},    {"[", 64},   {"]", -64}, {"(", 32},  {")", -32},
    {"{", 16},  {"}", -16}, {",", 2},
}};

inline constexpr int kVerilogOpColon = 23;
inline constexpr int kVerilogOpOpenBracket = 24;
inline constexpr int kVerilogOpCloseBracket = 25;
inline constexpr int kVerilogOpOpenParen = 26;
inline constexpr int kVerilogOpCloseParen = 27;

}  // namespace corvane
