#include <string>

#include "database/chunk_preparation.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_process.h"

namespace corvane {

namespace {

// Skips the function's body up to its end: the end marker followed by
// "function", by the function's name, or by ";".
bool skipFunctionBody(VhdlParseState& state, const std::string& name) {
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        const std::string lower = toLowerAscii(token);
        if (lower == std::string(kVhdlEndMarker) + ";") return true;
        if (afterEndMarker) {
            std::string word = lower;
            const bool closed = word.ends_with(';');
            if (closed) word.pop_back();
            if (word.empty() || word == "function" || word == "procedure" || word == name) {
                if (closed) return true;
                while (!state.exhausted()) {
                    const std::string rest = state.next();
                    if (!state.followMarker(rest) && rest.ends_with(';')) return true;
                }
                return false;
            }
        }
        afterEndMarker = token == kVhdlEndMarker;
    }
    return false;
}

// Parentheses opened minus closed in `token`.
int parenBalance(std::string_view token) {
    int balance = 0;
    for (const char c : token) balance += c == '(' ? 1 : (c == ')' ? -1 : 0);
    return balance;
}

// The lower-cased name of a function or procedure from its first token;
// an empty name writes its error.
std::string subprogramName(VhdlParseState& state, std::string_view nameToken, int line) {
    std::string name = toLowerAscii(nameToken.substr(0, nameToken.find_first_of("(;")));
    if (name.empty()) state.errorAt(line, "Syntax error.(13)\r\n");
    return name;
}

// Skips the body of the subprogram `name` after its "is"; 0, or 1 with the
// error written when the body has no end.
int skipSubprogramBody(VhdlParseState& state, const std::string& name, int line) {
    if (skipFunctionBody(state, name)) return 0;
    state.errorAt(line, "entity end Not found.\r\n");
    return 1;
}

}  // namespace

int skipProcedure(VhdlParseState& state) {
    const int line = state.currentLine;
    const std::string nameToken = state.nextSkippingMarkers();
    const std::string name = subprogramName(state, nameToken, line);
    if (name.empty()) return 1;
    // The parameter list, then ";" for a declaration or "is" for a body.
    int depth = parenBalance(nameToken);
    if (depth <= 0 && nameToken.ends_with(';')) return 0;
    while (true) {
        const std::string token = state.nextSkippingMarkers();
        if (token.empty()) {
            state.errorAt(line, "Syntax error.(35)\r\n");
            return 1;
        }
        depth += parenBalance(token);
        if (depth > 0) continue;
        if (token.ends_with(';')) return 0;
        if (toLowerAscii(token) == "is") break;
    }
    return skipSubprogramBody(state, name, line);
}

int skipGenericClause(VhdlParseState& state) {
    int depth = 0;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (state.followMarker(token)) continue;
        depth += parenBalance(token);
        if (depth <= 0 && token.ends_with(';')) return 0;
    }
    return 1;
}

int skipFunction(VhdlParseState& state) {
    const int line = state.currentLine;
    const std::string nameToken = state.nextSkippingMarkers();
    const std::string name = subprogramName(state, nameToken, line);
    if (name.empty()) return 1;
    // The parameter list runs up to "return".
    while (true) {
        if (state.exhausted()) {
            state.errorAt(line, "Syntax error.(35)\r\n");
            return 1;
        }
        const std::string token = state.next();
        if (!state.followMarker(token) && toLowerAscii(token) == "return") break;
    }
    // The return type ends a declaration with ";", or a body with "is".
    while (true) {
        const std::string token = state.nextSkippingMarkers();
        if (token.empty()) {
            state.errorAt(line, "Syntax error.(36)\r\n");
            return 1;
        }
        if (token.ends_with(';')) return 0;
        if (toLowerAscii(token) == "is") break;
    }
    return skipSubprogramBody(state, name, line);
}

}  // namespace corvane
