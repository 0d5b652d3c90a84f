#include "verilog/always_body_parser.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "database/statement_splitter.h"
#include "text/text_helpers.h"
#include "verilog/always_construct_tracker.h"
#include "verilog/always_declared_names.h"
#include "verilog/always_statement_words.h"
#include "verilog/always_token_source.h"
#include "verilog/construct_skipper.h"

namespace corvane {

namespace {

// Result of a step that leaves the block open.
constexpr int kContinue = 2;

// Statements the gathering buffer may keep between blocks.
constexpr std::size_t kKeptScratchCapacity = 1024;

constexpr std::string_view kEndMissing = "\"end\" not exist.\r\n";
constexpr std::string_view kUnknownStatement = "syntax error at conditional experssion.\r\n";

// Result of a statement test that found no control statement.
constexpr int kNotControl = 3;

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

// kHierarchical: a name with dots, which is a target, or a task of another
// module when no "=" follows.
enum class TargetKind { kNone, kReg, kPortOrConcatenation, kHierarchical };

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
        // The header's own "begin" may name the block and declare variables.
        if (blockForm_) {
            skipBlockLabel();
            declarationsAllowed_ = true;
        }
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
        settle();
        const bool declarationsAllowed = std::exchange(declarationsAllowed_, false);
        if (const int result = blockWord(lower); result != kNotControl) return result;
        // A reg may be named like a declaration word of other dialects ("bit").
        if (declarationsAllowed && isLocalDeclarationWord(lower) &&
            targetKind(lower) == TargetKind::kNone) {
            return localDeclaration(token);
        }
        // Where a case expects an item, a declared name starts a label.
        if (tracker_.atCaseItem()) return keywordStatement(token, lower);
        const TargetKind target = targetKind(lower);
        if (target != TargetKind::kNone) return assignment(token, target);
        if (endsByStructure_ && source_.lastFromText() && isModuleItemWord(lower)) {
            state_.pushBack();
            return 0;
        }
        return keywordStatement(token, lower);
    }

    // The words that open and close levels; a fork-join block is read as a
    // begin-end block. kNotControl for any other word.
    int blockWord(std::string_view lower) {
        if (lower == "end" || lower == "endcase" || lower == "endcasex" || lower == "join" ||
            lower == "join_any" || lower == "join_none") {
            return closeLevel();
        }
        if (lower == "begin" || lower.starts_with("begin:") || lower == "fork") {
            openBeginLevel();
            return kContinue;
        }
        return kNotControl;
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
        if (lower.starts_with('$')) return systemTaskCall(token, lower);
        if (const int result = controlStatement(token, lower); result != kNotControl) return result;
        if (isKeywordToken(lower, "for")) return forConstruct(token);
        if (isKeywordToken(lower, "while")) {
            return loopCondition(token, 5,
                                 "syntax error at conditional experssion of 'while'.\r\n");
        }
        if (isKeywordToken(lower, "if")) {
            return ifConstruct(token, "if", "syntax error at conditional experssion of 'if'.\r\n");
        }
        if (isKeywordToken(lower, "disable") || isProceduralContinuousWord(lower)) {
            skipToSemicolon(source_, token);
            return completeStatement();
        }
        if (isAssertionWord(lower)) return assertion(token);
        // "unique case", "priority if": the word before the statement is dropped.
        if (lower == "unique" || lower == "unique0" || lower == "priority") return kContinue;
        if (!tracker_.atCaseItem() && startsTaskCallWithArguments(lower)) {
            return taskCall(token, kUnknownStatement);
        }
        if (const std::size_t colon = caseLabelColon(token); colon != std::string::npos) {
            return caseItem(token, colon);
        }
        return labelOrError(token);
    }

    // Delay and event controls, event triggers, loops that add no statement
    // and the null statement. kNotControl when the token is none of them.
    int controlStatement(const std::string& token, std::string_view lower) {
        if (lower.starts_with('#') || lower.starts_with('@')) return timingControl(token);
        if (lower.starts_with("->")) {
            skipToSemicolon(source_, token);
            return completeStatement();
        }
        if (lower == ";") return completeStatement();
        if (isKeywordToken(lower, "repeat")) return loopCondition(token, 6, kEndMissing);
        if (isKeywordToken(lower, "wait")) return loopCondition(token, 4, kEndMissing);
        if (lower == "forever") {
            tracker_.openSlot();
            return kContinue;
        }
        return kNotControl;
    }

    static bool isProceduralContinuousWord(std::string_view lower) {
        return lower == "force" || lower == "release" || lower == "assign" || lower == "deassign";
    }

