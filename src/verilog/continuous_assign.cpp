#include "verilog/continuous_assign.h"

#include <string>
#include <vector>

#include "database/text_helpers.h"

namespace corvane {

namespace {

// Splits at the commas that stand outside every kind of bracket, so that
// "a = f(b, c), {d, e} = g" gives two pieces.
std::vector<std::string> splitAssignmentPieces(std::string_view text) {
    std::vector<std::string> pieces;
    std::string current;
    long depth = 0;
    for (char c : text) {
        if (c == '(' || c == '{' || c == '[') ++depth;
        if (c == ')' || c == '}' || c == ']') --depth;
        if (c == ',' && depth <= 0) {
            pieces.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    pieces.push_back(std::move(current));
    return pieces;
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
    state.module.assigns.push_back(std::move(assign));
    return 0;
}

int parseContinuousAssign(VerilogParseState& state) {
    std::string text;
    while (true) {
        if (state.exhausted()) {
            state.error("';' not exist.(4)\r\n");
            return 1;
        }
        // Line markers stay out of the glued text: glued, "%%2" and "1;" would
        // read as the marker "%%21".
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) continue;
        text += token;
        if (text.ends_with(';')) break;
    }
    text.pop_back();
    int result = 0;
    for (const std::string& piece : splitAssignmentPieces(text)) {
        if (addAssignPiece(state, piece) != 0) result = 1;
    }
    return result;
}

}  // namespace corvane
