#include "diagnostics/message_log.h"

#include <string>

namespace corvane {

namespace {

std::string prefixLine(std::string_view kind, std::string_view file, int line) {
    std::string prefix(kind);
    prefix.append(file);
    prefix.append(" : ");
    if (line >= 0) prefix.append(std::to_string(line));
    prefix.append(" : ");
    return prefix;
}

}  // namespace

MessageLog::MessageLog(std::size_t capacity) : capacity_(capacity) {}

void MessageLog::appendLog(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    if (text.empty()) return;

    const std::size_t before = size();
    buffer_.append(text);
    std::size_t removed = 0;
    if (before + text.size() > capacity_) {
        const std::size_t sizeBeforeTrim = size();
        trimFront(before + text.size() - capacity_);
        removed = sizeBeforeTrim - size();
    }
    for (const auto& entry : listeners_) entry.second(text, removed);
}

// Drops the lines before the first line start at or after character `excess`
// of the text, so at least `excess` characters and only whole lines go. When
// no line starts after it (the last line reaches back past the cut), exactly
// `excess` characters go, so the log never exceeds its capacity.
void MessageLog::trimFront(std::size_t excess) {
    const std::size_t length = size();
    std::size_t cut = excess;
    if (cut > 0 && cut < length && buffer_[head_ + cut - 1] != '\n') {
        const std::size_t newline = buffer_.find('\n', head_ + cut);
        const bool lineStartsBeforeEnd = newline != std::string::npos && newline + 1 - head_ < length;
        cut = lineStartsBeforeEnd ? newline + 1 - head_ : excess;
    }
    head_ += cut;
    // Compact once the dropped part outweighs the kept part: amortised O(1) per character.
    if (head_ > capacity_ && head_ > buffer_.size() - head_) {
        buffer_.erase(0, head_);
        head_ = 0;
    }
}

void MessageLog::logErrorPrefix(std::string_view file, int line) {
    appendLog(prefixLine("#ERROR : ", file, line));
}

void MessageLog::logNotePrefix(std::string_view file, int line) {
    appendLog(prefixLine("#NOTE : ", file, line));
}

void MessageLog::logError(std::string_view file, int line, std::string_view message) {
    logErrorPrefix(file, line);
    appendLog(message);
}

std::string_view MessageLog::text() const {
    return std::string_view(buffer_).substr(head_);
}

void MessageLog::clear() {
    buffer_.clear();
    head_ = 0;
}

int MessageLog::addListener(Listener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void MessageLog::removeListener(int id) { listeners_.erase(id); }

}  // namespace corvane
