#include "vhdl/vhdl_design_units.h"

#include <string>

#include "database/chunk_preparation.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_process.h"

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

// The unit is complete; the reading goes on to find whether another
// design unit follows in the file.
void completeUnit(VhdlParseState& state) {
    state.unit = kOutsideUnit;
    state.unitRead = true;
    state.openRegions = 0;
}

// "end architecture NAME;" and "end package NAME;": the rest up to the ";".
void skipRestOfEnd(VhdlParseState& state, const std::string& token) {
    if (!token.ends_with(';')) skipToSemicolon(state, {});
}

void endArchitecture(VhdlParseState& state, bool semicolonFollows) {
    if (state.architectureName.empty()) state.error("Syntax error.(21)\r\n");
    const std::string token = semicolonFollows ? ";" : state.nextSkippingMarkers();
    if (token.empty()) {
        state.error("Syntax error.(22)\r\n");
        return;
    }
    const std::string lower = toLowerAscii(token);
    const std::string word = withoutFinalSemicolon(lower);
    if (lower.starts_with(';') || word == "architecture" || word == state.architectureName) {
        skipRestOfEnd(state, token);
        completeUnit(state);
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
        skipRestOfEnd(state, token);
        completeUnit(state);
        return;
    }
    state.error("Syntax error.(33)\r\n");
}

// The end of a generate or block statement ("end generate [label];",
// "end block [label];"), or of one alternative of a generate ("end
// [label];"), which leaves the generate open.
void endRegion(VhdlParseState& state, bool semicolonFollows) {
    const std::string token = semicolonFollows ? ";" : state.nextSkippingMarkers();
    const std::string word = withoutFinalSemicolon(toLowerAscii(token));
    if (word == "generate" || word == "block") --state.openRegions;
    if (!token.empty()) skipRestOfEnd(state, token);
}

// Skips a declaration that ends with "end" followed by `keyword` or by its
// name, or by ";" alone when `plainEndCloses` (a configuration or context
// declaration). Nested "end for;" of a configuration do not match.
void skipNamedDeclaration(VhdlParseState& state, std::string_view keyword, bool plainEndCloses) {
    const std::string name = toLowerAscii(state.nextSkippingMarkers());
    bool afterEndMarker = false;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        if (plainEndCloses && token == std::string(kVhdlEndMarker) + ";") return;
        const std::string word = withoutFinalSemicolon(toLowerAscii(token));
        if (afterEndMarker && (word == keyword || word == name || word.empty())) {
            if (!token.ends_with(';')) skipToSemicolon(state, {});
            return;
        }
        afterEndMarker = token == kVhdlEndMarker;
    }
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
    bool afterOf = false;
    std::string entity;
    while (!state.exhausted()) {
        const std::string token = state.next();
        if (state.followMarker(token)) continue;
        const std::string lower = toLowerAscii(token);
        if (lower == "is") {
            beginArchitecture(state, entity);
            return 0;
        }
        if (afterOf && entity.empty()) entity = token;
        afterOf = lower == "of";
    }
    state.error("architecture \"is\" Not found.\r\n");
    return 1;
}

void beginArchitecture(VhdlParseState& state, const std::string& entity) {
    // An architecture whose entity is not in the file names the module.
    if (state.module.name.empty() && !entity.empty()) {
        state.module.displayName = entity;
        state.module.name = toLowerAscii(entity);
    }
    // The architecture read last is the one an instance of the entity gets.
    if (state.architectureRead) state.dropArchitectureRecords();
    auto& counts = state.beforeArchitecture;
    counts.wires = state.module.wires.size();
    counts.assigns = state.module.assigns.size();
    counts.children = state.module.children.size();
    counts.alwaysBlocks = state.module.alwaysBlocks.size();
    counts.vhdlTypes = state.module.vhdlTypes.size();
    state.architectureRead = true;
}

void skipConfiguration(VhdlParseState& state) {
    skipNamedDeclaration(state, "configuration", true);
}

void skipContext(VhdlParseState& state) {
    // "context lib.name;" is a reference; "context name is ... end;" a declaration.
    const int pos = state.module.readPos;
    const int read = state.module.tokensRead;
    const std::string name = state.nextSkippingMarkers();
    if (name.ends_with(';') || name.empty()) return;
    const std::string following = toLowerAscii(state.nextSkippingMarkers());
    if (following != "is") {
        if (!following.ends_with(';')) skipToSemicolon(state, {});
        return;
    }
    state.module.readPos = pos;
    state.module.tokensRead = read;
    skipNamedDeclaration(state, "context", true);
}

int parsePackageHeader(VhdlParseState& state) {
    const std::string first = state.nextSkippingMarkers();
    if (first.empty()) {
        state.error("Syntax error.(29)\r\n");
        return 1;
    }
    if (toLowerAscii(first) == "body") {
        state.packageName.clear();
        const std::string bodyName = state.nextSkippingMarkers();
        if (bodyName.empty()) {
            state.error("No package name.\r\n");
            state.unit = kPackage;
            return 0;
        }
        skipPackageBody(state, toLowerAscii(bodyName));
        state.unit = kPackage;
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
    state.unit = kPackage;
    // "package P is new G generic map (...);" instantiates a generic package.
    const int pos = state.module.readPos;
    const int read = state.module.tokensRead;
    if (equalsLowerWord(state.nextViewSkippingMarkers(), "new")) {
        skipGenericClause(state);
        completeUnit(state);
        return 0;
    }
    state.module.readPos = pos;
    state.module.tokensRead = read;
    return 0;
}

void parseEndOfUnit(VhdlParseState& state, bool semicolonFollows) {
    if (state.unit == kArchitectureStatements && state.openRegions > 0) {
        endRegion(state, semicolonFollows);
    } else if (state.unit == kArchitectureDeclarations || state.unit == kArchitectureStatements) {
        endArchitecture(state, semicolonFollows);
    } else if (state.unit == kPackage) {
        endPackage(state, semicolonFollows);
    } else {
        state.error("Syntax error.(30)\r\n");
    }
}

}  // namespace corvane
