// The scanner behind preprocessVerilog: one pass over a text that copies it,
// runs the directives it meets and expands the macro uses. Included files and
// macro expansions are scanned by the same pass, nested, with their own cursor.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "database/verilog_macro.h"
#include "database/verilog_preprocessor.h"

namespace corvane::preprocessor {

// Where a scanned text comes from. The file itself keeps its lines; the text
// of an included file and a macro expansion are laid out on the line where
// they are used, so their line breaks become blanks.
enum class Origin { File, Included, Expansion };

struct Cursor {
    std::string_view text;
    std::size_t pos = 0;
    Origin origin = Origin::File;
    std::string path;                 // the file the text belongs to
    int depth = 0;                    // nesting of includes and expansions
    std::size_t conditionalBase = 0;  // conditionals already open when the text began

    bool atEnd() const { return pos >= text.size(); }
    char at(std::size_t ahead = 0) const {
        return pos + ahead < text.size() ? text[pos + ahead] : '\0';
    }
};

// One open "`ifdef" / "`ifndef" with the branch chosen so far.
struct Conditional {
    int line = 0;
    bool parentActive = true;  // whether the text around the conditional is read
    bool active = false;       // whether the current branch is read
    bool taken = false;        // whether some branch was read already
    bool seenElse = false;
};

class Scanner {
public:
    Scanner(const std::string& path, std::size_t inputSize);
    PreprocessedVerilog run(std::string_view text);
    std::vector<int> outputLineNumbers() const;

    // Lexical pass (verilog_preprocessor.cpp).
    void scan(Cursor& in, std::string& out);
    void lineBreak(Cursor& in, std::string& out);
    void emitLineBreak(std::string& out);
    void skippedLineBreak(const Cursor& in);
    void slash(Cursor& in, std::string& out);
    void blockComment(Cursor& in, std::string& out);
    // Passes over a block comment inside a directive or a macro call, keeping
    // the count of the source lines it spans.
    void skipBlockComment(Cursor& in);
    void stringLiteral(Cursor& in, std::string& out);
    void escapedName(Cursor& in, std::string& out);
    void ordinaryRun(Cursor& in, std::string& out);
    bool active() const { return conditionals_.empty() || conditionals_.back().active; }
    void message(int line, std::string text);

    // Directives (verilog_preprocessor_directives.cpp).
    void backQuote(Cursor& in, std::string& out);
    bool conditionalDirective(std::string_view name, Cursor& in);
    void openConditional(Cursor& in, bool whenUndefined);
    void elseIf(Cursor& in);
    void elseBranch(Cursor& in);
    void endIf(Cursor& in);
    bool stray(const Cursor& in, std::string_view directive);
    void closeConditionals(const Cursor& in);
    void directive(std::string_view name, Cursor& in, std::string& out);
    void defineMacro(Cursor& in);
    std::string readDefineText(Cursor& in);
    void undefineMacro(Cursor& in);
    void includeFile(Cursor& in, std::string& out);
    void scanIncluded(const std::string& name, Cursor& in, std::string& out, int line);

    // Macro uses (verilog_preprocessor_macros.cpp).
    void expandMacro(std::string_view name, Cursor& in, std::string& out);
    bool readCall(const VerilogMacro& macro, Cursor& in, std::vector<std::string>& actuals,
                  int line);
    bool readActuals(Cursor& in, std::vector<std::string>& actuals);
    std::string expandText(std::string_view text, const Cursor& from);
    bool withinBounds(const Cursor& in, std::string_view tooLarge);
    bool isBeingExpanded(std::string_view name) const;

    std::string mainPath_;
    std::size_t sourceLines_ = 0;
    std::map<std::string, std::shared_ptr<const VerilogMacro>, std::less<>> macros_;
    std::vector<Conditional> conditionals_;
    std::vector<std::string> activeMacros_;
    std::vector<std::string> includeStack_;
    int line_ = 1;     // line of the file at the scanning position
    int pending_ = 0;  // line breaks consumed inside a directive or a call, not yet written
    std::size_t expansions_ = 0;
    std::size_t produced_ = 0;  // characters of expansions and included text
    std::size_t expansionLimit_ = 0;
    std::size_t producedLimit_ = 0;
    bool stopped_ = false;                    // a bound was passed: no more expansion
    std::vector<std::size_t> virtualBreaks_;  // offsets of the line breaks of included text
    PreprocessedVerilog result_;
};

// Skips blanks and tabs (and a carriage return) on the current line.
void skipBlanks(Cursor& in);

// The macro or directive name at the cursor after blanks, consumed; empty
// when there is none.
std::string_view readName(Cursor& in);

// End of the string literal at `pos`: after its closing quote, or at the line
// break (not included) or the end of the text when it is not closed.
std::size_t stringLiteralEnd(std::string_view text, std::size_t pos);

}  // namespace corvane::preprocessor
