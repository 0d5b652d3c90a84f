#include "verilog/always_statement_words.h"

#include "text/text_helpers.h"

namespace corvane {

namespace {

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c) {
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '$';
}

// Length of the name at the start of `text` (0 when it does not start one).
std::size_t nameLength(std::string_view text) {
    if (text.empty()) return 0;
    if (text.front() == '\\') return text.size();  // an escaped name runs to its blank
    if (!isNameStart(text.front())) return 0;
    std::size_t length = 1;
    while (length < text.size() && (isNameChar(text[length]) || text[length] == '.')) ++length;
    return length;
}

}  // namespace

std::size_t caseLabelColon(std::string_view text) {
    long depth = 0;
    long pendingConditionals = 0;
    bool inQuote = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuote) {
            if (c == '"') inQuote = false;
        } else if (c == '"') {
            inQuote = true;
        } else if (c == '\'') {
            // A based number ("4'b1??0") may hold "?" digits.
            while (i + 1 < text.size() && (isNameChar(text[i + 1]) || text[i + 1] == '?')) ++i;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        } else if (depth <= 0 && c == '?') {
            ++pendingConditionals;
        } else if (depth <= 0 && c == ':') {
            if (pendingConditionals == 0) return i;
            --pendingConditionals;
        }
    }
    return std::string_view::npos;
}

bool isPlainName(std::string_view text) {
    return !text.empty() && nameLength(text) == text.size();
}

bool startsTaskCallWithArguments(std::string_view lower) {
    if (lower.starts_with('\\')) return false;
    const std::size_t length = nameLength(lower);
    return length > 0 && length < lower.size() && lower[length] == '(';
}

bool isTaskEnable(std::string_view statement) {
    const std::size_t length = nameLength(statement);
    if (length == 0) return false;
    if (length == statement.size()) return true;
    if (statement[length] != '(') return false;
    // The arguments' parentheses close at the end of the statement.
    long depth = 0;
    for (std::size_t i = length; i < statement.size(); ++i) {
        if (statement[i] == '(') ++depth;
        if (statement[i] == ')' && --depth == 0) return i + 1 == statement.size();
    }
    return false;
}

bool isLocalDeclarationWord(std::string_view lower) {
    static constexpr std::string_view kWords[] = {
        "reg",       "integer", "time", "real", "realtime", "event",    "localparam",
        "parameter", "logic",   "bit",  "byte", "int",      "shortint", "longint"};
    // Every word of the list is 3 to 10 letters long and begins with one of
    // these letters; most tokens (names of targets) fail this test already.
    if (lower.size() < 3) return false;
    switch (lower.front()) {
    case 'b': case 'e': case 'i': case 'l': case 'p': case 'r': case 's': case 't': break;
    default: return false;
    }
    const std::string_view word = lower.substr(0, lower.find('['));
    if (word.size() < 3 || word.size() > 10) return false;
    for (std::string_view keyword : kWords) {
        if (word == keyword) return true;
    }
    return false;
}

void appendDeclaredNames(std::string_view declarators, std::vector<std::string>& names) {
    // Ranges before the first name belong to the type.
    while (declarators.starts_with('[')) {
        const std::size_t close = declarators.find(']');
        if (close == std::string_view::npos) return;
        declarators.remove_prefix(close + 1);
    }
    for (const std::string& piece : splitOutsideBrackets(declarators, ',', '[', ']')) {
        const std::string_view name = std::string_view(piece).substr(0, piece.find_first_of("[="));
        if (!name.empty()) names.push_back(toLowerAscii(name));
    }
}

std::size_t controlValueLength(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size() &&
           (isNameChar(text[length]) || text[length] == '.' || text[length] == '\'')) {
        ++length;
    }
    return length;
}

}  // namespace corvane
