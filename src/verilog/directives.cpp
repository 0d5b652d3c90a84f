#include "verilog/directives.h"

#include "database/chunk_preparation.h"

namespace corvane {

int parseTimescale(VerilogParseState& state) {
    std::string text;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
            if (text.find('/') != std::string::npos) return 0;
            break;
        }
        text += token;
    }
    state.error("`timescale Syntax error.\r\n");
    return 1;
}

void skipInclude(VerilogParseState& state) {
    if (!state.exhausted()) state.nextView();
}

void parseDefine(VerilogParseState& state) {
    if (state.exhausted()) return;
    const std::string name(state.nextView());
    std::string replacement;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (token == kDefineEndMarker) break;
        if (!replacement.empty()) replacement.push_back(' ');
        replacement += token;
    }
    state.module.defines[name] = replacement;
}

void parseConditional(VerilogParseState& state, bool skipWhenDefined) {
    if (state.exhausted()) return;
    const std::string name(state.nextView());
    const bool defined = state.module.defines.contains(name);
    if (defined != skipWhenDefined) return;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) state.currentLine = lineMarkerNumber(token);
        if (token == "`endif") return;
    }
}

}  // namespace corvane
