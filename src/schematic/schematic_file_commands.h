// The File menu of a schematic window: "&Open...", "&Save", "Save &As..." and
// the question asked when a modified window closes. Dialogs and message boxes
// go through the UiHost; the modified flag is the window's.
#pragma once

#include <string>

#include "platform/ui_host.h"
#include "schematic/schematic_dlg.h"

namespace corvane {

// "Schematic - " + module name + "(" + schematic path + ")".
std::string schematicWindowTitle(const Module& module);

class SchematicFileCommands {
public:
    // Menus, title, repaint and the project's modified mark go through the
    // window's hooks. Neither object is owned.
    SchematicFileCommands(CSchematicDlg& window, UiHost& ui);

    void onOpen();
    // Writes the module's schematic file (Save As without a path). A failed
    // write says "File save error." and keeps the window modified.
    void onSave();
    void onSaveAs();
    // Asks about unsaved changes; true when the window may close. A save
    // that fails keeps the window open, so its changes are not lost.
    bool onClose();

    bool modified() const { return window_.modified(); }
    void setModified(bool modified) { window_.setModified(modified); }

private:
    void message(const std::string& text, MessageIcon icon);
    // The outcome of a save through the dialog.
    enum class SaveOutcome { kCancelled, kWritten, kFailed };
    SaveOutcome saveWithDialog(const char* caption);
    // Writes the file at the module's path; false (and reported) on failure.
    bool writeAtPath();

    CSchematicDlg& window_;
    UiHost& ui_;
};

}  // namespace corvane
