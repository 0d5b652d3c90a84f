// Token reading for always bodies: the parse state's token reader plus one
// pending piece of a token, and the gluing of the tokens of one statement or
// condition.
#pragma once

#include <string>
#include <string_view>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Tokens of an always body. A pending piece (the text after a case label's
// ":", or after an if's condition in "if(a)x=1;") is read before the next
// token of the text.
class AlwaysTokenSource {
public:
    explicit AlwaysTokenSource(VerilogParseState& state) : state_(state) {}

    VerilogParseState& state() { return state_; }

    // True when nothing is pending and the last token of the text was read.
    bool atEnd() const { return !hasPending_ && state_.exhausted(); }
    bool hasPending() const { return hasPending_; }

    // The pending piece, else the next token of the text (line markers included).
    std::string take();
    // As take(), into `token`, reusing its storage for a token of the text.
    void takeInto(std::string& token);
    // Whether the token last taken came from the text rather than from a piece.
    bool lastFromText() const { return lastFromText_; }
    // Makes the token last taken the next one again.
    void giveBack(std::string token);
    void setPending(std::string piece);

    // The next token that is not a line marker; line markers on the way set
    // the current line. False when the text ends first.
    bool takeWord(std::string& token);
    // As takeWord, as a view of the text or of the piece taken, valid until
    // the next take; for readers that only look at the tokens.
    bool takeWordView(std::string_view& token);
    // Makes the token last taken as a view the next one again.
    void giveBackView(std::string_view token);

private:
    VerilogParseState& state_;
    std::string pending_;
    std::string takenPiece_;  // the piece last taken as a view
    bool hasPending_ = false;
    bool lastFromText_ = true;
};

// A parenthesised condition as read after "if", "case" or "while".
struct ConditionText {
    std::string text;         // from the start up to the ")" that balances the first "("
    bool gluedBegin = false;  // a "begin" followed it in the same token
};

// Glues tokens to `first` (the text after the keyword) without blanks until
// the first "(" is balanced. What follows the closing ")" in the same token
// is a glued "begin", or else becomes the pending piece. False when the text
// ends first.
bool readCondition(AlwaysTokenSource& source, std::string first, ConditionText& condition);

// Glues tokens to `text` without blanks until it ends with ";". A delay or
// event control right after the "=" or "<=" of the assignment
// ("q <= #1 d;") is dropped, so that the value is the expression alone.
// False when the text ends first.
bool glueAssignment(AlwaysTokenSource& source, std::string& text);

// Reads a system task call ("$display(...);") up to the ";" that ends it
// outside quotes and parentheses. False when the text ends first.
bool skipTaskCall(AlwaysTokenSource& source, std::string first);

// Drops tokens up to and including one that ends with ";".
void skipToSemicolon(AlwaysTokenSource& source, const std::string& first);

// Whether `lower` is the keyword itself or the keyword followed by a
// character that cannot continue a name ("if(", "case(", "for"). Inline, with
// the first characters compared before anything else: the statement readers
// test most tokens against several keywords, and most differ at once.
inline bool isKeywordToken(std::string_view lower, std::string_view keyword) {
    if (!keyword.empty() && (lower.empty() || lower.front() != keyword.front())) return false;
    if (!lower.starts_with(keyword)) return false;
    if (lower.size() == keyword.size()) return true;
    const char c = lower[keyword.size()];
    return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
             c == '_' || c == '$');
}

// Whether a token ending with "begin" has it as a word of its own ("begin",
// "clk)begin", "@*begin"), not as the end of a longer name.
bool endsWithBeginWord(std::string_view lower);

}  // namespace corvane
