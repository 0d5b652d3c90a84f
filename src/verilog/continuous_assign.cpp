#include "verilog/continuous_assign.h"

#include <string>
#include <vector>

#include "text/text_helpers.h"

namespace corvane {

namespace {

// Calls `visit` with every piece of `text` cut at the commas that stand
// outside every kind of bracket, so that "a = f(b, c), {d, e} = g" gives two
// pieces; returns 1 when any call did.
template <typename Visit>
int forEachAssignmentPiece(std::string_view text, Visit visit) {
    int result = 0;
    std::size_t start = 0;
    long depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '{' || c == '[') ++depth;
        if (c == ')' || c == '}' || c == ']') --depth;
        if (c == ',' && depth <= 0) {
            if (visit(text.substr(start, i - start)) != 0) result = 1;
            start = i + 1;
        }
    }
    if (visit(text.substr(start)) != 0) result = 1;
    return result;
}

// The next token that is not a line marker, or false at the end of the text.
bool nextWord(VerilogParseState& state, std::string_view& token) {
    while (!state.exhausted()) {
        token = state.nextView();
        if (!isLineMarkerText(token)) return true;
    }
    return false;
}

// Reads past a parenthesised group that starts with `token` ("(strong0,",
// "weak1)"); returns what follows its closing ")" in the last token.
std::string_view skipGroup(VerilogParseState& state, std::string_view token) {
    long depth = 0;
    while (true) {
        for (std::size_t i = 0; i < token.size(); ++i) {
            depth += token[i] == '(' ? 1 : token[i] == ')' ? -1 : 0;
            if (depth == 0) return token.substr(i + 1);
        }
        if (!nextWord(state, token)) return {};
    }
}

// Drops a drive strength "(strong0, weak1)" and a delay "#1", "# 1" or
// "#(1, 2)" before the assignments; the text is then glued from what
// follows them (empty when they end a token).
bool skipStrengthAndDelay(VerilogParseState& state, std::string& text) {
    std::string_view token;
    if (!nextWord(state, token)) return false;
    if (token.starts_with('(')) {
        token = skipGroup(state, token);
        if (token.empty() && !nextWord(state, token)) return false;
    }
    if (token.starts_with('#')) {
        token.remove_prefix(1);
        if (token.empty() && !nextWord(state, token)) return false;
        if (token.starts_with('(')) {
            token = skipGroup(state, token);
        } else {
            token = {};
        }
    }
    text.assign(token);
    return true;
}

}  // namespace

int addAssignPiece(VerilogParseState& state, std::string_view piece) {
    const std::size_t equals = piece.find('=');
    if (equals == std::string_view::npos) {
        state.error("Imperfect formula error.\r\n");
        return 1;
    }
    std::string_view expression = piece.substr(equals + 1);
    if (expression.ends_with(';')) expression.remove_suffix(1);
    Assign assign;
    assign.displayName = removeLineMarkers(piece.substr(0, equals));
    assign.name = toLowerAscii(assign.displayName);
    assign.expression = removeLineMarkers(expression);
    assign.line = state.currentLine;
    assign.comment = state.commentOf(state.currentLine);
    appendRecord(state.module.assigns, std::move(assign));
    return 0;
}

int parseContinuousAssign(VerilogParseState& state) {
    // The glued text lives in a buffer kept from assignment to assignment;
    // the pieces are views into it.
    thread_local std::string text;
    text.clear();
    if (!skipStrengthAndDelay(state, text)) {
        state.error("';' not exist.(4)\r\n");
        return 1;
    }
    while (!text.ends_with(';')) {
        if (state.exhausted()) {
            state.error("';' not exist.(4)\r\n");
            return 1;
        }
        // Line markers stay out of the glued text: glued, "%%2" and "1;" would
        // read as the marker "%%21".
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) continue;
        text += token;
    }
    text.pop_back();
    const int result = forEachAssignmentPiece(
        text, [&state](std::string_view piece) { return addAssignPiece(state, piece); });
    // An unusually long assignment does not keep its buffer for the rest of the run.
    constexpr std::size_t kKeptCapacity = 4096;
    if (text.capacity() > kKeptCapacity) std::string().swap(text);
    return result;
}

}  // namespace corvane
