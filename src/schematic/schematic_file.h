// The schematic file (.qsch): the placement, routes, net styles, view settings,
// canvas size, comments and hot pin of one module's schematic window, written
// from fixed line templates and read back through the tag reader. The design
// itself always comes from the analysed sources; the file only places what
// the module already holds.
#pragma once

#include <string>
#include <string_view>

#include "schematic/schematic_dlg.h"

namespace corvane {

// The bytes of the schematic file of the window's module; false (and `out`
// untouched) when the module is gone.
bool schematicFileText(CSchematicDlg& window, std::string& out);

// Writes the file at the module's schematicPath; false, writing nothing, when
// the module is gone or the file cannot be replaced.
bool writeSchematicFile(CSchematicDlg& window);

// Reads the file at the module's schematicPath into the module and the
// window; false, changing nothing, when the module is gone or the file cannot
// be opened or parsed.
bool readSchematicFile(CSchematicDlg& window);
// The same on bytes already in memory.
bool readSchematicText(CSchematicDlg& window, std::string_view bytes);

// What follows a successful read: nets without a route are flagged, the
// blocks are re-measured at their stored places, terminals refreshed, the
// flagged nets routed, the routes cleaned up without compaction, junctions
// checked and loose horizontal ends snapped onto their ports.
void runPostLoadSequence(CSchematicDlg& window);

// A window opening with its module's schematic file: read, post-load
// sequence, menu states, clock highlighting, title and a fresh undo history.
// False, changing nothing, when the file cannot be read; the caller then
// generates the schematic (openWithoutFile).
bool openWithSchematicFile(CSchematicDlg& window, SchematicWindowHooks& hooks);

// Comment text as the file holds it: CR LF as the four characters \r\n and
// TAB as \t, the other characters unchanged; and back.
std::string encodeCommentText(std::string_view text);
std::string decodeCommentText(std::string_view text);

}  // namespace corvane
