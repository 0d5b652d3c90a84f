#include "gui/widgets/project_dialogs.h"

#include <QInputDialog>
#include <QWidget>

namespace corvane {

std::optional<std::string> runNewProjectDialog(QWidget* parent) {
    bool ok = false;
    const QString name = QInputDialog::getText(parent, "New Project", "Project Name:",
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return name.toStdString();
}

QtCommentStyleDialogs::QtCommentStyleDialogs(QWidget* parent, UiHost& ui,
                                             std::vector<std::string> fontFamilies)
    : parent_(parent), ui_(ui), fontFamilies_(std::move(fontFamilies)) {}

bool QtCommentStyleDialogs::settingDialog(const std::function<void()>& /*figure*/,
                                          const std::function<void()>& /*textbox*/) {
    return false;
}

std::optional<LineStyle> QtCommentStyleDialogs::lineStyleDialog(const LineStyle& /*preset*/) {
    return std::nullopt;
}

std::optional<TextStyle> QtCommentStyleDialogs::textBoxStyleDialog(const TextStyle& /*preset*/) {
    return std::nullopt;
}

}  // namespace corvane
