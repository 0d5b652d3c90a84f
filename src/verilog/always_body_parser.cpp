#include "verilog/always_body_parser.h"

#include <array>
#include <string>
#include <string_view>

#include "database/text_helpers.h"
#include "verilog/always_construct_tracker.h"
#include "verilog/always_declared_names.h"
#include "verilog/always_token_source.h"
#include "verilog/statement_splitter.h"

namespace corvane {

namespace {

// Result of a step that leaves the block open.
constexpr int kContinue = 2;

// Statements the gathering buffer may keep between blocks.
constexpr std::size_t kKeptScratchCapacity = 1024;

constexpr std::string_view kEndMissing = "\"end\" not exist.\r\n";
constexpr std::string_view kUnknownStatement = "syntax error at conditional experssion.\r\n";

// Words that begin a module item. In a body without begin-end they end the
// body and are left for the module parser.
bool isModuleItemWord(std::string_view lower) {
    static constexpr std::array<std::string_view, 14> kWords = {
        "generate", "wire",    "reg",  "integer",  "assign", "parameter", "localparam",
        "defparam", "initial", "task", "function", "input",  "output",    "inout"};
    for (std::string_view word : kWords) {
        if (lower == word) return true;
    }
    static constexpr std::array<std::string_view, 9> kPrefixes = {
        "wire[", "reg[", "integer[", "input[", "output[", "inout[", "parameter[", "always", "@"};
    for (std::string_view prefix : kPrefixes) {
        if (lower.starts_with(prefix)) return true;
    }
    return false;
}

bool isConditionalDirective(std::string_view lower) {
    return lower == "`ifdef" || lower == "`ifndef" || lower == "`else" || lower == "`endif";
}

enum class TargetKind { kNone, kReg, kPortOrConcatenation };

class AlwaysBodyParser {
public:
    AlwaysBodyParser(VerilogParseState& state, std::size_t blockIndex, AlwaysBodyForm form)
        : state_(state),
          source_(state),
          names_(state.module),
          blockIndex_(blockIndex),
          endsByStructure_(form == AlwaysBodyForm::kSingleIf ||
                           form == AlwaysBodyForm::kSingleCase),
          forIsBlockLevel_(form == AlwaysBodyForm::kSingleFor),
          blockForm_(form == AlwaysBodyForm::kBlock) {}

    // Statements are gathered in a buffer kept from block to block and moved
    // into the block once at the end, whatever the result, so the block's
    // vector is allocated once at its final size.
    int run() {
        scratch().clear();
        const int result = readBody();
        std::vector<Statement>& gathered = scratch();
        std::vector<Statement>& target = state_.module.alwaysBlocks[blockIndex_].statements;
        target.reserve(target.size() + gathered.size());
        for (Statement& statement : gathered) target.push_back(std::move(statement));
        gathered.clear();
        // A huge block does not keep its buffer alive for the rest of the run.
        if (gathered.capacity() > kKeptScratchCapacity) std::vector<Statement>().swap(gathered);
        return result;
    }

private:
    static std::vector<Statement>& scratch() {
        thread_local std::vector<Statement> statements;
        return statements;
    }

    int readBody() {
        // The header's own "begin" may name the block.
        if (blockForm_) skipBlockLabel();
        while (true) {
            if (source_.atEnd()) {
                state_.error(kEndMissing);
                return 1;
            }
            source_.takeInto(token_);
            if (isLineMarkerText(token_)) {
                state_.currentLine = lineMarkerNumber(token_);
                continue;
            }
            const int result = dispatch(token_);
            if (result != kContinue) return result;
        }
    }

    int dispatch(const std::string& token) {
        const std::string_view lower = lowerInBuffer(token);
        if (lower == "endmodule" || lower == "endmodul") return -1;
        if (lower == "else") return elseConstruct();
        if (isConditionalDirective(lower)) return directive(lower);
        tracker_.settle();
        if (lower == "end" || lower == "endcase" || lower == "endcasex") return closeLevel();
        if (lower == "begin") {
            openBeginLevel();
            return kContinue;
        }
        const TargetKind target = targetKind(lower);
        if (target != TargetKind::kNone) return assignment(token, target);
        if (endsByStructure_ && source_.lastFromText() && isModuleItemWord(lower)) {
            state_.pushBack();
            return 0;
        }
        return keywordStatement(token, lower);
    }

