#include "database/chunk_preparation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <iterator>
#include <limits>

#include "database/vhdl_chunk.h"
#include "database/vhdl_operator_table.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

struct BlockCommentState {
    bool commentOpen = false;
    bool attributeOpen = false;
};

void sendReadProgress(int lineNumber, int lineTotal, ProgressSink& progress) {
    if (lineTotal <= 0) return;
    progress.setProgress(static_cast<int>(static_cast<long long>(lineNumber) * 50 / lineTotal));
}

// Removes a final line feed, then a final carriage return.
std::string_view withoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

void replaceTabs(std::string& line) {
    for (char& c : line) {
        if (c == '\t') c = ' ';
    }
}

std::string_view trimmedView(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Buffers reused from line to line, so that cleaning a line allocates nothing
// once they have grown to the longest line of the chunk.
struct VerilogLineBuffers {
    std::string first;
    std::string second;
};

// Position after the string literal that starts at `pos`, or the end of the
// line when it is not closed there.
std::size_t stringLiteralEnd(std::string_view line, std::size_t pos) {
    for (++pos; pos < line.size(); ++pos) {
        if (line[pos] == '\\') {
            ++pos;
        } else if (line[pos] == '"') {
            return pos + 1;
        }
    }
    return line.size();
}

// What the comments of a line leave: the kept text, and the text of the line
// comment when there is one.
struct CommentScan {
    std::string_view kept;
    bool lineComment = false;
    bool nothingBeforeLineComment = false;
    std::string_view commentText;
};

// Cuts the comments out of a line (tabs already blanks): every block comment,
// joining its two sides, where one still open at the end of the line cuts the
// line there and stays open for the next lines; and the line comment "//",
// whose trimmed text is returned. "//" and "/*" inside string literals are
// text. The kept text is a view of the line when only its ends were cut, else
// it is built in `buffer`.
CommentScan scanComments(std::string_view line, bool hasQuote, bool& open, std::string& buffer) {
    CommentScan scan;
    std::size_t pos = 0;
    if (open) {
        const std::size_t close = line.find("*/");
        if (close == std::string_view::npos) return scan;
        open = false;
        pos = close + 2;
    }
    std::size_t pieceStart = pos;
    std::size_t keptEnd = line.size();
    bool built = false;
    while (pos + 1 < line.size()) {
        // Without a quote on the line only a slash can start a comment.
        if (!hasQuote) {
            pos = line.find('/', pos);
            if (pos == std::string_view::npos || pos + 1 >= line.size()) break;
        }
        const char c = line[pos];
        if (c == '"') {
            pos = stringLiteralEnd(line, pos);
        } else if (c != '/' || (line[pos + 1] != '/' && line[pos + 1] != '*')) {
            ++pos;
        } else if (line[pos + 1] == '/') {
            scan.lineComment = true;
            scan.nothingBeforeLineComment = trimmedView(line.substr(0, pos)).empty();
            scan.commentText = trimmedView(line.substr(pos + 2));
            keptEnd = pos;
            break;
        } else {
            if (!built) buffer.clear();
            built = true;
            buffer.append(line.substr(pieceStart, pos - pieceStart));
            const std::size_t close = line.find("*/", pos + 2);
            if (close == std::string_view::npos) {
                open = true;
                pieceStart = keptEnd = line.size();
                break;
            }
            pos = pieceStart = close + 2;
        }
    }
    const std::string_view last = line.substr(pieceStart, keptEnd - pieceStart);
    if (!built) {
        scan.kept = last;
        return scan;
    }
    buffer.append(last);
    scan.kept = buffer;
    return scan;
}

// Whether the "(*" at `start` opens the implicit event list of "@(*)" or
// "@ (* )" rather than an attribute: "(*)", or an at sign before it.
bool opensEventList(std::string_view line, std::size_t start) {
    if (line.substr(start).starts_with("(*)")) return true;
    std::size_t before = start;
    while (before > 0 && line[before - 1] == ' ') --before;
    return before > 0 && line[before - 1] == '@';
}

// Removes every attribute "(* ... *)" of a line; one that is still open at
// the end of the line cuts the line there and stays open for the next lines.
// The line is rebuilt in `buffer` when anything is removed.
std::string_view stripAttributesView(std::string_view line, bool& open, std::string& buffer) {
    if (open) {
        const std::size_t close = line.find("*)");
        if (close == std::string_view::npos) return {};
        open = false;
        line.remove_prefix(close + 2);
    }
    std::size_t start = line.find("(*");
    while (start != std::string_view::npos && opensEventList(line, start)) {
        start = line.find("(*", start + 2);
    }
    if (start == std::string_view::npos) return line;
    std::string kept;
    std::size_t from = 0;
    while (start != std::string_view::npos) {
        const std::size_t close = line.find("*)", start + 2);
        kept.append(line.substr(from, start - from));
        if (close == std::string_view::npos) {
            open = true;
            from = line.size();
            break;
        }
        from = close + 2;
        start = line.find("(*", from);
        while (start != std::string_view::npos && opensEventList(line, start)) {
            start = line.find("(*", start + 2);
        }
    }
    kept.append(line.substr(std::min(from, line.size())));
    buffer.swap(kept);
    return buffer;
}

// Replaces every `from` by `to` (left to right, as replaceAll does) into
// `buffer` when the line holds one; otherwise the line stays as it is.
std::string_view replacedInto(std::string& buffer, std::string_view line, std::string_view from,
                              std::string_view to) {
    std::size_t found = line.find(from);
    if (found == std::string_view::npos) return line;
    buffer.clear();
    std::size_t pos = 0;
    while (found != std::string_view::npos) {
        buffer.append(line.substr(pos, found - pos));
        buffer.append(to);
        pos = found + from.size();
        found = line.find(from, pos);
    }
    buffer.append(line.substr(pos));
    return buffer;
}

// Appends the marker of `lineNumber` and the blank-separated tokens of `line`
// (tabs already blanks) to the module text, each preceded by one blank unless
// the text is empty. With `markDefineEnd`, a line whose first token is
// "`define" gets the define end marker after it. Writes straight into the
// text's storage.
void appendLineMarkerAndTokens(Module& module, std::string_view line, int lineNumber,
                               bool markDefineEnd) {
    char digits[16];
    const auto converted = std::to_chars(std::begin(digits), std::end(digits), lineNumber);
    const std::string_view number(digits, static_cast<std::size_t>(converted.ptr - digits));
    std::string& text = module.text;
    const std::size_t oldSize = text.size();
    const std::size_t bound =
        oldSize + 3 + number.size() + line.size() + 1 + kDefineEndMarker.size() + 1;
    if (bound > text.capacity()) text.reserve(std::max(bound, 2 * text.capacity()));
    text.resize(bound);
    char* out = text.data() + oldSize;
    if (oldSize != 0) *out++ = ' ';
    *out++ = '%';
    *out++ = '%';
    out = std::copy(number.begin(), number.end(), out);
    int tokens = 1;
    // One pass over the characters without branches: every character is
    // written, and a blank that follows a blank takes its place back. The
    // text starts with a blank, so the first token is preceded by one too.
    *out++ = ' ';
    char* const firstToken = out;
    bool afterBlank = true;
    for (const char c : line) {
        const bool blank = c == ' ';
        *out = c;
        out += !(blank && afterBlank);
        tokens += blank && !afterBlank;
        afterBlank = blank;
    }
    // A last blank written has no token after it.
    if (afterBlank) {
        --out;
        --tokens;
    }
    ++tokens;
    const auto written = static_cast<std::size_t>(out - std::min(firstToken, out));
    const std::string_view first(firstToken, std::min(written, std::size_t{8}));
    if (markDefineEnd && (first == "`define" || first == "`define ")) {
        *out++ = ' ';
        out = std::copy(kDefineEndMarker.begin(), kDefineEndMarker.end(), out);
        ++tokens;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    module.tokenCount += tokens;
}

// Whether `view` points into the characters of `buffer`.
bool viewsInto(std::string_view view, const std::string& buffer) {
    const std::less_equal<const char*> atOrBefore;
    return atOrBefore(buffer.data(), view.data()) &&
           atOrBefore(view.data(), buffer.data() + buffer.size());
}

// The buffer a step may write into: the one its input line does not live in.
std::string& bufferBesides(std::string_view line, VerilogLineBuffers& buffers) {
    return viewsInto(line, buffers.first) ? buffers.second : buffers.first;
}

// Which of the characters that the cleaning steps look for a line holds: a
// step whose pattern needs an absent character cannot match and is skipped.
struct LineTriggers {
    bool tab = false;
    bool slash = false;
    bool open = false;
    bool close = false;
    bool quote = false;
};

// One pass over the line, or-ing a bit per character of interest from a
// table: cheaper than a search per character on lines of typical length.
LineTriggers triggersOf(std::string_view line) {
    enum : unsigned char { kTab = 1, kSlash = 2, kOpen = 4, kClose = 8, kQuote = 16 };
    static constexpr auto kBits = [] {
        std::array<unsigned char, 256> bits{};
        bits['\t'] = kTab;
        bits['/'] = kSlash;
        bits['('] = kOpen;
        bits[')'] = kClose;
        bits['"'] = kQuote;
        return bits;
    }();
    unsigned seen = 0;
    for (const char c : line) seen |= kBits[static_cast<unsigned char>(c)];
    LineTriggers found;
    found.tab = (seen & kTab) != 0;
    found.slash = (seen & kSlash) != 0;
    found.open = (seen & kOpen) != 0;
    found.close = (seen & kClose) != 0;
    found.quote = (seen & kQuote) != 0;
    return found;
}

// Cleans one Verilog line and appends its tokens (steps of comment removal,
// line marker, gluing of "if (", "case (" and ") begin"). The line is handled
// as views into the source and into `buffers`; only the stored end-of-line
// comment is a string of its own. The glue patterns never reach into the line
// marker in front of the line, so they are applied to the line alone. Steps
// only remove characters, so the triggers of the trimmed line stay valid.
void addVerilogLine(Module& module, std::string_view rawLine, int rawLength, int lineNumber,
                    BlockCommentState& state, VerilogLineBuffers& buffers) {
    module.charCount += rawLength;
    std::string_view line = trimmedView(withoutLineEnd(rawLine));
    if (line.empty() || line.starts_with("//")) return;
    const LineTriggers triggers = triggersOf(line);
    if (triggers.tab) {
        buffers.first.assign(line);
        replaceTabs(buffers.first);
        line = buffers.first;
    }
    // An open comment needs its closer looked for even on a line without it.
    if (state.commentOpen || triggers.slash) {
        const CommentScan scan =
            scanComments(line, triggers.quote, state.commentOpen, bufferBesides(line, buffers));
        if (scan.lineComment) {
            module.lineComments[lineNumber] = std::string(scan.commentText);
            if (scan.nothingBeforeLineComment) return;
        }
        line = scan.kept;
    }
    if (state.attributeOpen || triggers.open) {
        line = stripAttributesView(line, state.attributeOpen, bufferBesides(line, buffers));
    }
    if (triggers.close) {
        line = replacedInto(bufferBesides(line, buffers), line, ") begin", ")begin");
    }
    if (triggers.open) {
        line = replacedInto(bufferBesides(line, buffers), line, "if (", "if(");
        line = replacedInto(bufferBesides(line, buffers), line, "case (", "case(");
    }
    appendLineMarkerAndTokens(module, line, lineNumber, true);
}

// Overwrites every whole word "end" (any case) with the end marker: the word
// must start the line or follow a blank, and end the line or precede a blank
// or ";" (tabs are blanks by now). The marker is as long as the word, so the
// line keeps its length and the positions after a replaced word. One pass
// looks at each character once: only an "e" at the start of a word can begin
// the word.
static_assert(kVhdlEndMarker.size() == 3);
void markVhdlEndWords(std::string& line) {
    const std::size_t size = line.size();
    if (size < 3) return;
    char* const text = line.data();
    bool wordStart = true;
    for (std::size_t pos = 0; pos + 3 <= size; ++pos) {
        const char c = text[pos];
        if (wordStart && (c | 0x20) == 'e' && (text[pos + 1] | 0x20) == 'n' &&
            (text[pos + 2] | 0x20) == 'd') {
            const std::size_t after = pos + 3;
            if (after == size || text[after] == ' ' || text[after] == ';') {
                std::copy(kVhdlEndMarker.begin(), kVhdlEndMarker.end(), text + pos);
            }
        }
        wordStart = c == ' ';
    }
}

// Cleans one VHDL line (tabs made blanks, end words marked, blanks trimmed,
// the "--" comment cut and stored) and appends its marker and tokens. The
// line is edited in `buffer`, reused from line to line.
void addVhdlLine(Module& module, std::string_view rawLine, int lineNumber, std::string& buffer) {
    module.charCount += static_cast<int>(rawLine.size());
    buffer.assign(withoutLineEnd(rawLine));
    // Every step below treats a tab as a blank, so tabs become blanks first.
    if (buffer.find('\t') != std::string::npos) replaceTabs(buffer);
    markVhdlEndWords(buffer);
    std::string_view line = trimmedView(buffer);
    if (line.empty() || line.starts_with("--")) return;
    const std::size_t comment = line.find("--");
    if (comment != std::string_view::npos) {
        module.lineComments[lineNumber] = std::string(trimmedView(line.substr(comment + 2)));
        line = trimmedView(line.substr(0, comment));
        if (line.empty()) return;
    }
    appendLineMarkerAndTokens(module, line, lineNumber, false);
}

// Room in the module text for every line from `startLine` on, so that the
// text of a long chunk is stored once instead of being copied at every
// doubling. A line adds at most its own characters, a blank before its first
// token and its marker "%%<line>" with the blank in front.
void reserveForLines(Module& module, const SourceText& source, int startLine) {
    const std::size_t from = source.lineStarts[static_cast<std::size_t>(startLine - 1)];
    const auto lines = static_cast<std::size_t>(source.lineCount() - startLine + 1);
    const std::size_t digits = std::to_string(source.lineCount()).size();
    module.text.reserve(module.text.size() + (source.text.size() - from) + lines * (4 + digits));
}

void setLineCount(Module& module, int startLine, int lastLine) {
    module.lineCount = lastLine + 1 - startLine + 1;
}

// A chunk of nothing but comments still carries the markers of its lines;
// there is nothing in it to analyse.
bool holdsOnlyLineMarkers(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, 2, "%%") != 0) return false;
        const std::size_t blank = text.find(' ', pos);
        if (blank == std::string_view::npos) return true;
        pos = blank + 1;
    }
    return true;
}

