// New Project and the comment style dialogs, driven through their widgets.
#include "gui/widgets/project_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <functional>
#include <tuple>

#include "support/scripted_ui_host.h"
#include "widgets/modal_helpers.h"

namespace corvane {
namespace {

// Runs `act` on the next modal dialog once it is open; a dialog `act`
// leaves open (a failed check returns early) is cancelled, so the test goes on.
void whenModalShows(std::function<void(QWidget*)> act) {
    testing::onNextModal([act](QWidget* widget) {
        act(widget);
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) dialog->reject();
    });
}

// The styles as comparable tuples; nothing stays nothing.
std::optional<std::tuple<int, int>> fields(const std::optional<LineStyle>& style) {
    if (!style) return std::nullopt;
    return std::make_tuple(style->pt, style->color);
}

std::optional<std::tuple<std::string, int, int>> fields(const std::optional<TextStyle>& style) {
    if (!style) return std::nullopt;
    return std::make_tuple(style->face, style->pt, style->color);
}

template <class Dialog>
Dialog* modal(QWidget* widget) {
    auto* dialog = qobject_cast<Dialog*>(widget);
    if (dialog == nullptr) qFatal("unexpected modal widget");
    return dialog;
}

}  // namespace

class ProjectDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void newProjectGivesTheTypedNameOnCreate() {
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<NewProjectDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("New Project"));
            QTest::keyClicks(dialog->nameEdit(), "my-proj_1");
            QTest::keyClick(dialog->nameEdit(), Qt::Key_Return);
        });
        QCOMPARE(runNewProjectDialog(nullptr), std::optional<std::string>("my-proj_1"));
    }

    // The name is checked by the project commands: an empty one comes back
    // as typed, so they can say what is wrong and ask again.
    void newProjectPassesAnEmptyNameAndCancelGivesNothing() {
        whenModalShows([](QWidget* widget) {
            QTest::keyClick(modal<NewProjectDlg>(widget)->nameEdit(), Qt::Key_Return);
        });
        QCOMPARE(runNewProjectDialog(nullptr), std::optional<std::string>(""));
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<NewProjectDlg>(widget);
            QTest::keyClicks(dialog->nameEdit(), "kept");
            QTest::keyClick(dialog->nameEdit(), Qt::Key_Escape);
        });
        QCOMPARE(runNewProjectDialog(nullptr), std::nullopt);
    }

    void lineStyleEditsPointAndColourAndDisappearPaintsWhite() {
        ScriptedUiHost ui;
        ui.colorAnswers = {0x00123456u};
        QtCommentStyleDialogs dialogs(nullptr, ui, {});
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<LineStyleDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Configure Line Style"));
            QCOMPARE(dialog->pointEdit()->value(), 3);
            dialog->pointEdit()->selectAll();
            QTest::keyClicks(dialog->pointEdit(), "5");
            dialog->colorSwatch()->button()->click();
            QCOMPARE(dialog->colorSwatch()->color(), 0x123456);
            dialog->accept();
        });
        QCOMPARE(fields(dialogs.lineStyleDialog({3, 0x0000FF})),
                 std::make_optional(std::make_tuple(5, 0x123456)));
        QCOMPARE(ui.calls, std::vector<std::string>{"chooseColor(255)"});

        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<LineStyleDlg>(widget);
            dialog->disappearButton()->click();
            dialog->accept();
        });
        QCOMPARE(fields(dialogs.lineStyleDialog({2, 0})),
                 std::make_optional(std::make_tuple(2, kDisappearColor)));
    }

    void cancelledColourChooserAndCancelledDialogKeepTheStyle() {
        ScriptedUiHost ui;  // no colour answer: the chooser is cancelled
        QtCommentStyleDialogs dialogs(nullptr, ui, {});
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<LineStyleDlg>(widget);
            dialog->colorSwatch()->button()->click();
            QCOMPARE(dialog->colorSwatch()->color(), 0x00FF00);
            dialog->accept();
        });
        QCOMPARE(fields(dialogs.lineStyleDialog({1, 0x00FF00})),
                 std::make_optional(std::make_tuple(1, 0x00FF00)));
        whenModalShows([](QWidget* widget) { modal<LineStyleDlg>(widget)->reject(); });
        QVERIFY(!dialogs.lineStyleDialog({1, 0}));
    }

    void textStyleOffersTheFamiliesAndKeepsAMissingFaceUntilOneIsChosen() {
        ScriptedUiHost ui;
        QtCommentStyleDialogs dialogs(nullptr, ui,
                                      {"Courier New", "DejaVu Sans Mono", "Noto Sans"});
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<TextStyleDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Configure TextBox Style"));
            QCOMPARE(dialog->fontList()->count(), 3);
            QCOMPARE(dialog->fontList()->currentIndex(), -1);
            dialog->accept();
        });
        QCOMPARE(fields(dialogs.textBoxStyleDialog({"Gone Font", 16, 0})),
                 std::make_optional(std::make_tuple(std::string("Gone Font"), 16, 0)));

        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<TextStyleDlg>(widget);
            QCOMPARE(dialog->fontList()->currentText(), QString("Courier New"));
            QTest::keyClick(dialog->fontList(), Qt::Key_Down);
            dialog->pointEdit()->setValue(9);
            dialog->accept();
        });
        QCOMPARE(fields(dialogs.textBoxStyleDialog({"Courier New", 16, 0x0000FF})),
                 std::make_optional(std::make_tuple(std::string("DejaVu Sans Mono"), 9, 0x0000FF)));
    }

    // Project Setting... as the user goes through it: "Setting", then
    // "&Figure..." opens "Configure Line Style" over it.
    void styleDialogOpensOverTheSettingDialog() {
        ScriptedUiHost ui;
        QtCommentStyleDialogs dialogs(nullptr, ui, {});
        LineStyle line{1, 0};
        QWidget* owner = nullptr;
        QWidget* setting = nullptr;
        whenModalShows([&](QWidget* widget) {
            setting = widget;
            whenModalShows([&](QWidget* nested) {
                owner = nested->parentWidget();
                auto* dialog = modal<LineStyleDlg>(nested);
                dialog->pointEdit()->setValue(4);
                dialog->accept();
            });
            modal<SettingDlg>(widget)->figureButton()->click();
            modal<SettingDlg>(widget)->accept();
        });
        const bool accepted = dialogs.settingDialog(
            [&] {
                if (const auto edited = dialogs.lineStyleDialog(line)) line = *edited;
            },
            {});
        QVERIFY(accepted);
        QCOMPARE(line.pt, 4);
        QVERIFY(owner != nullptr);
        QCOMPARE(owner, setting);
    }

    void settingDialogRunsTheButtonsAndAnswersOk() {
        ScriptedUiHost ui;
        QtCommentStyleDialogs dialogs(nullptr, ui, {});
        int figures = 0;
        int textboxes = 0;
        whenModalShows([](QWidget* widget) {
            auto* dialog = modal<SettingDlg>(widget);
            QCOMPARE(dialog->windowTitle(), QString("Setting"));
            dialog->figureButton()->click();
            dialog->figureButton()->click();
            dialog->textboxButton()->click();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        QVERIFY(dialogs.settingDialog([&] { ++figures; }, [&] { ++textboxes; }));
        QCOMPARE(figures, 2);
        QCOMPARE(textboxes, 1);
        whenModalShows([](QWidget* widget) { QTest::keyClick(widget, Qt::Key_Escape); });
        QVERIFY(!dialogs.settingDialog({}, {}));
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::ProjectDialogsTest)
#include "project_dialogs_test.moc"
