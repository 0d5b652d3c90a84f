#include "vhdl/vhdl_declarations.h"

#include <string>
#include <vector>

#include "database/chunk_preparation.h"
#include "database/text_helpers.h"
#include "vhdl/vhdl_design_units.h"
#include "vhdl/vhdl_type_names.h"

namespace corvane {

namespace {

// The type part of a declaration, lower-cased, without an initial value,
// into `type`.
void typePart(std::string_view text, std::string& type) {
    assignLowerAscii(type, trimmedBlanks(text));
    const std::size_t initial = type.find(":=");
    if (initial != std::string::npos) type.resize(initial);
}

// Records are filled where they are stored, without a temporary to move.
void appendWire(VhdlParseState& state, std::string_view name, int msb, int lsb, int line) {
    Wire& wire = state.module.wires.emplace_back();
    wire.name = toLowerAscii(name);
    wire.displayName = std::string(name);
    wire.msb = msb;
    wire.lsb = lsb;
    wire.line = line;
    wire.comment = state.commentOf(line);
}

// The names before the ":" of a declaration, trimmed, as views into `text`;
// false when one is empty.
bool declaredNames(std::string_view text, std::vector<std::string_view>& names) {
    return forEachField(text, ',', [&](std::string_view name) {
        names.push_back(trimmedBlanks(name));
        return !names.back().empty();
    });
}

int parseRecordType(VhdlParseState& state, std::string_view name, int line) {
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        if (afterEndMarker && toLowerAscii(token).starts_with("record")) {
            if (!token.ends_with(';') && skipToSemicolon(state, {}) != 0) break;
            state.module.vhdlTypes.push_back({toLowerAscii(name), 0, 0});
            return 0;
        }
        afterEndMarker = token == kVhdlEndMarker;
    }
    state.errorAt(line, "Syntax error.(25.2)\r\n");
    return 1;
}

// "array(a to b) of T", lower-cased and blank-free, after "is".
int parseArrayType(VhdlParseState& state, std::string_view name, std::string_view body, int line) {
    const std::string_view afterArray = body.substr(5);
    const std::size_t groupEnd =
        afterArray.starts_with('(') ? matchingParenEnd(afterArray, 0) : afterArray.size();
    if (!afterArray.substr(groupEnd).starts_with("of")) {
        state.errorAt(line, "Syntax error.(25.3)\r\n");
        return 1;
    }
    int msb = 0;
    int lsb = 0;
    if (!parseVhdlRange(state.generics(), afterArray, msb, lsb)) {
        state.errorAt(line, "Syntax error.(25.4)\r\n");
        return 1;
    }
    state.module.vhdlTypes.push_back({toLowerAscii(name), msb, lsb});
    return 0;
}

}  // namespace

bool resolveDeclaredType(VhdlParseState& state, std::string_view type, int& msb, int& lsb) {
    msb = -1;
    lsb = -1;
    switch (vectorRangeOf(type, state.generics(), msb, lsb)) {
        case VectorType::kRange:
            return true;
        case VectorType::kMissingRange:
            return false;
        case VectorType::kNone:
            break;
    }
    if (isScalarType(type)) return true;
    if (const VhdlType* declared = state.findType(type)) {
        msb = declared->msb;
        lsb = declared->lsb;
    }
    return true;
}

int parseSignalDeclaration(VhdlParseState& state) {
    const int line = state.currentLine;
    // The glued declaration, its names and its type, in storage kept from
    // declaration to declaration.
    thread_local std::string text;
    thread_local std::vector<std::string_view> names;
    thread_local std::string type;
    text.clear();
    names.clear();
    if (!glueUntilSemicolon(state, text)) {
        state.errorAt(line, "';' not exist.(9)\r\n");
        return 1;
    }
    text.pop_back();
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        state.errorAt(line, "Syntax error.(10)\r\n");
        return 1;
    }
    if (!declaredNames(std::string_view(text).substr(0, colon), names)) {
        state.errorAt(line, "Signal name is empty.\r\n");
        return 1;
    }
    int msb = -1;
    int lsb = -1;
    typePart(std::string_view(text).substr(colon + 1), type);
    if (!resolveDeclaredType(state, type, msb, lsb)) {
        state.errorAt(line, "Syntax error.(34)\r\n");
        return 1;
    }
    for (std::string_view name : names) appendWire(state, name, msb, lsb, line);
    return 0;
}

int parseConstantDeclaration(VhdlParseState& state) {
    const int line = state.currentLine;
    std::string text;
    if (!glueUntilSemicolon(state, text)) {
        state.errorAt(line, "Syntax error.(28)\r\n");
        return 1;
    }
    text.pop_back();
    const std::vector<std::string> pieces = splitOutsideQuotes(text, ':');
    if (pieces.size() < 3) {
        state.errorAt(line, "Syntax error.(38)\r\n");
        return 1;
    }
    // A value that holds a ":" of its own keeps it.
    std::string value = pieces[2];
    for (std::size_t i = 3; i < pieces.size(); ++i) value += ":" + pieces[i];
    value = trimBlanks(value);
    if (value.starts_with('=')) value = trimBlanks(std::string_view(value).substr(1));
    int msb = -1;
    int lsb = -1;
    std::string type;
    typePart(pieces[1], type);
    if (!resolveDeclaredType(state, type, msb, lsb)) {
        state.errorAt(line, "Syntax error.(34)\r\n");
        return 1;
    }
    for (const std::string& name : splitAll(pieces[0], ",")) {
        const std::string trimmed = trimBlanks(name);
        if (trimmed.empty()) continue;
        appendWire(state, trimmed, msb, lsb, line);
        Assign& assign = state.module.assigns.emplace_back();
        assign.name = toLowerAscii(trimmed);
        assign.displayName = trimmed;
        assign.expression = value;
        assign.line = line;
    }
    return 0;
}

int parseTypeDeclaration(VhdlParseState& state) {
    const int line = state.currentLine;
    // The name and "is" are views into the prepared text, which parsing never changes.
    const std::string_view name = state.nextViewSkippingMarkers();
    if (name.empty() || name.ends_with(';')) {
        state.errorAt(line, "Syntax error.(25)\r\n");
        return 1;
    }
    const std::string_view isToken = state.nextViewSkippingMarkers();
    if (!(equalsLowerWord(isToken, "is") || startsWithLowerWord(isToken, "is("))) {
        if (!isToken.ends_with(';')) skipToSemicolon(state, {});
        state.errorAt(line, "Syntax error.(25)\r\n");
        return 1;
    }
    std::string body(isToken.substr(2));
    if (body.empty()) body = state.nextViewSkippingMarkers();
    if (startsWithLowerWord(body, "record")) {
        if (body.ends_with(';')) {
            state.errorAt(line, "Syntax error.(25.2)\r\n");
            return 1;
        }
        return parseRecordType(state, name, line);
    }
    if (!glueUntilSemicolon(state, body)) {
        state.errorAt(line, "Syntax error.(25)\r\n");
        return 1;
    }
    if (!startsWithLowerWord(body, "array")) return 0;  // enumerations, ranges and the like
    return parseArrayType(state, name, toLowerAscii(body), line);
}

}  // namespace corvane