// The prepared text lives only while its chunk is parsed. Its storage is
// handed on from chunk to chunk rather than kept by every analysed module;
// the storage of an unusually large chunk is released instead.
constexpr std::size_t kKeptTextCapacity = std::size_t{1} << 20;

std::string& spareTextStorage() {
    thread_local std::string storage;
    return storage;
}

void takeSpareTextStorage(Module& module) {
    std::string& spare = spareTextStorage();
    if (module.text.empty() && module.text.capacity() < spare.capacity()) module.text.swap(spare);
}

void clearWorkingState(Module& module) {
    module.text.clear();
    if (module.text.capacity() <= kKeptTextCapacity) {
        module.text.swap(spareTextStorage());
        module.text.clear();
        module.text.shrink_to_fit();
    } else {
        std::string().swap(module.text);
    }
    module.readPos = 0;
    module.tokenCount = 0;
    module.tokensRead = 0;
    module.lineComments.clear();
}

// A define's replacement text as the module parser records it from a
// "`define" line: cleaned like a line, its tokens joined by single blanks.
std::string cleanedDefineBody(std::string_view body) {
    std::string line(body);
    replaceTabs(line);
    bool attributeOpen = false;
    std::string buffer;
    std::string_view view = stripAttributesView(line, attributeOpen, buffer);
    std::string glued = replaceAll(view, ") begin", ")begin");
    glued = replaceAll(glued, "if (", "if(");
    glued = replaceAll(glued, "case (", "case(");
    std::string joined;
    for (std::size_t pos = 0; pos < glued.size();) {
        const std::size_t end = std::min(glued.find(' ', pos), glued.size());
        if (end > pos) {
            if (!joined.empty()) joined += ' ';
            joined.append(glued, pos, end - pos);
        }
        pos = end + 1;
    }
    return joined;
}

