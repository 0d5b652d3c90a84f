// The start and the end of a program run as far as the project and the
// settings file are concerned: the settings are read once while the
// controller starts and written when the user leaves the program.
#pragma once

#include "console/controller.h"
#include "project/settings_file.h"

namespace corvane {

// Reads the settings file into the controller's settings (both keyword lists
// emptied first; the default placement when no file can be read) and places
// the console window at the clamped placement.
void readProgramSettings(CMorvelDlg& controller, const SettingsLocations& locations);

// Leaving the program (File > Exit, closing the console or the controller):
// closes the project, asking to save a modified one. When the user cancels,
// false and nothing else happens. Otherwise the settings file is written with
// the console window's current rectangle (a failed write is silent) and
// every state diagram window, source viewer and schematic window is closed.
bool leaveProgram(CMorvelDlg& controller, const SettingsLocations& locations);

}  // namespace corvane
