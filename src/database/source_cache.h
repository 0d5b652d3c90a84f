// Keeps the file being analysed in memory while its chunks are prepared one
// after the other, so a file of many modules is read and split once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "database/verilog_preprocessor.h"

namespace corvane {

struct SourceText {
    std::string path;
    std::string text;                     // the converted file text
    std::vector<std::size_t> lineStarts;  // offset of every line
    // Set only when `text` is the result of the Verilog preprocessing: the
    // length of every line as read from the file, the file's line number of
    // every line of `text` (empty when they are the same), the definitions
    // met and the messages of the preprocessing.
    std::vector<int> sourceLineLengths;
    std::vector<int> lineNumbers;
    std::vector<PreprocessedDefine> defines;
    std::vector<PreprocessorMessage> messages;

    int lineCount() const { return static_cast<int>(lineStarts.size()); }
    // Line `number` (1-based) as read, line feed included.
    std::string_view line(int number) const;
    // The file's line number of line `number` of the text.
    int sourceLine(int number) const {
        if (lineNumbers.empty() || number < 1 || number > static_cast<int>(lineNumbers.size())) {
            return number;
        }
        return lineNumbers[static_cast<std::size_t>(number - 1)];
    }
    // Length of the file's line behind line `number` of the text as read,
    // line feed included; counted on the first text line of a file line only.
    int sourceLineLength(int number) const;
    // The first line of the text from `from` to `to` that stands for the
    // file's line `source`, or 0.
    int textLineOf(int source, int from, int to) const;
};

class SourceFileCache {
public:
    // The text of `path`, read on the first request after a clear or for
    // another path. With `preprocessVerilog`, a text that holds a back-quote
    // is run through the Verilog preprocessing once.
    const SourceText& get(const std::string& path, bool preprocessVerilog = false);
    // The preprocessing messages of the cached file on lines up to `lastLine`
    // that were not taken before, in line order.
    std::vector<PreprocessorMessage> takeMessages(int lastLine);
    // Forgets the cached file, so the next request reads it again.
    void clear();

private:
    SourceText current_;
    bool valid_ = false;
    bool preprocessed_ = false;
    std::size_t messagesTaken_ = 0;
};

}  // namespace corvane
