#include "vhdl/vhdl_regions.h"

#include <string>

#include "text/text_helpers.h"

namespace corvane {

namespace {

enum class Kind { kNone, kGenerate, kBlock, kAssertion };

// Whether `token` is `word`, or begins with `word` followed by "(".
bool isKeyword(std::string_view token, std::string_view word) {
    if (!startsWithLowerWord(token, word)) return false;
    return token.size() == word.size() || token[word.size()] == '(';
}

Kind kindOf(std::string_view token) {
    if (isKeyword(token, "if") || isKeyword(token, "for") || isKeyword(token, "case"))
        return Kind::kGenerate;
    if (isKeyword(token, "block")) return Kind::kBlock;
    if (isKeyword(token, "assert")) return Kind::kAssertion;
    return Kind::kNone;
}

// Whether `token` is the word "generate", alone or glued after a ")".
bool isGenerateWord(std::string_view token) {
    if (equalsLowerWord(token, "generate")) return true;
    return token.size() > 8 && token[token.size() - 9] == ')' &&
           equalsLowerWord(token.substr(token.size() - 8), "generate");
}

// Skips up to and including the "generate" of a header. False when the
// text ends first.
bool skipToGenerate(VhdlParseState& state, std::string_view token) {
    while (!isGenerateWord(token)) {
        if (state.exhausted()) return false;
        token = state.nextView();
        state.followMarker(token);
    }
    return true;
}

// "block [(guard)] [is]": the optional parts after the keyword.
void skipBlockHeader(VhdlParseState& state) {
    const int pos = state.module.readPos;
    const int read = state.module.tokensRead;
    const std::string_view token = state.nextViewSkippingMarkers();
    if (equalsLowerWord(token, "is")) return;
    state.module.readPos = pos;
    state.module.tokensRead = read;
}

// The statement's label and the token after it: the label may stand alone
// ("g", ":", "if"), end with the colon ("g:", "if") or carry the keyword
// ("g:if(...)"). Returns the token after the label, or "" when the
// statement has no label.
std::string_view afterLabel(VhdlParseState& state, std::string_view first, std::string& rest) {
    const std::size_t colon = first.find(':');
    if (colon != std::string_view::npos) {
        if (first.substr(colon).starts_with(":=")) return {};
        if (colon + 1 < first.size()) {
            rest.assign(first.substr(colon + 1));
            return rest;
        }
        return state.nextViewSkippingMarkers();
    }
    // Most statements are no labelled ones: a look at the character the next
    // token starts with settles them without reading it.
    const std::string& text = state.module.text;
    const int at = state.module.readPos;
    if (at < 0 || static_cast<std::size_t>(at) >= text.size()) return {};
    const char next = text[static_cast<std::size_t>(at)];
    if (next != ':' && next != '%') return {};
    // "label : word": a word whose first letter begins no region keyword
    // settles it too, before anything is read (a name substitution could
    // change the words read, so it must have none to apply).
    const std::size_t word = static_cast<std::size_t>(at) + 2;
    if (next == ':' && word < text.size() && text[word - 1] == ' ' &&
        state.module.parameters.empty()) {
        const char lead = static_cast<char>(text[word] | 0x20);
        if (text[word] != '%' && text[word] != ' ' && lead != 'i' && lead != 'f' && lead != 'c' &&
            lead != 'b' && lead != 'a')
            return {};
    }
    const std::string_view second = state.nextViewSkippingMarkers();
    if (second == ":") return state.nextViewSkippingMarkers();
    if (second.starts_with(':') && !second.starts_with(":=")) {
        rest.assign(second.substr(1));
        return rest;
    }
    return {};
}

// An alternative of an open generate: "elsif c generate", "else generate",
// "when choice =>".
bool parseAlternative(VhdlParseState& state, std::string_view first) {
    if (equalsLowerWord(first, "elsif") || startsWithLowerWord(first, "elsif(") ||
        equalsLowerWord(first, "$else$")) {
        skipToGenerate(state, first);
        return true;
    }
    if (startsWithLowerWord(first, "$when$")) {
        std::string_view token = first;
        while (token.find("=>") == std::string_view::npos) {
            if (state.exhausted()) return true;
            token = state.nextView();
            state.followMarker(token);
        }
        return true;
    }
    return false;
}

}  // namespace

bool skipStatement(VhdlParseState& state, std::string_view token) {
    bool inString = false;
    while (true) {
        if (!state.followMarker(token)) {
            for (const char c : token) inString = c == '"' ? !inString : inString;
            if (!inString && token.ends_with(';')) return true;
        }
        if (state.exhausted()) return false;
        token = state.nextView();
    }
}

bool parseRegionStatement(VhdlParseState& state, std::string_view first) {
    if (first.empty()) return false;
    if (state.openRegions > 0 && parseAlternative(state, first)) return true;
    if ((first[0] | 0x20) == 'a' && kindOf(first) == Kind::kAssertion) {
        if (!skipStatement(state, first)) state.error("';' not exist.(12)\r\n");
        return true;
    }
    const int pos = state.module.readPos;
    const int read = state.module.tokensRead;
    const int line = state.currentLine;
    std::string rest;
    const std::string_view keyword = afterLabel(state, first, rest);
    switch (keyword.empty() ? Kind::kNone : kindOf(keyword)) {
        case Kind::kGenerate:
            if (!skipToGenerate(state, keyword)) {
                state.errorAt(line, "';' not exist.(12)\r\n");
                return true;
            }
            ++state.openRegions;
            return true;
        case Kind::kBlock:
            skipBlockHeader(state);
            ++state.openRegions;
            return true;
        case Kind::kAssertion:
            if (!skipStatement(state, keyword)) state.errorAt(line, "';' not exist.(12)\r\n");
            return true;
        case Kind::kNone:
            break;
    }
    state.module.readPos = pos;
    state.module.tokensRead = read;
    state.currentLine = line;
    return false;
}

}  // namespace corvane
