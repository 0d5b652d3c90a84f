#include "console/analysis_driver.h"

#include <iterator>
#include <utility>

#include "database/chunk_preparation.h"

namespace corvane {

AnalysisDriver::AnalysisDriver(ModuleList& modules, MessageLog& log, ProgressSink& progress,
                               FrontEnds frontEnds, AnalysisListener& listener)
    : modules_(modules),
      log_(log),
      progress_(progress),
      frontEnds_(std::move(frontEnds)),
      listener_(listener) {}

bool AnalysisDriver::analyseFile(const std::string& path) {
    // The file may have changed since it was last read.
    sources_.clear();
    AnalysisContext context{log_, progress_, sources_, frontEnds_};
    const Module fresh;
    int start = 1;
    int added = 0;
    bool lastIsModule = false;
    for (;;) {
        syncNameIndex();
        Module& record = modules_.append(fresh);
        progress_.showProgressFile(path);
        const int next = prepareAndParse(record, path, start, context);
        if (next == 0) break;
        listener_.moduleListChanged();
        removeOlderNamesake(path);
        listener_.moduleListChanged();
        ++added;
        // Chunks always move forward; stop rather than read the same lines again.
        if (next <= start) {
            lastIsModule = true;
            break;
        }
        start = next;
    }
    if (!lastIsModule) modules_.removeLast();
    indexedRevision_ = modules_.revision();  // the record just dropped was never counted
    sources_.clear();
    return added > 0;
}

void AnalysisDriver::syncNameIndex() {
    if (indexedRevision_ == modules_.revision()) return;
    nameCounts_.clear();
    for (const Module& module : modules_) ++nameCounts_[module.name];
    indexedRevision_ = modules_.revision();
}

// Removes the first module before the newest one that has the newest one's name.
void AnalysisDriver::removeOlderNamesake(const std::string& path) {
    const std::string& name = modules_.back().name;
    int& count = nameCounts_[name];
    const bool olderExists = count > 0;
    if (!olderExists) ++count;  // with a match, one module of the name leaves and one arrives
    indexedRevision_ = modules_.revision();
    if (!olderExists) return;
    const auto newest = std::prev(modules_.end());
    for (auto it = modules_.begin(); it != newest; ++it) {
        if (it->name != name) continue;
        log_.appendLog("#WARNING : ");
        log_.appendLog(path);
        log_.appendLog(" : ");
        log_.appendLog(" : ");
        log_.appendLog("Module \"" + name +
                       "\" is already analyzed. CORVANE deletes the older data and leaves the "
                       "newer data. \r\n");
        modules_.remove(it);
        indexedRevision_ = modules_.revision();
        return;
    }
}

bool AnalysisDriver::analyseFolder(const std::string& folder) {
    log_.appendLog("\r\n");
    listener_.setWaitCursor(true);
    if (!listFolder(folder)) {
        writeInvalidFolder(folder);
    } else {
        walkFolder(folder);
        listener_.folderAnalysed();
    }
    listener_.setWaitCursor(false);
    log_.appendLog("\r\n");
    return true;
}

void AnalysisDriver::walkFolder(const std::string& folder) {
    VisitedFolders visited;
    visited.enter(folder);
    walkFolder(folder, 0, visited);
}

void AnalysisDriver::walkFolder(const std::string& folder, int depth, VisitedFolders& visited) {
    log_.appendLog("\r\n");
    const auto entries = listFolder(folder);
    if (!entries) {
        writeInvalidFolder(folder);
        return;
    }
    for (const FolderEntry& entry : *entries) {
        const std::string path = joinPath(folder, entry.name);
        if (entry.isFolder) {
            // Bounded depth and one visit per folder keep linked folders from looping.
            if (depth < kMaxFolderDepth && visited.enter(path))
                walkFolder(path, depth + 1, visited);
            continue;
        }
        if (!isSourceFileName(entry.name)) continue;
        log_.appendLog("- analyze " + path + "\r\n");
        analyseFile(path);
    }
}

void AnalysisDriver::writeInvalidFolder(const std::string& folder) {
    ++invalidFolders_;
    log_.appendLog("Folder \"" + folder +
                   "\" is invalid name. CORVANE cannot open this folder.\r\n");
}

}  // namespace corvane
