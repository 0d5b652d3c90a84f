#include "vhdl/vhdl_declarations.h"

#include <string>
#include <vector>

#include "database/chunk_preparation.h"
#include "text/text_helpers.h"
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

// Skips tokens up to "end" followed by `keyword` and the ";" after it.
bool skipToEndOf(VhdlParseState& state, std::string_view keyword) {
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (state.followMarker(token)) continue;
        if (afterEndMarker && startsWithLowerWord(token, keyword)) {
            return token.ends_with(';') || skipToSemicolon(state, {}) == 0;
        }
        afterEndMarker = token == kVhdlEndMarker;
    }
    return false;
}

int parseRecordType(VhdlParseState& state, std::string_view name, int line) {
    if (!skipToEndOf(state, "record")) {
        state.errorAt(line, "Syntax error.(25.2)\r\n");
        return 1;
    }
    state.module.vhdlTypes.push_back({toLowerAscii(name), 0, 0});
    return 0;
}

// The range of "T'range" or "T'reverse_range" (lower-cased) for a port or
// signal T of the module; false for anything else.
bool attributeRange(VhdlParseState& state, std::string_view text, int& msb, int& lsb) {
    const std::size_t tick = text.find('\'');
    if (tick == std::string_view::npos) return false;
    const std::string_view attribute = text.substr(tick);
    const bool reverse = attribute == "'reverse_range";
    if (attribute != "'range" && !reverse) return false;
    const std::string_view name = text.substr(0, tick);
    for (const Pin& pin : state.module.pins) {
        if (pin.name != name) continue;
        msb = reverse ? pin.lsb : pin.msb;
        lsb = reverse ? pin.msb : pin.lsb;
        return true;
    }
    for (const Wire& wire : state.module.wires) {
        if (wire.name != name) continue;
        msb = reverse ? wire.lsb : wire.msb;
        lsb = reverse ? wire.msb : wire.lsb;
        return true;
    }
    return false;
}

// The text inside the parentheses that start `text`, or "".
std::string_view parenthesised(std::string_view text) {
    if (!text.starts_with('(')) return {};
    const std::size_t end = matchingParenEnd(text, 0);
    const std::size_t innerEnd = (end > 1 && text[end - 1] == ')') ? end - 1 : end;
    return text.substr(1, innerEnd - 1);
}

// A vector or array type constrained by something other than a range: the
// range of a port or signal named by an attribute, else unknown (-1, -1).
// False for the range attribute of a generic, which is a number.
bool constraintRange(VhdlParseState& state, std::string_view constraint, int& msb, int& lsb) {
    msb = -1;
    lsb = -1;
    if (attributeRange(state, constraint, msb, lsb)) return true;
    const std::size_t tick = constraint.find('\'');
    return tick == std::string_view::npos ||
           !state.module.generics.contains(std::string(constraint.substr(0, tick)));
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
    // An unconstrained array ("natural range <>"), or one indexed by a type
    // or an attribute, has no range of its own: its objects give theirs.
    const std::string_view index = parenthesised(afterArray);
    if (trimmedBlanks(index).empty()) {
        state.errorAt(line, "Syntax error.(25.4)\r\n");
        return 1;
    }
    if (index.find("<>") != std::string_view::npos ||
        !parseVhdlRange(state.generics(), afterArray, msb, lsb)) {
        constraintRange(state, index, msb, lsb);
    }
    state.module.vhdlTypes.push_back({toLowerAscii(name), msb, lsb});
    return 0;
}

int addDeferredConstant(VhdlParseState& state, const std::vector<std::string>& pieces, int line);

// The range of a constant's type; an unknown type writes its error.
bool constantTypeRange(VhdlParseState& state, std::string_view typeText, int line, int& msb,
                       int& lsb) {
    std::string type;
    typePart(typeText, type);
    if (resolveDeclaredType(state, type, msb, lsb)) return true;
    state.errorAt(line, "Syntax error.(34)\r\n");
    return false;
}

}  // namespace

bool resolveDeclaredType(VhdlParseState& state, std::string_view type, int& msb, int& lsb) {
    msb = -1;
    lsb = -1;
    switch (vectorRangeOf(type, state.generics(), msb, lsb)) {
        case VectorType::kRange:
            return true;
        case VectorType::kMissingRange: {
            // Constrained by an attribute or a subtype name rather than a range.
            const std::size_t open = type.find('(');
            if (open == std::string_view::npos) return false;
            return constraintRange(state, parenthesised(type.substr(open)), msb, lsb);
        }
        case VectorType::kNone:
            break;
    }
    if (isScalarType(type)) return true;
    // A declared type, with a constraint of its own when it is unconstrained.
    const std::size_t open = type.find('(');
    const std::string_view typeName = type.substr(0, open);
    if (const VhdlType* declared = state.findType(typeName)) {
        msb = declared->msb;
        lsb = declared->lsb;
        if (open != std::string_view::npos &&
            !parseVhdlRange(state.generics(), type.substr(open), msb, lsb)) {
            constraintRange(state, parenthesised(type.substr(open)), msb, lsb);
        }
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
    // A package may defer a constant's value to its body.
    if (pieces.size() == 2 && state.unit == kPackage) return addDeferredConstant(state, pieces, line);
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
    if (!constantTypeRange(state, pieces[1], line, msb, lsb)) return 1;
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
    if (startsWithLowerWord(body, "protected")) {
        // A protected type or its body: nothing the database models.
        if (!skipToEndOf(state, "protected")) state.errorAt(line, "Syntax error.(25)\r\n");
        return 0;
    }
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
    // A physical type lists its units up to "end units".
    if (startsWithLowerWord(body, "range") && toLowerAscii(body).find("units") != std::string::npos) {
        if (!skipToEndOf(state, "units")) state.errorAt(line, "Syntax error.(25)\r\n");
        return 0;
    }
    if (!startsWithLowerWord(body, "array")) return 0;  // enumerations, ranges and the like
    return parseArrayType(state, name, toLowerAscii(body), line);
}

namespace {

// "constant NAME : type;": a wire without an assignment.
int addDeferredConstant(VhdlParseState& state, const std::vector<std::string>& pieces, int line) {
    int msb = -1;
    int lsb = -1;
    if (!constantTypeRange(state, pieces[1], line, msb, lsb)) return 1;
    for (const std::string& name : splitAll(pieces[0], ",")) {
        const std::string trimmed = trimBlanks(name);
        if (!trimmed.empty()) appendWire(state, trimmed, msb, lsb, line);
    }
    return 0;
}

}  // namespace

}  // namespace corvane
