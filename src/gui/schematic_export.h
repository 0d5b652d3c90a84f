// Exports of a module's schematic to files: SVG, PNG and PDF drawn through
// Qt, Enhanced Metafiles through the core's metafile canvas, and the
// schematic file itself (.qsch). Each picture is the whole canvas at zoom 1
// without grid, as the metafile export draws it.
#pragma once

#include <string>

#include "database/module_list.h"
#include "platform/export_format.h"
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

// Opens the schematic of module `moduleName` as a schematic window does when
// it opens, and writes it to `path`; false with `error` set when the module
// is not analysed or the export fails.
bool exportModuleSchematic(ModuleList& modules, const std::string& moduleName,
                           const std::string& path, std::string& error);

}  // namespace corvane
