#include "database/chunk_preparation.h"

#include "database/text_helpers.h"
#include "database/vhdl_operator_table.h"
#include "platform/progress_sink.h"

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

std::string replaceIfPresent(std::string line, std::string_view from, std::string_view to) {
    if (line.find(from) == std::string::npos) return line;
    return replaceAll(line, from, to);
}

// Handles one kind of bracketed comment ("/*" "*/" or "(*" "*)") on a line:
// only the first opening on the line is treated.
std::string stripBracketComment(std::string line, std::string_view opener, std::string_view closer,
                                bool& open) {
    if (open) {
        const std::size_t close = line.find(closer);
        if (close == std::string::npos) return {};
        open = false;
        return line.substr(close + closer.size());
    }
    const std::size_t start = line.find(opener);
    if (start == std::string::npos) return line;
    // "(*)" is the implicit event list of "@(*)", never an attribute.
    if (opener == "(*" && line.compare(start, 3, "(*)") == 0) return line;
    const std::size_t close = line.find(closer, start + opener.size());
    if (close == std::string::npos) {
        open = true;
        return line.substr(0, start);
    }
    return line.erase(start, close + closer.size() - start);
}

// Appends the blank-separated tokens of `line` to the module text; returns
// how many were appended and the first two tokens through `first`/`second`.
void appendLineTokens(Module& module, std::string_view line, bool markDefineEnd) {
    int index = 0;
    bool isDefine = false;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && line[pos] == ' ') ++pos;
        if (pos >= line.size()) break;
        std::size_t end = line.find(' ', pos);
        if (end == std::string_view::npos) end = line.size();
        const std::string_view token = line.substr(pos, end - pos);
        if (index == 1 && token == "`define") isDefine = true;
        if (!module.text.empty()) module.text.push_back(' ');
        module.text.append(token);
        ++module.tokenCount;
        ++index;
        pos = end;
    }
    if (markDefineEnd && isDefine) {
        module.text.push_back(' ');
        module.text.append(kDefineEndMarker);
        ++module.tokenCount;
    }
}

// Cuts an end-of-line comment introduced by `introducer`, storing its text in
// the module's line comments; returns the trimmed rest of the line.
std::string cutLineComment(Module& module, std::string line, std::string_view introducer,
                           int lineNumber) {
    const std::size_t found = line.find(introducer);
    if (found == std::string::npos) return line;
    module.lineComments[lineNumber] = trimBlanks(std::string_view(line).substr(found + introducer.size()));
    return trimBlanks(std::string_view(line).substr(0, found));
}

void replaceTabs(std::string& line) {
    for (char& c : line) {
        if (c == '\t') c = ' ';
    }
}

std::string lineMarker(int lineNumber) { return "%%" + std::to_string(lineNumber); }

// Cleans one Verilog line and appends its tokens (steps of comment removal,
// line marker, gluing of "if (", "case (" and ") begin").
void addVerilogLine(Module& module, std::string_view rawLine, int lineNumber,
                    BlockCommentState& state) {
    module.charCount += static_cast<int>(rawLine.size());
    std::string line = trimBlanks(withoutLineEnd(rawLine));
    if (line.empty() || line.starts_with("//")) return;
    replaceTabs(line);
    if (line.find("//") != std::string::npos) {
        line = cutLineComment(module, std::move(line), "//", lineNumber);
        if (line.empty()) return;
    }
    line = stripBracketComment(std::move(line), "/*", "*/", state.commentOpen);
    line = stripBracketComment(std::move(line), "(*", "*)", state.attributeOpen);
    line = lineMarker(lineNumber) + " " + line;
    line = replaceIfPresent(std::move(line), ") begin", ")begin");
    line = replaceIfPresent(std::move(line), "if (", "if(");
    line = replaceIfPresent(std::move(line), "case (", "case(");
    appendLineTokens(module, line, true);
}

// Overwrites every whole word "end" (any case) with the end marker: the word
// must start the line or follow a blank or tab, and end the line or precede a
// blank, tab or ";".
void markVhdlEndWords(std::string& line) {
    for (std::size_t pos = 0; pos + 3 <= line.size(); ++pos) {
        if ((line[pos] | 0x20) != 'e' || (line[pos + 1] | 0x20) != 'n' || (line[pos + 2] | 0x20) != 'd') {
            continue;
        }
        const bool leadOk = pos == 0 || line[pos - 1] == ' ' || line[pos - 1] == '\t';
        const std::size_t after = pos + 3;
        const bool trailOk = after == line.size() || line[after] == ' ' || line[after] == '\t' ||
                             line[after] == ';';
        if (leadOk && trailOk) line.replace(pos, 3, kVhdlEndMarker);
    }
}

void addVhdlLine(Module& module, std::string_view rawLine, int lineNumber) {
    module.charCount += static_cast<int>(rawLine.size());
    std::string line(withoutLineEnd(rawLine));
    markVhdlEndWords(line);
    line = trimBlanks(line);
    if (line.empty() || line.starts_with("--")) return;
    replaceTabs(line);
    if (line.find("--") != std::string::npos) {
        line = cutLineComment(module, std::move(line), "--", lineNumber);
        if (line.empty()) return;
    }
    appendLineTokens(module, lineMarker(lineNumber) + " " + line, false);
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

void clearWorkingState(Module& module) {
    module.text.clear();
    module.readPos = 0;
    module.tokenCount = 0;
    module.tokensRead = 0;
    module.lineComments.clear();
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
    int lineNumber = startLine;
    for (; lineNumber <= lineTotal; ++lineNumber) {
        sendReadProgress(lineNumber, lineTotal, progress);
        addVerilogLine(module, source.line(lineNumber), lineNumber, state);
        if (module.text.size() > 8 && module.text.ends_with("endmodule")) break;
    }
    const int lastLine = lineNumber <= lineTotal ? lineNumber : lineTotal;
    setLineCount(module, startLine, lastLine);
    return lastLine + 1;
}

int prepareVhdlChunk(Module& module, const SourceText& source, int startLine,
                     ProgressSink& progress) {
    const int lineTotal = source.lineCount();
    if (startLine < 1) startLine = 1;
    if (startLine > lineTotal) return 0;
    for (int lineNumber = startLine; lineNumber <= lineTotal; ++lineNumber) {
        sendReadProgress(lineNumber, lineTotal, progress);
        addVhdlLine(module, source.line(lineNumber), lineNumber);
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
    const SourceText& source = context.sources.get(filePath);
    const bool vhdl = module.language == kVhdl;
    const int nextLine = vhdl ? prepareVhdlChunk(module, source, startLine, context.progress)
                              : prepareVerilogChunk(module, source, startLine, context.progress);
    if (nextLine == 0 || holdsOnlyLineMarkers(module.text)) {
        clearWorkingState(module);
        context.progress.setProgress(ProgressSink::kChunkFinished);
        return 0;
    }
    const ChunkParser& parser = vhdl ? context.frontEnds.vhdl : context.frontEnds.verilog;
    context.restartLine = 0;
    const int failed = parser ? parser(module, filePath, context) : 1;
    clearWorkingState(module);
    context.progress.setProgress(ProgressSink::kChunkFinished);
    if (failed != 0) return 0;
    const bool restarts = context.restartLine > startLine && context.restartLine < nextLine;
    return restarts ? context.restartLine : nextLine;
}

}  // namespace corvane
