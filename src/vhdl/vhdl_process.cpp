#include "vhdl/vhdl_process.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <utility>

#include "database/chunk_preparation.h"
#include "database/statement_splitter.h"
#include "text/text_helpers.h"
#include "vhdl/vhdl_tokenizer.h"

namespace corvane {

namespace {

enum class Step { kContinue, kDone, kFail };

// The tokens of a process body, with room for the rest of a token whose
// first part has been used (the statement after "when x =>" in one token).
class BodyTokens {
public:
    explicit BodyTokens(VhdlParseState& state) : state_(state) {}

    bool exhausted() const { return !hasPending_ && state_.exhausted(); }
    // The next token as a view: into the prepared text, or into the stored
    // rest of a token, which stays valid until the next putBack().
    std::string_view next() {
        if (hasPending_) {
            hasPending_ = false;
            return pending_;
        }
        return state_.nextView();
    }
    // The next token that is not a line marker, or "" when the text ends.
    std::string_view nextWord() {
        while (!exhausted()) {
            const std::string_view token = next();
            if (!state_.followMarker(token)) return token;
        }
        return {};
    }
    // False when the next token surely does not begin with ":" (a look at
    // its first character, or at a stored rest); a line marker may hide it.
    bool mayStartWithColon() const {
        if (hasPending_) return pending_.starts_with(':');
        const std::string& text = state_.module.text;
        const int at = state_.module.readPos;
        if (at < 0 || static_cast<std::size_t>(at) >= text.size()) return false;
        const char next = text[static_cast<std::size_t>(at)];
        return next == ':' || next == '%';
    }
    // Stores a non-empty rest to be read as the next token.
    void putBack(std::string_view rest) {
        pending_.assign(rest);
        hasPending_ = true;
    }

private:
    VhdlParseState& state_;
    std::string pending_;
    bool hasPending_ = false;
};

// Whether a lower-cased text ends with `word` written right after a closing
// bracket or quote, as in "(a='1')then".
bool endsWithGluedWord(std::string_view text, std::string_view word) {
    if (text.size() <= word.size()) return false;
    if (!equalsLowerWord(text.substr(text.size() - word.size()), word)) return false;
    const char before = text[text.size() - word.size() - 1];
    return before == ')' || before == '\'' || before == '"';
}

// Literal operands (numbers, character and bit-string literals) are not signals.
bool isLiteralOperand(const std::string& text) {
    if (text.empty()) return true;
    const char first = text[0];
    if ((first >= '0' && first <= '9') || first == '\'' || first == '"') return true;
    return text.size() > 1 && text[1] == '"';
}

class ProcessBodyParser {
public:
    ProcessBodyParser(VhdlParseState& state, std::size_t blockIndex)
        : state_(state), tokens_(state), blockIndex_(blockIndex) {}

    // Statements are gathered in a buffer that already has room for as many
    // as the last process had; the block then takes the buffer over whole,
    // whatever the result, so no statement is moved. A buffer much larger
    // than its statements is trimmed, so that no block keeps the room of a
    // bigger process.
    int run() {
        std::vector<Statement>& gathered = scratch();
        gathered.clear();
        const int result = readBody();
        std::vector<Statement>& target = block().statements;
        const std::size_t count = gathered.size();
        if (target.empty()) {
            target.swap(gathered);
            if (target.capacity() > 2 * count + kTrimSlack) target.shrink_to_fit();
        } else {
            target.reserve(target.size() + count);
            for (Statement& statement : gathered) target.push_back(std::move(statement));
        }
        gathered.clear();
        // A huge process does not keep a huge buffer alive for the rest of the run.
        if (gathered.capacity() > kKeptScratchStatements) std::vector<Statement>().swap(gathered);
        gathered.reserve(std::min(count, kKeptScratchStatements));
        return result;
    }

private:
    static constexpr std::size_t kKeptScratchStatements = 1024;
    static constexpr std::size_t kTrimSlack = 16;

    static std::vector<Statement>& scratch() {
        thread_local std::vector<Statement> statements;
        return statements;
    }

    int readBody() {
        while (!tokens_.exhausted()) {
            const std::string_view token = tokens_.next();
            if (state_.followMarker(token)) continue;
            const Step step = statement(token);
            if (step == Step::kDone) return 0;
            if (step == Step::kFail) return 1;
        }
        state_.error("\"end;\" not exist.\r\n");
        return 1;
    }

    Always& block() { return state_.module.alwaysBlocks[blockIndex_]; }

    // Whether `token` is `word` or begins with `word` and "(" (lower-case words).
    static bool isKeyword(std::string_view token, std::string_view word) {
        if (!startsWithLowerWord(token, word)) return false;
        return token.size() == word.size() || token[word.size()] == '(';
    }

