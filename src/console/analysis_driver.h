// Turns requests to add a file or a folder into modules of the module list:
// one front-end call per module of a file, module names kept unique (a newer
// module replaces an older one of the same name, with a warning), folders
// walked depth first.
#pragma once

#include <cstdint>
#include <unordered_map>

#include <string>

#include "console/folder_walk.h"
#include "database/analysis_context.h"
#include "database/module_list.h"
#include "database/source_cache.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"

namespace corvane {

// What the driver reports to its owner while it works.
class AnalysisListener {
public:
    virtual ~AnalysisListener() = default;
    // A module was added or a namesake removed: the owner refreshes the
    // console title and the hierarchy tree and marks the project modified.
    virtual void moduleListChanged() {}
    // A folder has been walked: the owner runs the child port direction pass,
    // refreshes the title and tree and updates the open schematic and net windows.
    virtual void folderAnalysed() {}
    virtual void setWaitCursor(bool /*waiting*/) {}
};

class AnalysisDriver {
public:
    AnalysisDriver(ModuleList& modules, MessageLog& log, ProgressSink& progress,
                   FrontEnds frontEnds, AnalysisListener& listener);

    // Analyses every module of the file at `path`, appending each at the end
    // of the list. True when at least one module was added (the newest module
    // is then the last of the list).
    bool analyseFile(const std::string& path);

    // Analyses every source file under `folder`, then tells the listener.
    // Always true; a folder that cannot be listed gives the invalid-folder line.
    bool analyseFolder(const std::string& folder);

    // Walks `folder` depth first in the order the file system lists it,
    // writing "- analyze <path>" before each source file it analyses.
    void walkFolder(const std::string& folder);

    // How many folders could not be listed (each gave the invalid-folder line).
    int invalidFolders() const { return invalidFolders_; }

private:
    void walkFolder(const std::string& folder, int depth, VisitedFolders& visited);
    void removeOlderNamesake(const std::string& path);
    void syncNameIndex();
    void writeInvalidFolder(const std::string& folder);

    ModuleList& modules_;
    MessageLog& log_;
    ProgressSink& progress_;
    SourceFileCache sources_;
    FrontEnds frontEnds_;
    AnalysisListener& listener_;
    // How many modules of the list carry each name, so the duplicate check of
    // a new module needs no scan of the whole list unless there is a match.
    // Rebuilt whenever the list changed through anything but this driver.
    std::unordered_map<std::string, int> nameCounts_;
    std::uint64_t indexedRevision_ = ~std::uint64_t{0};
    int invalidFolders_ = 0;
};

}  // namespace corvane
