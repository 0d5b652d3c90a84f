#include "database/source_cache.h"

#include "database/source_file_reader.h"

namespace corvane {

std::string_view SourceText::line(int number) const {
    if (number < 1 || number > lineCount()) return {};
    const std::size_t begin = lineStarts[static_cast<std::size_t>(number - 1)];
    const std::size_t end = number < lineCount() ? lineStarts[static_cast<std::size_t>(number)]
                                                 : text.size();
    return std::string_view(text).substr(begin, end - begin);
}

const SourceText& SourceFileCache::get(const std::string& path) {
    if (!valid_ || current_.path != path) {
        current_.path = path;
        current_.text = readSourceFile(path);
        current_.lineStarts = lineStartOffsets(current_.text);
        valid_ = true;
    }
    return current_;
}

void SourceFileCache::clear() {
    current_ = SourceText{};
    valid_ = false;
}

}  // namespace corvane
