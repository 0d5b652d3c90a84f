#include "verilog/always_block_parser.h"

#include <algorithm>

#include "database/statement_splitter.h"
#include "text/text_helpers.h"
#include "verilog/always_body_parser.h"
#include "verilog/always_declared_names.h"
#include "verilog/always_event_list.h"
#include "verilog/always_statement_words.h"
#include "verilog/always_token_source.h"

namespace corvane {

namespace {

// How the header ended, which tells the form of the body.
enum class HeaderEnd { kStatement, kBlock, kIf, kCase, kFor, kOtherStatement, kMissing };

// A statement that is neither an assignment nor an if, case or for: the
// whole body when it follows the event list without begin-end.
bool startsOtherStatement(std::string_view lower) {
    if (lower.starts_with('$') || lower.starts_with("->")) return true;
    static constexpr std::string_view kKeywords[] = {"repeat", "while",  "wait",  "forever",
                                                     "disable", "assert", "assume", "cover",
                                                     "restrict"};
    for (std::string_view keyword : kKeywords) {
        if (isKeywordToken(lower, keyword)) return true;
    }
    return false;
}

HeaderEnd headerEndOf(std::string_view lower) {
    if (lower.ends_with(';')) return HeaderEnd::kStatement;
    if (endsWithBeginWord(lower)) return HeaderEnd::kBlock;
    return HeaderEnd::kMissing;
}

// Where the label glued to the block's "begin" starts ("begin:name",
// "clk)begin:name"), or npos.
std::size_t beginLabelStart(std::string_view lower) {
    const std::size_t at = lower.find("begin:");
    if (at == std::string_view::npos || !endsWithBeginWord(lower.substr(0, at + 5))) {
        return std::string_view::npos;
    }
    return at + 5;
}

// Drops a delay control of the header ("always #5 clk = ~clk;", "q <= #1 d;"):
// "#5", "# 5" or "#(...)" up to its balancing ")". The tokens of the delay
// are read from the state, the first one being `token`. Returns what follows
// the delay in its last token (a "begin" glued to its ")").
std::string skipHeaderDelay(VerilogParseState& state, std::string_view token) {
    std::string delay(token.substr(1));
    while (delay.empty() && !state.exhausted()) {
        const std::string_view next = state.nextView();
        if (isLineMarkerText(next)) {
            state.currentLine = lineMarkerNumber(next);
        } else {
            delay = next;
        }
    }
    if (!delay.starts_with('(')) return {};
    long depth = 0;
    while (true) {
        for (std::size_t i = 0; i < delay.size(); ++i) {
            depth += delay[i] == '(' ? 1 : delay[i] == ')' ? -1 : 0;
            if (depth == 0) return delay.substr(i + 1);
        }
        do {
            if (state.exhausted()) return {};
            delay = state.nextView();
            if (isLineMarkerText(delay)) state.currentLine = lineMarkerNumber(delay);
        } while (isLineMarkerText(delay));
    }
}

// Reads the header tokens after the keyword, joined by blanks into `header`
// (which starts with the keyword). A token starting an if, case or for is
// pushed back for the body; a token ending with ";" or with "begin" is kept.
HeaderEnd readAlwaysHeader(VerilogParseState& state, std::string& header) {
    HeaderEnd end = headerEndOf(toLowerAscii(header));
    std::string lower;
    while (end == HeaderEnd::kMissing) {
        if (state.exhausted()) return HeaderEnd::kMissing;
        const std::string_view token = state.nextView();
        if (isLineMarkerText(token)) {
            state.currentLine = lineMarkerNumber(token);
            continue;
        }
        std::string_view piece = token;
        std::string rest;
        if (piece.starts_with('#')) {
            rest = skipHeaderDelay(state, piece);
            if (rest.empty()) continue;
            piece = rest;
        }
        assignLowerAscii(lower, piece);
        // A named block's label is left out of the header.
        if (const std::size_t label = beginLabelStart(lower); label != std::string::npos) {
            lower.resize(label);
            piece = piece.substr(0, label);
        }
        if (lower == "endmodule" || lower == "endmodul") {
            // Left for the module loop, which ends the module with it.
            state.pushBack();
            return HeaderEnd::kMissing;
        }
        if (isKeywordToken(lower, "if")) end = HeaderEnd::kIf;
        if (isKeywordToken(lower, "case") || isKeywordToken(lower, "casex") ||
            isKeywordToken(lower, "casez")) {
            end = HeaderEnd::kCase;
        }
        if (isKeywordToken(lower, "for")) end = HeaderEnd::kFor;
        if (end == HeaderEnd::kMissing && startsOtherStatement(lower)) {
            end = HeaderEnd::kOtherStatement;
        }
        if (end != HeaderEnd::kMissing) {
            state.pushBack();
            return end;
        }
        header.push_back(' ');
        header += piece;
        end = headerEndOf(lower);
    }
    return end;
}

// "always @(posedge clk) q <= d;": the assignment after the event list is the
// whole body, and its target must be a reg or a port.
int parseSingleStatement(VerilogParseState& state, Always& block, std::string_view reduced) {
    std::string_view events;
    std::string_view statement = splitSingleStatementHeader(reduced, events);
    if (!events.empty()) parseEventList(events, block.sensitivity);
    const std::string lower = toLowerAscii(statement);
    const std::string_view name = assignmentNamePart(lower);
    AlwaysDeclaredNames names(state.module);
    const bool hierarchical = name.find('.') != std::string_view::npos && isPlainName(name);
    const std::vector<std::string>& variables = state.unrecordedVariables;
    const bool variable = std::find(variables.begin(), variables.end(), name) != variables.end();
    if (!names.isReg(name) && !names.isPort(name) && !hierarchical && !variable) {
        // A task enable ("always @(posedge clk) check;") records nothing.
        if (statement.ends_with(';') && isTaskEnable(statement.substr(0, statement.size() - 1))) {
            return 0;
        }
        state.error("Syntax error.(37)\r\n");
        return 1;
    }
    if (!statement.ends_with(';')) {
        state.error("';' not exist.(8)\r\n");
        return 1;
    }
    statement.remove_suffix(1);
    if (hierarchical && isTaskEnable(statement)) return 0;
    return addStatement(block.statements, statement, state.currentLine, state.module, state.log,
                        state.filePath);
}

AlwaysBodyForm bodyFormOf(HeaderEnd end) {
    switch (end) {
        case HeaderEnd::kIf:
        case HeaderEnd::kOtherStatement:
            return AlwaysBodyForm::kSingleIf;
        case HeaderEnd::kCase:
            return AlwaysBodyForm::kSingleCase;
        case HeaderEnd::kFor:
            return AlwaysBodyForm::kSingleFor;
        default:
            return AlwaysBodyForm::kBlock;
    }
}

}  // namespace

int parseAlways(VerilogParseState& state, const std::string& keywordToken) {
    const int keywordLine = state.currentLine;
    std::string header = keywordToken;
    const HeaderEnd end = readAlwaysHeader(state, header);
    if (end == HeaderEnd::kMissing) {
        state.errorAt(keywordLine, "\"begin\" not exist.\r\n");
        return 1;
    }
    Always record;
    record.line = keywordLine;
    state.module.alwaysBlocks.push_back(std::move(record));
    const std::size_t index = state.module.alwaysBlocks.size() - 1;
    const std::string reduced = reduceAlwaysHeader(header, end == HeaderEnd::kBlock);
    if (end == HeaderEnd::kStatement) {
        return parseSingleStatement(state, state.module.alwaysBlocks[index], reduced);
    }
    parseBlockEventList(reduced, state.module.alwaysBlocks[index].sensitivity);
    return parseAlwaysBody(state, index, bodyFormOf(end));
}

}  // namespace corvane
