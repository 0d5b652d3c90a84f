#include "console/project_commands.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kSaveQuestion = "Do you save project?";
constexpr const char* kProjectFilter = "Corvane Project(*.cvproj)|*.cvproj||";
constexpr const char* kProjectExtension = "cvproj";
constexpr const char* kSaveCaption = "Please input the name of project file";
constexpr const char* kSaveAsCaption = "Save As - Please input the new name of project file";
constexpr const char* kOpenCaption = "Please specify the target project file";

FileDialogRequest projectFileDialog(const char* caption) {
    FileDialogRequest request;
    request.caption = caption;
    request.okText = "&OK";
    request.filter = kProjectFilter;
    request.defaultExtension = kProjectExtension;
    return request;
}

}  // namespace

bool saveProjectFile(CMorvelDlg& controller) {
    if (!writeProject(controller.projectFilePath(), controller.projectName(), controller.modules(),
                      controller.projectSettings())) {
        return false;
    }
    controller.setProjectModified(false);
    return true;
}

bool loadProjectFile(CMorvelDlg& controller) {
    std::string name = controller.projectName();
    const auto analyse = [&controller](const std::string& path) { controller.analyseFile(path); };
    if (!readProject(controller.projectFilePath(), name, controller.projectSettings(),
                     controller.modules(), analyse)) {
        return false;
    }
    controller.setProjectName(name);
    controller.setProjectModified(false);
    controller.runChildPortPass();
    controller.refreshTitle();
    controller.refreshHierarchyTree();
    return true;
}

ProjectCommands::ProjectCommands(CMorvelDlg& controller) : controller_(controller) {}

void ProjectCommands::newProject() {
    if (!saveBeforeReplacing()) return;
    clearProject();
    controller_.askForProjectName();
}

void ProjectCommands::openProject() {
    if (!saveBeforeReplacing()) return;
    clearProject();
    FileDialogRequest request = projectFileDialog(kOpenCaption);
    request.mustExist = true;
    const FileDialogResult chosen = controller_.ui().openFileDialog(request);
    if (!chosen.accepted()) return;
    controller_.setProjectFilePath(chosen.paths.front());
    controller_.ui().setWaitCursor(true);
    loadProjectFile(controller_);
    controller_.ui().setWaitCursor(false);
    controller_.refreshTitle();
}

void ProjectCommands::saveProject() {
    if (controller_.projectName().empty()) return;
    if (controller_.projectFilePath().empty()) {
        saveThroughDialog(kSaveCaption);
    } else if (controller_.projectModified()) {
        saveProjectFile(controller_);
    }
}

void ProjectCommands::saveProjectAs() {
    if (controller_.projectName().empty()) return;
    saveThroughDialog(kSaveAsCaption);
}

bool ProjectCommands::closeProject() {
    if (!controller_.projectName().empty() && controller_.projectModified()) {
        const MessageResult answer = askToSave();
        if (answer == MessageResult::kCancel) return false;
        if (answer == MessageResult::kYes) {
            if (controller_.projectFilePath().empty()) {
                if (!saveThroughDialog(kSaveCaption)) return false;
            } else {
                saveProjectFile(controller_);
            }
        }
    }
    clearProject();
    return true;
}

void ProjectCommands::projectSetting(CommentStyleDialogs& dialogs) {
    CommentStyle copy = controller_.projectSettings().commentStyle;
    const auto figure = [&dialogs, &copy] {
        if (const auto line = dialogs.lineStyleDialog({copy.linePt, copy.lineColor})) {
            copy.linePt = line->pt;
            copy.lineColor = line->color;
        }
    };
    const auto textbox = [&dialogs, &copy] {
        if (const auto text =
                dialogs.textBoxStyleDialog({copy.textFace, copy.textPt, copy.textColor})) {
            copy.textFace = text->face;
            copy.textPt = text->pt;
            copy.textColor = text->color;
        }
    };
    if (!dialogs.settingDialog(figure, textbox)) return;
    controller_.projectSettings().commentStyle = copy;
    controller_.setProjectModified(true);
}

// The save step before a project is replaced: an unsaved project goes through
// the save dialog at once, a modified one is offered for saving. False when
// the user cancelled.
bool ProjectCommands::saveBeforeReplacing() {
    if (controller_.projectName().empty()) return true;
    if (controller_.projectFilePath().empty()) return saveThroughDialog(kSaveCaption);
    if (!controller_.projectModified()) return true;
    const MessageResult answer = askToSave();
    if (answer == MessageResult::kCancel) return false;
    if (answer == MessageResult::kYes) saveProjectFile(controller_);
    return true;
}

// No project name, no file path, no modules, no target and no document windows.
void ProjectCommands::clearProject() {
    controller_.setProjectFilePath("");
    controller_.setProjectName("");
    controller_.clearAllModules();
}

MessageResult ProjectCommands::askToSave() {
    return controller_.ui().messageBox(
        {kCaption, kSaveQuestion, MessageIcon::kQuestion, MessageButtons::kYesNoCancel});
}

// The save dialog proposing the project name; on OK the chosen path becomes
// the project file path and the project is written. False when cancelled.
bool ProjectCommands::saveThroughDialog(const char* caption) {
    FileDialogRequest request = projectFileDialog(caption);
    request.proposedName = controller_.projectName();
    request.overwritePrompt = true;
    const auto path = controller_.ui().saveFileDialog(request);
    if (!path || path->empty()) return false;
    controller_.setProjectFilePath(*path);
    saveProjectFile(controller_);
    return true;
}

}  // namespace corvane
