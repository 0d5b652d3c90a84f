#include "verilog/initial_block_parser.h"

#include <string>

#include "database/text_helpers.h"

namespace corvane {

namespace {

bool isEndmoduleWord(std::string_view lower) {
    return lower == "endmodule" || lower == "endmodul";
}

// A token that opens a begin-end level: "begin" itself, or a "begin" glued to
// a condition or a case label by the text preparation ("if(a)begin", "0:begin").
bool opensLevel(std::string_view lower) {
    return lower == "begin" || lower.ends_with(")begin") || lower.ends_with(":begin");
}

// Skips the body of an initial block up to its final "end". Returns 0, or 1
// with "\"end\" not exist." when the body is not closed.
int skipInitialBody(VerilogParseState& state) {
    long depth = 1;
    std::string lower;
    while (depth > 0) {
        if (state.exhausted()) {
            state.error("\"end\" not exist.\r\n");
            return 1;
        }
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
            continue;
        }
        assignLowerAscii(lower, token);
        if (isEndmoduleWord(lower)) {
            // Left for the module loop, which ends the module with it.
            state.pushBack();
            state.error("\"end\" not exist.\r\n");
            return 1;
        }
        if (opensLevel(lower)) ++depth;
        if (lower == "end") --depth;
    }
    return 0;
}

}  // namespace

int parseInitial(VerilogParseState& state) {
    const int keywordLine = state.currentLine;
    std::string lower;
    // The header is read up to a token ending with ";" (a single statement,
    // not recorded) or with "begin"; tokens are joined by blanks, so the
    // joined text ends as its last token does.
    while (true) {
        if (state.exhausted()) {
            state.error("\"begin\" not exist.\r\n");
            return 1;
        }
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
            continue;
        }
        assignLowerAscii(lower, token);
        if (isEndmoduleWord(lower)) {
            state.pushBack();
            state.error("\"begin\" not exist.\r\n");
            return 1;
        }
        if (lower.ends_with(';')) return 0;
        if (lower.ends_with("begin")) break;
    }
    Initial initial;
    initial.line = keywordLine;
    state.module.initialBlocks.push_back(std::move(initial));
    return skipInitialBody(state);
}

}  // namespace corvane
