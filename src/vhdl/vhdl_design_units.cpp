#include "vhdl/vhdl_design_units.h"

#include <string>

#include "database/chunk_preparation.h"
#include "database/text_helpers.h"

namespace corvane {

namespace {

std::string withoutFinalSemicolon(std::string text) {
    if (text.ends_with(';')) text.pop_back();
    return text;
}

// Skips a package body up to its end: the end marker followed by "package"
// ("end package body NAME;") or by the body's name, then up to the ";".
void skipPackageBody(VhdlParseState& state, const std::string& name) {
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        const std::string word = withoutFinalSemicolon(toLowerAscii(token));
        if (afterEndMarker && (word == "package" || word == name)) {
            if (!token.ends_with(';')) skipToSemicolon(state, {});
            return;
        }
        afterEndMarker = token == kVhdlEndMarker;
    }
}

void endReading(VhdlParseState& state) {
    state.module.readPos = -1;
    state.unit = kOutsideUnit;
}

void endArchitecture(VhdlParseState& state, bool semicolonFollows) {
    if (state.architectureName.empty()) state.error("Syntax error.(21)\r\n");
    const std::string token = semicolonFollows ? ";" : state.nextSkippingMarkers();
    if (token.empty()) {
        state.error("Syntax error.(22)\r\n");
        return;
    }
    const std::string lower = toLowerAscii(token);
    if (lower.starts_with(';') || lower == "architecture" ||
        withoutFinalSemicolon(lower) == state.architectureName) {
        endReading(state);
        return;
    }
    state.error("Syntax error.(23)\r\n");
}

void endPackage(VhdlParseState& state, bool semicolonFollows) {
    if (state.packageName.empty()) state.error("Syntax error.(31)\r\n");
    const std::string token = semicolonFollows ? ";" : state.nextSkippingMarkers();
    if (token.empty()) {
        state.error("Syntax error.(32)\r\n");
        return;
    }
    const std::string lower = toLowerAscii(token);
    if (lower.starts_with(';') || lower.starts_with("package") ||
        (!state.packageName.empty() && lower.starts_with(state.packageName))) {
        endReading(state);
        return;
    }
    state.error("Syntax error.(33)\r\n");
}

}  // namespace

int skipToSemicolon(VhdlParseState& state, std::string_view message) {
    while (!state.exhausted()) {
        const std::string_view token = state.nextView();
        if (state.followMarker(token)) continue;
        if (token.ends_with(';')) return 0;
    }
    if (!message.empty()) state.error(message);
    return 1;
}

int parseArchitectureHeader(VhdlParseState& state) {
    if (state.exhausted()) {
        state.error("Syntax error.(20)\r\n");
        return 1;
    }
    state.architectureName = toLowerAscii(state.nextSkippingMarkers());
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        if (toLowerAscii(token) == "is") return 0;
    }
    state.error("architecture \"is\" Not found.\r\n");
    return 1;
}

int parsePackageHeader(VhdlParseState& state) {
    const std::string first = state.nextSkippingMarkers();
    if (first.empty()) {
        state.error("Syntax error.(29)\r\n");
        return 1;
    }
    if (toLowerAscii(first) == "body") {
        const std::string bodyName = state.nextSkippingMarkers();
        if (bodyName.empty()) {
            state.error("No package name.\r\n");
            return 0;
        }
        skipPackageBody(state, toLowerAscii(bodyName));
        return 0;
    }
    if (state.nextSkippingMarkers().empty()) {
        state.error("Syntax error.(29)\r\n");
        return 1;
    }
    state.packageName = toLowerAscii(first);
    // A package read first gives the module its name.
    if (state.module.name.empty()) {
        state.module.displayName = first;
        state.module.name = state.packageName;
    }
    return 0;
}

void parseEndOfUnit(VhdlParseState& state, bool semicolonFollows) {
    if (state.unit == kArchitectureDeclarations || state.unit == kArchitectureStatements) {
        endArchitecture(state, semicolonFollows);
    } else if (state.unit == kPackage) {
        endPackage(state, semicolonFollows);
    } else {
        state.error("Syntax error.(30)\r\n");
    }
}

}  // namespace corvane
