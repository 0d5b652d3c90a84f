#include "verilog/parameter_parser.h"

#include <string>
#include <string_view>

#include "database/text_helpers.h"
#include "database/token_reader.h"

namespace corvane {

namespace {

// Reads tokens and glues them without blanks onto `text` until it ends with
// ";". Line markers are not glued (a marker before a value such as "8" would
// merge with it) but move `lastLine`. False when the text ends first.
bool glueUntilSemicolon(VerilogParseState& state, std::string& text, int& lastLine) {
    while (!text.ends_with(';')) {
        if (state.exhausted())
            return false;
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            lastLine = lineMarkerNumber(token);
        } else {
            text += token;
        }
    }
    return true;
}

// Drops a range written before the name ("[7:0]W=8" gives "W=8"). A "]" after
// the first "=" belongs to the value and is kept.
std::string_view withoutRange(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos || close > text.find('='))
        return text;
    return text.substr(close + 1);
}

}  // namespace

int parseParameter(VerilogParseState& state, const std::string& keywordToken) {
    const int itemLine = state.currentLine;
    int lastLine = itemLine;
    // "parameter[7:0]" brings the start of its range along.
    const std::size_t bracket = keywordToken.find('[');
    std::string text = bracket == std::string::npos ? std::string() : keywordToken.substr(bracket);
    const bool complete = glueUntilSemicolon(state, text, lastLine);
    state.currentLine = lastLine;
    if (!complete) {
        state.errorAt(itemLine, "';' not exist.(5)\r\n");
        return 1;
    }
    text.pop_back();
    // Only a single "name=value" is kept; a list such as "A=1,B=2" splits
    // into three pieces and defines nothing.
    const std::vector<std::string> pieces = splitAll(withoutRange(text), "=");
    if (pieces.size() == 2)
        state.module.parameters[pieces[0]] = pieces[1];
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
