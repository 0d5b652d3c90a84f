#include "console/command_history.h"

namespace corvane {

void CommandHistory::push(const std::string& text) {
    entries_.push_back(text);
    if (entries_.size() > kCapacity) entries_.erase(entries_.begin());
    cursor_ = static_cast<int>(entries_.size()) - 1;
}

std::optional<std::string> CommandHistory::up() {
    if (cursor_ < 0) return std::nullopt;
    std::string shown = entries_[static_cast<std::size_t>(cursor_)];
    if (cursor_ > 0) --cursor_;
    return shown;
}

std::optional<std::string> CommandHistory::down() {
    if (cursor_ < 0) return std::nullopt;
    std::string shown = entries_[static_cast<std::size_t>(cursor_)];
    if (cursor_ + 1 < static_cast<int>(entries_.size())) ++cursor_;
    return shown;
}

void CommandHistory::clear() {
    entries_.clear();
    cursor_ = -1;
}

}  // namespace corvane
