#include "console/startup_arguments.h"

#include <filesystem>
#include <system_error>

#include "console/project_commands.h"

namespace corvane {

namespace {

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

void openProjectArgument(CMorvelDlg& controller, const std::string& path) {
    controller.setProjectFilePath(path);
    controller.ui().setWaitCursor(true);
    const bool read = loadProjectFile(controller);
    controller.ui().setWaitCursor(false);
    if (read) return;
    controller.setProjectFilePath("");
    controller.ui().messageBox(
        {"CORVANE cannot open this file.", path, MessageIcon::kExclamation, MessageButtons::kOk});
}

void analyseArguments(CMorvelDlg& controller, const std::vector<std::string>& paths) {
    MessageLog& log = controller.log();
    log.appendLog("\r\n");
    controller.ui().setWaitCursor(true);
    for (const std::string& path : paths) {
        if (isFolder(path)) {
            controller.analyseFolder(path);
        } else if (controller.analyseFile(path)) {
            controller.writeSummary(controller.modules().back());
        } else {
            log.logPlainError(path + " : Corvane cannot analyze this file.(0)\r\n");
        }
    }
    controller.ui().setWaitCursor(false);
    if (!controller.modules().empty()) controller.setTargetModule(controller.modules().back().name);
    controller.runChildPortPass();
    controller.refreshTitle();
    controller.refreshHierarchyTree();
    controller.refreshDocumentWindows();
    controller.updatePrompt();
}

}  // namespace

bool isProjectFilePath(const std::string& path) {
    return path.size() > 7 && path.ends_with(".cvproj");
}

std::string absolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

void openStartupArguments(CMorvelDlg& controller, const std::vector<std::string>& arguments) {
    if (arguments.empty()) return;
    std::vector<std::string> paths;
    for (const std::string& argument : arguments) paths.push_back(absolutePath(argument));
    if (isProjectFilePath(paths.front())) {
        openProjectArgument(controller, paths.front());
        return;
    }
    analyseArguments(controller, paths);
}

}  // namespace corvane
