// The desktop program put together: the controller, the Qt UiHost, the
// console, hierarchy, progress and splash windows and the menu commands,
// with the start-up and leaving sequences of the console.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "console/controller.h"
#include "console/menu_commands.h"

namespace corvane {

class ConsoleWindow;
class HierarchyWindow;
class ProgressWindow;
class QtCommentStyleDialogs;
class QtUiHost;
class SplashWindow;
struct ViewerServices;

struct DesktopOptions {
    MenuCommandPaths paths;
    bool showSplash = true;
};

class DesktopProgram final : public QObject, public ConsoleFrontEnd {
    Q_OBJECT
public:
    explicit DesktopProgram(DesktopOptions options);
    ~DesktopProgram() override;
    DesktopProgram(const DesktopProgram&) = delete;
    DesktopProgram& operator=(const DesktopProgram&) = delete;

    // The start-up sequence: the splash window, the console, the hierarchy
    // window, the settings file and the console's placement, the installed
    // font families; then what `arguments` name is opened.
    void start(const std::vector<std::string>& arguments = {});
    // Opens what the program's arguments name (a project file, or folders and
    // source files analysed into a project without a name).
    void open(const std::vector<std::string>& arguments);

    CMorvelDlg& controller() { return *controller_; }
    QtUiHost& ui() { return *ui_; }
    ConsoleWindow& console() { return *console_; }
    HierarchyWindow& hierarchy() { return *hierarchy_; }
    ProgressWindow& progress() { return *progress_; }
    MenuCommands& menu() { return *menu_; }
    SplashWindow* splash() { return splash_.get(); }
    // Whether the leaving sequence has gone through and the program ends.
    bool finished() const { return finished_; }

    // ConsoleFrontEnd
    void copyLogSelection() override;
    bool hierarchyVisible() const override;
    void setHierarchyVisible(bool visible) override;
    std::optional<PageMargins> documentSettingDialog(const PageMargins& preset) override;
    void showVersion(const std::string& version) override;
    CommentStyleDialogs& commentStyleDialogs() override;
    PrinterOpener& printers() override;
    std::tm now() const override;
    void quit() override;

signals:
    // The program has gone through its leaving sequence.
    void finishedRunning();

private:
    bool mayCloseConsole();
    void registerDocumentWindows();
    void placeHierarchyBesideConsole();

    DesktopOptions options_;
    std::unique_ptr<ProgressWindow> progress_;
    std::unique_ptr<QtUiHost> ui_;
    std::unique_ptr<CMorvelDlg> controller_;
    std::unique_ptr<ConsoleWindow> console_;
    std::unique_ptr<HierarchyWindow> hierarchy_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MenuCommands> menu_;
    std::unique_ptr<QtCommentStyleDialogs> styleDialogs_;
    std::unique_ptr<ViewerServices> viewerServices_;
    std::vector<std::string> fontFamilies_;
    bool finished_ = false;
};

}  // namespace corvane
