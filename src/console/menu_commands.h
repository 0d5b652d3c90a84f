// The handlers of the console's menu commands. Every command works on the
// controller and asks its questions through the controller's UiHost; what
// only the desktop console can do (the log's selection, the hierarchy
// window, a few dialogs of its own, the printer, ending the program) it
// reaches through a ConsoleFrontEnd.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/console_menu.h"
#include "console/controller.h"
#include "project/comment_style_dialogs.h"
#include "project/project_file.h"
#include "project/settings_file.h"
#include "reports/text_printer.h"

namespace corvane {

class ConsoleFrontEnd {
public:
    virtual ~ConsoleFrontEnd() = default;

    // Edit > Copy: the log's selection to the clipboard.
    virtual void copyLogSelection() = 0;
    virtual bool hierarchyVisible() const = 0;
    virtual void setHierarchyVisible(bool visible) = 0;
    // "Document Setting" (Margin...): the edited margins on OK.
    virtual std::optional<PageMargins> documentSettingDialog(const PageMargins& preset) = 0;
    virtual void showVersion(const std::string& version) = 0;
    virtual CommentStyleDialogs& commentStyleDialogs() = 0;
    virtual PrinterOpener& printers() = 0;
    // The date and time printed in page headers.
    virtual std::tm now() const = 0;
    // Ends the program; called once the leaving sequence has gone through.
    virtual void quit() = 0;
};

// Where the program looks for what the menu commands open.
struct MenuCommandPaths {
    SettingsLocations settings;
    // The user manual's possible places, the first existing one is opened.
    std::vector<std::string> helpFiles;
    // The program's version, "a.b.c" or longer.
    std::string version;
};

// "a.b.c" -> "a.b.c.0": the four-part version number the version dialog shows.
std::string fourPartVersion(const std::string& version);

// The first of `candidates` that can be read; "" when none can.
std::string findHelpFile(const std::vector<std::string>& candidates);

class MenuCommands {
public:
    MenuCommands(CMorvelDlg& controller, ConsoleFrontEnd& frontEnd, MenuCommandPaths paths);

    void run(MenuCommand command);
    MenuState state() const { return {frontEnd_.hierarchyVisible()}; }

    // Leaving the program (File > Exit, or closing the console): closes the
    // project (a cancelled save question keeps everything as it is and gives
    // false), writes the settings file and closes the document windows.
    bool leave();

    // The commands one by one.
    void saveIoTable();
    // Writes the documentation site of the analysed design into a chosen folder.
    void exportSite();
    void printerSetting();
    void marginSetting();
    void printHierarchy();
    void printList();
    void viewSchematic();
    void viewSource();
    void viewNet();
    void toggleHierarchy();
    void reportNet();
    void reportSummary();
    void reportConnection();
    void help();

private:
    std::optional<std::string> chooseTarget();
    std::optional<std::pair<std::string, std::string>> chooseTargetAndNet();
    TextPrintJob printJob();

    CMorvelDlg& controller_;
    ConsoleFrontEnd& frontEnd_;
    MenuCommandPaths paths_;
};

// All module names of the list, lower-cased as stored.
std::vector<std::string> moduleNames(const ModuleList& modules);

// Opens the schematic window of `module` (or raises the open one).
void openSchematicWindow(CMorvelDlg& controller, const std::string& module);

}  // namespace corvane