    Step statement(std::string_view token) {
        if (token.starts_with(kVhdlEndMarker))
            return endMarker(token.substr(kVhdlEndMarker.size()));
        setTargetName(token);
        if (!name_.empty() && state_.isSignalName(name_)) {
            return assignment(token, "';' not exist.(10)\r\n", false);
        }
        if (!name_.empty() && state_.isPinName(name_)) {
            return assignment(token, "';' not exist.(11)\r\n", false);
        }
        if (isKeyword(token, "if")) {
            return condition(token.substr(2), "if", "then",
                             "syntax error at conditional experssion of 'if'.\r\n");
        }
        if (isKeyword(token, "elsif")) {
            return condition(token.substr(5), "elif", "then",
                             "syntax error at conditional experssion of 'if'.\r\n");
        }
        if (equalsLowerWord(token, "$else$") || equalsLowerWord(token, "else")) {
            addMarker("else");
            return Step::kContinue;
        }
        if (isKeyword(token, "case")) {
            return condition(token.substr(4), "case", "is",
                             "syntax error at conditional experssion of 'case'.\r\n");
        }
        if (startsWithLowerWord(token, "$when$")) return choice(token.substr(6));
        if (equalsLowerWord(token, "for")) return forLoop();
        if (equalsLowerWord(token, "while")) return whileLoop();
        if (equalsLowerWord(token, "loop")) {
            addMarker("for");
            return Step::kContinue;
        }
        if (equalsLowerWord(token, "wait")) return waitStatement();
        // "wait;" and an empty statement add nothing to the stream.
        if (equalsLowerWord(token, "wait;") || equalsLowerWord(token, "null;"))
            return Step::kContinue;
        if (isPassedOverStatement(token)) return passOver(token);
        if (isLabel(token)) return Step::kContinue;
        return assignment(token, "syntax error at conditional experssion.\r\n", true);
    }

    // Statements that change no signal and that the stream does not record:
    // reports, assertions, loop exits, returns and "null".
    static bool isPassedOverStatement(std::string_view token) {
        static constexpr std::string_view kWords[] = {"report", "assert", "exit",
                                                      "next",   "return", "null"};
        for (std::string_view word : kWords) {
            if (!startsWithLowerWord(token, word)) continue;
            if (token.size() == word.size() || !isIdentifierChar(token[word.size()])) return true;
        }
        return false;
    }

    // Skips a statement up to the ";" that ends it outside a string literal.
    Step passOver(std::string_view token) {
        const int line = state_.currentLine;
        bool inString = false;
        std::string_view current = token;
        while (true) {
            for (const char c : current) inString = c == '"' ? !inString : inString;
            if (!inString && current.ends_with(';')) return Step::kContinue;
            current = tokens_.nextWord();
            if (current.empty()) {
                state_.errorAt(line, "\"end;\" not exist.\r\n");
                return Step::kFail;
            }
        }
    }

    // A statement label: "name:" in one token, or a name followed by ":".
    // Looking at the following token may replace what `token` views, so
    // `token` is then rebound to a copy.
    bool isLabel(std::string_view& token) {
        if (token.size() >= 2 && token.back() == ':' && isIdentifierChar(token[token.size() - 2]))
            return std::all_of(token.begin(), token.end() - 1, isIdentifierChar);
        if (!std::all_of(token.begin(), token.end(), isIdentifierChar)) return false;
        if (!tokens_.mayStartWithColon()) return false;
        word_.assign(token);
        token = word_;
        const std::string_view following = tokens_.nextWord();
        if (following == ":") return true;
        if (!following.empty()) tokens_.putBack(following);
        return false;
    }

