#include "vhdl/vhdl_module_parser.h"

#include <string_view>

#include "database/chunk_preparation.h"
#include "database/net_table.h"
#include "database/token_reader.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_concurrent.h"
#include "vhdl/vhdl_declarations.h"
#include "vhdl/vhdl_design_units.h"
#include "vhdl/vhdl_entity.h"
#include "vhdl/vhdl_parse_state.h"
#include "vhdl/vhdl_process.h"
#include "vhdl/vhdl_tokenizer.h"
#include "vhdl/vhdl_unit_sequence.h"

namespace corvane {

namespace {

enum class Step { kContinue, kStopReading, kFail };

Step illegalPosition(VhdlParseState& state, std::string_view what) {
    state.error("Illegal position \"" + std::string(what) + "\".\r\n");
    return Step::kStopReading;
}

// A generate or block statement has declarations of its own before its
// statements; both are read there.
bool inDeclarativePart(const VhdlParseState& state) {
    return state.unit == kArchitectureDeclarations || state.unit == kPackage ||
           (state.unit == kArchitectureStatements && state.openRegions > 0);
}

bool inStatementPart(const VhdlParseState& state) {
    return state.unit == kArchitectureStatements;
}

// Declarations that may stand where a signal may and that the database does
// not model: they are read up to their ";".
bool isSkippedDeclaration(std::string_view lower) {
    static constexpr std::string_view kWords[] = {"alias",      "shared", "variable", "file",
                                                  "disconnect", "group"};
    for (std::string_view word : kWords) {
        if (lower == word) return true;
    }
    return false;
}

// The declarations that may stand anywhere but in an architecture's statement part.
Step declaration(VhdlParseState& state, std::string_view keyword) {
    if (inStatementPart(state) && !inDeclarativePart(state)) return illegalPosition(state, keyword);
    if (keyword == "constant") {
        parseConstantDeclaration(state);
    } else if (keyword == "component") {
        parseComponentDeclaration(state);
    } else if (keyword == "type") {
        parseTypeDeclaration(state);
    } else if (keyword == "procedure") {
        skipProcedure(state);
    } else {
        skipFunction(state);
    }
    return Step::kContinue;
}

// Tokens that do not start with a keyword of the design-unit level.
Step otherToken(VhdlParseState& state, std::string_view token) {
    if (inStatementPart(state)) {
        parseConcurrentStatement(state, token);
        return Step::kContinue;
    }
    if (inDeclarativePart(state)) {
        state.error("Syntax error.(11)\r\n");
        return Step::kFail;
    }
    if (token.empty()) return Step::kContinue;
    state.error("Syntax error.(4) " + std::string(token) + "\r\n");
    return Step::kFail;
}

Step endMarker(VhdlParseState& state, std::string_view token) {
    // "end;" arrives as the marker glued to its ";".
    parseEndOfUnit(state, token.size() > kVhdlEndMarker.size());
    return Step::kContinue;
}

bool isEndMarkerToken(std::string_view token) {
    return token == kVhdlEndMarker || (token.starts_with(kVhdlEndMarker) &&
                                       token.substr(kVhdlEndMarker.size()).starts_with(';'));
}

// The longest keyword the main loop looks for ("architecture").
constexpr std::size_t kLongestUnitKeyword = 12;

// One token of the main loop, dispatched on the first rule that matches.
// `buffer` holds the token's beginning lower-cased, kept from token to token:
// one character more than the longest keyword tells a longer token apart.
Step dispatch(VhdlParseState& state, std::string_view token, std::string& buffer) {
    if (state.followMarker(token)) return Step::kContinue;
    assignLowerAscii(buffer, token.substr(0, kLongestUnitKeyword + 1));
    const std::string_view lower = buffer;
    if (lower == "library") {
        skipToSemicolon(state, "Syntax error.(5)\r\n");
    } else if (lower == "use") {
        skipToSemicolon(state, "Syntax error.(6)\r\n");
    } else if (lower == "entity") {
        if (parseEntityDeclaration(state) != 0) return Step::kFail;
        state.entityName = state.module.name;
        state.unitRead = true;
    } else if (isEndMarkerToken(token)) {
        return endMarker(state, token);
    } else if (lower == "architecture") {
        if (parseArchitectureHeader(state) != 0) return Step::kFail;
        state.unit = kArchitectureDeclarations;
    } else if (lower == "package") {
        if (parsePackageHeader(state) != 0) return Step::kFail;
    } else if (lower == "signal") {
        if (!inDeclarativePart(state)) return illegalPosition(state, "signal");
        parseSignalDeclaration(state);
    } else if (lower == "constant" || lower == "component" || lower == "type" ||
               lower == "function" || lower == "procedure") {
        return declaration(state, lower);
    } else if ((lower == "pure" || lower == "impure") && !inStatementPart(state)) {
        return Step::kContinue;  // the function follows
    } else if (lower == "attribute") {
        skipToSemicolon(state, "Syntax error.(6.2)\r\n");
    } else if (lower == "subtype") {
        skipToSemicolon(state, "Syntax error.(34)\r\n");
    } else if (isSkippedDeclaration(lower) && inDeclarativePart(state)) {
        skipToSemicolon(state, {});
    } else if (lower == "generic" && state.unit == kPackage) {
        skipGenericClause(state);
    } else if (lower == "configuration" && state.unit == kOutsideUnit) {
        skipConfiguration(state);
    } else if (lower == "context" && state.unit == kOutsideUnit) {
        skipContext(state);
    } else if (lower == "for" && state.unit == kArchitectureDeclarations) {
        skipToSemicolon(state, {});  // a binding of instances: "for ... use ...;"
    } else if (lower == "begin") {
        if (state.unit != kArchitectureStatements || state.openRegions == 0)
            state.unit = kArchitectureStatements;
    } else if (lower == "process" || lower.starts_with("process(")) {
        if (!inStatementPart(state)) return illegalPosition(state, "always");
        parseProcess(state, token.substr(7));
    } else {
        return otherToken(state, token);
    }
    return Step::kContinue;
}

void tokenizeExpressions(Module& module) {
    const GenericTable generics(module.generics);
    for (Assign& assign : module.assigns) {
        tokenizeVhdl(generics, assign.expression, assign.line, assign.rhsTokens);
        tokenizeVhdl(generics, assign.name, assign.line, assign.lhsTokens);
    }
    for (Always& block : module.alwaysBlocks) {
        for (Statement& statement : block.statements) {
            tokenizeVhdl(generics, statement.value, block.line, statement.valueTokens);
            tokenizeVhdl(generics, statement.target, block.line, statement.targetTokens);
        }
    }
}

// Every port must have got a direction; otherwise the module has no nets.
bool reportUndefinedPins(const VhdlParseState& state) {
    bool any = false;
    for (const Pin& pin : state.module.pins) {
        if (pin.direction != -1) continue;
        state.errorAt(-1, "Pin \"" + pin.name + "\" is undefined.\r\n");
        any = true;
    }
    return any;
}

int completeModule(VhdlParseState& state, const VhdlNetBuilder& buildNets) {
    tokenizeExpressions(state.module);
    if (reportUndefinedPins(state)) return 1;
    if (buildNets) buildNets(state.module, state.filePath, state.log);
    return 0;
}

}  // namespace

int parseVhdlText(Module& module, const std::string& filePath, AnalysisContext& context,
                  const VhdlNetBuilder& buildNets) {
    VhdlParseState state(module, filePath, context.log, context.progress);
    module.language = kVhdl;
    // A later design unit of the file resumes where the one before it ended.
    if (module.readPos <= 0) {
        module.readPos = 0;
        module.tokensRead = 0;
    } else {
        state.currentLine = lineAt(module.text, module.readPos);
    }
    UnitSequence units;
    std::string buffer;
    while (module.readPos != -1) {
        sendParseProgress(module, context.progress);
        const int position = module.readPos;
        const int tokensRead = module.tokensRead;
        const std::string_view token = state.nextView();
        if (units.atMarker(state, token, position, tokensRead)) continue;
        const UnitSequence::Turn turn = units.turnAt(state, token, position, tokensRead);
        if (turn == UnitSequence::Turn::kStop) break;
        if (turn == UnitSequence::Turn::kMoved) continue;
        const Step step = dispatch(state, token, buffer);
        if (step == Step::kFail) return 1;
        if (step == Step::kStopReading) break;
    }
    units.atEnd(state);
    if (completeModule(state, buildNets) != 0) return 1;
    if (units.stopped()) units.keepRest(state, context);
    return 0;
}

void buildVhdlNetsWithoutChecks(Module& module, const std::string& filePath, MessageLog& log) {
    buildNetTable(module, filePath, log, {});
}

}  // namespace corvane
