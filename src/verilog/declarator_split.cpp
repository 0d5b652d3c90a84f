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

bool DeclarationReader::nextSourceView(std::string_view& token) {
    while (!state_.exhausted()) {
        token = state_.nextView();
        if (!isLineMarkerText(token))
            return true;
        lastLine_ = lineMarkerNumber(token);
    }
    return false;
}

namespace {

// Words between a net type and the names that change nothing recorded.
bool isDroppedWord(std::string_view token) {
    return isSignednessKeyword(token) || token == "vectored" || token == "scalared";
}

// True while no name has been glued: the text is empty or one whole range.
bool beforeNames(std::string_view text) {
    if (text.empty())
        return true;
    if (!text.starts_with('[') || !text.ends_with(']'))
        return false;
    long depth = 0;
    for (char c : text) {
        if (c == '[')
            ++depth;
        if (c == ']')
            --depth;
    }
    return depth == 0;
}

// Parenthesis depth change of a token.
long depthChange(std::string_view token) {
    long change = 0;
    for (char c : token) {
        if (c == '(')
            ++change;
        if (c == ')')
            --change;
    }
    return change;
}

// Whether a parenthesised group at the start of a declaration is a drive
// or charge strength ("(strong0,", "(weak1)", "(small)").
bool isStrengthGroup(std::string_view token) {
    static constexpr std::string_view kWords[] = {"supply", "strong", "pull", "weak", "highz",
                                                  "small",  "medium", "large"};
    if (!token.starts_with('('))
        return false;
    token.remove_prefix(1);
    for (std::string_view word : kWords) {
        if (token.starts_with(word))
            return true;
    }
    return false;
}

}  // namespace

bool quoteOpenAfter(std::string_view token, bool quoted) {
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] == '\\' && quoted) {
            ++i;  // an escaped character inside the string
            continue;
        }
        if (token[i] == '"')
            quoted = !quoted;
    }
    return quoted;
}

bool DeclarationReader::skipGroup(std::string token, std::string& text) {
    long depth = depthChange(token);
    while (depth > 0) {
        if (!nextSourceToken(token))
            return false;
        depth += depthChange(token);
    }
    // A name glued behind the closing parenthesis ("#(1)a") stays.
    const std::size_t close = token.rfind(')');
    if (close != std::string::npos)
        text += token.substr(close + 1);
    return true;
}

// A delay before the names: "#1", "# 2", "#d", "#(1,2)", "#(1:2:3)".
bool DeclarationReader::skipDelay(const std::string& token, std::string& text) {
    std::string value = token.substr(1);
    if (value.empty() && !nextSourceToken(value))
        return false;
    if (value.starts_with('('))
        return skipGroup(value, text);
    return true;
}

bool DeclarationReader::glueUntilSemicolon(std::string& text) {
    // Tokens are glued from views; only a delay or strength group gets a copy.
    std::string_view token;
    bool quoted = false;  // a ";" inside a string ends nothing
    while (quoted || !text.ends_with(';')) {
        if (!nextSourceView(token))
            return false;
        if (!quoted && isDroppedWord(token))
            continue;
        if (token.find('"') != std::string_view::npos)
            quoted = quoteOpenAfter(token, quoted);
        if (quoted) {
            text += token;
            continue;
        }
        if (token.starts_with('#') && beforeNames(text)) {
            if (!skipDelay(std::string(token), text))
                return false;
            continue;
        }
        if (text.empty() && isStrengthGroup(token)) {
            if (!skipGroup(std::string(token), text))
                return false;
            continue;
        }
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
