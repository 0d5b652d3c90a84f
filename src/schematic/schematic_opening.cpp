#include "schematic/schematic_opening.h"

#include "platform/safe_file_writer.h"
#include "schematic/schematic_dlg.h"
#include "schematic/schematic_file.h"

namespace corvane {

void openSchematicAsWindowDoes(CSchematicDlg& window, const Module& module) {
    SchematicWindowHooks noHooks;
    if (!module.schematicPath.empty() && openWithSchematicFile(window, noHooks)) return;
    window.openWithoutFile();
}

bool writeSchematicFileTo(CSchematicDlg& window, const std::string& path) {
    std::string text;
    return schematicFileText(window, text) && writeFileSafely(path, text);
}

}  // namespace corvane
