// The state diagram file of the diagram window: its bytes, reading it back,
// damaged files, and the "&Open...", "&Save", "Save &As..." commands and the
// close question answered through a scripted user interface.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/recording_canvas.h"
#include "statemachine/state_diagram_file.h"
#include "statemachine/stt_dlg.h"
#include "support/parse_files.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"
#include "verilog/verilog_module_parser.h"

namespace corvane {
namespace {

// IDLE waits for start, RUN goes on to DONE, DONE returns to IDLE.
constexpr const char* kMachine = R"(module m(clk, start);
input clk, start;
reg [1:0] state;
always @(posedge clk)
  case (state)
    IDLE: begin
      if (start) state <= RUN;
    end
    RUN: state <= DONE;
    DONE: state <= IDLE;
  endcase
endmodule
)";

constexpr int kMachineLine = 4;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "key=x,y" per label; with `quadrants` also "/quadrant".
std::string anchors(const TransitionLabels& labels, bool quadrants = false) {
    std::string text;
    for (const auto& [key, label] : labels) {
        text += key + "=" + std::to_string(label.x) + "," + std::to_string(label.y);
        if (quadrants) text += "/" + std::to_string(label.quadrant);
        text += " ";
    }
    return text;
}

class RepaintHooks : public SttWindowHooks {
public:
    void repaint(bool erase) override { repaints.push_back(erase); }
    void destroyWindow() override { destroyed = true; }
    std::vector<bool> repaints;
    bool destroyed = false;
};

class DiagramFile : public ::testing::Test, protected testing::ParsedFiles<> {
protected:
    DiagramFile() : ParsedFiles(FrontEnds{parseVerilogModule, {}}) {}

    void SetUp() override {
        ASSERT_EQ(analyseText(dir, "m.v", kMachine).alwaysBlocks.size(), 1u) << log.text();
        window = std::make_unique<CSTTDlg>(modules, ui, hooks, "m", kMachineLine);
        window->buildDiagram();
        ASSERT_EQ(window->result(), 0);
    }

    // Paints once, as the window does when it is first shown: every label
    // gets its automatic place.
    void show() {
        RecordingCanvas screen(1100, 900);
        window->paint(screen, {12, 29, 1112, 929});
    }

    std::string file(const std::string& name) const { return dir.path() + "/" + name; }