    // The target name of a statement token, lower-cased into name_: the
    // token up to its first "<=" or "(", found in one pass.
    void setTargetName(std::string_view token) {
        std::size_t end = 0;
        while (end < token.size() && token[end] != '(' &&
               !(token[end] == '<' && end + 1 < token.size() && token[end + 1] == '=')) {
            ++end;
        }
        name_.resize(end);
        for (std::size_t i = 0; i < end; ++i) {
            const char c = token[i];
            name_[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        }
    }

    // After the end marker: "end if;", "end case;", "end loop;" close a
    // construct (a label may follow the keyword), "end process;" the process.
    Step endMarker(std::string_view glued) {
        const std::string_view decider = glued.empty() ? tokens_.nextWord() : glued;
        if (decider.empty()) {
            state_.error("\"end;\" not exist.\r\n");
            return Step::kFail;
        }
        // `word` stays valid: reading on never replaces a stored rest.
        std::string_view word = decider;
        bool closed = word.ends_with(';');
        if (closed) word.remove_suffix(1);
        const auto is = [&word](std::string_view keyword) {
            return equalsLowerWord(word, keyword);
        };
        if (!closed && (is("if") || is("case") || is("loop") || is("process"))) {
            closed = tokens_.nextWord().ends_with(';');
        }
        if (closed && is("process")) return Step::kDone;
        if (closed && (is("if") || is("case") || is("loop"))) {
            addMarker("end");
            return Step::kContinue;
        }
        state_.error("\"end process\" not exist.\r\n");
        return Step::kFail;
    }

    // "if c then", "elsif c then", "case e is": "marker <= " and the text up
    // to the closing word, built in the statement buffer.
    Step condition(std::string_view rest, std::string_view marker, std::string_view closingWord,
                   std::string_view message) {
        const int line = state_.currentLine;
        text_.assign(marker);
        text_ += " <= ";
        const std::size_t head = text_.size();
        text_ += rest;
        if (!glueToWord(text_, head, closingWord)) {
            state_.errorAt(line, message);
            return Step::kFail;
        }
        return split(text_, line);
    }

    // "when choice =>": the statement after the arrow is read next.
    Step choice(std::string_view rest) {
        const int line = state_.currentLine;
        std::string text(rest);  // copied before putBack() may replace what `rest` views
        std::size_t arrow = text.find("=>");
        while (arrow == std::string::npos) {
            const std::string_view token = tokens_.nextWord();
            if (token.empty()) {
                state_.errorAt(line, "syntax error at conditional experssion of 'when'.\r\n");
                return Step::kFail;
            }
            // Only the new text and the character before it can complete an arrow.
            const std::size_t from = text.empty() ? 0 : text.size() - 1;
            text += token;
            arrow = text.find("=>", from);
        }
        if (arrow + 2 < text.size()) tokens_.putBack(std::string_view(text).substr(arrow + 2));
        return split("when <= " + text.substr(0, arrow), line);
    }

    Step forLoop() { return loopHeader(false); }

    // "while c loop" opens a loop as "for" does; its condition may hold
    // "loop" glued to a closing parenthesis.
    Step whileLoop() { return loopHeader(true); }

    // Skips a loop header up to its "loop" and opens the loop.
    Step loopHeader(bool gluedLoopEnds) {
        const int line = state_.currentLine;
        while (true) {
            const std::string_view token = tokens_.nextWord();
            if (token.empty()) {
                state_.errorAt(line, "syntax error at conditional experssion of 'for'.\r\n");
                return Step::kFail;
            }
            if (equalsLowerWord(token, "loop")) break;
            if (gluedLoopEnds && endsWithGluedWord(token, "loop")) break;
        }
        addMarker("for");
        return Step::kContinue;
    }

    // "wait until c;" adds the signals of c to the sensitivity list; other
    // wait statements are passed over.
    Step waitStatement() {
        const int line = state_.currentLine;
        const std::string_view first = tokens_.nextWord();
        const bool until = isKeyword(first, "until");
        std::string text(until ? first.substr(5) : first);
        if (first.empty() || !glueToSemicolon(text)) {
            state_.errorAt(line, "syntax error at conditional experssion of 'wait'.\r\n");
            return Step::kFail;
        }
        if (until) {
            text.pop_back();
            addWaitSensitivity(text, line);
        }
        return Step::kContinue;
    }

    void addWaitSensitivity(const std::string& condition, int line) {
        std::vector<FormulaToken> operands;
        tokenizeVhdl(state_.generics(), condition, line, operands);
        std::unordered_set<std::string> known;
        for (const Sensitivity& entry : block().sensitivity) known.insert(entry.name);
        for (const FormulaToken& token : operands) {
            if (token.op != -1 || isLiteralOperand(token.text)) continue;
            if (!known.insert(token.text).second) continue;
            Sensitivity entry;
            entry.name = token.text;
            entry.displayName = token.displayText;
            entry.edge = -1;
            block().sensitivity.push_back(std::move(entry));
        }
    }

    // A signal, port or variable assignment up to its ";", glued in the
    // statement buffer.
    Step assignment(std::string_view token, std::string_view unendedMessage, bool variable) {
        const int line = state_.currentLine;
        std::string& text = text_;
        text.assign(token);
        if (!glueToSemicolon(text)) {
            state_.errorAt(line, unendedMessage);
            return Step::kFail;
        }
        text.pop_back();
        if (variable) {
            const std::size_t assign = text.find(":=");
            // Without ":=" or "<=" the statement is a procedure call.
            if (assign == std::string::npos && text.find("<=") == std::string::npos)
                return Step::kContinue;
            if (assign != std::string::npos) text.replace(assign, 2, " <= ");
        }
        const std::size_t arrow = text.find("<=");
        if (arrow != std::string::npos &&
            trimmedBlanks(std::string_view(text).substr(0, arrow)).empty()) {
            state_.errorAt(line, "Signal name is empty.\r\n");
            return Step::kFail;
        }
        return split(text, line);
    }

    bool glueToSemicolon(std::string& text) {
        while (!text.ends_with(';')) {
            if (tokens_.exhausted()) return false;
            const std::string_view token = tokens_.next();
            if (!state_.followMarker(token)) text += token;
        }
        return true;
    }

    // Glues tokens after text[head...] up to the word that closes a
    // condition (not included); only the glued part can end with the word.
    bool glueToWord(std::string& text, std::size_t head, std::string_view word) {
        while (true) {
            if (endsWithGluedWord(std::string_view(text).substr(head), word)) {
                text.resize(text.size() - word.size());
                return true;
            }
            const std::string_view token = tokens_.nextWord();
            if (token.empty()) return false;
            if (equalsLowerWord(token, word)) return true;
            text += token;
        }
    }

    Step split(std::string_view text, int line) {
        const int failed =
            addProcessStatement(scratch(), text, line, state_.module, state_.log, state_.filePath);
        return failed ? Step::kFail : Step::kContinue;
    }

    void addMarker(std::string_view keyword) {
        Statement& statement = scratch().emplace_back();
        statement.target = std::string(keyword);
        statement.targetDisplay = statement.target;
        statement.line = state_.currentLine;
        statement.comment = state_.commentOf(statement.line);
    }

    VhdlParseState& state_;
    BodyTokens tokens_;
    std::size_t blockIndex_;
    std::string name_;  // the target name of the statement being read, lower-cased
    std::string text_;  // the statement being glued, kept from statement to statement
    std::string word_;  // a first token kept while the token after it is looked at
};

// The signals of the parenthesised list that starts the header, if any.
void addSensitivityList(std::string_view header, Always& block) {
    if (!header.starts_with('(')) return;
    const std::size_t end = matchingParenEnd(header, 0);
    const std::size_t innerEnd = (end > 1 && header[end - 1] == ')') ? end - 1 : end;
    const std::string_view list = header.substr(1, innerEnd - 1);
    block.sensitivity.reserve(fieldCountForReserve(list, ','));
    forEachField(list, ',', [&](std::string_view name) {
        const std::string_view trimmed = trimmedBlanks(name);
        if (trimmed.empty()) return true;
        Sensitivity& entry = block.sensitivity.emplace_back();
        entry.name = toLowerAscii(trimmed);
        entry.displayName = std::string(trimmed);
        entry.edge = -1;
        return true;
    });
}

// "process (all)" is sensitive to every signal and port that its statements
// read: the list is made of those, in the order first read.
void expandSensitivityToAll(VhdlParseState& state, Always& block) {
    if (block.sensitivity.size() != 1 || block.sensitivity[0].name != "all") return;
    block.sensitivity.clear();
    std::unordered_set<std::string> known;
    std::vector<FormulaToken> operands;
    for (const Statement& statement : block.statements) {
        if (statement.valueDisplay.empty()) continue;
        operands.clear();
        tokenizeVhdl(state.generics(), statement.valueDisplay, block.line, operands);
        for (const FormulaToken& token : operands) {
            if (token.op != -1 || isLiteralOperand(token.text)) continue;
            const std::string name = token.text.substr(0, token.text.find_first_of("(.'"));
            const std::string display =
                token.displayText.substr(0, token.displayText.find_first_of("(.'"));
            if (!state.isSignalName(name) && !state.isPinName(name)) continue;
            if (!known.insert(name).second) continue;
            Sensitivity& entry = block.sensitivity.emplace_back();
            entry.name = name;
            entry.displayName = display;
            entry.edge = -1;
        }
    }
}

}  // namespace

int addProcessStatement(std::vector<Statement>& statements, std::string_view text, int line,
                        const Module& module, MessageLog& log, const std::string& filePath) {
    return addStatement(statements, text, line, module, log, filePath,
                        "Imperfect formula error in process block.\r\n");
}

int parseProcess(VhdlParseState& state, std::string_view headerRest) {
    const int line = state.currentLine;
    std::string header(headerRest);
    // The declarative part of the process is passed over up to "begin".
    while (true) {
        if (state.exhausted()) {
            state.errorAt(line, "\"begin\" not exist.\r\n");
            return 1;
        }
        const std::string_view token = state.nextView();
        if (state.followMarker(token)) continue;
        if (equalsLowerWord(token, "begin")) break;
        header += token;
    }
    Always block;
    block.line = line;
    addSensitivityList(trimmedBlanks(header), block);
    state.module.alwaysBlocks.push_back(std::move(block));
    const std::size_t index = state.module.alwaysBlocks.size() - 1;
    ProcessBodyParser parser(state, index);
    const int result = parser.run();
    expandSensitivityToAll(state, state.module.alwaysBlocks[index]);
    return result;
}

}  // namespace corvane
