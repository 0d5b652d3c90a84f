#include "database/source_cache.h"

#include <algorithm>

#include "database/source_file_reader.h"

namespace corvane {

namespace {

std::vector<int> lineLengths(const std::string& text, const std::vector<std::size_t>& starts) {
    std::vector<int> lengths(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : text.size();
        lengths[i] = static_cast<int>(end - starts[i]);
    }
    return lengths;
}

// Replaces the text by its preprocessed form, which has as many lines.
void preprocess(SourceText& source) {
    PreprocessedVerilog result = preprocessVerilog(source.text, source.path);
    source.sourceLineLengths = lineLengths(source.text, source.lineStarts);
    source.text = std::move(result.text);
    source.lineStarts = lineStartOffsets(source.text);
    source.lineNumbers = std::move(result.lineNumbers);
    source.defines = std::move(result.defines);
    source.messages = std::move(result.messages);
}

}  // namespace

std::string_view SourceText::line(int number) const {
    if (number < 1 || number > lineCount()) return {};
    const std::size_t begin = lineStarts[static_cast<std::size_t>(number - 1)];
    const std::size_t end =
        number < lineCount() ? lineStarts[static_cast<std::size_t>(number)] : text.size();
    return std::string_view(text).substr(begin, end - begin);
}

int SourceText::sourceLineLength(int number) const {
    if (sourceLineLengths.empty()) return static_cast<int>(line(number).size());
    const int source = sourceLine(number);
    if (number > 1 && sourceLine(number - 1) == source) return 0;
    if (source < 1 || source > static_cast<int>(sourceLineLengths.size())) return 0;
    return sourceLineLengths[static_cast<std::size_t>(source - 1)];
}

int SourceText::textLineOf(int source, int from, int to) const {
    if (lineNumbers.empty()) return source >= from && source <= to ? source : 0;
    for (int number = std::max(from, 1); number <= to && number <= lineCount(); ++number) {
        if (sourceLine(number) == source) return number;
    }
    return 0;
}

const SourceText& SourceFileCache::get(const std::string& path, bool preprocessVerilog) {
    if (!valid_ || current_.path != path || preprocessed_ != preprocessVerilog) {
        current_ = SourceText{};
        current_.path = path;
        current_.text = readSourceFile(path);
        current_.lineStarts = lineStartOffsets(current_.text);
        if (preprocessVerilog && holdsBackQuote(current_.text)) preprocess(current_);
        valid_ = true;
        preprocessed_ = preprocessVerilog;
        messagesTaken_ = 0;
    }
    return current_;
}

std::vector<PreprocessorMessage> SourceFileCache::takeMessages(int lastLine) {
    std::vector<PreprocessorMessage> taken;
    const std::vector<PreprocessorMessage>& messages = current_.messages;
    while (messagesTaken_ < messages.size() && messages[messagesTaken_].line <= lastLine) {
        taken.push_back(messages[messagesTaken_++]);
    }
    return taken;
}

void SourceFileCache::clear() {
    current_ = SourceText{};
    valid_ = false;
    messagesTaken_ = 0;
}

}  // namespace corvane
