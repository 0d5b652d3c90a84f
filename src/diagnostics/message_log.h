// The message log: one append-only text that every part of the system writes
// its diagnostics and reports into.
//
// Text is kept with "\r\n" line ends exactly as written. The log holds at most
// `kCapacity` characters; an append that would pass it first drops whole lines
// from the front. Listeners see every append in full, so a listener that keeps
// its own copy (a console view, the batch program's output) loses nothing.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace corvane {

class MessageLog {
public:
    static constexpr std::size_t kCapacity = 131072;

    // Called after every non-empty append with the appended text and the
    // number of characters dropped from the front of (previous text + text).
    // A mirror stays equal to text() by appending `text`, then dropping
    // `removedFront` characters from its front.
    using Listener = std::function<void(std::string_view text, std::size_t removedFront)>;

    explicit MessageLog(std::size_t capacity = kCapacity);

    // Appends `text` as given, up to its first NUL; empty text does nothing.
    void appendLog(std::string_view text);

    // "#ERROR : " file " : " line " : "; a negative line leaves the number out.
    void logErrorPrefix(std::string_view file, int line);
    // "#NOTE : " file " : " line " : ".
    void logNotePrefix(std::string_view file, int line);

    // Error prefix followed by `message` (which carries its own "\r\n").
    void logError(std::string_view file, int line, std::string_view message);
    // Error that belongs to no file and no line.
    void logPlainError(std::string_view message) { logError("", -1, message); }

    std::string_view text() const;
    std::size_t size() const { return buffer_.size() - head_; }
    std::size_t capacity() const { return capacity_; }
    void clear();

    int addListener(Listener listener);
    void removeListener(int id);

private:
    void trimFront(std::size_t excess);

    std::size_t capacity_;
    std::string buffer_;    // the log text is buffer_[head_, end)
    std::size_t head_ = 0;  // characters already dropped but not yet compacted away
    std::map<int, Listener> listeners_;
    int nextListenerId_ = 1;
};

}  // namespace corvane