    // The keyword tests, after the assignment test.
    int keywordStatement(const std::string& token, std::string_view lower) {
        if (isKeywordToken(lower, "casex")) {
            return caseConstruct(token, 5,
                                 "syntax error at conditional experssion of 'casex'.\r\n");
        }
        if (isKeywordToken(lower, "casez")) {
            return caseConstruct(token, 5, "syntax error at conditional experssion of 'case'.\r\n");
        }
        if (isKeywordToken(lower, "case")) {
            return caseConstruct(token, 4, "syntax error at conditional experssion of 'case'.\r\n");
        }
        if (lower.starts_with("$fdisplay")) {
            return taskCall(token, "syntax error at conditional experssion of '$fdisplay'.\r\n");
        }
        if (lower.starts_with("$display")) {
            return taskCall(token, "syntax error at conditional experssion of '$display'.\r\n");
        }
        if (isKeywordToken(lower, "for")) return forConstruct(token);
        if (isKeywordToken(lower, "while")) return whileConstruct(token);
        if (isKeywordToken(lower, "if")) {
            return ifConstruct(token, "if", "syntax error at conditional experssion of 'if'.\r\n");
        }
        if (isKeywordToken(lower, "disable")) {
            skipToSemicolon(source_, token);
            return completeStatement();
        }
        if (lower.find(':') != std::string_view::npos) return caseItem(token);
        return labelOrError(token);
    }

    // The token in lower case, in a buffer reused for every token: tokens are
    // short, so this costs no allocation once the buffer has grown.
    std::string_view lowerInBuffer(std::string_view token) {
        lowerBuffer_.assign(token);
        for (char& c : lowerBuffer_) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return lowerBuffer_;
    }

    TargetKind targetKind(std::string_view lower) {
        if (lower.starts_with('{')) return TargetKind::kPortOrConcatenation;
        const std::string_view name = assignmentNamePart(lower);
        // Keywords with a condition ("if(a)", "case(s)") and case labels are
        // never declared names; they need no lookup.
        if (name.empty() || name.find_first_of("(:;") != std::string_view::npos) {
            return TargetKind::kNone;
        }
        if (names_.isReg(name)) return TargetKind::kReg;
        if (names_.isPort(name)) return TargetKind::kPortOrConcatenation;
        return TargetKind::kNone;
    }

    int assignment(const std::string& token, TargetKind target) {
        const int line = state_.currentLine;
        std::string text = token;
        if (!glueStatement(source_, text)) {
            state_.errorAt(line, target == TargetKind::kReg ? "';' not exist.(7)\r\n"
                                                            : "';' not exist.(8)\r\n");
            return 1;
        }
        text.pop_back();
        if (addSplitStatement(text, line) != 0) return 1;
        return completeStatement();
    }

    int ifConstruct(const std::string& token, std::string_view marker, std::string_view message) {
        const int line = state_.currentLine;
        ConditionText condition;
        if (!readCondition(source_, token.substr(2), condition)) {
            state_.errorAt(line, message);
            return 1;
        }
        if (addSplitStatement(std::string(marker) + " <= " + condition.text, line) != 0) return 1;
        tracker_.openIf();
        if (condition.gluedBegin) openBeginLevel();
        return kContinue;
    }

    // "else": an "elif" when an if follows, else an "else" marker and, for a
    // following "begin", a "begin" marker and a level.
    int elseConstruct() {
        const int line = state_.currentLine;
        std::string next;
        if (!source_.takeWord(next)) {
            state_.error(kEndMissing);
            return 1;
        }
        tracker_.openElse();
        const std::string lower = toLowerAscii(next);
        if (isKeywordToken(lower, "if")) {
            return ifConstruct(next, "elif",
                               "syntax error at conditional experssion of 'else if'.\r\n");
        }
        addMarker("else", "", line);
        if (lower == "begin") {
            openBeginLevel();
        } else {
            source_.giveBack(std::move(next));
        }
        return kContinue;
    }

    int caseConstruct(const std::string& token, std::size_t keywordLength,
                      std::string_view message) {
        const int line = state_.currentLine;
        ConditionText condition;
        if (!readCondition(source_, token.substr(keywordLength), condition)) {
            state_.errorAt(line, message);
            return 1;
        }
        if (addSplitStatement("case <= " + condition.text, line) != 0) return 1;
        openLevel();
        return kContinue;
    }

    int forConstruct(const std::string& token) {
        const int line = state_.currentLine;
        if (!skipToBegin(source_, token)) {
            state_.errorAt(line, "syntax error at conditional experssion of 'for'.\r\n");
            return 1;
        }
        addMarker("for", "", line);
        if (forIsBlockLevel_) {
            // The for of a single-for body owns the block's own level.
            forIsBlockLevel_ = false;
            skipBlockLabel();
        } else {
            openLevel();
        }
        return kContinue;
    }

    // A while loop adds no statement; its body is read as part of the stream.
    int whileConstruct(const std::string& token) {
        const int line = state_.currentLine;
        ConditionText condition;
        if (!readCondition(source_, token.substr(5), condition)) {
            state_.errorAt(line, "syntax error at conditional experssion of 'while'.\r\n");
            return 1;
        }
        tracker_.openSlot();
        if (condition.gluedBegin) openBeginLevel();
        return kContinue;
    }

