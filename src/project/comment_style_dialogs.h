// The dialogs that edit a comment style: "Setting" (Project Setting...),
// "Configure Line Style" and "Configure TextBox Style". The schematic editor
// uses the two style dialogs for single comments as well.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui_host.h"

namespace corvane {

// What "Configure Line Style" edits. Colours are 0x00BBGGRR.
struct LineStyle {
    int pt = 1;
    int color = 0;
};

// What "Configure TextBox Style" edits.
struct TextStyle {
    std::string face;
    int pt = 16;
    int color = 0;
};

// The colour "&Disappear" gives a line: white, the paper's colour.
inline constexpr int kDisappearColor = 0xFFFFFF;

// Implemented by the desktop front end and by test fakes.
class CommentStyleDialogs {
public:
    virtual ~CommentStyleDialogs() = default;

    // The "Setting" dialog (group "Default Style of Comment" with "&Figure..."
    // and "&Textbox...", then OK and Cancel). Each press of "&Figure..." calls
    // `figure`, each press of "&Textbox..." calls `textbox`; true on OK.
    virtual bool settingDialog(const std::function<void()>& figure,
                               const std::function<void()>& textbox) = 0;
    // "Configure Line Style" preset with `preset` ("&Point:", "&Color:",
    // "&Disappear"); the edited values on OK.
    virtual std::optional<LineStyle> lineStyleDialog(const LineStyle& preset) = 0;
    // "Configure TextBox Style" preset with `preset` ("&Font:" from the font
    // families enumerated at start-up, "&Point:", "&Color:"); the values on OK.
    virtual std::optional<TextStyle> textBoxStyleDialog(const TextStyle& preset) = 0;
};

// The "&Color:" button of both style dialogs: the colour chooser preset with
// `color`; a chosen colour replaces it.
void chooseStyleColor(UiHost& ui, int& color);

}  // namespace corvane
