// Keeps the file being analysed in memory while its chunks are prepared one
// after the other, so a file of many modules is read and split once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct SourceText {
    std::string path;
    std::string text;                     // the converted file text
    std::vector<std::size_t> lineStarts;  // offset of every line

    int lineCount() const { return static_cast<int>(lineStarts.size()); }
    // Line `number` (1-based) as read, line feed included.
    std::string_view line(int number) const;
};

class SourceFileCache {
public:
    // The text of `path`, read on the first request after a clear or for another path.
    const SourceText& get(const std::string& path);
    // Forgets the cached file, so the next request reads it again.
    void clear();

private:
    SourceText current_;
    bool valid_ = false;
};

}  // namespace corvane