    int taskCall(const std::string& token, std::string_view message) {
        const int line = state_.currentLine;
        if (!skipTaskCall(source_, token)) {
            state_.errorAt(line, message);
            return 1;
        }
        return completeStatement();
    }

    // "label:" adds a "when" marker; the text after the ":" starts the item's
    // statement, or is the "begin" of its block.
    int caseItem(const std::string& token) {
        const std::size_t colon = token.find(':');
        addMarker("when", std::string_view(token).substr(0, colon), state_.currentLine);
        tracker_.openItem();
        std::string rest = token.substr(colon + 1);
        if (toLowerAscii(rest) == "begin") {
            openBeginLevel();
        } else if (!rest.empty()) {
            source_.setPending(std::move(rest));
        }
        return kContinue;
    }

    // A case label written apart from its ":" ("default :", "S0, S1 :") is
    // glued to it; any other unknown token is an error.
    int labelOrError(const std::string& token) {
        const int line = state_.currentLine;
        std::string text = token;
        std::string next;
        while (source_.takeWord(next)) {
            if (!(text.ends_with(',') || next.starts_with(':') || next.starts_with(','))) {
                source_.giveBack(std::move(next));
                break;
            }
            text += next;
            if (text.find(':') != std::string::npos) return caseItem(text);
        }
        state_.errorAt(line, kUnknownStatement);
        return 1;
    }

    // The conditional directives are ignored; "`ifdef" and "`ifndef" take
    // their macro name with them.
    int directive(std::string_view lower) {
        if (lower == "`ifdef" || lower == "`ifndef") {
            std::string name;
            source_.takeWord(name);
        }
        return kContinue;
    }

    int closeLevel() {
        if (depth_ == 1) return 0;
        --depth_;
        addMarker("end", "", state_.currentLine);
        tracker_.closeLevel();
        return afterCompletion();
    }

    int completeStatement() {
        tracker_.completeStatement();
        return afterCompletion();
    }

    // A body without begin-end is complete once its construct is, unless an
    // "else" follows that still belongs to it.
    int afterCompletion() {
        if (!endsByStructure_ || !tracker_.complete()) return kContinue;
        if (!tracker_.elseMayFollow()) return 0;
        if (source_.hasPending()) return kContinue;
        std::string next;
        if (!source_.takeWord(next)) return 0;
        source_.giveBack(next);
        return toLowerAscii(next) == "else" ? kContinue : 0;
    }

    void openLevel() {
        ++depth_;
        tracker_.openLevel();
        skipBlockLabel();
    }

    // A "begin" opens a level and is recorded as a "begin" marker, whether
    // it stands alone or is glued to a condition or a case label
    // ("if(a)begin", "1:begin"): readers of the stream count the levels from
    // the markers, so both spellings must give the same stream.
    void openBeginLevel() {
        addMarker("begin", "", state_.currentLine);
        openLevel();
    }

    // Drops the label of a named block ("begin : name" or "begin :name").
    void skipBlockLabel() {
        if (source_.hasPending()) return;
        std::string token;
        if (!source_.takeWord(token)) return;
        if (!token.starts_with(':')) {
            source_.giveBack(std::move(token));
            return;
        }
        if (token == ":") source_.takeWord(token);
    }

    void addMarker(std::string_view keyword, std::string_view value, int line) {
        Statement& statement = statements().emplace_back();
        statement.target = keyword;
        statement.targetDisplay = keyword;
        if (!value.empty()) {
            statement.value = toLowerAscii(value);
            statement.valueDisplay = value;
        }
        statement.line = line;
        const auto comment = state_.module.lineComments.find(line);
        if (comment != state_.module.lineComments.end()) statement.comment = comment->second;
    }

    int addSplitStatement(std::string_view text, int line) {
        return addStatement(statements(), text, line, state_.module, state_.log, state_.filePath);
    }

    std::vector<Statement>& statements() { return scratch(); }

    VerilogParseState& state_;
    AlwaysTokenSource source_;
    AlwaysDeclaredNames names_;
    AlwaysConstructTracker tracker_;
    std::size_t blockIndex_;
    int depth_ = 1;
    bool endsByStructure_;
    bool forIsBlockLevel_;
    bool blockForm_;
    std::string lowerBuffer_;
    std::string token_;  // the token being dispatched, its storage reused
};

}  // namespace

int parseAlwaysBody(VerilogParseState& state, std::size_t blockIndex, AlwaysBodyForm form) {
    AlwaysBodyParser parser(state, blockIndex, form);
    return parser.run();
}

}  // namespace corvane
