// The console's command history: the last 63 command lines and a cursor that
// the Up and Down keys move through them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class CommandHistory {
public:
    static constexpr std::size_t kCapacity = 63;

    // Appends `text` (empty lines too), dropping the oldest entry beyond the
    // capacity; the cursor goes to the newest entry.
    void push(const std::string& text);

    // The entry under the cursor, after which the cursor moves one entry
    // back (stopping at the oldest); nothing while the history is empty.
    std::optional<std::string> up();
    // The entry under the cursor, after which the cursor moves one entry
    // forward (stopping at the newest); nothing while the history is empty.
    std::optional<std::string> down();

    const std::vector<std::string>& entries() const { return entries_; }
    // Index of the entry under the cursor; -1 until the first push.
    int cursor() const { return cursor_; }
    void clear();

private:
    std::vector<std::string> entries_;
    int cursor_ = -1;
};

}  // namespace corvane
