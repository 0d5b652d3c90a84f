// The controller behind the console: it owns the module list, the message
// log, the project state and settings, the values of the settings file, the
// current target module, the command history and the transcript, and
// reaches windows and dialogs only through a UiHost.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/analysis_driver.h"
#include "console/command_history.h"
#include "database/analysis_context.h"
#include "database/module_list.h"
#include "diagnostics/message_log.h"
#include "platform/progress_sink.h"
#include "platform/ui_host.h"
#include "project/project_file.h"
#include "project/settings_file.h"

namespace corvane {

// The front ends, the database pass and the reports the controller runs.
// An empty function is skipped (an empty front end fails the parse).
struct DesignServices {
    FrontEnds frontEnds;
    std::function<void(ModuleList&)> resolveChildPorts;
    std::function<void(const ModuleList&, const Module&, MessageLog&)> writeSummary;
    std::function<void(ModuleList&, const std::string& rootPath, MessageLog&)> writeModuleList;
    std::function<void(const ModuleList&, std::string& rootPath, MessageLog&)> writeHierarchy;
    std::function<void(const ModuleList&, const std::string& module, MessageLog&)> writeConnection;
    std::function<void(const ModuleList&, const std::string& module, const std::string& net,
                       MessageLog&)>
        writeNet;
};

// The real front ends, child port direction pass and text reports.
DesignServices standardDesignServices();

// A project name has at least one character, each of A-Z, a-z, 0-9, blank, "-" or "_".
bool isValidProjectName(std::string_view name);

class CMorvelDlg : private AnalysisListener {
public:
    // The transcript keeps at most this many characters, dropping whole lines from the front.
    static constexpr std::size_t kTranscriptCapacity = 131072;

    CMorvelDlg(UiHost& ui, ProgressSink& progress,
               DesignServices services = standardDesignServices());

    ModuleList& modules() { return modules_; }
    const ModuleList& modules() const { return modules_; }
    MessageLog& log() { return log_; }
    UiHost& ui() { return ui_; }
    // Where long operations of the menus report their progress.
    ProgressSink& progress() { return progress_; }
    // The root path of the reports, recomputed with the hierarchy tree.
    // The root path of the reports, as of the last hierarchy refresh. It is
    // worked out when first asked for after a refresh, so the many refreshes
    // of a large analysis cost nothing each.
    std::string& rootPath();

    const std::string& targetModule() const { return targetModule_; }
    void setTargetModule(const std::string& name) { targetModule_ = name; }
    const std::string& projectName() const { return projectName_; }
    // Sets the project name and refreshes the console title.
    void setProjectName(const std::string& name);
    const std::string& projectFilePath() const { return projectFilePath_; }
    void setProjectFilePath(const std::string& path) { projectFilePath_ = path; }
    bool projectModified() const { return projectModified_; }
    void setProjectModified(bool modified) { projectModified_ = modified; }
    // The default comment style, printer and margins: kept for the whole
    // program run (closing or creating a project keeps them).
    ProjectSettings& projectSettings() { return projectSettings_; }
    const ProjectSettings& projectSettings() const { return projectSettings_; }
    // The settings file's values: console placement, keywords, search words.
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }

    // Console: Enter in the command edit echoes the line into the transcript,
    // executes it, records it in the history and appends a fresh prompt.
    void enterCommandLine(const std::string& text);
    void executeCommandLine(const std::string& line);
    void pushHistory(const std::string& text);
    // Appends the prompt (current target module + ">") to the transcript.
    void updatePrompt();
    // Up and Down released in the command edit: recall a history entry.
    void historyUp();
    void historyDown();
    const CommandHistory& history() const { return history_; }
    const std::string& transcript() const { return transcript_; }

    // Add > File..., Add > Folder... and files dropped on the console.
    void addFiles();
    void addFolder();
    void dropFiles(const std::vector<std::string>& items);
    // The New Project dialog until a valid name is given (true) or it is cancelled.
    bool askForProjectName();

    // Operations shared by the commands and the menus.
    bool analyseFile(const std::string& path) { return driver_.analyseFile(path); }
    bool analyseFolder(const std::string& folder) { return driver_.analyseFolder(folder); }
    // Files and folders named to the analysis that could not be analysed or
    // opened since the program started: a batch run ends with a failure then.
    void noteUnanalysablePath() { ++unanalysablePaths_; }
    int unanalysablePaths() const { return unanalysablePaths_ + driver_.invalidFolders(); }
    // Opens (or raises) the source viewer of `path` at `line` (at least 1);
    // a file that cannot be read gives a message box instead.
    void openSourceViewer(const std::string& path, int line);
    void runChildPortPass();
    std::string consoleTitle() const;
    void refreshTitle();
    void refreshHierarchyTree();
    // Regenerates the open schematic windows and rebuilds the open net windows.
    void refreshDocumentWindows();
    // Removes every module, closes the source, schematic and net windows,
    // empties the target, refreshes the title and tree and clears the modified flag.
    void clearAllModules();
    // Removes the module named exactly `name`, closing its first source viewer
    // and its schematic window; false when there is none.
    bool removeModule(const std::string& name);
    // The first module whose name equals `name` byte for byte, or nullptr.
    const Module* findModuleExact(const std::string& name) const;

    void writeSummary(const Module& module);
    void writeModuleList();
    void writeHierarchy();
    void writeConnection(const std::string& moduleName);
    void writeNet(const std::string& moduleName, const std::string& netName);

private:
    void moduleListChanged() override;
    void folderAnalysed() override;
    void setWaitCursor(bool waiting) override { ui_.setWaitCursor(waiting); }
    void appendTranscript(std::string_view text);
    bool requireProject();
    void showHistoryEntry(const std::optional<std::string>& entry);

    UiHost& ui_;
    ProgressSink& progress_;
    DesignServices services_;
    MessageLog log_;
    ModuleList modules_;
    AnalysisDriver driver_;
    std::string projectName_;
    std::string projectFilePath_;
    bool projectModified_ = false;
    ProjectSettings projectSettings_;
    Settings settings_;
    std::string targetModule_;
    std::string rootPath_;
    bool rootPathStale_ = false;
    CommandHistory history_;
    std::string transcript_;
    int unanalysablePaths_ = 0;
};

}  // namespace corvane