    static bool isAssertionWord(std::string_view lower) {
        return isKeywordToken(lower, "assert") || isKeywordToken(lower, "assume") ||
               isKeywordToken(lower, "cover") || isKeywordToken(lower, "restrict");
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
        if (name.empty()) return TargetKind::kNone;
        for (const char c : name) {
            if (c == '(' || c == ':' || c == ';') return TargetKind::kNone;
        }
        if (names_.isReg(name)) return TargetKind::kReg;
        if (names_.isPort(name)) return TargetKind::kPortOrConcatenation;
        // Variables of a named block, and hierarchical names, are written
        // like regs.
        if (isLocalName(name)) return TargetKind::kReg;
        if (name.find('.') != std::string_view::npos && isPlainName(name)) {
            return TargetKind::kHierarchical;
        }
        return TargetKind::kNone;
    }

    // A variable of a named block, or a real or time variable of the module.
    bool isLocalName(std::string_view name) const {
        for (const std::string& local : localNames_) {
            if (local == name) return true;
        }
        for (const std::string& variable : state_.unrecordedVariables) {
            if (variable == name) return true;
        }
        return false;
    }

    // "reg [7:0] t;" or "integer k;" at the start of a named block: nothing
    // is recorded, but its names become assignment targets.
    int localDeclaration(const std::string& token) {
        const int line = state_.currentLine;
        const std::size_t range = token.find('[');
        std::string text = range == std::string::npos ? std::string() : token.substr(range);
        std::string next;
        while (!text.ends_with(';')) {
            if (!source_.takeWord(next)) {
                state_.errorAt(line, kEndMissing);
                return 1;
            }
            const std::string lower = toLowerAscii(next);
            if (lower != "signed" && lower != "unsigned") text += next;
        }
        text.pop_back();
        appendDeclaredNames(text, localNames_);
        declarationsAllowed_ = true;
        return kContinue;
    }

    int assignment(const std::string& token, TargetKind target) {
        const int line = state_.currentLine;
        std::string text = token;
        if (!glueAssignment(source_, text)) {
            state_.errorAt(line, target == TargetKind::kReg ? "';' not exist.(7)\r\n"
                                                            : "';' not exist.(8)\r\n");
            return 1;
        }
        text.pop_back();
        if (target == TargetKind::kHierarchical && isTaskEnable(text)) return completeStatement();
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
        openLevel(true);
        return kContinue;
    }

    // "for (...)": a "for" marker; the loop's body is a begin-end level (its
    // "begin" adds no marker) or one statement closed by an "end" marker.
    int forConstruct(const std::string& token) {
        const int line = state_.currentLine;
        ConditionText condition;
        if (!readCondition(source_, token.substr(3), condition)) {
            state_.errorAt(line, "syntax error at conditional experssion of 'for'.\r\n");
            return 1;
        }
        addMarker("for", "", line);
        if (condition.gluedBegin || takeBeginWord()) {
            if (forIsBlockLevel_) {
                // The for of a single-for body owns the block's own level.
                forIsBlockLevel_ = false;
                skipBlockLabel();
                declarationsAllowed_ = true;
            } else {
                openLevel();
            }
        } else if (forIsBlockLevel_) {
            // A single-for body whose loop holds one statement ends with it.
            forIsBlockLevel_ = false;
            endsByStructure_ = true;
        } else {
            tracker_.openLoop();
        }
        return kContinue;
    }

    // Takes the next word when it is "begin" (or "begin:name").
    bool takeBeginWord() {
        if (source_.hasPending()) return false;
        std::string next;
        if (!source_.takeWord(next)) return false;
        const std::string lower = toLowerAscii(next);
        if (lower == "begin" || lower.starts_with("begin:")) return true;
        source_.giveBack(std::move(next));
        return false;
    }

    // "while", "repeat" or "wait" with its condition adds no statement; its
    // body is read as part of the stream.
    int loopCondition(const std::string& token, std::size_t keywordLength,
                      std::string_view message) {
        const int line = state_.currentLine;
        ConditionText condition;
        if (!readCondition(source_, token.substr(keywordLength), condition)) {
            state_.errorAt(line, message);
            return 1;
        }
        tracker_.openSlot();
        if (condition.gluedBegin) openBeginLevel();
        return kContinue;
    }

    // "#10", "#(d)", "@(posedge clk)", "@*", "@ev": a control before a
    // statement adds nothing; the statement follows.
    int timingControl(const std::string& token) {
        const int line = state_.currentLine;
        std::string rest = token.substr(1);
        if (rest.empty() && !source_.takeWord(rest)) {
            state_.errorAt(line, kEndMissing);
            return 1;
        }
        if (rest.starts_with('(')) {
            ConditionText condition;
            if (!readCondition(source_, std::move(rest), condition)) {
                state_.errorAt(line, kEndMissing);
                return 1;
            }
            if (condition.gluedBegin) openBeginLevel();
            return kContinue;
        }
        const std::size_t length = token.starts_with('@') && rest.starts_with('*')
                                       ? 1
                                       : controlValueLength(rest);
        if (length < rest.size()) source_.setPending(rest.substr(length));
        return kContinue;
    }

