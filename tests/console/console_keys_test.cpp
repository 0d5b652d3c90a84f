#include "console/console_keys.h"

#include <gtest/gtest.h>

#include "console/log_line_source.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

using testing::TempDir;

class ConsoleKeysTest : public ::testing::Test {
protected:
    ConsoleKeysTest()
        : controller(ui, progress, DesignServices{}), keys(controller, [this] { ++copies; }) {}

    // Types `line` and presses and releases Enter.
    void enter(const std::string& line) {
        EXPECT_TRUE(keys.handle(ConsoleKey::kEnter, KeyPhase::kPressed, false, line));
        EXPECT_TRUE(keys.handle(ConsoleKey::kEnter, KeyPhase::kReleased, false, ""));
    }
    // Presses and releases an arrow key; the command line's text afterwards.
    std::string arrow(ConsoleKey key) {
        EXPECT_TRUE(keys.handle(key, KeyPhase::kPressed, false, ui.commandText));
        EXPECT_TRUE(keys.handle(key, KeyPhase::kReleased, false, ui.commandText));
        return ui.commandText;
    }

    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller;
    int copies = 0;
    ConsoleKeys keys;
};

TEST_F(ConsoleKeysTest, EnterRunsTheLineEchoesItAndEmptiesTheCommandLine) {
    ui.commandText = "rev";
    enter("rev");
    EXPECT_EQ(controller.log().text(), "Revision 8\r\n");
    EXPECT_EQ(controller.transcript(), ">rev\r\n>");
    EXPECT_EQ(ui.commandText, "");
    ASSERT_EQ(controller.history().entries().size(), 1u);
}

TEST_F(ConsoleKeysTest, UpAndDownShowTheEntryUnderTheCursorThenMove) {
    // Nothing to recall before the first command.
    EXPECT_EQ(arrow(ConsoleKey::kUp), "");
    EXPECT_EQ(arrow(ConsoleKey::kDown), "");
    for (const char* line : {"one", "two", "three"}) enter(line);
    const std::vector<std::pair<ConsoleKey, std::string>> steps = {
        {ConsoleKey::kUp, "three"},   {ConsoleKey::kUp, "two"},     {ConsoleKey::kUp, "one"},
        {ConsoleKey::kUp, "one"},     {ConsoleKey::kDown, "one"},   {ConsoleKey::kDown, "two"},
        {ConsoleKey::kDown, "three"}, {ConsoleKey::kDown, "three"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(arrow(steps[i].first), steps[i].second) << "step " << i;
    }
    // An empty line is recorded like any other.
    enter("");
    EXPECT_EQ(arrow(ConsoleKey::kUp), "");
    EXPECT_EQ(arrow(ConsoleKey::kUp), "three");
}

TEST_F(ConsoleKeysTest, EscapeIsSwallowedCtrlCCopiesAndOtherKeysPassOn) {
    EXPECT_TRUE(keys.handle(ConsoleKey::kEscape, KeyPhase::kPressed, false, ""));
    EXPECT_TRUE(keys.handle(ConsoleKey::kEscape, KeyPhase::kReleased, false, ""));
    EXPECT_FALSE(keys.handle(ConsoleKey::kC, KeyPhase::kPressed, false, ""));
    EXPECT_TRUE(keys.handle(ConsoleKey::kC, KeyPhase::kPressed, true, ""));
    EXPECT_TRUE(keys.handle(ConsoleKey::kC, KeyPhase::kReleased, true, ""));
    EXPECT_EQ(copies, 1);
    EXPECT_FALSE(keys.handle(ConsoleKey::kOther, KeyPhase::kPressed, true, ""));
    EXPECT_TRUE(controller.log().text().empty());
    EXPECT_TRUE(controller.history().entries().empty());
}

TEST(LogLineSourceTest, OpensTheViewerOnlyForLinesNamingAReadableFile) {
    TempDir dir;
    const std::string file = dir.write("a.v", "module a; endmodule\n");
    const std::string gone = dir.path() + "/gone.v";
    struct Case {
        std::string line;
        bool opens;
        int line_number;
    };
    const std::vector<Case> cases = {
        {"#ERROR : " + file + " : 12 : Syntax error.(21)", true, 12},
        {"#NOTE : " + file + " :  : note", true, 1},
        {"#ERROR :  :  : its command is too short. net,[Netname]", false, 0},
        {"#ERROR : " + gone + " : 3 : Syntax error.(21)", false, 0},
        {"- analyze " + file, true, 1},
        {"File path        : " + file, true, 1},
        {"top>analyze " + file, true, 1},
        {"- analyze " + gone, false, 0},
        {"plain text", false, 0},
        {"", false, 0},
    };
    for (const Case& test : cases) {
        ScriptedUiHost ui;
        NullProgressSink progress;
        CMorvelDlg controller(ui, progress, DesignServices{});
        EXPECT_EQ(openLogLineSource(controller, test.line), test.opens) << test.line;
        ASSERT_EQ(ui.openedDocuments.size(), test.opens ? 1u : 0u) << test.line;
        EXPECT_TRUE(ui.messageBoxes.empty());
        if (!test.opens) continue;
        EXPECT_EQ(ui.openedDocuments[0].kind, DocumentKind::kSourceViewer);
        EXPECT_EQ(ui.openedDocuments[0].path, file);
        EXPECT_EQ(ui.openedDocuments[0].line, test.line_number) << test.line;
    }
}

}  // namespace
}  // namespace corvane
