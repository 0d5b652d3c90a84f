#include "database/verilog_preprocessor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

#include "database/source_file_reader.h"
#include "database/verilog_preprocessor_scanner.h"

namespace corvane {

namespace preprocessor {

namespace {

// Nested expansion may produce this many characters per source character on
// top of a fixed allowance, and expand this many uses on top of one per
// source character.
constexpr std::size_t kProducedAllowance = std::size_t{64} << 20;
constexpr std::size_t kProducedPerSourceChar = 8;
constexpr std::size_t kExpansionAllowance = std::size_t{1} << 20;

// The characters at which the copying of ordinary text stops.
constexpr auto kSpecial = [] {
    std::array<bool, 256> special{};
    for (const unsigned char c : {'\n', '/', '"', '\\', '`'}) special[c] = true;
    return special;
}();

std::size_t lineCountOf(std::string_view text) {
    if (text.empty()) return 0;
    const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    return breaks + (text.back() == '\n' ? 0 : 1);
}

// Adds empty lines until `text` has `lines` lines: a file whose last line is
// continued or called on has that line break consumed without a line after it.
void padToLines(std::string& text, std::size_t lines) {
    if (lineCountOf(text) >= lines) return;
    if (!text.empty() && text.back() != '\n') text += '\n';
    text.append(lines - lineCountOf(text), '\n');
}

}  // namespace

void skipBlanks(Cursor& in) {
    while (in.at() == ' ' || in.at() == '\t' || in.at() == '\r') ++in.pos;
}

std::string_view readName(Cursor& in) {
    skipBlanks(in);
    const std::size_t length = macroNameLength(in.text.substr(std::min(in.pos, in.text.size())));
    const std::string_view name = in.text.substr(std::min(in.pos, in.text.size()), length);
    in.pos += length;
    return name;
}

std::size_t stringLiteralEnd(std::string_view text, std::size_t pos) {
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '\n') return pos;
        if (c == '"') return pos + 1;
        if (c == '\\' && pos + 1 < text.size() && text[pos + 1] != '\n') ++pos;
    }
    return text.size();
}

Scanner::Scanner(const std::string& path, std::size_t inputSize) : mainPath_(path) {
    expansionLimit_ = kExpansionAllowance + inputSize;
    producedLimit_ =
        std::min(kMaxSourceFileBytes, kProducedAllowance + kProducedPerSourceChar * inputSize);
}

PreprocessedVerilog Scanner::run(std::string_view text) {
    result_.text.reserve(text.size() + text.size() / 8);
    includeStack_.push_back(std::filesystem::path(mainPath_).lexically_normal().string());
    Cursor in{text, 0, Origin::File, mainPath_, 0, 0};
    scan(in, result_.text);
    result_.text.append(static_cast<std::size_t>(pending_), '\n');
    pending_ = 0;
    padToLines(result_.text, lineCountOf(text) + virtualBreaks_.size());
    if (!virtualBreaks_.empty()) result_.lineNumbers = outputLineNumbers();
    std::stable_sort(
        result_.messages.begin(), result_.messages.end(),
        [](const PreprocessorMessage& a, const PreprocessorMessage& b) { return a.line < b.line; });
    return std::move(result_);
}

// Every line break of the output ends a source line, except those of
// included text, which stay on the line of their "`include".
std::vector<int> Scanner::outputLineNumbers() const {
    const std::string& text = result_.text;
    std::vector<int> numbers;
    numbers.reserve(lineCountOf(text));
    int source = 1;
    std::size_t nextVirtual = 0;
    for (std::size_t brk = text.find('\n'); brk != std::string::npos;
         brk = text.find('\n', brk + 1)) {
        numbers.push_back(source);
        if (nextVirtual < virtualBreaks_.size() && virtualBreaks_[nextVirtual] == brk) {
            ++nextVirtual;
        } else {
            ++source;
        }
    }
    if (!text.empty() && text.back() != '\n') numbers.push_back(source);
    return numbers;
}

void Scanner::scan(Cursor& in, std::string& out) {
    while (!in.atEnd()) {
        if (stopped_ && in.origin != Origin::File) break;
        switch (in.text[in.pos]) {
            case '\n':
                ++in.pos;
                lineBreak(in, out);
                break;
            case '/':
                slash(in, out);
                break;
            case '"':
                stringLiteral(in, out);
                break;
            case '\\':
                escapedName(in, out);
                break;
            case '`':
                backQuote(in, out);
                break;
            default:
                ordinaryRun(in, out);
        }
    }
    closeConditionals(in);
}

