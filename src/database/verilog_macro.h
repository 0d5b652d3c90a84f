// Verilog text macros: a definition read from the text of a "`define", and
// the replacement text of one use with its actual arguments put in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct VerilogMacro {
    std::string name;
    bool hasFormals = false;  // defined as NAME(...), so every use takes arguments
    std::vector<std::string> formals;
    std::vector<std::string> defaults;  // "" where hasDefault is false
    std::vector<bool> hasDefault;
    std::string body;  // comments removed, continued lines joined by blanks, trimmed
};

inline bool isMacroNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

inline bool isMacroNameChar(char c) {
    return isMacroNameStart(c) || (c >= '0' && c <= '9') || c == '$';
}

// Length of the name that starts `text` (0 when it does not start with one).
std::size_t macroNameLength(std::string_view text);

// Reads the text after "`define" (comments already removed, one line): the
// name, the formal list when "(" follows the name directly, and the body.
// False when there is no name or the formal list lacks its ")".
bool parseMacroDefinition(std::string_view text, VerilogMacro& macro);

// The body of `macro` with every formal replaced by its actual argument (a
// missing one by its default, else by nothing). Names after a back-quote are
// macro names and stay; "`\"" becomes a double quote, "`\\`\"" an escaped
// quote and "``" joins its two sides. Text inside plain string literals is
// left as it is. The text stops growing once it is longer than `maxSize`.
std::string substituteMacroBody(const VerilogMacro& macro, const std::vector<std::string>& actuals,
                                std::size_t maxSize);

}  // namespace corvane
