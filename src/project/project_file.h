// The project file (".cvproj"): the project name, the default comment style,
// the source files, each module's schematic file, the printer choice and the
// page margins, as lines of key " = " value ending in "\r\n".
//
// Reading and writing work on plain values and the module list so they can
// be used and tested without the controller; the analysis of the listed
// files is handed to a callback.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "database/module_list.h"
#include "platform/ui_host.h"

namespace corvane {

// The style new schematic comments start from. Colours are 0x00BBGGRR.
struct CommentStyle {
    std::string textFace;  // the face of the font rule unless set
    int textPt = 16;
    int textColor = 0;
    int linePt = 1;
    int lineColor = 0;

    CommentStyle();
};

// Page margins in millimetres and the fit mode of schematic printing.
struct PageMargins {
    double top = 10.0;
    double bottom = 10.0;
    double left = 10.0;
    double right = 10.0;
    int fit = 0;
};

// The settings a project file carries besides its modules. They live for the
// whole program run: closing or creating a project keeps them.
struct ProjectSettings {
    CommentStyle commentStyle;
    PrinterSettings printer;  // printer lines are written only while `printer.valid`
    PageMargins margins;
};

// Analyses one listed source file, appending its modules to the list.
using AnalyseSourceFile = std::function<void(const std::string& path)>;

// The folder of `projectFilePath` with its trailing "/" ("" when it has none).
std::string projectFolder(std::string_view projectFilePath);

// A path as the project file keeps it: relative to `folder` when it lies
// inside it, otherwise as it stands.
std::string pathForProjectFile(const std::string& path, const std::string& folder);

// A path read from the project file: an absolute one as it stands, a
// relative one joined to `folder`; an empty value names no file ("").
std::string pathFromProjectFile(const std::string& value, const std::string& folder);

// The bytes of the project file at `projectFilePath`: paths inside its
// folder are written relative to it. Relative paths (the project file's
// own and the modules') are first taken from `currentFolder` (ending in
// "/"), the folder they are relative to, so that they keep naming the same
// files when read back from the project folder; "" leaves them as they are.
std::string formatProject(const std::string& projectName, const std::string& projectFilePath,
                          const ModuleList& modules, const ProjectSettings& settings,
                          const std::string& currentFolder = {});

// Replaces the file at `projectFilePath` with formatProject's bytes,
// relative paths being taken from the working folder; false (and the old
// file untouched) when it cannot be written.
bool writeProject(const std::string& projectFilePath, const std::string& projectName,
                  const ModuleList& modules, const ProjectSettings& settings);

// Applies the lines of a project file's `text` in order: "name" sets
// `projectName`, "module.path" analyses the file at once, "module.schname"
// and "module.schpath" give a module its schematic file, the other known
// keys set `settings`; unknown keys and malformed lines are passed over.
// The printer settings start invalid.
void readProjectText(std::string_view text, const std::string& folder, std::string& projectName,
                     ProjectSettings& settings, ModuleList& modules,
                     const AnalyseSourceFile& analyse);

// Reads the project file at `projectFilePath` as readProjectText does.
// False, with nothing changed, when the file cannot be read.
bool readProject(const std::string& projectFilePath, std::string& projectName,
                 ProjectSettings& settings, ModuleList& modules, const AnalyseSourceFile& analyse);

}  // namespace corvane
