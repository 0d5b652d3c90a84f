#include "console/folder_walk.h"

#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace corvane {

namespace {

constexpr std::array<std::string_view, 6> kSourceExtensions = {".v",    ".V",   ".vhd",
                                                               ".vhdl", ".VHD", ".VHDL"};

}  // namespace

bool isSourceFileName(std::string_view name) {
    if (name.size() < 2) return false;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return false;
    const std::string_view extension = name.substr(dot);
    for (std::string_view accepted : kSourceExtensions) {
        if (extension == accepted) return true;
    }
    return false;
}

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) break;
        std::error_code typeError;
        FolderEntry entry;
        entry.name = it->path().filename().string();
        entry.isFolder = it->is_directory(typeError);
        if (entry.name == "." || entry.name == "..") continue;
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.ends_with('/')) path.push_back('/');
    path.append(name);
    return path;
}

std::string folderOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    return std::string(path.substr(0, slash + 1));
}

std::string fileNameOfPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool isExistingFile(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isReadableFile(const std::string& path) {
    if (!isExistingFile(path)) return false;
    std::ifstream in(path, std::ios::binary);
    return in.is_open();
}

bool VisitedFolders::enter(const std::string& folder) {
    struct stat info {};
    // A folder that cannot be identified cannot be listed either, so it can lead nowhere.
    if (::stat(folder.c_str(), &info) != 0) return true;
    const auto key = std::make_pair(static_cast<std::uint64_t>(info.st_dev),
                                    static_cast<std::uint64_t>(info.st_ino));
    return seen_.insert(key).second;
}

}  // namespace corvane
