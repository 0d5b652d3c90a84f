// The console window: the message log, below it the transcript of the typed
// command lines, then the prompt and the command line; the main menu built
// from the core's menu data, and drops of files and folders.
// Keys and clicks are translated into calls on the controller; the menu
// commands go to a handler (the desktop program's MenuCommands).
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "console/console_keys.h"
#include "console/console_menu.h"
#include "console/controller.h"

class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace corvane {

class LogView;

class ConsoleWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit ConsoleWindow(CMorvelDlg& controller, QWidget* parent = nullptr);
    ~ConsoleWindow() override;
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    LogView* log() const { return log_; }
    QLineEdit* commandLine() const { return commandLine_; }
    // The prompt shown before the command line: the current target module and ">".
    QLabel* prompt() const { return prompt_; }
    // The typed command lines after their prompts, as the controller keeps them.
    QPlainTextEdit* transcript() const { return transcript_; }
    QAction* action(MenuCommand command) const;

    // Where menu commands go, and what decides the check marks.
    void setMenuHandler(std::function<void(MenuCommand)> run, std::function<MenuState()> state);
    // Asked when the window is about to close; false keeps it open.
    void setCloseHandler(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }
    // Whether an analysis is running; a drop then waits until it is done.
    void setBusyCheck(std::function<bool()> busy) { busy_ = std::move(busy); }
    void updateMenuChecks();

    // Puts `text` into the command line with the caret at its end and gives it the focus.
    void setCommandText(const std::string& text);
    // Shows the controller's transcript; its last line is the prompt.
    void updatePrompt();

    // Hands dropped paths to the controller as a drop.
    void dropPaths(const std::vector<std::string>& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void dropWhenIdle(const std::vector<std::string>& paths);
    void buildMenus();
    void addMenuEntries(QWidget* menu, const std::vector<MenuEntry>& entries);

    CMorvelDlg& controller_;
    ConsoleKeys keys_;
    LogView* log_ = nullptr;
    QLineEdit* commandLine_ = nullptr;
    QLabel* prompt_ = nullptr;
    QPlainTextEdit* transcript_ = nullptr;
    std::map<MenuCommand, QAction*> actions_;
    std::function<void(MenuCommand)> runMenu_;
    std::function<MenuState()> menuState_;
    std::function<bool()> mayClose_;
    std::function<bool()> busy_;
};

}  // namespace corvane
