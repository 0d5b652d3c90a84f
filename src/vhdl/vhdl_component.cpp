#include <string>
#include <vector>

#include "database/chunk_preparation.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_bounds.h"
#include "vhdl/vhdl_declarations.h"
#include "vhdl/vhdl_design_units.h"

namespace corvane {

namespace {

// Reads the rest of a component declaration, glued without blanks and line
// markers, up to "end component" and its ";" (not included in `body`).
bool readComponentBody(VhdlParseState& state, std::string& body) {
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (state.followMarker(token)) continue;
        if (afterEndMarker && startsWithLowerWord(token, "component")) {
            return token.ends_with(';') || skipToSemicolon(state, {}) == 0;
        }
        if (afterEndMarker) body += kVhdlEndMarker;
        afterEndMarker = token == kVhdlEndMarker;
        if (!afterEndMarker) body += token;
    }
    return false;
}

// The first position at or after `from` where `text` holds the lower-case
// `word`, ignoring the case of `text`, or npos.
std::size_t findLowerWord(std::string_view text, std::string_view word, std::size_t from) {
    for (std::size_t pos = from; pos + word.size() <= text.size(); ++pos) {
        if (startsWithLowerWord(text.substr(pos), word)) return pos;
    }
    return std::string_view::npos;
}

// The port list of the component body: the text inside "port(...)", after a
// generic clause if there is one, as a view into `body`. False when there is
// no "port(".
bool componentPortList(std::string_view body, std::string_view& list) {
    std::size_t search = 0;
    const std::size_t generic = findLowerWord(body, "generic(", 0);
    if (generic != std::string_view::npos) search = matchingParenEnd(body, generic + 7);
    const std::size_t port = findLowerWord(body, "port(", search);
    if (port == std::string_view::npos) return false;
    const std::size_t open = port + 4;
    const std::size_t end = matchingParenEnd(body, open);
    const std::size_t innerEnd = (end > open + 1 && body[end - 1] == ')') ? end - 1 : end;
    list = body.substr(open + 1, innerEnd - open - 1);
    return true;
}

// Adds the ports of one "names : mode type" declaration; 1 after a message.
int addComponentPorts(VhdlParseState& state, std::string_view declaration, int line,
                      VhdlComponent& component) {
    const std::size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) {
        state.errorAt(line, "Syntax error.(26)\r\n");
        return 1;
    }
    const std::string_view names = trimmedBlanks(declaration.substr(0, colon));
    const std::string_view mode = trimmedBlanks(declaration.substr(colon + 1));
    // Only the three modes count here ("inout" first, as it begins with "in").
    if (!startsWithLowerWord(mode, "inout") && !startsWithLowerWord(mode, "in") &&
        !startsWithLowerWord(mode, "out")) {
        state.errorAt(line, "Syntax error.(28.2) port " + std::string(names) +
                                " has no in/out designation.\r\n");
        return 1;
    }
    const bool complete = forEachField(names, ',', [&](std::string_view name) {
        const std::string_view trimmed = trimmedBlanks(name);
        if (trimmed.empty()) return false;
        component.ports.push_back({toLowerAscii(trimmed), std::string(trimmed)});
        return true;
    });
    if (!complete) {
        state.errorAt(line, "Syntax error.(27)\r\n");
        return 1;
    }
    return 0;
}

}  // namespace

int parseComponentDeclaration(VhdlParseState& state) {
    const int line = state.currentLine;
    const std::string name = replaceAll(state.nextSkippingMarkers(), ",", "");
    // The glued body, in storage kept from component to component.
    thread_local std::string body;
    body.clear();
    const bool complete = !name.empty() && readComponentBody(state, body);
    if (!complete) {
        state.errorAt(line, "Syntax error.(12)\r\n");
        return 1;
    }
    VhdlComponent component{toLowerAscii(name), name, {}};
    if (state.findComponent(component.name)) {
        state.errorAt(line, "component \"" + name + "\" is already defined.\r\n");
        return 1;
    }
    std::string_view list;
    if (!componentPortList(body, list)) {
        // A component without a port clause has no ports to name.
        state.addComponent(std::move(component));
        return 0;
    }
    if (trimmedBlanks(list).empty()) {
        state.errorAt(line, "No port in component.\r\n");
        return 1;
    }
    // Every port name ends at a "," or a ";" (or at the end of the list).
    component.ports.reserve(fieldCountForReserve(list, ',') + fieldCountForReserve(list, ';'));
    const bool added = forEachField(list, ';', [&](std::string_view declaration) {
        return trimmedBlanks(declaration).empty() ||
               addComponentPorts(state, declaration, line, component) == 0;
    });
    if (!added) return 1;
    state.addComponent(std::move(component));
    return 0;
}

}  // namespace corvane
