// Shared pieces of the declaration parsers: reading a declaration's glued
// text, cutting a "[msb:lsb]" range and splitting a list of declarators.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "verilog/verilog_parse_state.h"

namespace corvane {

// Reads the tokens of one declaration. Line markers are never glued into the
// text; the reader remembers the last one so the caller can move the current
// line past the declaration once its records are made.
class DeclarationReader {
  public:
    explicit DeclarationReader(VerilogParseState& state)
        : state_(state), lastLine_(state.currentLine) {}

    // The next token that is not a line marker; false once the text has ended.
    bool nextSourceToken(std::string& token);
    // As nextSourceToken, as a view (valid while the module's text and
    // parameters stay as they are).
    bool nextSourceView(std::string_view& token);

    // Glues tokens without blanks onto `text` until it ends with ";" (a text
    // that already does is left alone). False when the text ends first.
    // What stands between the keyword and the names without naming anything
    // is passed over: "signed", "unsigned", "vectored", "scalared", a drive
    // or charge strength "(strong0, weak1)" and a delay "#1", "#(1, 2)".
    bool glueUntilSemicolon(std::string& text);

    // Line of the last line marker read, or the line the reader started on.
    int lastLine() const { return lastLine_; }

  private:
    // Passes over a parenthesised group from `token` on; text after its
    // closing parenthesis goes to `text`.
    bool skipGroup(std::string token, std::string& text);
    bool skipDelay(const std::string& token, std::string& text);

    VerilogParseState& state_;
    int lastLine_;
};

// Whether a string is open after `token`, given whether one was open before
// it; a backslash inside a string escapes the next character.
bool quoteOpenAfter(std::string_view token, bool quoted);

// "signed" and "unsigned" say how a vector is read as a number; they name
// nothing, so declarations and port lists drop them ("wire signed [7:0] x;").
inline bool isSignednessKeyword(std::string_view token) {
    return token == "signed" || token == "unsigned";
}

// A range cut from a text that begins with "[": the bound texts on either
// side of the first ":" and the text after the next "]". When the ":" is
// missing both bounds are the text up to the "]"; when the "]" is missing the
// bounds run to the end of the text and nothing is left after them.
struct BracketRange {
    std::string_view msbText;
    std::string_view lsbText;
    std::string_view rest;
    bool wellFormed = false;  // both ":" and "]" were found
};

BracketRange splitBracketRange(std::string_view text);

// Splits at the commas outside parentheses, brackets and braces, so that the
// initial values "{a, b}" and "f(x, y)" keep their commas.
std::vector<std::string_view> splitDeclarators(std::string_view text);
// The same pieces, written into `pieces` (cleared first) to reuse its storage.
void splitDeclaratorsInto(std::string_view text, std::vector<std::string_view>& pieces);

}  // namespace corvane
