// corvane-batch: runs console command lines without a display. Everything
// written to the message log goes to standard output as it is written;
// message boxes go to standard error.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "console/batch_command_line.h"
#include "console/batch_ui_host.h"
#include "console/controller.h"
#include "console/project_commands.h"
#include "console/terminal_progress.h"
#include "gui/fsm_export.h"
#include "gui/schematic_export.h"
#include "project/settings_file.h"
#include "reports/io_table.h"
#include "site/design_database_json.h"
#include "site/documentation_site.h"
#include "statemachine/fsm_listing.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0.0.0"
#endif

namespace corvane {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Copies every append of the log to standard output, erasing the progress
// line first so the two never share a terminal line.
class LogPrinter {
public:
    LogPrinter(MessageLog& log, TerminalProgress* progress, bool crlf)
        : log_(log), progress_(progress), crlf_(crlf) {
        id_ = log_.addListener([this](std::string_view text, std::size_t) { print(text); });
    }
    ~LogPrinter() {
        log_.removeListener(id_);
        write(filter_.finish());
        std::fflush(stdout);
    }
    LogPrinter(const LogPrinter&) = delete;
    LogPrinter& operator=(const LogPrinter&) = delete;

private:
    void print(std::string_view text) {
        if (progress_ != nullptr) progress_->clearLine();
        write(crlf_ ? std::string(text) : filter_.filter(text));
    }
    static void write(const std::string& bytes) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    }

    MessageLog& log_;
    TerminalProgress* progress_;
    bool crlf_;
    LineEndFilter filter_;
    int id_ = 0;
};

// Runs every line of a script; false when it cannot be read.
bool runScript(CMorvelDlg& controller, const std::string& path) {
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file.is_open()) {
            std::fprintf(stderr, "corvane-batch: cannot read the script \"%s\"\n", path.c_str());
            return false;
        }
    }
    std::istream& in = path == "-" ? std::cin : file;
    std::string line;
    while (std::getline(in, line)) {
        if (line.ends_with('\r')) line.pop_back();
        controller.enterCommandLine(line);
    }
    return true;
}

// Writes the I/O table of the named modules ("*": every module in list order).
bool runIoTable(CMorvelDlg& controller, const BatchAction& action) {
    std::vector<std::string> names = action.moduleNames;
    if (names.size() == 1 && names.front() == "*") {
        names.clear();
        for (const Module& module : controller.modules()) names.push_back(module.name);
    }
    if (writeIoTable(controller.modules(), names, action.outputPath)) return true;
    std::fprintf(stderr, "corvane-batch: cannot write the I/O table \"%s\"\n",
                 action.outputPath.c_str());
    return false;
}

// Reads the project file at `path`, analysing the files it lists.
bool openProject(CMorvelDlg& controller, const std::string& path) {
    controller.setProjectFilePath(path);
    if (loadProjectFile(controller)) return true;
    controller.setProjectFilePath("");
    std::fprintf(stderr, "corvane-batch: cannot open the project \"%s\"\n", path.c_str());
    return false;
}

// Writes the project, with its current name, to `path`.
bool saveProject(CMorvelDlg& controller, const std::string& path) {
    controller.setProjectFilePath(path);
    if (saveProjectFile(controller)) return true;
    std::fprintf(stderr, "corvane-batch: cannot write the project \"%s\"\n", path.c_str());
    return false;
}

// Draws the schematic of every --export-schematic module into its file;
// false when a module is not analysed or a file cannot be written.
bool runSchematicExports(CMorvelDlg& controller, const BatchOptions& options) {
    bool ok = true;
    for (const SchematicExportRequest& request : options.schematicExports) {
        std::string error;
        if (!exportModuleSchematic(controller.modules(), request.moduleName, request.outputPath,
                                   error)) {
            std::fprintf(stderr, "corvane-batch: %s\n", error.c_str());
            ok = false;
        }
    }
    return ok;
}

// Draws or writes every --export-fsm diagram; false when a module is not
// analysed, a block is missing, no state machine was detected or a file
// cannot be written.
bool runFsmExports(CMorvelDlg& controller, const BatchOptions& options) {
    bool ok = true;
    for (const FsmExportRequest& request : options.fsmExports) {
        std::string error;
        if (exportStateMachine(controller.modules(), request.moduleName, request.line,
                               request.outputPath, error)) {
            continue;
        }
        // The window's own words when there is no machine; the others name
        // the program like every other complaint.
        if (error == kNoStateMachineText) {
            std::fprintf(stderr, "%s\n", error.c_str());
        } else {
            std::fprintf(stderr, "corvane-batch: %s\n", error.c_str());
        }
        ok = false;
    }
    return ok;
}

