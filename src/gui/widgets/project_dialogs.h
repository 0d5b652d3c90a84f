// The project dialogs: "New Project" (the name of a new project) and the
// Qt side of the comment style dialogs behind Project Setting...
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "project/comment_style_dialogs.h"

class QWidget;

namespace corvane {

// "New Project": the typed name, or nothing when cancelled.
std::optional<std::string> runNewProjectDialog(QWidget* parent);

// "Setting", "Configure Line Style" and "Configure TextBox Style" as Qt
// dialogs. The colour buttons go through `ui`'s colour chooser; the font
// list shows `fontFamilies`, the families installed at start-up.
class QtCommentStyleDialogs final : public CommentStyleDialogs {
public:
    QtCommentStyleDialogs(QWidget* parent, UiHost& ui, std::vector<std::string> fontFamilies);

    bool settingDialog(const std::function<void()>& figure,
                       const std::function<void()>& textbox) override;
    std::optional<LineStyle> lineStyleDialog(const LineStyle& preset) override;
    std::optional<TextStyle> textBoxStyleDialog(const TextStyle& preset) override;

private:
    QWidget* parent_;
    UiHost& ui_;
    std::vector<std::string> fontFamilies_;
};

}  // namespace corvane
