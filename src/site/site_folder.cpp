#include "site/site_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "site/site_names.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// The folder that holds `target`, and the target's own name.
void splitTarget(const std::string& target, std::string& parent, std::string& name) {
    std::string trimmed = target;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    parent = slash == std::string::npos ? "." : (slash == 0 ? "/" : trimmed.substr(0, slash));
    name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// A folder name beside `name` that does not exist yet, made by mkdtemp.
std::string makeTemporaryFolder(const std::string& parent, const std::string& name,
                                const char* kind) {
    std::string pattern = parent + "/." + name.substr(0, 64) + kind + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

mode_t folderMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0777 & ~mask;
}

bool isEarlierSite(const std::string& folder) {
    std::error_code error;
    if (fs::is_empty(folder, error) && !error) return true;
    return fs::is_regular_file(fs::path(folder) / kStyleSheetName, error);
}

}  // namespace

SiteFolder::SiteFolder(std::string target) : target_(std::move(target)) {
    std::string parent, name;
    splitTarget(target_, parent, name);
    if (name.empty() || name == "." || name == ".." || name == "/") {
        fail("\"" + target_ + "\" does not name a folder the site can take");
        return;
    }
    temporary_ = makeTemporaryFolder(parent, name, ".site-");
    if (temporary_.empty()) {
        fail("cannot create a folder in \"" + parent + "\": " + std::strerror(errno));
        return;
    }
    // mkdtemp makes the folder private; a site is for readers, so it gets
    // the permissions of any new folder.
    ::chmod(temporary_.c_str(), folderMode());
}

SiteFolder::~SiteFolder() {
    if (committed_ || temporary_.empty()) return;
    std::error_code error;
    fs::remove_all(temporary_, error);
}

void SiteFolder::fail(const std::string& what) {
    if (error_.empty()) error_ = what;
}

bool SiteFolder::makeFolder(std::string_view relative) {
    if (!ok()) return false;
    const std::string path = temporary_ + "/" + std::string(relative);
    if (::mkdir(path.c_str(), 0777) != 0) {
        fail("cannot create the folder \"" + path + "\": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool SiteFolder::writeFile(std::string_view relative, std::string_view bytes) {
    if (!ok()) return false;
    const std::string path = temporary_ + "/" + std::string(relative);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        fail("cannot write \"" + path + "\": " + std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        fail("cannot write \"" + path + "\": " + std::strerror(written ? errno : savedErrno));
        return false;
    }
    return true;
}

bool SiteFolder::commit() {
    if (!ok()) return false;
    struct stat info {};
    if (::lstat(target_.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            fail("cannot reach \"" + target_ + "\": " + std::strerror(errno));
            return false;
        }
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
            fail("cannot rename the finished site to \"" + target_ + "\": " + std::strerror(errno));
            return false;
        }
        committed_ = true;
        return true;
    }
    if (!S_ISDIR(info.st_mode) || !isEarlierSite(target_)) {
        fail("\"" + target_ + "\" exists and is neither an empty folder nor an earlier site");
        return false;
    }
    // The earlier site moves aside first, so the target always holds a
    // whole site; it is removed once the new one is in place.
    std::string parent, name;
    splitTarget(target_, parent, name);
    const std::string aside = makeTemporaryFolder(parent, name, ".old-");
    if (aside.empty() || std::rename(target_.c_str(), aside.c_str()) != 0) {
        fail("cannot move the earlier site \"" + target_ + "\" aside: " + std::strerror(errno));
        if (!aside.empty()) ::rmdir(aside.c_str());
        return false;
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail("cannot rename the finished site to \"" + target_ + "\": " + std::strerror(errno));
        std::rename(aside.c_str(), target_.c_str());
        return false;
    }
    committed_ = true;
    std::error_code error;
    fs::remove_all(aside, error);
    return true;
}

}  // namespace corvane
