// The drawing of a schematic for an export: the whole canvas at zoom 1,
// without scroll and grid, selected objects in their selection colours,
// straight onto the target surface.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/ui_host.h"
#include "schematic/canvas_size.h"
#include "schematic/render_context.h"

namespace corvane {

class CSchematicDlg;

// Grows the window's canvas to hold everything the export draws (instance
// parameter boxes, the direction words and comments beside output pins);
// returns the size.
CanvasSize prepareExportCanvas(CSchematicDlg& window);

// Draws the schematic onto `canvas` in export mode; nothing when the
// window's module is gone.
void drawSchematicExport(const CSchematicDlg& window, Canvas& canvas, SchematicPaintHost& host);

// Writes the schematic as an Enhanced Metafile at `path` (through a
// temporary file and a rename); false when the module is gone or the file
// cannot be written.
bool writeSchematicEmf(CSchematicDlg& window, const std::string& path, SchematicPaintHost& host);

// The window's "&EMF..." command: asks for the file name, checks that the
// file can be written (a message box with the path when not) and writes the
// metafile. Cancel ends the command.
void exportEmfCommand(CSchematicDlg& window, UiHost& ui, SchematicPaintHost& host);

}  // namespace corvane
