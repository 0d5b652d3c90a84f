#include "verilog/skipped_blocks.h"

#include <string>

namespace corvane {

int skipBlockUntil(VerilogParseState& state, std::string_view closer, int openLine) {
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) state.currentLine = lineMarkerNumber(token);
        if (token == closer) return 0;
    }
    state.errorAt(openLine, "\"" + std::string(closer) + "\" not exist.\r\n");
    return 1;
}

void skipDeclaration(VerilogParseState& state, std::string_view keywordToken) {
    if (keywordToken.ends_with(';')) return;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) state.currentLine = lineMarkerNumber(token);
        if (token.ends_with(';')) return;
    }
}

}  // namespace corvane
