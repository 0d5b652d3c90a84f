#include "verilog/construct_skipper.h"

#include <string_view>

#include "text/text_helpers.h"

namespace corvane {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '$';
}

// +1 for a word that opens a block, -1 for one that closes it, else 0; `word`
// is lower-cased.
int blockEffect(std::string_view word) {
    if (word.empty()) return 0;
    static constexpr std::string_view kOpeners[] = {"begin",    "fork",     "case", "casex",
                                                    "casez",    "randcase", "task", "function",
                                                    "generate", "specify"};
    static constexpr std::string_view kClosers[] = {"end",         "join",        "join_any",
                                                    "join_none",   "endcase",     "endtask",
                                                    "endfunction", "endgenerate", "endspecify"};
    if (word.front() == 'e' || word.front() == 'j') {
        for (std::string_view closer : kClosers) {
            if (word == closer) return -1;
        }
        return 0;
    }
    // The openers begin with one of these letters; most names do not.
    switch (word.front()) {
    case 'b': case 'c': case 'f': case 'g': case 'r': case 's': case 't': break;
    default: return 0;
    }
    for (std::string_view opener : kOpeners) {
        if (word == opener) return 1;
    }
    return 0;
}

constexpr std::size_t kLongestKeyword = 11;  // "endfunction", "endgenerate"

bool isEndmoduleWord(std::string_view token) {
    if (token.size() != 8 && token.size() != 9) return false;
    if (token.front() != 'e' && token.front() != 'E') return false;
    const std::string lower = toLowerAscii(token);
    return lower == "endmodule" || lower == "endmodul";
}

bool isAssertionWord(std::string_view word) {
    return word == "assert" || word == "assume" || word == "cover" || word == "restrict";
}

class ConstructSkipper {
public:
    explicit ConstructSkipper(AlwaysTokenSource& source) : source_(source) {}

    SkipOutcome run(std::string first) {
        // The first token is owned here; the others are views of the source.
        first_ = std::move(first);
        std::string_view token = first_;
        bool isFirst = true;
        while (true) {
            if (!inQuote_ && isEndmoduleWord(token)) {
                giveBack(token, isFirst);
                outcome_.end = SkipEnd::kEndmodule;
                return outcome_;
            }
            const Scan scan = scanToken(token);
            if (scan == Scan::kStrayCloser) {
                // A closer of an enclosing block ends the construct and is
                // left for the caller; the first token is always consumed.
                if (!isFirst) giveBack(token, isFirst);
                return outcome_;
            }
            if (scan == Scan::kEnded && !continuesWithElse(token)) return outcome_;
            isFirst = false;
            if (scan == Scan::kGoOn && !source_.takeWordView(token)) {
                outcome_.end = SkipEnd::kTextEnded;
                return outcome_;
            }
        }
    }

private:
    enum class Scan { kGoOn, kEnded, kStrayCloser };

    // The first token was taken by the caller with the source's other reads.
    void giveBack(std::string_view token, bool isFirst) {
        if (isFirst) {
            source_.giveBack(first_);
        } else {
            source_.giveBackView(token);
        }
    }

    // Follows quotes, parentheses and block words through one token.
    Scan scanToken(std::string_view token) {
        // An escaped identifier is a name up to the blank that ends it.
        if (!inQuote_ && token.starts_with('\\')) return Scan::kGoOn;
        std::size_t i = 0;
        while (i < token.size()) {
            const char c = token[i];
            if (inQuote_) {
                quoteChar(c);
                ++i;
            } else if (c == '"') {
                inQuote_ = true;
                ++i;
            } else if (c == '(' || c == ')') {
                parens_ += c == '(' ? 1 : -1;
                ++i;
            } else if (c == ';' && parens_ <= 0 && blocks_ <= 0) {
                leavePending(token, i + 1);
                endedByCloser_ = false;
                return Scan::kEnded;
            } else if (isLetter(c) || c == '_') {
                const std::size_t end = wordEnd(token, i);
                const Scan scan = blockWord(token, i, end);
                if (scan != Scan::kGoOn) return scan;
                i = end;
            } else if (isDigit(c) || c == '\'' || c == '$' || c == '`') {
                // Numbers ("8'hbe"), system names and macro uses hold no keyword.
                i = wordEnd(token, i + 1);
            } else {
                ++i;
            }
        }
        return Scan::kGoOn;
    }

    void quoteChar(char c) {
        if (escaped_) {
            escaped_ = false;
        } else if (c == '\\') {
            escaped_ = true;
        } else if (c == '"') {
            inQuote_ = false;
        }
    }

    static std::size_t wordEnd(std::string_view token, std::size_t from) {
        while (from < token.size() && (isWordChar(token[from]) || token[from] == '\'')) ++from;
        return from;
    }

    Scan blockWord(std::string_view token, std::size_t begin, std::size_t end) {
        // Every keyword looked for has 2 to 11 letters; most names are
        // passed over without being lower-cased.
        if (end - begin < 2 || end - begin > kLongestKeyword) return Scan::kGoOn;
        assignLowerAscii(word_, token.substr(begin, end - begin));
        const int effect = blockEffect(word_);
        // Only an if or an assertion outside every block can take an else.
        if (blocks_ <= 0 && (word_ == "if" || isAssertionWord(word_))) elseMayFollow_ = true;
        if (effect > 0) {
            ++blocks_;
            if (word_ == "begin" || word_ == "fork") outcome_.openedBlock = true;
            return Scan::kGoOn;
        }
        if (effect == 0) return Scan::kGoOn;
        if (blocks_ <= 0) return Scan::kStrayCloser;
        if (--blocks_ > 0 || parens_ > 0) return Scan::kGoOn;
        endedByCloser_ = true;
        const std::string_view rest = token.substr(end);
        if (rest == ":") {
            // "end: name": the label follows as a token of its own.
            std::string_view label;
            source_.takeWordView(label);
        } else if (!rest.starts_with(':')) {
            leavePending(token, end);
        }
        return Scan::kEnded;
    }

    // What follows the end of the construct inside its token is read next.
    void leavePending(std::string_view token, std::size_t from) {
        if (from < token.size()) source_.setPending(std::string(token.substr(from)));
    }

    // After the end of a construct holding an if or an assertion outside its
    // blocks: an "else" continues the construct (it becomes `token`); a label
    // written apart from its closer ("end : name") before it is dropped.
    bool continuesWithElse(std::string_view& token) {
        if (source_.hasPending() || !elseMayFollow_) return false;
        std::string_view next;
        while (source_.takeWordView(next)) {
            if (endedByCloser_ && next.starts_with(':')) {
                std::string_view label;
                if (next == ":") source_.takeWordView(label);
                endedByCloser_ = false;
                continue;
            }
            if (toLowerAscii(next) == "else") {
                token = next;
                return true;
            }
            source_.giveBackView(next);
            return false;
        }
        return false;
    }

    AlwaysTokenSource& source_;
    std::string first_;
    SkipOutcome outcome_;
    long parens_ = 0;
    long blocks_ = 0;
    bool inQuote_ = false;
    bool escaped_ = false;
    bool endedByCloser_ = false;
    bool elseMayFollow_ = false;
    std::string word_;
};

}  // namespace

SkipOutcome skipConstruct(AlwaysTokenSource& source, std::string first) {
    ConstructSkipper skipper(source);
    return skipper.run(std::move(first));
}

}  // namespace corvane
