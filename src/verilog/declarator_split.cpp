#include "verilog/declarator_split.h"

namespace corvane {

bool DeclarationReader::nextSourceToken(std::string& token) {
    while (!state_.exhausted()) {
        token.assign(state_.nextView());
        if (!isLineMarkerText(token))
            return true;
        lastLine_ = lineMarkerNumber(token);
    }
    return false;
}

bool DeclarationReader::glueUntilSemicolon(std::string& text) {
    std::string token;
    while (!text.ends_with(';')) {
        if (!nextSourceToken(token))
            return false;
        if (!isSignednessKeyword(token))
            text += token;
    }
    return true;
}

BracketRange splitBracketRange(std::string_view text) {
    BracketRange range;
    if (text.empty())
        return range;
    const std::size_t colon = text.find(':', 1);
    const std::size_t close = text.find(']', colon == std::string_view::npos ? 1 : colon + 1);
    range.wellFormed = colon != std::string_view::npos && close != std::string_view::npos;
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    if (colon == std::string_view::npos) {
        range.msbText = text.substr(1, end - 1);
        range.lsbText = range.msbText;
    } else {
        range.msbText = text.substr(1, colon - 1);
        range.lsbText = text.substr(colon + 1, end - colon - 1);
    }
    if (close != std::string_view::npos)
        range.rest = text.substr(close + 1);
    return range;
}

std::vector<std::string_view> splitDeclarators(std::string_view text) {
    std::vector<std::string_view> pieces;
    splitDeclaratorsInto(text, pieces);
    return pieces;
}

void splitDeclaratorsInto(std::string_view text, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t start = 0;
    long depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(' || c == '[' || c == '{')
            ++depth;
        if (c == ')' || c == ']' || c == '}')
            --depth;
        if (c == ',' && depth <= 0) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(start));
}

}  // namespace corvane
