#include "verilog/directives.h"

#include "database/chunk_preparation.h"

namespace corvane {

int parseTimescale(VerilogParseState& state) {
    std::string text;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (isLineMarker(token)) {
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
    if (!state.exhausted()) state.next();
}

void parseDefine(VerilogParseState& state) {
    if (state.exhausted()) return;
    const std::string name = state.next();
    std::string replacement;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (token == kDefineEndMarker) break;
        if (!replacement.empty()) replacement.push_back(' ');
        replacement += token;
    }
    state.module.defines[name] = replacement;
}

void parseConditional(VerilogParseState& state, bool skipWhenDefined) {
    if (state.exhausted()) return;
    const std::string name = state.next();
    const bool defined = state.module.defines.contains(name);
    if (defined != skipWhenDefined) return;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (isLineMarker(token)) state.currentLine = lineMarkerNumber(token);
        if (token == "`endif") return;
    }
}

}  // namespace corvane
