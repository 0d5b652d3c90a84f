// Exports of a module's schematic to files: SVG, PNG and PDF drawn through
// Qt, Enhanced Metafiles through the core's metafile canvas, and the
// schematic file itself (.qsch). Each picture is the whole canvas at zoom 1
// without grid, as the metafile export draws it.
#pragma once

#include <string>

#include "database/module_list.h"
#include "platform/export_format.h"
#include "platform/ui_host.h"
#include "schematic/render_context.h"

namespace corvane {

class CSchematicDlg;

// Makes sure Qt's application object exists, so fonts and images work.
// Without a platform given in QT_QPA_PLATFORM the offscreen one is used, so
// exports need no display.
void ensureGuiApplication();

// Writes the window's schematic to `path` in the format of its extension;
// false with `error` set when the format is unknown, the module is gone or
// the file cannot be written.
bool exportSchematic(CSchematicDlg& window, const std::string& path, std::string& error,
                     SchematicPaintHost& host);

// The filter of the window's export dialog: the metafile first, then the
// pictures Qt draws.
inline constexpr const char* kSchematicExportFilter =
    "Enhanced MetaFile(*.emf)|*.emf|Scalable Vector Graphics(*.svg)|*.svg|"
    "Portable Network Graphics(*.png)|*.png|Portable Document Format(*.pdf)|*.pdf||";

// The window's "&EMF..." command: the save dialog of the metafile export,
// which also offers SVG, PNG and PDF; the chosen name's extension picks the
// format and any other name gets a metafile. A path that cannot be written,
// or a schematic file (.qsch), which an export never overwrites, gives the
// message box "CORVANE cannot save this file." with the path. Cancel ends
// the command.
void exportSchematicCommand(CSchematicDlg& window, UiHost& ui, SchematicPaintHost& host);

// Opens the schematic of module `moduleName` as a schematic window does when
// it opens, and writes it to `path`; false with `error` set when the module
// is not analysed or the export fails.
bool exportModuleSchematic(ModuleList& modules, const std::string& moduleName,
                           const std::string& path, std::string& error);

}  // namespace corvane
