#include "console/program_lifetime.h"

#include "console/project_commands.h"

namespace corvane {

void readProgramSettings(CMorvelDlg& controller, const SettingsLocations& locations) {
    Settings& settings = controller.settings();
    readSettings(settings, locations);
    settings.console = clampPlacement(settings.console);
    controller.ui().placeConsole(settings.console);
}

bool leaveProgram(CMorvelDlg& controller, const SettingsLocations& locations) {
    ProjectCommands commands(controller);
    if (!commands.closeProject()) return false;
    Settings& settings = controller.settings();
    settings.console = controller.ui().consolePlacement();
    writeSettings(settings, locations);
    UiHost& ui = controller.ui();
    ui.closeAllDocumentWindows(DocumentKind::kStateDiagram);
    ui.closeAllDocumentWindows(DocumentKind::kSourceViewer);
    ui.closeAllDocumentWindows(DocumentKind::kSchematic);
    return true;
}

}  // namespace corvane
