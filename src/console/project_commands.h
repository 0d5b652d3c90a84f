// The project menu commands of the console: New Project..., Open Project...,
// Save Project, Save Project As..., Close Project and Project Setting....
// They work on the controller's project name, file path, modified flag and
// module list, and ask their questions through the controller's UiHost.
#pragma once

#include <optional>
#include <string>

#include "console/controller.h"
#include "project/comment_style_dialogs.h"
#include "project/project_file.h"

namespace corvane {

// Writes the controller's project to its project file path and clears the
// modified flag; false (flag unchanged) when the file cannot be written.
bool saveProjectFile(CMorvelDlg& controller);

// Reads the project file at the controller's project file path, analysing
// the listed files, then clears the modified flag, runs the child port
// direction pass and refreshes the title and the hierarchy tree. False, with
// nothing changed, when the file cannot be read.
bool loadProjectFile(CMorvelDlg& controller);

class ProjectCommands {
public:
    // The commands work on the controller's project and its project settings.
    explicit ProjectCommands(CMorvelDlg& controller);

    // Saves the current project as needed, clears everything and asks for
    // the name of the new project.
    void newProject();
    // Saves the current project as needed, clears everything and reads the
    // project file the user chooses.
    void openProject();
    // Writes a named project: through the save dialog without a file path,
    // otherwise only when it is modified.
    void saveProject();
    // Writes a named project to a file chosen in the save dialog.
    void saveProjectAs();
    // Asks to save a modified project, then clears it; false when the user
    // cancelled and the project stays open.
    bool closeProject();
    // Edits the default comment style in the "Setting" dialog; OK keeps the
    // edits and marks the project modified.
    void projectSetting(CommentStyleDialogs& dialogs);

private:
    bool saveBeforeReplacing();
    void clearProject();
    MessageResult askToSave();
    bool saveThroughDialog(const char* caption);

    CMorvelDlg& controller_;
};

}  // namespace corvane
