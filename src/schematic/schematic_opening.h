// A schematic window's first content, and its schematic file written
// elsewhere: what the exports need without a window on screen.
#pragma once

#include <string>

#include "database/records.h"

namespace corvane {

class CSchematicDlg;

// What a schematic window does when it opens: the module's schematic file
// when it names a readable one, else a generated schematic.
void openSchematicAsWindowDoes(CSchematicDlg& window, const Module& module);

// The schematic file of the window's module, written to `path` (the module's
// own schematic file path is left as it is); false when it cannot be written.
bool writeSchematicFileTo(CSchematicDlg& window, const std::string& path);

}  // namespace corvane
