// Replaces a file without ever leaving half of it: the bytes go to a
// temporary file in the target's folder, which is flushed to disk and then
// renamed over the target. Until the rename the previous file stays as it
// was, so a crash, a full disk or a failed write loses only the new bytes.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// One replacement of one file. Write the bytes in as many pieces as needed,
// then commit; an object destroyed before a successful commit removes its
// temporary file and leaves the target untouched.
class SafeFileWriter {
public:
    // Creates the temporary file beside `targetPath` (a link is followed, so
    // the file it points at is replaced). ok() tells whether that worked.
    explicit SafeFileWriter(std::string targetPath);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // False once anything has failed; every later call then does nothing.
    bool ok() const { return fd_ >= 0; }
    // Appends `bytes` to the temporary file; false (and the writer is
    // abandoned) when they cannot all be written.
    bool write(std::string_view bytes);
    // Flushes the temporary file and renames it over the target; true when
    // the target now holds exactly the bytes written.
    bool commit();
    // Drops the temporary file; the target keeps its previous content.
    void discard();

    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    std::string targetPath_;
    std::string temporaryPath_;
    int fd_ = -1;
};

// Replaces the file at `path` with `bytes` through a SafeFileWriter.
bool writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace corvane
