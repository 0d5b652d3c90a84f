#include "console/console_keys.h"

#include <utility>

namespace corvane {

ConsoleKeys::ConsoleKeys(CMorvelDlg& controller, std::function<void()> copyLog)
    : controller_(controller), copyLog_(std::move(copyLog)) {}

bool ConsoleKeys::handle(ConsoleKey key, KeyPhase phase, bool controlHeld,
                         const std::string& commandText) {
    const bool pressed = phase == KeyPhase::kPressed;
    switch (key) {
        case ConsoleKey::kEnter:
            // Enter never reaches a control, so it never closes a window.
            if (pressed) controller_.enterCommandLine(commandText);
            return true;
        case ConsoleKey::kEscape:
            return true;
        case ConsoleKey::kUp:
            // The history moves when the key is released.
            if (!pressed) controller_.historyUp();
            return true;
        case ConsoleKey::kDown:
            if (!pressed) controller_.historyDown();
            return true;
        case ConsoleKey::kC:
            if (!controlHeld) return false;
            if (pressed && copyLog_) copyLog_();
            return true;
        case ConsoleKey::kOther:
            return false;
    }
    return false;
}

}  // namespace corvane
