// Macro uses: the call's arguments are read and expanded, put into the body,
// and the result is scanned again in place of the use.
#include <algorithm>

#include "database/verilog_preprocessor_scanner.h"

namespace corvane::preprocessor {

namespace {

// Expansions and includes nested deeper than this are runaway text.
constexpr int kMaxNesting = 64;

std::string trimmedCopy(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

std::string macroMessage(std::string_view name, std::string_view what) {
    return "Macro \"`" + std::string(name) + "\" " + std::string(what) + "\r\n";
}

// Too many actual arguments; a macro without formals takes one empty "()".
bool tooManyActuals(const VerilogMacro& macro, const std::vector<std::string>& actuals) {
    if (actuals.size() <= macro.formals.size()) return false;
    return !(macro.formals.empty() && actuals.size() == 1 && actuals.front().empty());
}

}  // namespace

void Scanner::expandMacro(std::string_view name, Cursor& in, std::string& out) {
    const auto found = macros_.find(name);
    // A macro defined nowhere (say in a header that was not found) most
    // often names a module, a constant or a state: its name stands for it.
    if (found == macros_.end()) {
        if (!stopped_) out.append(name);
        return;
    }
    if (stopped_) return;
    const std::shared_ptr<const VerilogMacro> macro = found->second;
    const int line = line_;
    std::vector<std::string> actuals;
    if (macro->hasFormals && !readCall(*macro, in, actuals, line)) return;
    if (isBeingExpanded(name)) {
        message(line, macroMessage(name, "is recursive."));
        return;
    }
    const std::string tooLarge = macroMessage(name, "expansion is too large.");
    if (!withinBounds(in, tooLarge)) return;
    for (std::string& actual : actuals) actual = expandText(actual, in);
    if (stopped_) return;
    if (tooManyActuals(*macro, actuals)) {
        message(line, macroMessage(name, "has too many arguments."));
        return;
    }
    const std::size_t budget = producedLimit_ - std::min(produced_, producedLimit_);
    const std::string body = substituteMacroBody(*macro, actuals, budget);
    produced_ += body.size();
    if (!withinBounds(in, tooLarge)) return;
    activeMacros_.emplace_back(name);
    Cursor expansion{body, 0, Origin::Expansion, in.path, in.depth + 1, conditionals_.size()};
    scan(expansion, out);
    activeMacros_.pop_back();
}

// Reads the arguments of a use of a macro with formals. Without "(" after
// the name the formals take their defaults. A call whose ")" never comes
// takes the rest of the text as its unfinished argument list.
bool Scanner::readCall(const VerilogMacro& macro, Cursor& in, std::vector<std::string>& actuals,
                       int line) {
    const std::size_t afterName = in.pos;
    skipBlanks(in);
    if (in.at() != '(') {
        in.pos = afterName;
        return true;
    }
    if (readActuals(in, actuals)) return true;
    message(line, macroMessage(macro.name, "')' not exist."));
    in.pos = in.text.size();
    return false;
}

// From the "(" at the cursor to its ")": the actual arguments, split at the
// commas outside parentheses, brackets, braces and strings, comments removed.
bool Scanner::readActuals(Cursor& in, std::vector<std::string>& actuals) {
    const bool comments = in.origin != Origin::Expansion;
    std::string current;
    int depth = 0;
    for (++in.pos; !in.atEnd();) {
        const char c = in.at();
        if (c == '\n' || c == '\r') {
            if (c == '\n') skippedLineBreak(in);
            current += ' ';
            ++in.pos;
        } else if (comments && c == '/' && in.at(1) == '/') {
            in.pos = std::min(in.text.find('\n', in.pos), in.text.size());
        } else if (comments && c == '/' && in.at(1) == '*') {
            skipBlockComment(in);
            current += ' ';
        } else if (c == '"') {
            const std::size_t end = stringLiteralEnd(in.text, in.pos);
            current.append(in.text.substr(in.pos, end - in.pos));
            in.pos = end;
        } else if (c == ',' && depth == 0) {
            actuals.push_back(trimmedCopy(current));
            current.clear();
            ++in.pos;
        } else if (c == ')' && depth == 0) {
            actuals.push_back(trimmedCopy(current));
            ++in.pos;
            return true;
        } else {
            if (c == '(' || c == '[' || c == '{') ++depth;
            if (c == ')' || c == ']' || c == '}') --depth;
            current += c;
            ++in.pos;
        }
    }
    return false;
}

// An actual argument with its own macro uses expanded.
std::string Scanner::expandText(std::string_view text, const Cursor& from) {
    std::string out;
    if (text.find('`') == std::string_view::npos) return std::string(text);
    Cursor argument{text, 0, Origin::Expansion, from.path, from.depth + 1, conditionals_.size()};
    scan(argument, out);
    return out;
}

// Counts one more expansion; past a bound, writes `tooLarge` once and stops
// all further expansion.
bool Scanner::withinBounds(const Cursor& in, std::string_view tooLarge) {
    if (!stopped_ && in.depth < kMaxNesting && expansions_ < expansionLimit_ &&
        produced_ <= producedLimit_) {
        ++expansions_;
        return true;
    }
    if (!stopped_) message(line_, std::string(tooLarge));
    stopped_ = true;
    return false;
}

bool Scanner::isBeingExpanded(std::string_view name) const {
    return std::find(activeMacros_.begin(), activeMacros_.end(), name) != activeMacros_.end();
}

}  // namespace corvane::preprocessor
