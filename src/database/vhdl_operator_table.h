// The VHDL operator table, shared by the source preparation (which marks the
// alphabetic operators) and the VHDL expression tokenizer.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvane {

struct OperatorEntry {
    std::string_view text;
    int priority;  // from kVhdlFirstBracket on: the weight added to the bracket weight
};

inline constexpr int kVhdlFirstBracket = 32;

inline constexpr std::array<OperatorEntry, 48> kVhdlOperators = {{
    {"not", 21},  {"**", 20},   {"*", 19},    {"/", 19},     {"mod", 19},   {"rem", 19},
    {"+", 18},    {"-", 18},    {"sll", 14},  {"srl", 14},   {"sla", 14},   {"sra", 14},
    {"rol", 14},  {"ror", 14},  {"<", 17},    {">", 17},     {"<=", 17},    {">=", 17},
    {"=", 16},    {"/=", 16},   {"=>", 16},   {"abs", 15},   {"and", 13},   {"nand", 12},
    {"or", 11},   {"nor", 10},  {"xor", 9},   {"xnor", 8},   {"&&", 7},     {"||", 6},
    {"?", 5},     {"&", 4},     {"(", 64},    {")", -64},    {"to", 3},     {"downto", 3},
    {"when", 2},  {"else", 2},  {",", 1},     {"'event", 14}, {"rising_edge", 14},
    {"falling_edge", 14},       {"to_stdlogicvector", 14},   {"to_bitvector", 14},
    {"to_stdlogic", 14},        {"to_bit", 14},              {"conv_std_logic_vector", 14},
    {"conv_integer", 14},
}};

// Whether an operator is written as a word (letters and "_" only); such
// operators are wrapped in dollar signs in prepared VHDL text.
constexpr bool isWordOperator(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!((c >= 'a' && c <= 'z') || c == '_')) return false;
    }
    return true;
}

// "$and$" for "and"; other operators unchanged.
std::string markedOperatorText(std::string_view text);

// Wraps every word operator of prepared VHDL text in dollar signs: " op ",
// ")op ", " op(" and ")op(" become " $op$ ", ") $op$ ", " $op$(" and
// ") $op$(", matching letter case insensitively, word by word in table order.
std::string markVhdlWordOperators(std::string_view text);

// The same result computed the plain way, one replacement pass per word and
// pattern; kept as the reference the single-pass version is tested against.
std::string markVhdlWordOperatorsByPasses(std::string_view text);

}  // namespace corvane
