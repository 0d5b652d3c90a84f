#include "verilog/skipped_blocks.h"

#include <string>

#include "verilog/always_statement_words.h"
#include "verilog/always_token_source.h"
#include "verilog/construct_skipper.h"

namespace corvane {

int skipBlockUntil(VerilogParseState& state, std::string_view closer, int openLine,
                   std::string_view opener) {
    long depth = 1;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) state.currentLine = lineMarkerNumber(token);
        if (token == closer && --depth == 0) return 0;
        if (!opener.empty() && token == opener) ++depth;
    }
    state.errorAt(openLine, "\"" + std::string(closer) + "\" not exist.\r\n");
    return 1;
}

int skipSpecifyBlock(VerilogParseState& state, int openLine) {
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) state.currentLine = lineMarkerNumber(token);
        if (token == "endspecify") return 0;
        if (token == "endmodule" || token == "endmodul") {
            state.pushBack();
            break;
        }
    }
    state.errorAt(openLine, "\"endspecify\" not exist.\r\n");
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

void skipVariableDeclaration(VerilogParseState& state, std::string_view keywordToken) {
    const std::size_t range = keywordToken.find('[');
    std::string text(range == std::string_view::npos ? std::string_view() : keywordToken.substr(range));
    while (!text.ends_with(';') && !state.exhausted()) {
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
        } else {
            text += token;
        }
    }
    if (!text.ends_with(';')) return;
    text.pop_back();
    appendDeclaredNames(text, state.unrecordedVariables);
}

bool isGenerateConstruct(std::string_view token) {
    // Most item tokens differ from these keywords in their first character.
    if (token.empty() || std::string_view("ifcb").find(token.front()) == std::string_view::npos) {
        return false;
    }
    static constexpr std::string_view kKeywords[] = {"if", "for", "case", "casex", "casez", "begin"};
    for (std::string_view keyword : kKeywords) {
        if (isKeywordToken(token, keyword)) return true;
    }
    return false;
}

int skipGenerateConstruct(VerilogParseState& state, std::string_view keywordToken, int openLine) {
    AlwaysTokenSource source(state);
    const SkipOutcome outcome = skipConstruct(source, std::string(keywordToken));
    if (outcome.end == SkipEnd::kComplete) return 0;
    state.errorAt(openLine, "\"end\" not exist.\r\n");
    return 1;
}

}  // namespace corvane
