#include "vhdl/vhdl_entity.h"

#include "database/chunk_preparation.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_type_names.h"

namespace corvane {

namespace {

// Length of the ",%%<n>," field at `pos` and its line number, or 0.
std::size_t gluedMarkerAt(std::string_view text, std::size_t pos, int& line) {
    if (text.compare(pos, 3, ",%%") != 0) return 0;
    std::size_t end = pos + 3;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end >= text.size() || text[end] != ',') return 0;
    line = leadingInt(text.substr(pos + 3, end - pos - 3));
    return end + 1 - pos;
}

// The entity text glued without blanks, line markers kept as ",%%<n>,"
// fields, with the name read from its first token.
struct EntityText {
    std::string text;
    std::string name;           // as written
    std::size_t bodyStart = 0;  // position after the "is"
};

bool readEntityText(VhdlParseState& state, EntityText& entity) {
    bool sawEnd = false;
    int words = 0;
    std::string firstWord;
    while (!(sawEnd && entity.text.ends_with(';'))) {
        if (state.exhausted()) return false;
        const std::string token = state.next();
        if (state.followMarker(token)) {
            entity.text += "," + token + ",";
            continue;
        }
        if (token.starts_with(kVhdlEndMarker)) sawEnd = true;
        ++words;
        if (words == 1) firstWord = token;
        entity.text += token;
        if (words == 2 && toLowerAscii(token) == "is") {
            entity.name = firstWord;
            entity.bodyStart = entity.text.size();
        }
    }
    if (entity.bodyStart == 0) {
        // The name is the text before the first "is".
        const std::size_t is = toLowerAscii(entity.text).find("is");
        const std::size_t cut = is == std::string::npos ? entity.text.size() : is;
        entity.name = removeGluedMarkers(std::string_view(entity.text).substr(0, cut));
        entity.bodyStart = is == std::string::npos ? entity.text.size() : is + 2;
    }
    return true;
}

// The text inside the parentheses of the clause whose keyword (with its "(")
// is at `keywordPos`; `clauseEnd` receives the position after the ")".
std::string_view clauseInner(std::string_view text, std::size_t keywordPos,
                             std::size_t keywordLength, std::size_t& clauseEnd) {
    const std::size_t open = keywordPos + keywordLength - 1;
    clauseEnd = matchingParenEnd(text, open);
    const std::size_t innerEnd =
        (clauseEnd > open + 1 && text[clauseEnd - 1] == ')') ? clauseEnd - 1 : clauseEnd;
    return text.substr(open + 1, innerEnd - open - 1);
}

void addGenericDeclaration(VhdlParseState& state, const GluedPiece& piece) {
    const std::vector<std::string> parts = splitOutsideQuotes(piece.text, ':');
    if (parts.size() != 2 && parts.size() != 3) {
        state.errorAt(piece.line, "Syntax error.(8)\r\n");
        return;
    }
    const std::string names = trimBlanks(parts[0]);
    if (names.empty()) {
        state.errorAt(piece.line, "Generic parameter name is empty.\r\n");
        return;
    }
    if (parts.size() == 2) return;  // no default value: nothing to substitute
    std::string_view value = parts[2];
    if (value.starts_with('=')) value.remove_prefix(1);
    const std::string trimmedValue = trimBlanks(value);
    if (trimmedValue.empty()) {
        state.errorAt(piece.line, "Generic parameter value is empty.\r\n");
        return;
    }
    for (const std::string& name : splitAll(names, ",")) {
        const std::string trimmed = trimBlanks(name);
        if (!trimmed.empty())
            state.module.generics[toLowerAscii(trimmed)] = toLowerAscii(trimmedValue);
    }
}

void addPortDeclaration(VhdlParseState& state, const GluedPiece& piece) {
    const std::string declaration = trimBlanks(piece.text);
    const std::string lower = toLowerAscii(declaration);
    if (lower.empty() || lower.starts_with(kVhdlEndMarker) || lower.starts_with("attribute"))
        return;
    const std::size_t colon = declaration.find(':');
    if (colon == std::string::npos) {
        state.errorAt(piece.line, "Syntax error.(24)\r\n");
        return;
    }
    if (trimBlanks(replaceAll(declaration.substr(0, colon), ",", "")).empty()) {
        state.errorAt(piece.line, "Pin name is empty.\r\n");
        return;
    }
    if (parsePortClause(state.module, declaration, piece.line, state.generics()) != 0) {
        state.errorAt(piece.line, "Syntax error.(9)\r\n");
    }
}

// Generic clause, then port clause after it.
void parseEntityClauses(VhdlParseState& state, const EntityText& entity, int entityLine) {
    const std::string_view text(entity.text);
    const std::string lower = toLowerAscii(text);
    std::size_t portSearch = entity.bodyStart;
    const std::size_t generic = lower.find("generic(", entity.bodyStart);
    if (generic != std::string::npos) {
        std::size_t clauseEnd = 0;
        const std::string_view inner = clauseInner(text, generic, 8, clauseEnd);
        const int line = gluedLineAt(text, generic, entityLine);
        for (const GluedPiece& piece : splitGluedClause(inner, line)) {
            if (!trimBlanks(piece.text).empty()) addGenericDeclaration(state, piece);
        }
        state.genericsChanged();
        portSearch = clauseEnd;
    }
    const std::size_t port = lower.find("port(", portSearch);
    if (port == std::string::npos) return;  // an entity without ports, as a testbench
    std::size_t clauseEnd = 0;
    const std::string_view inner = clauseInner(text, port, 5, clauseEnd);
    if (trimBlanks(removeGluedMarkers(inner)).empty()) {
        state.error("port empty\r\n");
        return;
    }
    for (const GluedPiece& piece :
         splitGluedClause(inner, gluedLineAt(text, port, entityLine))) {
        addPortDeclaration(state, piece);
    }
}

}  // namespace

