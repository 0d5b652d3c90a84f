// The file-system side of adding sources: which names are source files,
// listing a folder in the order the file system delivers its entries, and
// the bookkeeping that keeps a recursive walk finite.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane {

// Deepest folder level a walk descends to below the folder it was given.
inline constexpr int kMaxFolderDepth = 64;

// Whether a folder analysis takes the file `name`: at least two characters
// and an extension (from the last dot on) of exactly ".v", ".V", ".vhd",
// ".vhdl", ".VHD" or ".VHDL".
bool isSourceFileName(std::string_view name);

struct FolderEntry {
    std::string name;
    bool isFolder = false;  // a folder, or a link to one
};

// The entries of `folder` other than "." and "..", unsorted; nothing when the
// folder does not exist or cannot be listed.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

// `folder` + "/" + `name`, without doubling a trailing "/".
std::string joinPath(std::string_view folder, std::string_view name);

// The folder part of `path` with its trailing "/" ("" when there is none).
std::string folderOfPath(std::string_view path);

// The file name of `path` without its folder part.
std::string fileNameOfPath(std::string_view path);

// Whether `path` names an existing regular file (links followed).
bool isExistingFile(const std::string& path);

// Whether `path` can be opened for reading as a file.
bool isReadableFile(const std::string& path);

// The folders a walk has entered, by device and inode, so a link that leads
// back into the tree is not followed a second time.
class VisitedFolders {
public:
    // Records `folder`; false when it was already recorded. A folder that
    // cannot be identified counts as new.
    bool enter(const std::string& folder);

private:
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen_;
};

}  // namespace corvane
