#include "verilog/parameter_parser.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "database/token_reader.h"
#include "text/text_helpers.h"
#include "verilog/declarator_split.h"
#include "verilog/port_declarations.h"

namespace corvane {

namespace {

// Reads tokens until their glued text ends with ";", keeping them separated
// by blanks in `text` (the keywords and types before a name stay words of
// their own). Line markers are left out but move `lastLine`. False when the
// text ends first.
bool readItemTokens(VerilogParseState& state, std::string& text, int& lastLine) {
    bool first = text.empty();
    bool quoted = false;  // a ";" inside a string ends nothing
    while (quoted || !text.ends_with(';')) {
        if (state.exhausted())
            return false;
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            lastLine = lineMarkerNumber(token);
            continue;
        }
        if (!first)
            text.push_back(' ');
        text += token;
        first = false;
        if (token.find('"') != std::string_view::npos)
            quoted = quoteOpenAfter(token, quoted);
    }
    return true;
}

bool isBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlankChar(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankChar(text.back())) text.remove_suffix(1);
    return text;
}

bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

// Words that may stand before a parameter's name: the keywords and the types.
bool isTypeWord(std::string_view word) {
    // Every word of the list is 3 to 10 letters long and begins with one of
    // these letters.
    if (word.size() < 3 || word.size() > 10)
        return false;
    switch (word.front()) {
    case 'b': case 'i': case 'l': case 'p': case 'r': case 's': case 't': case 'u': break;
    default: return false;
    }
    static constexpr std::array<std::string_view, 15> kWords = {
        "parameter", "localparam", "integer", "real",   "realtime", "time",     "signed", "unsigned",
        "reg",       "logic",      "bit",     "byte",   "shortint", "int",      "longint"};
    for (std::string_view known : kWords) {
        if (word == known)
            return true;
    }
    return false;
}

// Passes over a bracketed range at the start of `text` ("[7:0] P" gives
// " P"); an unclosed one takes the whole text.
std::string_view afterRange(std::string_view text) {
    long depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '[')
            ++depth;
        if (text[i] == ']' && --depth == 0)
            return text.substr(i + 1);
    }
    return {};
}

// The name at the start of `text`: an escaped name runs to the next blank.
std::size_t nameLength(std::string_view text) {
    if (text.starts_with('\\')) {
        std::size_t end = 1;
        while (end < text.size() && !isBlankChar(text[end])) ++end;
        return end;
    }
    std::size_t end = 0;
    while (end < text.size() && isWordChar(text[end])) ++end;
    return end;
}

void addAssignment(std::string_view piece, std::vector<ParameterAssignment>& out) {
    std::string_view rest = trimmed(piece);
    while (!rest.empty()) {
        if (rest.front() == '[') {
            rest = trimmed(afterRange(rest));
            continue;
        }
        const std::size_t length = nameLength(rest);
        if (length == 0 || !isTypeWord(rest.substr(0, length)))
            break;
        rest = trimmed(rest.substr(length));
    }
    const std::size_t length = nameLength(rest);
    if (length == 0)
        return;
    const std::string_view name = rest.substr(0, length);
    const std::string_view value = trimmed(rest.substr(length));
    if (!value.starts_with('=') || value.starts_with("=="))
        return;
    out.push_back(ParameterAssignment{name, trimmed(value.substr(1))});
}

std::string withoutBlanks(std::string_view text) {
    std::string glued;
    glued.reserve(text.size());
    for (char c : text) {
        if (!isBlankChar(c))
            glued.push_back(c);
    }
    return glued;
}

// Enters the value of `assignment` in the table, or hides an earlier value
// of the name when the new one cannot be evaluated.
void evaluateAssignment(ParameterValues& values, const ParameterAssignment& assignment) {
    const std::optional<std::int64_t> value = evaluateConstantExpression(assignment.value, values);
    if (value)
        values.set(assignment.name, *value);
    else
        values.erase(assignment.name);
}

}  // namespace

void splitParameterAssignments(std::string_view list, std::vector<ParameterAssignment>& out) {
    out.clear();
    long depth = 0;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char c = list[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else if (c == '\\')
                ++i;  // an escaped character inside the string
            continue;
        }
        switch (c) {
        case '"': quoted = true; break;
        case '(':
        case '[':
        case '{': ++depth; break;
        case ')':
        case ']':
        case '}': --depth; break;
        case ',':
            if (depth <= 0) {
                addAssignment(list.substr(start, i - start), out);
                start = i + 1;
            }
            break;
        default: break;
        }
    }
    addAssignment(list.substr(start), out);
}

// The assignments of the item being read. Neither caller runs inside the
// other, so one list per thread serves them all and keeps its room between
// items instead of growing anew for each.
std::vector<ParameterAssignment>& assignmentScratch() {
    static thread_local std::vector<ParameterAssignment> assignments;
    return assignments;
}

void evaluateHeaderParameters(VerilogParseState& state, std::string_view list) {
    std::vector<ParameterAssignment>& assignments = assignmentScratch();
    splitParameterAssignments(list, assignments);
    for (const ParameterAssignment& assignment : assignments)
        evaluateAssignment(state.parameterValues, assignment);
}

int parseParameter(VerilogParseState& state, const std::string& keywordToken) {
    const int itemLine = state.currentLine;
    int lastLine = itemLine;
    // "parameter[7:0]" brings the start of its range along.
    const std::size_t bracket = keywordToken.find('[');
    std::string text = bracket == std::string::npos ? std::string() : keywordToken.substr(bracket);
    const bool complete = readItemTokens(state, text, lastLine);
    state.currentLine = lastLine;
    if (!complete) {
        state.errorAt(itemLine, "';' not exist.(5)\r\n");
        return 1;
    }
    text.pop_back();
    std::vector<ParameterAssignment>& assignments = assignmentScratch();
    splitParameterAssignments(text, assignments);
    // Only an item of one name enters the table of names the token reader
    // replaces: the names of "parameter A = 1, B = 2;" stay names in the
    // records (state names keep reading as names), while every value still
    // counts for the ranges.
    if (assignments.size() == 1) {
        const ParameterAssignment& only = assignments.front();
        state.module.parameters[std::string(only.name)] = withoutBlanks(only.value);
    }
    for (const ParameterAssignment& assignment : assignments)
        evaluateAssignment(state.parameterValues, assignment);
    if (!state.deferredPinRanges.empty() && !assignments.empty())
        resolveDeferredPinRanges(state);
    return 0;
}

int parseDefparam(VerilogParseState& state) {
    const int itemLine = state.currentLine;
    while (true) {
        if (state.exhausted()) {
            state.errorAt(itemLine, "';' not exist.(6)\r\n");
            return 1;
        }
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
        } else if (token.ends_with(';')) {
            return 0;
        }
    }
}

}  // namespace corvane
