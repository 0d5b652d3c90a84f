// The keys of the console, handled before its controls see them: Enter runs
// the command line, Up and Down recall the history, Escape is swallowed and
// Ctrl+C copies the log's selection.
#pragma once

#include <functional>
#include <string>

#include "console/controller.h"

namespace corvane {

enum class ConsoleKey { kEnter, kEscape, kUp, kDown, kC, kOther };
enum class KeyPhase { kPressed, kReleased };

class ConsoleKeys {
public:
    // `copyLog` copies the log's selection to the clipboard.
    ConsoleKeys(CMorvelDlg& controller, std::function<void()> copyLog);

    // Handles one key event; `commandText` is the command edit's text.
    // True when the key is swallowed (the control must not see it).
    bool handle(ConsoleKey key, KeyPhase phase, bool controlHeld, const std::string& commandText);

private:
    CMorvelDlg& controller_;
    std::function<void()> copyLog_;
};

}  // namespace corvane
