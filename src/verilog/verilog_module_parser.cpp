#include "verilog/verilog_module_parser.h"

#include <string_view>

#include "database/net_table.h"
#include "elaboration/connection_checks.h"
#include "verilog/always_block_parser.h"
#include "verilog/child_instance_parser.h"
#include "verilog/continuous_assign.h"
#include "verilog/directives.h"
#include "verilog/initial_block_parser.h"
#include "verilog/parameter_parser.h"
#include "verilog/port_declarations.h"
#include "verilog/skipped_blocks.h"
#include "verilog/verilog_tokenizer.h"

namespace corvane {

namespace {

enum class Step { Continue, StopReading, Fail };

// A keyword token, or the keyword followed by text glued from its "[" on.
inline bool isKeyword(std::string_view token, std::string_view keyword) {
    // Most tokens differ from a keyword in their first character already.
    if (!keyword.empty() && (token.empty() || token.front() != keyword.front())) return false;
    return token == keyword ||
           (token.size() > keyword.size() && token.starts_with(keyword) && token[keyword.size()] == '[');
}

std::string rangeTextOf(std::string_view token, std::string_view keyword) {
    return token.size() > keyword.size() ? std::string(token.substr(keyword.size())) : std::string();
}

// The module items that are only legal between "module" and "endmodule".
// The first letter picks the few keywords the token can be: the main loop
// asks this for nearly every token of a module body.
std::string_view moduleItemKeyword(std::string_view token) {
    if (token.empty()) return {};
    const auto ranged = [token](std::string_view keyword) -> std::string_view {
        return isKeyword(token, keyword) ? keyword : std::string_view();
    };
    switch (token.front()) {
    case 'i':
        if (isKeyword(token, "input")) return "input";
        if (isKeyword(token, "inout")) return "inout";
        if (isKeyword(token, "integer")) return "integer";
        return token == "initial" ? "initial" : std::string_view();
    case 'o': return ranged("output");
    case 'w': return ranged("wire");
    case 'r': return ranged("reg");
    case 'p': return ranged("parameter");
    case 'g': return token.starts_with("generate") ? "generate" : std::string_view();
    case 'a':
        if (token.starts_with("always")) return "always";
        return token == "assign" ? "assign" : std::string_view();
    case 'l': return token == "localparam" ? "localparam" : std::string_view();
    case 'd': return token == "defparam" ? "defparam" : std::string_view();
    case 't': return token == "task" ? "task" : std::string_view();
    case 'f': return token == "function" ? "function" : std::string_view();
    default: return {};
    }
}

bool isSkippedDeclaration(std::string_view token) {
    if (token.empty() || (token.front() != 't' && token.front() != 'r')) return false;
    return isKeyword(token, "tri0") || isKeyword(token, "tri1") || isKeyword(token, "time") ||
           isKeyword(token, "real");
}

// Net types declared like "wire".
bool isWireLikeNetType(std::string_view token, std::string_view& keyword) {
    static constexpr std::string_view kNetTypes[] = {"tri",   "wand",   "wor",     "triand", "trior",
                                                     "trireg", "uwire", "supply0", "supply1"};
    if (token.empty() || (token.front() != 't' && token.front() != 'w' && token.front() != 'u' &&
                          token.front() != 's')) {
        return false;
    }
    for (std::string_view netType : kNetTypes) {
        if (isKeyword(token, netType)) {
            keyword = netType;
            return true;
        }
    }
    return false;
}

// Declarations of kinds the database does not record, legal only in a module.
bool isSkippedModuleDeclaration(std::string_view token) {
    return isKeyword(token, "genvar") || isKeyword(token, "specparam") || token == "event";
}

// Module items without a record of their own, read only inside a module;
// other tokens go on to the child instance rule. Returns false when the
// token is none of them.
bool dispatchUnmodelledItem(VerilogParseState& state, std::string_view token) {
    std::string_view netType;
    if (isWireLikeNetType(token, netType)) {
        parseWireDeclaration(state, rangeTextOf(token, netType));
    } else if (isGenerateConstruct(token)) {
        skipGenerateConstruct(state, token, state.currentLine);
    } else if (isSkippedModuleDeclaration(token)) {
        skipDeclaration(state, token);
    } else if (isKeyword(token, "realtime")) {
        skipVariableDeclaration(state, token);
    } else {
        return false;
    }
    return true;
}

// A second "module" inside one chunk: the previous module lacks its
// "endmodule". The module read so far is completed and the analysis resumes
// on the line of the new keyword. On the chunk's first line there is no
// earlier line to resume from, so the header is read into the same module.
Step startNextModuleEarly(VerilogParseState& state, AnalysisContext& context) {
    const int chunkFirstLine = lineMarkerNumber(state.module.text);
    if (state.currentLine <= chunkFirstLine) {
        return parseModuleHeader(state) ? Step::Fail : Step::Continue;
    }
    state.error("\"endmodule\" not exist.\r\n");
    context.restartLine = state.currentLine;
    state.module.readPos = -1;
    state.inModule = 0;
    return Step::StopReading;
}

Step dispatchModuleItem(VerilogParseState& state, std::string_view token,
                        std::string_view keyword) {
    if (keyword == "input" || keyword == "output" || keyword == "inout") {
        const int direction = keyword == "input" ? 0 : keyword == "output" ? 1 : 2;
        parsePortDeclaration(state, direction, rangeTextOf(token, keyword));
    } else if (keyword == "generate") {
        skipBlockUntil(state, "endgenerate", state.currentLine, "generate");
    } else if (keyword == "wire") {
        parseWireDeclaration(state, rangeTextOf(token, keyword));
    } else if (keyword == "reg") {
        parseRegDeclaration(state, rangeTextOf(token, keyword));
    } else if (keyword == "integer") {
        parseIntegerDeclaration(state);
    } else if (keyword == "assign") {
        parseContinuousAssign(state);
    } else if (keyword == "parameter" || keyword == "localparam") {
        parseParameter(state, std::string(token));
    } else if (keyword == "defparam") {
        parseDefparam(state);
    } else if (keyword == "always") {
        if (parseAlways(state, std::string(token)) == -1) {
            state.module.readPos = -1;
            state.inModule = 0;
        }
    } else if (keyword == "initial") {
        parseInitial(state);
    } else if (keyword == "task") {
        skipBlockUntil(state, "endtask", state.currentLine);
    } else if (keyword == "function") {
        skipBlockUntil(state, "endfunction", state.currentLine);
    }
    return Step::Continue;
}

// One token of the main loop, dispatched on the first rule that matches. The
// token is a view; sub-parsers that read on get a string of their own.
Step dispatch(VerilogParseState& state, std::string_view token, AnalysisContext& context) {
    if (isLineMarkerText(token)) {
        state.currentLine = lineMarkerNumber(token);
        return Step::Continue;
    }
    if (token.starts_with('#') || token.starts_with('@')) return Step::Continue;
    if (token == "`timescale") {
        parseTimescale(state);
    } else if (token == "`include") {
        skipInclude(state);
    } else if (token == "`define") {
        parseDefine(state);
    } else if (token == "`ifdef" || token == "`ifndef") {
        parseConditional(state, token == "`ifndef");
    } else if (token == "`endif" || token == "`else") {
        // Both branches of a conditional that holds are read.
    } else if (token == "module") {
        if (state.inModule == 1) return startNextModuleEarly(state, context);
        if (parseModuleHeader(state)) return Step::Fail;
        state.inModule = 1;
    } else if (token == "endmodule" || token == "endmodul") {
        state.module.readPos = -1;
        state.inModule = 0;
    } else if (isSkippedDeclaration(token)) {
        if (isKeyword(token, "time") || isKeyword(token, "real")) {
            skipVariableDeclaration(state, token);
        } else {
            skipDeclaration(state, token);
        }
    } else if (token == "specify" && state.inModule == 1) {
        // Path delays and timing checks are no module items; nothing in the
        // block is recorded.
        skipSpecifyBlock(state, state.currentLine);
    } else if (token.starts_with("specify") || token.starts_with("endspecify")) {
        // Other words beginning so are ignored, as they always were.
    } else if (const std::string_view keyword = moduleItemKeyword(token); !keyword.empty()) {
        if (state.inModule != 1) {
            state.error("Illegal position \"" + std::string(keyword) + "\".\r\n");
            return Step::StopReading;
        }
        return dispatchModuleItem(state, token, keyword);
    } else if (state.inModule == 1) {
        if (!dispatchUnmodelledItem(state, token)) parseChildInstance(state, std::string(token));
    } else if (!token.empty()) {
        state.error("Syntax error.(0)\r\n");
        return Step::Fail;
    }
    return Step::Continue;
}

void tokenizeExpressions(Module& module) {
    for (Assign& assign : module.assigns) {
        tokenizeVerilog(assign.expression, assign.line, assign.rhsTokens);
        tokenizeVerilog(assign.name, assign.line, assign.lhsTokens);
    }
    for (Always& block : module.alwaysBlocks) {
        for (Statement& statement : block.statements) {
            tokenizeVerilog(statement.value, block.line, statement.valueTokens);
            tokenizeVerilog(statement.target, block.line, statement.targetTokens);
        }
    }
    for (Initial& block : module.initialBlocks) {
        for (Statement& statement : block.statements) {
            tokenizeVerilog(statement.value, block.line, statement.valueTokens);
        }
    }
}

// Every port must have got a direction; otherwise the module has no nets.
bool reportUndefinedPins(VerilogParseState& state) {
    bool any = false;
    for (const Pin& pin : state.module.pins) {
        if (pin.direction != -1) continue;
        state.errorAt(-1, "Pin \"" + pin.name + "\" is undefined.\r\n");
        any = true;
    }
    return any;
}

int completeModule(VerilogParseState& state) {
    tokenizeExpressions(state.module);
    if (reportUndefinedPins(state)) return 1;
    VerilogNetChecker checker(state.module);
    checker.buildNetTable(state.module, state.filePath, state.log);
    return 0;
}

}  // namespace

int parseVerilogModule(Module& module, const std::string& filePath, AnalysisContext& context) {
    VerilogParseState state{module, filePath, context.log, context.progress, 0, 0};
    module.readPos = 0;
    module.tokensRead = 0;
    while (module.readPos != -1) {
        sendParseProgress(module, context.progress);
        const std::string_view token = state.nextView();
        const Step step = dispatch(state, token, context);
        if (step == Step::Fail) return 1;
        if (step == Step::StopReading) break;
    }
    return completeModule(state);
}

}  // namespace corvane
