// The project dialogs: "New Project" (the name of a new project) and the
// Qt side of the comment style dialogs behind Project Setting...: "Setting",
// "Configure Line Style" and "Configure TextBox Style".
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "project/comment_style_dialogs.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace corvane {

// "New Project": one edit "Project &Name:", "Create" and "Cancel". The name
// is checked by the project commands, which show the dialog again.
class NewProjectDlg final : public QDialog {
    Q_OBJECT
public:
    explicit NewProjectDlg(QWidget* parent);
    std::string name() const;
    QLineEdit* nameEdit() const { return name_; }

private:
    QLineEdit* name_ = nullptr;
};

// "New Project": the typed name (possibly empty), or nothing when cancelled.
std::optional<std::string> runNewProjectDialog(QWidget* parent);

// "Setting": the group "Default Style of Comment" with "&Figure..." and
// "&Textbox...", then OK and Cancel.
class SettingDlg final : public QDialog {
    Q_OBJECT
public:
    SettingDlg(QWidget* parent, std::function<void()> figure, std::function<void()> textbox);
    QPushButton* figureButton() const { return figure_; }
    QPushButton* textboxButton() const { return textbox_; }

private:
    QPushButton* figure_ = nullptr;
    QPushButton* textbox_ = nullptr;
};

// The "&Color:" row of the style dialogs: a swatch in the current colour and
// the button that opens the colour chooser.
class ColorSwatch final : public QWidget {
    Q_OBJECT
public:
    ColorSwatch(QWidget* parent, UiHost& ui, int color);
    int color() const { return color_; }
    void setColor(int color);
    QPushButton* button() const { return button_; }

private:
    UiHost& ui_;
    int color_;
    QFrame* swatch_ = nullptr;
    QPushButton* button_ = nullptr;
};

// "Configure Line Style": "&Point:" (Pt.), "&Color:" and "&Disappear".
class LineStyleDlg final : public QDialog {
    Q_OBJECT
public:
    LineStyleDlg(QWidget* parent, UiHost& ui, const LineStyle& preset);
    LineStyle style() const;
    QSpinBox* pointEdit() const { return point_; }
    ColorSwatch* colorSwatch() const { return color_; }
    QPushButton* disappearButton() const { return disappear_; }

private:
    QSpinBox* point_ = nullptr;
    ColorSwatch* color_ = nullptr;
    QPushButton* disappear_ = nullptr;
};

// "Configure TextBox Style": "&Font:" (the installed families), "&Point:"
// (Pt.) and "&Color:". A face missing from the families is kept until
// another one is chosen.
class TextStyleDlg final : public QDialog {
    Q_OBJECT
public:
    TextStyleDlg(QWidget* parent, UiHost& ui, const std::vector<std::string>& fontFamilies,
                 const TextStyle& preset);
    TextStyle style() const;
    QComboBox* fontList() const { return font_; }
    QSpinBox* pointEdit() const { return point_; }
    ColorSwatch* colorSwatch() const { return color_; }

private:
    std::string face_;
    QComboBox* font_ = nullptr;
    QSpinBox* point_ = nullptr;
    ColorSwatch* color_ = nullptr;
};

// The three comment style dialogs as the project commands and the schematic
// editor ask for them. The colour buttons go through `ui`'s colour chooser;
// the font list shows `fontFamilies`, the families installed at start-up.
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
