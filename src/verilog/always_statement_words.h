// Text tests on the tokens of an always body that tell a statement's kind:
// case labels, task enables, local declarations, delay and event controls.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Position of the ":" that ends a case label: the first one outside
// parentheses, brackets, braces and quotes that does not belong to a "?"
// ("a?b:c:" gives the second). npos when there is none.
std::size_t caseLabelColon(std::string_view text);

// Whether `text` is a plain or hierarchical name ("t", "top.u1.t", "\esc"),
// the form of a task enable or of a hierarchical assignment target.
bool isPlainName(std::string_view text);

// Whether a lower-cased token starts a task enable with arguments: a name
// directly followed by "(" ("my_task(a,").
bool startsTaskCallWithArguments(std::string_view lower);

// Whether a glued statement without its ";" is a task enable: a name, or a
// name directly followed by its parenthesised arguments ("top.t(a,b)").
bool isTaskEnable(std::string_view statement);

// Whether a lower-cased token starts a declaration local to a named block
// ("reg", "integer", "reg[7:0]", ...).
bool isLocalDeclarationWord(std::string_view lower);

// The names declared by the glued text of a local declaration after its
// keyword ("[7:0]a,b[0:3],c=1" gives a, b and c), lower-cased, appended.
void appendDeclaredNames(std::string_view declarators, std::vector<std::string>& names);

// Length of the delay value or event name at the start of `text` ("10",
// "1.5", "tpd", "8'd3"): the part that belongs to the control.
std::size_t controlValueLength(std::string_view text);

}  // namespace corvane
