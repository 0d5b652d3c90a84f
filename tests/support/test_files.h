// Helpers for tests that need files on disk.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace corvane::testing {

// The whole file at `path` ("" when it cannot be read).
inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string fixturePath(std::string_view name) {
    return std::string(CORVANE_FIXTURES) + "/" + std::string(name);
}

// A scratch folder removed when the object goes away.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes `bytes` to `name` inside the folder and returns the full path.
    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string full = path_ + "/" + std::string(name);
        std::ofstream out(full, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return full;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace corvane::testing
