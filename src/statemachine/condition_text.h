// The texts of branch conditions as the state transition diagram shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The condition of an if or elsif statement from its right-hand side as
// written: every "$" (the VHDL word-operator marks) becomes a blank when the
// text is longer than two characters, and enclosing parentheses are peeled
// off while the text is longer than one character and starts with "(" and
// ends with ")".
std::string branchCondition(std::string_view valueDisplay);

// The condition of a transition: every entry of the condition stack wrapped
// in parentheses, joined by " and "; empty for an empty stack.
std::string joinConditions(const std::vector<std::string>& stack);

// Replaces every numbered else placeholder "else[<n>]" by "else".
std::string unnumberElses(std::string_view condition);

// The placeholder of the else branch numbered `counter`.
std::string elsePlaceholder(int counter);

}  // namespace corvane
