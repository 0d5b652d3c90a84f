// The folder a site is written into: a fresh temporary folder beside the
// target, renamed over the target only when every file is written, so a
// reader never sees half a site.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class SiteFolder {
public:
    // Creates the temporary folder beside `target`; ok() tells whether that
    // worked, error() why not.
    explicit SiteFolder(std::string target);
    // Removes the temporary folder unless commit() succeeded.
    ~SiteFolder();
    SiteFolder(const SiteFolder&) = delete;
    SiteFolder& operator=(const SiteFolder&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    // Creates a subfolder of the temporary folder.
    bool makeFolder(std::string_view relative);
    // Writes `bytes` to the file at `relative` inside the temporary folder.
    bool writeFile(std::string_view relative, std::string_view bytes);

    // Puts the finished site in place of the target. An existing target is
    // replaced only when it is an empty folder or an earlier site (it holds
    // the site's style sheet); anything else is left alone and reported.
    bool commit();

    const std::string& temporaryPath() const { return temporary_; }

private:
    void fail(const std::string& what);

    std::string target_;
    std::string temporary_;
    std::string error_;
    bool committed_ = false;
};

}  // namespace corvane