    // Any system task call ("$finish;", "$fwrite(f, ...);") is dropped.
    int systemTaskCall(const std::string& token, std::string_view lower) {
        if (lower.starts_with("$fdisplay")) {
            return taskCall(token, "syntax error at conditional experssion of '$fdisplay'.\r\n");
        }
        if (lower.starts_with("$display")) {
            return taskCall(token, "syntax error at conditional experssion of '$display'.\r\n");
        }
        return taskCall(token, kUnknownStatement);
    }

    // An immediate assertion with its action and else branch is dropped.
    int assertion(const std::string& token) {
        const int line = state_.currentLine;
        const SkipOutcome outcome = skipConstruct(source_, token);
        if (outcome.end == SkipEnd::kEndmodule) return -1;
        if (outcome.end == SkipEnd::kTextEnded) {
            state_.errorAt(line, kEndMissing);
            return 1;
        }
        return completeStatement();
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
    int caseItem(const std::string& token) { return caseItem(token, caseLabelColon(token)); }

    // As above, with the label's ":" already found at `colon`.
    int caseItem(const std::string& token, std::size_t colon) {
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

    // A token that is no statement: where a case expects an item it starts a
    // label written over several tokens ("3'b 000 :", "a && b :"); a case
    // label written apart from its ":" ("default :", "S0, S1 :") is glued to
    // it; a name alone is a task enable ("t;", "t (a);"); anything else is an
    // error.
    int labelOrError(const std::string& token) {
        if (tracker_.atCaseItem()) return caseLabel(token);
        const int line = state_.currentLine;
        if (token.ends_with(';') && isPlainName(std::string_view(token).substr(0, token.size() - 1))) {
            return completeStatement();
        }
        std::string text = token;
        std::string next;
        while (source_.takeWord(next)) {
            if (text == token && isPlainName(token) && (next == ";" || next.starts_with('('))) {
                return taskCall(next, kUnknownStatement);
            }
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

    // Glues the tokens of a case label up to the ":" that ends it. A
    // statement end or a block closer met first is an error.
    int caseLabel(const std::string& token) {
        const int line = state_.currentLine;
        std::string text = token;
        std::string next;
        if (toLowerAscii(token) == "default" && source_.takeWord(next)) {
            // The ":" after "default" may be left out.
            const bool colon = next.starts_with(':');
            source_.giveBack(std::move(next));
            if (!colon) {
                addMarker("when", token, line);
                tracker_.openItem();
                return kContinue;
            }
        }
        while (caseLabelColon(text) == std::string::npos) {
            if (text.ends_with(';') || !source_.takeWord(next)) break;
            const std::string lower = toLowerAscii(next);
            if (lower == "end" || lower == "endcase" || lower == "endcasex" ||
                lower == "endmodule" || lower == "endmodul") {
                source_.giveBack(std::move(next));
                break;
            }
            text += next;
        }
        if (const std::size_t colon = caseLabelColon(text); colon != std::string::npos) {
            return caseItem(text, colon);
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
        // A loop still waiting for its statement ends with the level.
        for (std::size_t i = tracker_.loopsInLevel(); i > 0; --i) {
            addMarker("end", "", state_.currentLine);
        }
        addMarker("end", "", state_.currentLine);
        tracker_.closeLevel();
        closeDoneLoops();
        return afterCompletion();
    }

    int completeStatement() {
        tracker_.completeStatement();
        closeDoneLoops();
        return afterCompletion();
    }

    // A statement that is not an "else" starts: completed ifs can no longer
    // take an else, so the loops around them are complete.
    void settle() {
        tracker_.settle();
        closeDoneLoops();
    }

    // A loop without begin-end whose statement is complete gets its "end".
    void closeDoneLoops() {
        while (tracker_.loopDone()) {
            addMarker("end", "", state_.currentLine);
            tracker_.closeLoop();
        }
    }

    // A body without begin-end is complete once its construct is, unless an
    // "else" follows that still belongs to it.
    int afterCompletion() {
        if (!endsByStructure_ || !tracker_.completeUnlessElse()) return kContinue;
        if (!tracker_.elseMayFollow()) return 0;
        if (source_.hasPending()) return kContinue;
        std::string next;
        if (source_.takeWord(next)) {
            source_.giveBack(next);
            if (toLowerAscii(next) == "else") return kContinue;
        }
        settle();
        return 0;
    }

    // A begin-end or for level, or a case level whose items follow.
    void openLevel(bool caseLevel = false) {
        ++depth_;
        if (caseLevel) {
            tracker_.openCase();
        } else {
            tracker_.openLevel();
        }
        skipBlockLabel();
        declarationsAllowed_ = !caseLevel;
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
    bool declarationsAllowed_ = false;  // a named block's declarations may come next
    std::vector<std::string> localNames_;  // variables declared in the block's named blocks
    std::string lowerBuffer_;
    std::string token_;  // the token being dispatched, its storage reused
};

}  // namespace

int parseAlwaysBody(VerilogParseState& state, std::size_t blockIndex, AlwaysBodyForm form) {
    AlwaysBodyParser parser(state, blockIndex, form);
    return parser.run();
}

}  // namespace corvane