    corvane::testing::TempDir dir;
    ScriptedUiHost ui;
    RepaintHooks hooks;
    std::unique_ptr<CSTTDlg> window;
};

TEST_F(DiagramFile, WritesTheCanvasAndThePlacedLabelsInKeyOrder) {
    show();
    // Drag the labels in the order opposite to their keys.
    window->labels().at("run:done").x = 700;
    window->labels().at("idle:run").y = -20;
    window->setFilePath(file("a.qstm"));
    ASSERT_TRUE(window->writeStateDiagramFile());
    const std::string first = readAll(file("a.qstm"));
    const TransitionLabels& labels = window->labels();
    const auto line = [&](const char* key) {
        const TransitionLabel& label = labels.at(key);
        return "\t<statelabel name=\"" + std::string(key) + "\" x=\"" + std::to_string(label.x) +
               "\" y=\"" + std::to_string(label.y) + "\" />\r\n";
    };
    EXPECT_EQ(first,
              "<?xml version=\"1.0\"?>\r\n<qstm.version value=\"1\"/>\r\n<corvane>\r\n"
              "\t<size width=\"1020\" height=\"808\"/>\r\n" +
                  line("done:idle") + line("idle:run") + line("run:done") + "</corvane>\r\n");
    ASSERT_TRUE(window->writeStateDiagramFile());
    EXPECT_EQ(readAll(file("a.qstm")), first);

    // A second window of the same block reads the anchors back and, being
    // placed already, its labels stay where the file puts them.
    CSTTDlg again(modules, ui, hooks, "m", kMachineLine);
    again.setFilePath(file("a.qstm"));
    again.buildDiagram();
    RecordingCanvas screen(1100, 900);
    again.paint(screen, {12, 29, 1112, 929});
    EXPECT_EQ(anchors(again.labels()), anchors(labels));
    again.setFilePath(file("b.qstm"));
    ASSERT_TRUE(again.writeStateDiagramFile());
    EXPECT_EQ(readAll(file("b.qstm")), first);
}

TEST_F(DiagramFile, LabelsNeverPlacedLeaveTheSizeLineOnly) {
    window->setFilePath(file("empty.qstm"));
    ASSERT_TRUE(window->writeStateDiagramFile());
    EXPECT_EQ(readAll(file("empty.qstm")),
              "<?xml version=\"1.0\"?>\r\n<qstm.version value=\"1\"/>\r\n<corvane>\r\n"
              "\t<size width=\"1020\" height=\"808\"/>\r\n</corvane>\r\n");
}

TEST(DiagramFileText, KeysWithMarkupCharactersAreEscapedAndReadBack) {
    TransitionLabels labels;
    labels["\"01\":\"10\""].x = 5;
    labels["\"01\":\"10\""].y = 6;
    labels["a<b:c&d"].x = 7;
    labels["a<b:c&d"].y = 8;
    const std::string text = stateDiagramFileText({100, 200}, labels);
    EXPECT_NE(text.find("name=\"&quot;01&quot;:&quot;10&quot;\" x=\"5\" y=\"6\" />"),
              std::string::npos);
    EXPECT_NE(text.find("name=\"a&lt;b:c&amp;d\" x=\"7\" y=\"8\" />"), std::string::npos);
    TransitionLabels read;
    ASSERT_TRUE(readStateDiagramText(text, read));
    EXPECT_EQ(anchors(read), anchors(labels));
}

TEST(DiagramFileText, ReadingSetsAnchorsAddsUnknownKeysAndIgnoresTheRest) {
    TransitionLabels labels;
    labels["idle:run"].quadrant = 2;
    labels["idle:run"].lines = {{0, "(go)"}};
    const std::string text =
        "<corvane><!-- <statelabel name=\"idle:run\" x=\"1\" y=\"1\" /> -->\n"
        "  <statelabel NAME=\"idle:run\" X=\"40px\" y=\"-12\" />\r\n"
        "<StateLabel name=\"idle:run\" x=\"9\" y=\"9\"/><size width=\"3\" height=\"4\"/>\n"
        "<statelabel name=\"gone:idle\" y=\"x\" /><other name=\"idle:run\" x=\"2\"/></corvane>";
    ASSERT_TRUE(readStateDiagramText(text, labels));
    EXPECT_EQ(anchors(labels, true), "gone:idle=0,0/0 idle:run=40,-12/2 ");
    EXPECT_EQ(labels.at("idle:run").lines.size(), 1u);
    EXPECT_TRUE(labels.at("gone:idle").lines.empty());
}

TEST(DiagramFileText, DamagedFilesChangeNothing) {
    const std::string good =
        "<?xml version=\"1.0\"?>\r\n<corvane>\r\n\t<statelabel name=\"a:b\" x=\"1\" y=\"2\" "
        "/>\r\n</corvane>\r\n";
    const std::string damaged[] = {
        good.substr(0, good.size() - 5),                          // cut inside the last tag
        good.substr(0, good.find("x=")),                          // cut inside a label
        "<corvane>\r\n<>\r\n<statelabel name=\"a:b\" x=\"1\"/>",  // an empty tag
        "<statelabel name=\"a:b\" x=\"1\" y=\"2\" /><",           // a "<" with no ">"
    };
    for (const std::string& bytes : damaged) {
        TransitionLabels labels;
        labels["a:b"].x = 30;
        labels["a:b"].y = 40;
        const std::string before = anchors(labels);
        EXPECT_FALSE(readStateDiagramText(bytes, labels)) << bytes;
        EXPECT_EQ(anchors(labels), before) << bytes;
    }
    TransitionLabels labels;
    EXPECT_FALSE(readStateDiagramPath("/nonexistent/folder/x.qstm", labels));
    EXPECT_FALSE(readStateDiagramPath("", labels));
    EXPECT_TRUE(labels.empty());
}

TEST_F(DiagramFile, OpenReadsTheChosenFileOrSaysItCannot) {
    show();
    const std::string path = dir.write(
        "saved.qstm", "<corvane><statelabel name=\"idle:run\" x=\"300\" y=\"400\" /></corvane>");
    const int quadrant = window->labels().at("idle:run").quadrant;
    window->setFilePath(file("old.qstm"));
    window->setModified(true);

    ui.openFileAnswers = {FileDialogResult{{path}}, FileDialogResult{{file("missing.qstm")}},
                          FileDialogResult{}};
    window->onOpenCommand();
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const FileDialogRequest& request = ui.fileDialogs[0];
    EXPECT_EQ(request.caption, "Please specify the target State Machine Diagram config file");
    EXPECT_EQ(request.okText, "&OK");
    EXPECT_EQ(request.defaultExtension, "qstm");
    EXPECT_EQ(request.filter, "State Machine Diagram config file(*.qstm)|*.qstm||");
    EXPECT_EQ(window->filePath(), path);
    EXPECT_FALSE(window->modified());
    EXPECT_EQ(hooks.repaints, std::vector<bool>{true});
    const TransitionLabel& label = window->labels().at("idle:run");
    EXPECT_EQ(Point(label.x, label.y), Point(300, 400));
    EXPECT_EQ(label.quadrant, quadrant);
    EXPECT_TRUE(ui.messageBoxes.empty());

    window->setModified(true);
    window->onOpenCommand();  // a file that cannot be read
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].caption, "Corvane");
    EXPECT_EQ(ui.messageBoxes[0].text, "File open error.");
    EXPECT_EQ(window->filePath(), path);
    EXPECT_TRUE(window->modified());

    window->onOpenCommand();  // cancelled
    EXPECT_EQ(window->filePath(), path);
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(hooks.repaints.size(), 1u);
}

