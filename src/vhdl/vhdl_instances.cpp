#include <algorithm>
#include <string>
#include <vector>

#include "text/text_helpers.h"
#include "vhdl/vhdl_bounds.h"
#include "vhdl/vhdl_concurrent.h"

namespace corvane {

namespace {

bool isWordStart(const std::vector<std::size_t>& starts, std::size_t pos) {
    return std::binary_search(starts.begin(), starts.end(), pos);
}

// The first `keyword` at or after `from` that begins a token of the statement
// ("port map (" glued to "portmap("), so that a name holding the word is passed over.
std::size_t findMapKeyword(std::string_view lower, std::string_view keyword, std::size_t from,
                           const std::vector<std::size_t>& starts) {
    std::size_t found = lower.find(keyword, from);
    while (found != std::string_view::npos && !isWordStart(starts, found)) {
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
        if (startsWithLowerWord(name, keyword) && isWordStart(starts, begin + keyword.size())) {
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

void addOverrides(std::string_view associations, Child& child);

// A character literal '0', a bit-string literal "0101" or a hexadecimal
// literal x"FF" of digits and a-f only; `bits` receives the width the
// literal's wire is given (-1 for a character literal).
bool isLiteralActual(std::string_view lower, int& bits) {
    if (lower.size() <= 2) return false;
    std::string_view digits;
    if (lower.front() == '\'' && lower.back() == '\'') {
        digits = lower.substr(1, lower.size() - 2);
        bits = -1;
    } else if (lower.front() == '"' && lower.back() == '"') {
        digits = lower.substr(1, lower.size() - 2);
        bits = static_cast<int>(digits.size());
    } else if (lower[0] == 'x' && lower[1] == '"' && lower.back() == '"') {
        digits = lower.substr(2, lower.size() - 3);
        bits = static_cast<int>(digits.size()) * 4;
    } else {
        return false;
    }
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A literal actual is a net of its own: a wire named by the literal, driven
// by an assignment of the literal to itself. Both are filled in place.
void addLiteralNet(VhdlParseState& state, std::string_view literal, std::string_view lower,
                   int bits, int line) {
    Wire& wire = state.module.wires.emplace_back();
    wire.name = std::string(lower);
    wire.displayName = std::string(literal);
    wire.msb = bits;
    wire.lsb = bits < 0 ? -1 : 0;
    wire.line = line;
    Assign& assign = state.module.assigns.emplace_back();
    assign.name = std::string(lower);
    assign.displayName = std::string(literal);
    assign.expression = std::string(literal);
    assign.line = line;
}

// One port map association at `position`, as written and lower-cased (the
// same characters); 1 after a message.
int addConnection(VhdlParseState& state, std::string_view association,
                  std::string_view lowerAssociation, std::size_t position,
                  const VhdlComponent* component, Child& child, int line) {
    const std::string_view text = trimmedBlanks(association);
    if (text.empty()) {
        state.errorAt(line, "Syntax error.(17)\r\n");
        return 1;
    }
    const std::size_t offset = static_cast<std::size_t>(text.data() - association.data());
    const std::string_view lower = lowerAssociation.substr(offset, text.size());
    std::string_view formal;
    std::string_view lowerFormal;  // set for a named association only
    std::string_view actual;
    std::string_view lowerActual;
    const std::size_t arrow = text.find("=>");
    if (arrow == std::string_view::npos) {
        // Positional: the formal is the declared component's port at this position.
        if (component && position < component->ports.size())
            formal = component->ports[position].displayName;
        actual = text;
        lowerActual = lower;
    } else {
        formal = trimmedBlanks(text.substr(0, arrow));
        lowerFormal =
            lower.substr(static_cast<std::size_t>(formal.data() - text.data()), formal.size());
        actual = trimmedBlanks(text.substr(arrow + 2));
        lowerActual =
            lower.substr(static_cast<std::size_t>(actual.data() - text.data()), actual.size());
    }
    if (formal.empty()) {
        state.errorAt(line, "Syntax error.(18)\r\n");
        return 1;
    }
    formal = formal.substr(0, formal.find('('));
    lowerFormal = lowerFormal.substr(0, std::min(lowerFormal.size(), formal.size()));
    if (formal.empty()) {
        state.errorAt(line, "Syntax error.(19)\r\n");
        return 1;
    }
    if (const std::size_t open = actual.find('('); open != std::string_view::npos) {
        if (lowerActual.starts_with("(others")) {
            actual = lowerActual = "\"0\"";
        } else {
            actual = actual.substr(0, open);
            lowerActual = lowerActual.substr(0, open);
        }
    }
    if (actual.empty()) {
        state.errorAt(line, "Syntax error.(19.2)\r\n");
        return 1;
    }
    if (int bits = 0; isLiteralActual(lowerActual, bits))
        addLiteralNet(state, actual, lowerActual, bits, line);
    Connection& connection = child.connections.emplace_back();
    connection.portDisplay = std::string(formal);
    // A named formal is lower-cased already in the lower-cased statement.
    connection.port =
        arrow == std::string_view::npos ? toLowerAscii(formal) : std::string(lowerFormal);
    connection.signal = std::string(lowerActual);
    connection.signalDisplay = std::string(actual);
    return 0;
}

// Position after the ")" that closes the "(" at `open` (quoted text inside
// is passed over), or text.size() when it is not closed.
std::size_t afterBracket(std::string_view text, std::size_t open) {
    long depth = 0;
    bool inQuotes = false;
    for (std::size_t at = open; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') inQuotes = !inQuotes;
        if (inQuotes) continue;
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) return at + 1;
    }
    return text.size();
}

// Calls `visit` with the position of every "," outside double quotes and
// outside parentheses (an association such as "d => f(a, b)" stays whole),
// in order, until it returns nonzero; returns that value or 0. Commas,
// quotes and brackets are found by searches; only bracketed text is walked.
template <typename Visit>
int forEachCommaOutsideQuotes(std::string_view text, Visit visit) {
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t pos = 0;
    std::size_t comma = text.find(',');
    std::size_t quote = text.find('"');
    std::size_t open = text.find('(');
    while (comma != npos) {
        if (comma < quote && comma < open) {
            if (const int stop = visit(comma)) return stop;
            pos = comma + 1;
        } else if (quote < open) {
            const std::size_t close = text.find('"', quote + 1);
            if (close == npos) return 0;
            pos = close + 1;
        } else {
            pos = afterBracket(text, open);
        }
        if (comma < pos) comma = text.find(',', pos);
        if (quote < pos) quote = text.find('"', pos);
        if (open < pos) open = text.find('(', pos);
    }
    return 0;
}

// The positions of the commas that separate the associations of a map
// text (outside double quotes and parentheses), in order, in `commas`.
void topLevelCommas(std::string_view text, std::vector<std::size_t>& commas) {
    commas.clear();
    forEachCommaOutsideQuotes(text, [&commas](std::size_t comma) {
        commas.push_back(comma);
        return 0;
    });
}

void addOverrides(std::string_view associations, Child& child) {
    // The separating commas are found first, so the list is allocated once
    // (capped: a list that long grows as usual).
    thread_local std::vector<std::size_t> commas;
    topLevelCommas(associations, commas);
    constexpr std::size_t kMaxReserved = 4096;
    child.overrides.reserve(child.overrides.size() + std::min(commas.size() + 1, kMaxReserved));
    std::size_t begin = 0;
    for (std::size_t index = 0; index <= commas.size(); ++index) {
        const std::size_t end = index < commas.size() ? commas[index] : associations.size();
        const std::string_view association = associations.substr(begin, end - begin);
        begin = end + 1;
        const std::size_t arrow = association.find("=>");
        if (arrow == std::string_view::npos) continue;
        ParamOverride& override = child.overrides.emplace_back();
        override.displayName = std::string(trimmedBlanks(association.substr(0, arrow)));
        override.name = toLowerAscii(override.displayName);
        override.value = std::string(trimmedBlanks(association.substr(arrow + 2)));
    }
}

// Whether the text of a statement without a port map names an instance
// ("label: entity work.e", "label: component c", "label: c" or one with a
// generic map) rather than a concurrent procedure call ("p(a, b)").
bool isInstanceWithoutPorts(std::string_view lower, std::size_t colon, std::size_t genericMap,
                            const std::vector<std::size_t>& starts) {
    if (colon == std::string_view::npos) return false;
    if (genericMap != std::string_view::npos) return true;
    const std::string_view name = lower.substr(colon + 1);
    for (std::string_view keyword : {std::string_view("entity"), std::string_view("component"),
                                     std::string_view("configuration")}) {
        if (name.starts_with(keyword) && isWordStart(starts, colon + 1 + keyword.size()))
            return true;
    }
    return name.find('(') == std::string_view::npos;
}

}  // namespace

int parseInstance(VhdlParseState& state, std::string_view text, std::string_view lower,
                  const std::vector<std::size_t>& wordStarts, int line) {
    const std::size_t colon = lower.find(':');
    const std::size_t nameStart = colon == std::string_view::npos ? 0 : colon + 1;
    const std::size_t genericMap = findMapKeyword(lower, "genericmap(", nameStart, wordStarts);
    const std::size_t firstPortMap = findMapKeyword(lower, "portmap(", nameStart, wordStarts);
    if (firstPortMap == std::string_view::npos &&
        !isInstanceWithoutPorts(lower, colon, genericMap, wordStarts)) {
        return 0;  // a concurrent procedure call: nothing the database models
    }
    const std::size_t mapStart = std::min({genericMap, firstPortMap, lower.size()});
    // The instance is filled in place; it stays even when its port map fails.
    Child& child = state.module.children.emplace_back();
    // `lower` holds the same characters lower-cased at the same positions,
    // so the lower-cased names are cut from it.
    const std::size_t labelEnd = nameStart == 0 ? 0 : colon;
    child.displayName = std::string(text.substr(0, labelEnd));
    child.name = std::string(lower.substr(0, labelEnd));
    child.moduleDisplayName = instantiatedName(text, nameStart, mapStart, wordStarts);
    child.moduleName = instantiatedName(lower, nameStart, mapStart, wordStarts);
    child.line = line;
    std::size_t portSearch = mapStart;
    if (genericMap == mapStart) {
        const std::size_t open = genericMap + 10;
        const std::size_t end = matchingParenEnd(lower, open);
        const std::size_t close = (end > open + 1 && lower[end - 1] == ')') ? end - 1 : end;
        addOverrides(text.substr(open + 1, close - open - 1), child);
        portSearch = close;
    }
    // The first port map found above is the first from `portSearch` on too
    // unless it stands before that (inside the generic map).
    const std::size_t portMap =
        (firstPortMap == std::string_view::npos || firstPortMap >= portSearch)
            ? firstPortMap
            : findMapKeyword(lower, "portmap(", portSearch, wordStarts);
    if (portMap == std::string_view::npos) {
        // An instance of an entity without ports has no port map; anything
        // else after the generic map is not one.
        if (lower.substr(std::min(portSearch + 1, lower.size())).empty()) return 0;
        state.errorAt(line, "port map() is empty.\r\n");
        return 1;
    }
    std::string_view associations = text.substr(portMap + 8);
    if (associations.ends_with(')')) associations.remove_suffix(1);
    const std::string_view lowerAssociations = lower.substr(portMap + 8, associations.size());
    const VhdlComponent* component = state.findComponent(state.module.children.back().moduleName);
    // The separating commas are found once; they give the number of
    // associations, so the connection list is allocated once (capped: each
    // association adds at most one connection), and then the associations.
    thread_local std::vector<std::size_t> commas;
    topLevelCommas(associations, commas);
    constexpr std::size_t kMaxReserved = 4096;
    state.module.children.back().connections.reserve(std::min(commas.size() + 1, kMaxReserved));
    std::size_t begin = 0;
    for (std::size_t position = 0; position <= commas.size(); ++position) {
        const std::size_t end = position < commas.size() ? commas[position] : associations.size();
        Child& target = state.module.children.back();
        if (const int stop = addConnection(state, associations.substr(begin, end - begin),
                                           lowerAssociations.substr(begin, end - begin), position,
                                           component, target, line))
            return stop;
        begin = end + 1;
    }
    return 0;
}

}  // namespace corvane