void logPreprocessorMessages(AnalysisContext& context, const std::string& filePath, int lastLine) {
    for (const PreprocessorMessage& message : context.sources.takeMessages(lastLine)) {
        context.log.logError(filePath, message.line, message.text);
    }
}

// The preprocessing of a Verilog file, where there was one, for the chunk's
// lines: their definitions go into the module's define table, as the parser
// records a "`define" line, and their messages to the log before the chunk
// is parsed.
void takePreprocessing(Module& module, const SourceText& source, int startLine, int nextLine,
                       AnalysisContext& context) {
    if (source.sourceLineLengths.empty() || nextLine == 0) return;
    const int firstLine = source.sourceLine(startLine);
    const int lastLine = source.sourceLine(nextLine - 1);
    const auto first = std::lower_bound(
        source.defines.begin(), source.defines.end(), firstLine,
        [](const PreprocessedDefine& define, int line) { return define.line < line; });
    for (auto define = first; define != source.defines.end() && define->line <= lastLine;
         ++define) {
        module.defines[define->name] = cleanedDefineBody(define->body);
    }
    logPreprocessorMessages(context, module.filePath, lastLine);
}

}  // namespace

Language languageOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view fileName = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return kVerilog;
    const std::string_view extension = fileName.substr(dot);
    if (extension == ".vhd" || extension == ".vhdl" || extension == ".VHD" || extension == ".VHDL") {
        return kVhdl;
    }
    return kVerilog;
}

