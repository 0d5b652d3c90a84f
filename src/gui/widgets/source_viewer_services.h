// What the source viewer, net view and state diagram windows share with the
// console: the module list, the settings with the keyword and search-word
// lists, the UiHost, the printer choice and margins, and a way to repaint
// the schematic windows when a net view's colour changes.
#pragma once

#include <ctime>
#include <functional>

#include "database/module_list.h"
#include "platform/ui_host.h"
#include "project/project_file.h"
#include "project/settings_file.h"
#include "reports/text_printer.h"

namespace corvane {

struct ViewerServices {
    ModuleList& modules;
    Settings& settings;
    UiHost& ui;
    ProjectSettings& project;  // the printer choice and the margins
    PrinterOpener& printers;
    std::function<void()> repaintSchematicWindows = [] {};
    std::function<std::tm()> now = [] {
        const std::time_t time = std::time(nullptr);
        std::tm local{};
        localtime_r(&time, &local);
        return local;
    };
};

}  // namespace corvane