// The state machines of every analysed module, one block per line.
void printStateMachines(CMorvelDlg& controller) {
    std::fflush(stdout);
    const std::string text = stateMachineListingText(controller.modules());
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

// Writes the documentation site of --site, coloured by the keyword lists of
// the settings file; false when nothing was written.
bool runSiteExport(CMorvelDlg& controller, const BatchOptions& options, ProgressSink& progress) {
    if (options.siteFolder.empty()) return true;
    Settings settings;
    readSettings(settings, standardSettingsLocations());
    std::vector<std::string> notes;
    const SiteRequest request{.modules = controller.modules(),
                              .projectName = controller.projectName(),
                              .verilogKeywords = settings.verilogWords,
                              .vhdlKeywords = settings.vhdlWords,
                              .outputFolder = options.siteFolder,
                              .notes = &notes};
    std::string error;
    const bool written = writeDocumentationSite(request, progress, error);
    for (const std::string& note : notes) {
        std::fprintf(stderr, "corvane-batch: note: %s\n", note.c_str());
    }
    if (written) return true;
    std::fprintf(stderr, "corvane-batch: cannot write the documentation site \"%s\": %s\n",
                 options.siteFolder.c_str(), error.c_str());
    return false;
}

// Writes the design database of --json; false when nothing was written.
bool runJsonExport(CMorvelDlg& controller, const BatchOptions& options) {
    if (options.jsonFile.empty()) return true;
    std::string error;
    if (writeDesignDatabaseJson(controller.modules(), options.jsonFile, error)) return true;
    std::fprintf(stderr, "corvane-batch: %s\n", error.c_str());
    return false;
}

int runActions(const BatchOptions& options) {
    std::unique_ptr<TerminalProgress> terminal;
    if (options.progress && TerminalProgress::isTerminal(stderr)) {
        terminal = std::make_unique<TerminalProgress>(stderr);
    }
    NullProgressSink silent;
    ProgressSink& progress = terminal ? static_cast<ProgressSink&>(*terminal) : silent;
    BatchUiHost ui(stderr);
    CMorvelDlg controller(ui, progress);
    LogPrinter printer(controller.log(), terminal.get(), options.crlf);
    if (!options.projectFile.empty() && !openProject(controller, options.projectFile)) {
        return kExitUsage;
    }

    int status = 0;
    for (const BatchAction& action : options.actions) {
        bool ok = true;
        switch (action.kind) {
            case BatchAction::kLine:
                controller.enterCommandLine(action.text);
                break;
            case BatchAction::kScript:
                ok = runScript(controller, action.text);
                break;
            case BatchAction::kIoTable:
                ok = runIoTable(controller, action);
                break;
        }
        if (!ok) status = kExitFailure;
    }
    // A file or folder named to the analysis that gave its cannot-analyse or
    // cannot-open line fails the run, so a documentation job notices.
    if (controller.unanalysablePaths() > 0) status = kExitFailure;
    if (options.listFsm) printStateMachines(controller);
    if (!runSchematicExports(controller, options)) status = kExitFailure;
    if (!runFsmExports(controller, options)) status = kExitFailure;
    if (!runSiteExport(controller, options, progress)) status = kExitFailure;
    if (!runJsonExport(controller, options)) status = kExitFailure;
    if (!options.saveProjectFile.empty() && !saveProject(controller, options.saveProjectFile)) {
        status = kExitFailure;
    }
    return status;
}

int runBatch(const std::vector<std::string>& arguments) {
    const BatchCommandLine commandLine = parseBatchCommandLine(arguments);
    if (!commandLine.ok) {
        std::fprintf(stderr, "corvane-batch: %s\n%s", commandLine.error.c_str(),
                     batchUsage().c_str());
        return kExitUsage;
    }
    const BatchOptions& options = commandLine.options;
    if (options.help) {
        std::fputs(batchUsage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("corvane-batch %s\n", CORVANE_VERSION);
        return 0;
    }
    return runActions(options);
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return corvane::runBatch(arguments);
}