int prepareVerilogChunk(Module& module, const SourceText& source, int startLine,
                        ProgressSink& progress) {
    const int lineTotal = source.lineCount();
    if (startLine < 1) startLine = 1;
    if (startLine > lineTotal) return 0;
    BlockCommentState state;
    // Kept from chunk to chunk; a buffer grown by a very long line is released.
    thread_local VerilogLineBuffers buffers;
    // Preprocessed text counts the characters of the lines as read from the file.
    const bool preprocessed = !source.sourceLineLengths.empty();
    int lineNumber = startLine;
    for (; lineNumber <= lineTotal; ++lineNumber) {
        sendReadProgress(lineNumber, lineTotal, progress);
        const std::string_view line = source.line(lineNumber);
        const int rawLength = preprocessed ? source.sourceLineLength(lineNumber)
                                           : static_cast<int>(line.size());
        addVerilogLine(module, line, rawLength, source.sourceLine(lineNumber), state, buffers);
        if (module.text.size() > 8 && module.text.ends_with("endmodule")) break;
    }
    constexpr std::size_t kKeptBufferCapacity = 4096;
    if (buffers.first.capacity() > kKeptBufferCapacity) std::string().swap(buffers.first);
    if (buffers.second.capacity() > kKeptBufferCapacity) std::string().swap(buffers.second);
    const int lastLine = lineNumber <= lineTotal ? lineNumber : lineTotal;
    setLineCount(module, source.sourceLine(startLine), source.sourceLine(lastLine));
    return lastLine + 1;
}

