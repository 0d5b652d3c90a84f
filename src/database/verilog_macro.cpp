#include "database/verilog_macro.h"

namespace corvane {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

// End of the string literal that starts at `pos` (a double quote): the
// position after its closing quote, or the end of the text.
std::size_t stringEnd(std::string_view text, std::size_t pos) {
    for (++pos; pos < text.size(); ++pos) {
        if (text[pos] == '\\') {
            ++pos;
        } else if (text[pos] == '"') {
            return pos + 1;
        }
    }
    return text.size();
}

// Splits the inside of a formal list at the commas that stand outside
// brackets, braces, parentheses and strings.
std::vector<std::string_view> splitFormals(std::string_view text) {
    std::vector<std::string_view> pieces;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            pos = stringEnd(text, pos) - 1;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 0) {
            pieces.push_back(text.substr(start, pos - start));
            start = pos + 1;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// Position of the ")" that closes the "(" at `open`, or npos.
std::size_t closingParenthesis(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t pos = open; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            pos = stringEnd(text, pos) - 1;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return pos;
        }
    }
    return std::string_view::npos;
}

void addFormal(std::string_view piece, VerilogMacro& macro) {
    const std::size_t equals = piece.find('=');
    const std::string_view name = trimmed(piece.substr(0, equals));
    macro.formals.emplace_back(name);
    macro.hasDefault.push_back(equals != std::string_view::npos);
    macro.defaults.emplace_back(
        equals == std::string_view::npos ? std::string_view() : trimmed(piece.substr(equals + 1)));
}

// The actual text for formal `index`.
std::string_view actualFor(const VerilogMacro& macro, const std::vector<std::string>& actuals,
                           std::size_t index) {
    if (index < actuals.size() && !(actuals[index].empty() && macro.hasDefault[index])) {
        return actuals[index];
    }
    return macro.defaults[index];
}

// Index of the formal called `name`, or -1.
int formalIndex(const VerilogMacro& macro, std::string_view name) {
    for (std::size_t i = 0; i < macro.formals.size(); ++i) {
        if (macro.formals[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// Handles the back-quote at `pos` of a body; returns the position after what
// it consumed.
std::size_t substituteBackQuote(std::string_view body, std::size_t pos, std::string& out) {
    const std::string_view rest = body.substr(pos);
    if (rest.starts_with("`\\`\"")) {
        out += "\\\"";
        return pos + 4;
    }
    if (rest.starts_with("`\"")) {
        out += '"';
        return pos + 2;
    }
    if (rest.starts_with("``")) return pos + 2;
    // A macro use: its name is copied, never taken for a formal.
    const std::size_t length = macroNameLength(rest.substr(1));
    out.append(rest.substr(0, 1 + length));
    return pos + 1 + length;
}

}  // namespace

std::size_t macroNameLength(std::string_view text) {
    if (text.empty() || !isMacroNameStart(text.front())) return 0;
    std::size_t length = 1;
    while (length < text.size() && isMacroNameChar(text[length])) ++length;
    return length;
}

bool parseMacroDefinition(std::string_view text, VerilogMacro& macro) {
    text = trimmed(text);
    const std::size_t nameLength = macroNameLength(text);
    if (nameLength == 0) return false;
    macro.name = std::string(text.substr(0, nameLength));
    std::size_t bodyStart = nameLength;
    if (nameLength < text.size() && text[nameLength] == '(') {
        const std::size_t close = closingParenthesis(text, nameLength);
        if (close == std::string_view::npos) return false;
        macro.hasFormals = true;
        const std::string_view inside = text.substr(nameLength + 1, close - nameLength - 1);
        if (!trimmed(inside).empty()) {
            for (const std::string_view piece : splitFormals(inside)) addFormal(piece, macro);
        }
        bodyStart = close + 1;
    }
    macro.body = std::string(trimmed(text.substr(bodyStart)));
    return true;
}

std::string substituteMacroBody(const VerilogMacro& macro, const std::vector<std::string>& actuals,
                                std::size_t maxSize) {
    const std::string_view body = macro.body;
    if (!macro.hasFormals && body.find('`') == std::string_view::npos) return macro.body;
    std::string out;
    out.reserve(body.size());
    std::size_t pos = 0;
    while (pos < body.size() && out.size() <= maxSize) {
        const char c = body[pos];
        if (c == '"') {
            const std::size_t end = stringEnd(body, pos);
            out.append(body.substr(pos, end - pos));
            pos = end;
        } else if (c == '`') {
            pos = substituteBackQuote(body, pos, out);
        } else if (isMacroNameStart(c)) {
            const std::size_t length = macroNameLength(body.substr(pos));
            const std::string_view name = body.substr(pos, length);
            const int index = formalIndex(macro, name);
            if (index < 0) {
                out.append(name);
            } else {
                out.append(actualFor(macro, actuals, static_cast<std::size_t>(index)));
            }
            pos += length;
        } else if ((c >= '0' && c <= '9') || c == '$' || c == '\'' || c == '\\') {
            // Numbers, based literals, system names and escaped names are
            // copied whole, so their letters are never taken for a formal.
            std::size_t end = pos + 1;
            const bool escaped = c == '\\';
            while (end < body.size() &&
                   (escaped ? body[end] != ' ' && body[end] != '\t' : isMacroNameChar(body[end]))) {
                ++end;
            }
            out.append(body.substr(pos, end - pos));
            pos = end;
        } else {
            out += c;
            ++pos;
        }
    }
    return out;
}

}  // namespace corvane
