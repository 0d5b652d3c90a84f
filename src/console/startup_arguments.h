// What `corvane [FILE.cvproj | FOLDER | FILE.v ...]` opens at start: a project
// file is opened as Open Project... opens it; folders and source files are
// analysed into a new project without a name.
#pragma once

#include <string>
#include <vector>

#include "console/controller.h"

namespace corvane {

// Whether `path` names a project file (extension ".cvproj").
bool isProjectFilePath(const std::string& path);

// `path` made absolute against the working folder (unchanged when it cannot be).
std::string absolutePath(const std::string& path);

// Opens what the program's arguments name, each made absolute first (the
// log's file lines and the project's paths then hold wherever the program
// runs). A project file that cannot be
// read gives the message box "CORVANE cannot open this file." with its path
// and leaves the program without a project. Each other argument is analysed
// as a folder when it is one and as a file otherwise; a file that yields no
// module gets the "Corvane cannot analyze this file.(0)" error line. The
// newest module becomes the current target module.
void openStartupArguments(CMorvelDlg& controller, const std::vector<std::string>& arguments);

}  // namespace corvane
