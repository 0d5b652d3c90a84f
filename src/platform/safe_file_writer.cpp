#include "platform/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <string>

namespace corvane {

namespace {

constexpr int kNameAttempts = 100;

// The file a write to `path` really replaces: the target of a link, when it resolves.
std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string folderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string namePart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a fresh hidden file beside `target`; -1 when none can be created.
int createTemporary(const std::string& target, std::string& temporaryPath) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        folderPart(target) + "." + namePart(target) + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporaryPath = stem + std::to_string(counter++);
        // 0666 lets the umask decide, as for any newly created file.
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    temporaryPath.clear();
    return -1;
}

// Flushes the folder entry of a rename to disk; a failure here loses no data.
void syncFolder(const std::string& target) {
    const std::string folder = folderPart(target);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

SafeFileWriter::SafeFileWriter(std::string targetPath) {
    if (targetPath.empty() || targetPath.back() == '/') return;
    targetPath_ = resolvedTarget(targetPath);
    fd_ = createTemporary(targetPath_, temporaryPath_);
    if (fd_ < 0) return;
    // A replaced file keeps its permissions.
    struct stat info {};
    if (::stat(targetPath_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::fchmod(fd_, info.st_mode & 07777);
    }
}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

bool SafeFileWriter::write(std::string_view bytes) {
    while (ok() && !bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            discard();
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return ok();
}

bool SafeFileWriter::commit() {
    if (!ok()) return false;
    const bool flushed = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!flushed || !closed || ::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
        return false;
    }
    temporaryPath_.clear();
    syncFolder(targetPath_);
    return true;
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

bool writeFileSafely(const std::string& path, std::string_view bytes) {
    SafeFileWriter writer(path);
    return writer.write(bytes) && writer.commit();
}

}  // namespace corvane