int prepareVhdlChunk(Module& module, const SourceText& source, int startLine,
                     ProgressSink& progress) {
    const int lineTotal = source.lineCount();
    if (startLine < 1) startLine = 1;
    if (startLine > lineTotal) return 0;
    // A later design unit of a file resumes in the text prepared for the first.
    if (resumeVhdlChunk(module, source, startLine)) return lineTotal + 1;
    reserveForLines(module, source, startLine);
    std::string buffer;
    for (int lineNumber = startLine; lineNumber <= lineTotal; ++lineNumber) {
        sendReadProgress(lineNumber, lineTotal, progress);
        addVhdlLine(module, source.line(lineNumber), lineNumber, buffer);
    }
    setLineCount(module, startLine, lineTotal);
    if (!module.text.empty()) module.text = markVhdlWordOperators(module.text);
    return lineTotal + 1;
}

int prepareAndParse(Module& module, const std::string& filePath, int startLine,
                    AnalysisContext& context) {
    module.filePath = filePath;
    module.charCount = 0;
    module.language = languageOfPath(filePath);
    const bool vhdl = module.language == kVhdl;
    const SourceText& source = context.sources.get(filePath, !vhdl);
    takeSpareTextStorage(module);
    const int nextLine = vhdl ? prepareVhdlChunk(module, source, startLine, context.progress)
                              : prepareVerilogChunk(module, source, startLine, context.progress);
    if (!vhdl) takePreprocessing(module, source, startLine, nextLine, context);
    if (nextLine == 0 || holdsOnlyLineMarkers(module.text)) {
        logPreprocessorMessages(context, filePath, std::numeric_limits<int>::max());
        clearWorkingState(module);
        context.progress.setProgress(ProgressSink::kChunkFinished);
        return 0;
    }
    const ChunkParser& parser = vhdl ? context.frontEnds.vhdl : context.frontEnds.verilog;
    context.restartLine = 0;
    const int failed = parser ? parser(module, filePath, context) : 1;
    clearWorkingState(module);
    context.progress.setProgress(ProgressSink::kChunkFinished);
    if (failed != 0) {
        logPreprocessorMessages(context, filePath, std::numeric_limits<int>::max());
        return 0;
    }
    // The parser names the restart by its line number in the file.
    const int restartLine =
        context.restartLine > 0
            ? source.textLineOf(context.restartLine, startLine + 1, nextLine - 1)
            : 0;
    const bool restarts = restartLine > startLine && restartLine < nextLine;
    return restarts ? restartLine : nextLine;
}

}  // namespace corvane