TEST_F(DiagramFile, SaveWritesAtOnceOrAsksForAName) {
    show();
    window->setModified(true);
    ui.saveFileAnswers = {file("chosen.qstm")};
    window->onSaveCommand();  // no path yet: Save As
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].caption,
              "Please input the name of State Machine Diagram config file");
    EXPECT_EQ(ui.fileDialogs[0].proposedName, "m$4");
    EXPECT_TRUE(ui.fileDialogs[0].overwritePrompt);
    EXPECT_EQ(window->filePath(), file("chosen.qstm"));
    EXPECT_FALSE(window->modified());
    const std::string saved = readAll(file("chosen.qstm"));
    EXPECT_NE(saved.find("name=\"idle:run\""), std::string::npos);

    window->labels().at("idle:run").x = 11;
    window->setModified(true);
    window->onSaveCommand();  // with a path: no dialog
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_FALSE(window->modified());
    EXPECT_NE(readAll(file("chosen.qstm")).find("name=\"idle:run\" x=\"11\""), std::string::npos);
}

TEST_F(DiagramFile, SaveAsThatCannotWriteKeepsThePreviousPath) {
    window->setFilePath(file("kept.qstm"));
    window->setModified(true);
    ui.saveFileAnswers = {file("no/such/folder/x.qstm"), std::nullopt};
    window->onSaveAsCommand();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error.");
    EXPECT_EQ(window->filePath(), file("kept.qstm"));
    EXPECT_TRUE(window->modified());
    EXPECT_FALSE(std::filesystem::exists(file("kept.qstm")));

    window->onSaveAsCommand();  // cancelled
    EXPECT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(window->filePath(), file("kept.qstm"));
}

TEST_F(DiagramFile, SavingWhenTheModuleIsGoneWritesNothing) {
    window->setFilePath(file("x.qstm"));
    window->setModified(true);
    modules.removeByName("m");
    window->onSaveCommand();
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_TRUE(window->modified());

    ui.saveFileAnswers = {file("y.qstm")};
    window->onSaveAsCommand();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error. Internal error occurred.");
    EXPECT_EQ(window->filePath(), file("x.qstm"));
    EXPECT_FALSE(std::filesystem::exists(file("x.qstm")));
    EXPECT_FALSE(std::filesystem::exists(file("y.qstm")));
}

TEST_F(DiagramFile, YesToTheCloseQuestionWritesTheFile) {
    show();
    window->setFilePath(file("close.qstm"));
    window->setModified(true);
    ui.messageAnswers = {MessageResult::kYes};
    EXPECT_TRUE(window->onClose());
    EXPECT_TRUE(hooks.destroyed);
    EXPECT_FALSE(window->modified());
    EXPECT_NE(readAll(file("close.qstm")).find("<statelabel name=\"done:idle\""),
              std::string::npos);

    // Without a path the Save As dialog names the file first.
    CSTTDlg other(modules, ui, hooks, "m", kMachineLine);
    other.buildDiagram();
    other.setModified(true);
    ui.messageAnswers = {MessageResult::kYes};
    ui.saveFileAnswers = {file("named.qstm")};
    EXPECT_TRUE(other.onClose());
    EXPECT_FALSE(other.alive());
    EXPECT_TRUE(std::filesystem::exists(file("named.qstm")));
}

// A write that fails is said and loses nothing: Save keeps the modified flag,
// and the close question keeps the window open with its path.
TEST_F(DiagramFile, AFailedWriteKeepsTheChanges) {
    show();
    window->setFilePath(file("no/such/folder/x.qstm"));
    window->setModified(true);
    window->onSaveCommand();
    ASSERT_EQ(ui.messageBoxes.size(), 1u);
    EXPECT_EQ(ui.messageBoxes[0].text, "File save error.");
    EXPECT_TRUE(window->modified());

    ui.messageAnswers = {MessageResult::kYes};
    EXPECT_FALSE(window->onClose());
    EXPECT_TRUE(window->alive());
    EXPECT_TRUE(window->modified());
    EXPECT_EQ(window->filePath(), file("no/such/folder/x.qstm"));
    ASSERT_EQ(ui.messageBoxes.size(), 3u);  // the question, then the error
    EXPECT_EQ(ui.messageBoxes[2].text, "File save error.");
}

}  // namespace
}  // namespace corvane