std::vector<GluedPiece> splitGluedClause(std::string_view text, int startLine) {
    std::vector<GluedPiece> pieces;
    GluedPiece current;
    int runningLine = startLine;
    bool started = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (const std::size_t length = gluedMarkerAt(text, pos, runningLine); length > 0) {
            pos += length;
            continue;
        }
        const char c = text[pos++];
        if (c == ';') {
            current.line = started ? current.line : runningLine;
            pieces.push_back(std::move(current));
            current = GluedPiece();
            started = false;
            continue;
        }
        if (!started) {
            current.line = runningLine;
            started = true;
        }
        current.text.push_back(c);
    }
    if (!started) current.line = runningLine;
    pieces.push_back(std::move(current));
    return pieces;
}

int gluedLineAt(std::string_view text, std::size_t pos, int defaultLine) {
    int line = defaultLine;
    bool found = false;
    std::size_t at = 0;
    while (at < pos && at < text.size()) {
        int markerLine = 0;
        if (const std::size_t length = gluedMarkerAt(text, at, markerLine); length > 0) {
            line = markerLine;
            found = true;
            at += length;
            continue;
        }
        ++at;
    }
    return found ? line : defaultLine;
}

int parsePortClause(Module& module, std::string_view declaration, int line,
                    const GenericTable& generics) {
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) return 1;
    const std::string rest = toLowerAscii(trimBlanks(declaration.substr(colon + 1)));
    // "inout" before "in", which it begins with.
    static constexpr struct {
        std::string_view word;
        int direction;
    } kModes[] = {{"inout", 2}, {"in", 0}, {"out", 1}, {"buffer", 1}};
    int direction = -1;
    std::string type;
    for (const auto& mode : kModes) {
        if (!rest.starts_with(mode.word)) continue;
        direction = mode.direction;
        type = trimBlanks(std::string_view(rest).substr(mode.word.size()));
        break;
    }
    if (direction < 0) return 1;
    int msb = -1;
    int lsb = -1;
    vectorRangeOf(type, generics, msb, lsb);
    const auto comment = module.lineComments.find(line);
    for (const std::string& name : splitAll(declaration.substr(0, colon), ",")) {
        const std::string trimmed = trimBlanks(name);
        if (trimmed.empty()) continue;
        Pin pin;
        pin.name = toLowerAscii(trimmed);
        pin.displayName = trimmed;
        pin.direction = direction;
        pin.msb = msb;
        pin.lsb = lsb;
        pin.line = line;
        if (comment != module.lineComments.end()) pin.comment = comment->second;
        module.pins.push_back(std::move(pin));
    }
    return 0;
}

int parsePortClause(Module& module, std::string_view declaration, int line) {
    const GenericTable generics(module.generics);
    return parsePortClause(module, declaration, line, generics);
}

int parseEntityDeclaration(VhdlParseState& state) {
    const int entityLine = state.currentLine;
    EntityText entity;
    if (!readEntityText(state, entity)) {
        state.error("entity end Not found.\r\n");
        return 1;
    }
    state.module.displayName = trimBlanks(entity.name);
    state.module.name = toLowerAscii(state.module.displayName);
    parseEntityClauses(state, entity, entityLine);
    return 0;
}

}  // namespace corvane
