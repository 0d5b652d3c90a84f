#include <algorithm>
#include <string>
#include <vector>

#include "database/text_helpers.h"
#include "vhdl/vhdl_concurrent.h"

namespace corvane {

namespace {

bool isWordStart(const std::vector<std::size_t>& starts, std::size_t pos) {
    return std::binary_search(starts.begin(), starts.end(), pos);
}

// The first `keyword` at or after `from` that begins a token of the statement
// ("port map (" glued to "portmap("), so that a name holding the word is passed over.
std::size_t findMapKeyword(const std::string& lower, std::string_view keyword, std::size_t from,
                           const std::vector<std::size_t>& starts) {
    std::size_t found = lower.find(keyword, from);
    while (found != std::string::npos && !isWordStart(starts, found)) {
        found = lower.find(keyword, found + 1);
    }
    return found;
}

// The instantiated name between the label's ":" and the map keywords: a
// leading "entity" (or "component") keyword, a library prefix ending with "."
// and an architecture suffix "(arch)" are removed.
std::string instantiatedName(std::string_view text, std::size_t begin, std::size_t end,
                             const std::vector<std::size_t>& starts) {
    std::string_view name = text.substr(begin, end - begin);
    for (std::string_view keyword : {std::string_view("entity"), std::string_view("component")}) {
        if (toLowerAscii(name).starts_with(keyword) &&
            isWordStart(starts, begin + keyword.size())) {
            name.remove_prefix(keyword.size());
            break;
        }
    }
    const std::size_t suffix = name.find('(');
    if (suffix != std::string_view::npos) name = name.substr(0, suffix);
    const std::size_t library = name.rfind('.');
    if (library != std::string_view::npos) name.remove_prefix(library + 1);
    return std::string(name);
}

void addOverrides(std::string_view associations, Child& child) {
    for (const std::string& association : splitAll(associations, ",")) {
        const std::size_t arrow = association.find("=>");
        if (arrow == std::string::npos) continue;
        ParamOverride override;
        override.displayName = trimBlanks(std::string_view(association).substr(0, arrow));
        override.name = toLowerAscii(override.displayName);
        override.value = trimBlanks(std::string_view(association).substr(arrow + 2));
        child.overrides.push_back(std::move(override));
    }
}

// A character literal '0', a bit-string literal "0101" or a hexadecimal
// literal x"FF" of digits and a-f only; `bits` receives the width the
// literal's wire is given (-1 for a character literal).
bool isLiteralActual(const std::string& lower, int& bits) {
    if (lower.size() <= 2) return false;
    std::string_view digits;
    if (lower.front() == '\'' && lower.back() == '\'') {
        digits = std::string_view(lower).substr(1, lower.size() - 2);
        bits = -1;
    } else if (lower.front() == '"' && lower.back() == '"') {
        digits = std::string_view(lower).substr(1, lower.size() - 2);
        bits = static_cast<int>(digits.size());
    } else if (lower[0] == 'x' && lower[1] == '"' && lower.back() == '"') {
        digits = std::string_view(lower).substr(2, lower.size() - 3);
        bits = static_cast<int>(digits.size()) * 4;
    } else {
        return false;
    }
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A literal actual is a net of its own: a wire named by the literal, driven
// by an assignment of the literal to itself.
void addLiteralNet(VhdlParseState& state, const std::string& literal, int bits, int line) {
    Wire wire;
    wire.name = toLowerAscii(literal);
    wire.displayName = literal;
    wire.msb = bits;
    wire.lsb = bits < 0 ? -1 : 0;
    wire.line = line;
    state.module.wires.push_back(std::move(wire));
    Assign assign;
    assign.name = toLowerAscii(literal);
    assign.displayName = literal;
    assign.expression = literal;
    assign.line = line;
    state.module.assigns.push_back(std::move(assign));
}

// One port map association at `position`; 1 after a message.
int addConnection(VhdlParseState& state, const std::string& association, std::size_t position,
                  const VhdlComponent* component, Child& child, int line) {
    const std::string trimmed = trimBlanks(association);
    if (trimmed.empty()) {
        state.errorAt(line, "Syntax error.(17)\r\n");
        return 1;
    }
    std::string formal;
    std::string actual;
    const std::size_t arrow = trimmed.find("=>");
    if (arrow == std::string::npos) {
        // Positional: the formal is the declared component's port at this position.
        if (component && position < component->ports.size())
            formal = component->ports[position].displayName;
        actual = trimmed;
    } else {
        formal = trimBlanks(std::string_view(trimmed).substr(0, arrow));
        actual = trimBlanks(std::string_view(trimmed).substr(arrow + 2));
    }
    if (formal.empty()) {
        state.errorAt(line, "Syntax error.(18)\r\n");
        return 1;
    }
    formal = formal.substr(0, formal.find('('));
    if (formal.empty()) {
        state.errorAt(line, "Syntax error.(19)\r\n");
        return 1;
    }
    if (actual.find('(') != std::string::npos) {
        actual = toLowerAscii(actual).starts_with("(others") ? "\"0\""
                                                             : actual.substr(0, actual.find('('));
    }
    if (actual.empty()) {
        state.errorAt(line, "Syntax error.(19.2)\r\n");
        return 1;
    }
    if (int bits = 0; isLiteralActual(toLowerAscii(actual), bits))
        addLiteralNet(state, actual, bits, line);
    child.connections.push_back({toLowerAscii(formal), formal, toLowerAscii(actual), actual, 0});
    return 0;
}

}  // namespace

int parseInstance(VhdlParseState& state, std::string_view text,
                  const std::vector<std::size_t>& wordStarts, int line) {
    const std::string lower = toLowerAscii(text);
    const std::size_t colon = lower.find(':');
    const std::size_t nameStart = colon == std::string::npos ? 0 : colon + 1;
    const std::size_t genericMap = findMapKeyword(lower, "genericmap(", nameStart, wordStarts);
    const std::size_t firstPortMap = findMapKeyword(lower, "portmap(", nameStart, wordStarts);
    if (firstPortMap == std::string::npos) {
        state.errorAt(line, "port map() is empty.\r\n");
        return 1;
    }
    const std::size_t mapStart = std::min(genericMap, firstPortMap);
    Child child;
    child.displayName = std::string(text.substr(0, nameStart == 0 ? 0 : colon));
    child.name = toLowerAscii(child.displayName);
    child.moduleDisplayName = instantiatedName(text, nameStart, mapStart, wordStarts);
    child.moduleName = toLowerAscii(child.moduleDisplayName);
    child.line = line;
    std::size_t portSearch = mapStart;
    if (genericMap == mapStart) {
        const std::size_t open = genericMap + 10;
        const std::size_t close = std::min(lower.find(')', open), lower.size());
        addOverrides(text.substr(open + 1, close - open - 1), child);
        portSearch = close;
    }
    state.module.children.push_back(std::move(child));
    const std::size_t portMap = findMapKeyword(lower, "portmap(", portSearch, wordStarts);
    if (portMap == std::string::npos) {
        state.errorAt(line, "port map() is empty.\r\n");
        return 1;
    }
    std::string_view associations = text.substr(portMap + 8);
    if (associations.ends_with(')')) associations.remove_suffix(1);
    const VhdlComponent* component = state.findComponent(state.module.children.back().moduleName);
    std::size_t position = 0;
    for (const std::string& association : splitOutsideQuotes(associations, ',')) {
        Child& target = state.module.children.back();
        if (addConnection(state, association, position++, component, target, line) != 0) return 1;
    }
    return 0;
}

}  // namespace corvane
