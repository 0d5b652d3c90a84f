// What the viewer window tests share: the services a viewer window takes,
// over a scripted UiHost, the example design read by the Verilog front end,
// and screenshots of windows when CORVANE_SCREENSHOT_DIR names a folder.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QWidget>

#include "gui/widgets/source_viewer_services.h"
#include "support/parse_files.h"
#include "support/scripted_ui_host.h"
#include "verilog/verilog_module_parser.h"

namespace corvane::testing {

class NoPrinters final : public PrinterOpener {
public:
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings&) override { return nullptr; }
};

struct ViewerTestServices {
    ViewerTestServices() : parsed(FrontEnds{parseVerilogModule, {}}) {}

    // Reads the example design's Verilog files into the module list.
    void analyseExample() {
        for (const char* name : {"counter.v", "bus_mux.v", "handshake_fsm.v", "top.v"}) {
            parsed.analyseFile(examplePath(name));
        }
    }
    static std::string examplePath(const std::string& name) {
        return std::string(CORVANE_EXAMPLES) + "/rtl/" + name;
    }

    ParsedFiles<> parsed;
    Settings settings;
    ScriptedUiHost ui;
    ProjectSettings project;
    NoPrinters printers;
    int schematicRepaints = 0;
    ViewerServices services{parsed.modules, settings, ui, project, printers,
                            [this] { ++schematicRepaints; }};
};

// The first visible top-level widget of type `Window`, or nullptr.
template <class Window>
Window* topLevel() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// The action titled `text` in one of the window's menus, or nullptr.
inline QAction* menuAction(QMainWindow& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions()) {
        if (menu->menu() == nullptr) continue;
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == text) return action;
        }
    }
    return nullptr;
}

// Saves a picture of `widget` as <name>.png in CORVANE_SCREENSHOT_DIR, if set.
inline void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CORVANE_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(folder);
    widget.grab().save(folder + "/" + name + ".png");
}

}  // namespace corvane::testing
