// The compiler directives: conditional compilation, definitions, includes and
// the directives that change no record.
#include <algorithm>
#include <filesystem>

#include "database/source_file_reader.h"
#include "database/verilog_preprocessor_scanner.h"

namespace corvane::preprocessor {

namespace {

constexpr std::size_t kMaxIncludeNesting = 16;

// Directives without an argument that change nothing the database holds.
bool isPlainDirective(std::string_view name) {
    static constexpr std::string_view kNames[] = {"resetall",
                                                  "celldefine",
                                                  "endcelldefine",
                                                  "nounconnected_drive",
                                                  "end_keywords",
                                                  "delay_mode_distributed",
                                                  "delay_mode_path",
                                                  "delay_mode_unit",
                                                  "delay_mode_zero",
                                                  "protect",
                                                  "endprotect",
                                                  "accelerate",
                                                  "noaccelerate",
                                                  "expand_vectornets",
                                                  "noexpand_vectornets",
                                                  "autoexpand_vectornets",
                                                  "remove_gatenames",
                                                  "noremove_gatenames",
                                                  "remove_netnames",
                                                  "noremove_netnames",
                                                  "suppress_faults",
                                                  "nosuppress_faults",
                                                  "enable_portfaults",
                                                  "disable_portfaults"};
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

// Directives followed by one argument that change nothing the database holds.
bool takesOneArgument(std::string_view name) {
    return name == "default_nettype" || name == "unconnected_drive" || name == "begin_keywords" ||
           name == "default_decay_time" || name == "default_trireg_strength";
}

// Skips the argument of a directive: a string literal or a run of other
// characters on the same line.
void skipArgument(Cursor& in) {
    skipBlanks(in);
    if (in.at() == '"') {
        in.pos = stringLiteralEnd(in.text, in.pos);
        return;
    }
    while (!in.atEnd()) {
        const char c = in.at();
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '`') break;
        ++in.pos;
    }
}

void skipRestOfLine(Cursor& in) {
    in.pos = std::min(in.text.find('\n', in.pos), in.text.size());
}

// A back-slash with nothing but blanks after it on its line continues the line.
bool continuesLine(const Cursor& in) {
    if (in.at() != '\\') return false;
    std::size_t ahead = 1;
    while (in.at(ahead) == ' ' || in.at(ahead) == '\t' || in.at(ahead) == '\r') ++ahead;
    return in.at(ahead) == '\n';
}

// The path of `name` beside the file `besides`.
std::string besidePath(const std::string& besides, const std::string& name) {
    const std::filesystem::path file(name);
    if (file.is_absolute()) return file.lexically_normal().string();
    return (std::filesystem::path(besides).parent_path() / file).lexically_normal().string();
}

}  // namespace

void Scanner::backQuote(Cursor& in, std::string& out) {
    const std::size_t length = macroNameLength(in.text.substr(in.pos + 1));
    const std::string_view name = in.text.substr(in.pos + 1, length);
    in.pos += 1 + length;
    if (conditionalDirective(name, in)) return;
    // A lone back-quote, or anything in a branch not taken, is dropped.
    if (length == 0 || !active()) return;
    directive(name, in, out);
}

void Scanner::directive(std::string_view name, Cursor& in, std::string& out) {
    if (name == "define") {
        defineMacro(in);
    } else if (name == "undef") {
        undefineMacro(in);
    } else if (name == "undefineall") {
        macros_.clear();
    } else if (name == "include") {
        includeFile(in, out);
    } else if (name == "timescale") {
        // Left for the module parser, which checks it; an included file's is dropped.
        if (in.origin == Origin::File) {
            out += "`timescale";
        } else {
            skipRestOfLine(in);
        }
    } else if (isPlainDirective(name)) {
        // Nothing to record.
    } else if (takesOneArgument(name)) {
        skipArgument(in);
    } else if (name == "line" || name == "pragma") {
        skipRestOfLine(in);
    } else if (name == "__LINE__") {
        out += std::to_string(line_);
    } else if (name == "__FILE__") {
        out += '"' + in.path + '"';
    } else {
        expandMacro(name, in, out);
    }
}

// Conditionals are followed in every branch, taken or not, so that they nest.
bool Scanner::conditionalDirective(std::string_view name, Cursor& in) {
    if (name == "ifdef" || name == "ifndef") {
        openConditional(in, name == "ifndef");
    } else if (name == "elsif") {
        elseIf(in);
    } else if (name == "else") {
        elseBranch(in);
    } else if (name == "endif") {
        endIf(in);
    } else {
        return false;
    }
    return true;
}

void Scanner::openConditional(Cursor& in, bool whenUndefined) {
    const bool parentActive = active();
    const std::string_view name = readName(in);
    if (name.empty() && parentActive) {
        message(line_, whenUndefined ? "`ifndef Syntax error.\r\n" : "`ifdef Syntax error.\r\n");
    }
    const bool defined = macros_.find(name) != macros_.end();
    const bool holds = parentActive && !name.empty() && defined != whenUndefined;
    conditionals_.push_back(Conditional{line_, parentActive, holds, holds, false});
}

// A branch directive with no conditional of its own text open, or after
// "`else": reported where it would have been read.
bool Scanner::stray(const Cursor& in, std::string_view directive) {
    const bool open = conditionals_.size() > in.conditionalBase;
    if (open && !conditionals_.back().seenElse) return false;
    if (open ? conditionals_.back().parentActive : active()) {
        message(line_, "Illegal position \"`" + std::string(directive) + "\".\r\n");
    }
    return true;
}

void Scanner::elseIf(Cursor& in) {
    const std::string_view name = readName(in);
    if (stray(in, "elsif")) return;
    Conditional& open = conditionals_.back();
    if (name.empty() && open.parentActive) message(line_, "`elsif Syntax error.\r\n");
    open.active =
        open.parentActive && !open.taken && !name.empty() && macros_.find(name) != macros_.end();
    open.taken = open.taken || open.active;
}

void Scanner::elseBranch(Cursor& in) {
    if (stray(in, "else")) return;
    Conditional& open = conditionals_.back();
    open.active = open.parentActive && !open.taken;
    open.taken = true;
    open.seenElse = true;
}

void Scanner::endIf(Cursor& in) {
    if (conditionals_.size() <= in.conditionalBase) {
        if (active()) message(line_, "Illegal position \"`endif\".\r\n");
        return;
    }
    conditionals_.pop_back();
}

// Conditionals a text opened and did not close end with it.
void Scanner::closeConditionals(const Cursor& in) {
    while (conditionals_.size() > in.conditionalBase) {
        if (conditionals_.back().parentActive) {
            message(conditionals_.back().line, "\"`endif\" not exist.\r\n");
        }
        conditionals_.pop_back();
    }
}

void Scanner::defineMacro(Cursor& in) {
    const int line = line_;
    const std::string text = readDefineText(in);
    auto macro = std::make_shared<VerilogMacro>();
    if (!parseMacroDefinition(text, *macro)) {
        message(line, "`define Syntax error.\r\n");
        return;
    }
    result_.defines.push_back(PreprocessedDefine{line, macro->name, macro->body});
    const std::string name = macro->name;
    macros_.insert_or_assign(name, std::move(macro));
}

// The text of a definition up to the line break that is not continued by a
// back-slash; comments become blanks and continued lines are joined.
std::string Scanner::readDefineText(Cursor& in) {
    std::string text;
    const bool comments = in.origin != Origin::Expansion;
    while (!in.atEnd() && in.at() != '\n') {
        if (continuesLine(in)) {
            in.pos = in.text.find('\n', in.pos) + 1;
            skippedLineBreak(in);
            text += ' ';
        } else if (comments && in.at() == '/' && in.at(1) == '/') {
            skipRestOfLine(in);
        } else if (comments && in.at() == '/' && in.at(1) == '*') {
            skipBlockComment(in);
            text += ' ';
        } else if (in.at() == '"') {
            const std::size_t end = stringLiteralEnd(in.text, in.pos);
            text.append(in.text.substr(in.pos, end - in.pos));
            in.pos = end;
        } else {
            text += in.at();
            ++in.pos;
        }
    }
    return text;
}

void Scanner::undefineMacro(Cursor& in) {
    const std::string_view name = readName(in);
    if (name.empty()) {
        message(line_, "`undef Syntax error.\r\n");
        return;
    }
    const auto found = macros_.find(name);
    if (found != macros_.end()) macros_.erase(found);
}

void Scanner::includeFile(Cursor& in, std::string& out) {
    const int line = line_;
    skipBlanks(in);
    const char closer = in.at() == '"' ? '"' : in.at() == '<' ? '>' : '\0';
    const std::size_t end =
        closer == '\0' ? std::string_view::npos : in.text.find(closer, in.pos + 1);
    const std::size_t lineEnd = in.text.find('\n', in.pos);
    if (end == std::string_view::npos || end > lineEnd) {
        message(line, "`include Syntax error.\r\n");
        return;
    }
    const std::string name(in.text.substr(in.pos + 1, end - in.pos - 1));
    in.pos = end + 1;
    if (!stopped_) scanIncluded(name, in, out, line);
}

// Reads the named file beside the including file, else beside the analysed
// one, and scans it in place; a file not found is dropped.
void Scanner::scanIncluded(const std::string& name, Cursor& in, std::string& out, int line) {
    std::string path = besidePath(in.path, name);
    std::string text = readSourceFile(path);
    if (text.empty() && in.path != mainPath_) {
        path = besidePath(mainPath_, name);
        text = readSourceFile(path);
    }
    if (text.empty()) return;
    const bool cycle =
        std::find(includeStack_.begin(), includeStack_.end(), path) != includeStack_.end();
    if (cycle || includeStack_.size() > kMaxIncludeNesting) {
        message(line, "`include \"" + name + "\" is recursive.\r\n");
        return;
    }
    produced_ += text.size();
    if (!withinBounds(in, "`include \"" + name + "\" is too large.\r\n")) return;
    includeStack_.push_back(path);
    Cursor included{text, 0, Origin::Included, path, in.depth + 1, conditionals_.size()};
    if (active()) out += ' ';
    scan(included, out);
    if (active()) out += ' ';
    includeStack_.pop_back();
}

}  // namespace corvane::preprocessor