// Writes a line break of the file, with those consumed inside a directive or
// a call since the last one.
void Scanner::emitLineBreak(std::string& out) {
    ++line_;
    out.append(static_cast<std::size_t>(pending_) + 1, '\n');
    pending_ = 0;
}

void Scanner::lineBreak(Cursor& in, std::string& out) {
    if (in.origin == Origin::File) {
        emitLineBreak(out);
    } else if (!active()) {
        return;
    } else if (in.origin == Origin::Included && &out == &result_.text) {
        virtualBreaks_.push_back(out.size());
        out += '\n';
    } else {
        out += ' ';
    }
}

void Scanner::skippedLineBreak(const Cursor& in) {
    if (in.origin != Origin::File) return;
    ++line_;
    ++pending_;
}

void Scanner::slash(Cursor& in, std::string& out) {
    const char next = in.at(1);
    if (in.origin == Origin::Expansion || (next != '/' && next != '*')) {
        if (active()) out += '/';
        ++in.pos;
        return;
    }
    if (next == '*') {
        blockComment(in, out);
        return;
    }
    // A line comment of the file itself is kept for the line cleaning.
    const std::size_t end = std::min(in.text.find('\n', in.pos), in.text.size());
    if (in.origin == Origin::File && active()) out.append(in.text.substr(in.pos, end - in.pos));
    in.pos = end;
}

// A block comment of the file itself is kept (the line cleaning removes it);
// elsewhere it becomes one blank.
void Scanner::blockComment(Cursor& in, std::string& out) {
    const std::size_t close = in.text.find("*/", in.pos + 2);
    const std::size_t end = close == std::string_view::npos ? in.text.size() : close + 2;
    const bool keep = in.origin == Origin::File && active();
    std::size_t from = in.pos;
    for (std::size_t brk = in.text.find('\n', from); brk < end; brk = in.text.find('\n', from)) {
        if (keep) out.append(in.text.substr(from, brk - from));
        if (in.origin == Origin::File) emitLineBreak(out);
        from = brk + 1;
    }
    if (keep) {
        out.append(in.text.substr(from, end - from));
    } else if (active()) {
        out += ' ';
    }
    in.pos = end;
}

void Scanner::skipBlockComment(Cursor& in) {
    const std::size_t close = in.text.find("*/", in.pos + 2);
    const std::size_t end = close == std::string_view::npos ? in.text.size() : close + 2;
    for (std::size_t brk = in.text.find('\n', in.pos); brk < end;
         brk = in.text.find('\n', brk + 1)) {
        skippedLineBreak(in);
    }
    in.pos = end;
}

void Scanner::stringLiteral(Cursor& in, std::string& out) {
    const std::size_t end = stringLiteralEnd(in.text, in.pos);
    if (active()) out.append(in.text.substr(in.pos, end - in.pos));
    in.pos = end;
}

// An escaped name runs to the next white space; a back-quote in it is part of it.
void Scanner::escapedName(Cursor& in, std::string& out) {
    std::size_t end = in.pos + 1;
    while (end < in.text.size() && in.text[end] != ' ' && in.text[end] != '\t' &&
           in.text[end] != '\r' && in.text[end] != '\n') {
        ++end;
    }
    if (active()) out.append(in.text.substr(in.pos, end - in.pos));
    in.pos = end;
}

void Scanner::ordinaryRun(Cursor& in, std::string& out) {
    std::size_t end = in.pos + 1;
    while (end < in.text.size() && !kSpecial[static_cast<unsigned char>(in.text[end])]) ++end;
    if (active()) out.append(in.text.substr(in.pos, end - in.pos));
    in.pos = end;
}

void Scanner::message(int line, std::string text) {
    result_.messages.push_back(PreprocessorMessage{line, std::move(text)});
}

}  // namespace preprocessor

bool holdsBackQuote(std::string_view text) {
    return std::memchr(text.data(), '`', text.size()) != nullptr;
}

PreprocessedVerilog preprocessVerilog(std::string_view text, const std::string& path) {
    preprocessor::Scanner scanner(path, text.size());
    return scanner.run(text);
}

}  // namespace corvane
